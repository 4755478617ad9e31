#pragma once

#include <QWidget>

#include "framework/CommandTarget.h"

namespace framework {

class Document;

// A window that shows a document: a pane of the frame. Views are command targets; the
// active one comes first on the command route.
class View : public CommandTarget {
public:
    ~View() override;

    Document* GetDocument() const { return document; }
    virtual QWidget* widget() = 0;

    // Once the document has new contents (new, open); by default an update without hint.
    virtual void OnInitialUpdate();
    // The document changed; hint says how, in the document's own terms.
    virtual void OnUpdate(View* sender, int hint);

private:
    friend class Document;
    Document* document = nullptr;
};

}  // namespace framework
