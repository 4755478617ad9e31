#include "ui/shell/TolvaneViewBlank.h"

#include "ui/ResourceIds.h"

CTolvaneView_Blank::CTolvaneView_Blank() : FormView(IDD_BLANK_FORM) {}
