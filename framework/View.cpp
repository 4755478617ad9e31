#include "framework/View.h"

#include "framework/Document.h"

namespace framework {

View::~View() {
    if (document != nullptr) {
        document->RemoveView(this);
    }
}

void View::OnInitialUpdate() {
    OnUpdate(nullptr, 0);
}

void View::OnUpdate(View*, int) {}

}  // namespace framework
