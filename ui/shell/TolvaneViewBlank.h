#pragma once

#include "framework/FormView.h"

// The empty form beside the tree, shown for the root and for resources that are no buttons.
class CTolvaneView_Blank : public framework::FormView {
    Q_OBJECT

public:
    CTolvaneView_Blank();
};
