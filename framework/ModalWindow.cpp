#include "framework/ModalWindow.h"

#include <algorithm>
#include <vector>

namespace framework {

namespace {

std::vector<ModalWindowWatch*>& watches() {
    static std::vector<ModalWindowWatch*> all;
    return all;
}

}  // namespace

ModalWindowWatch::ModalWindowWatch(std::function<void()> hear) : opening(std::move(hear)) {
    watches().push_back(this);
}

ModalWindowWatch::~ModalWindowWatch() {
    std::erase(watches(), this);
}

// What a watch does may end another watch; that one is not told.
void announceModalWindow() {
    for (ModalWindowWatch* watch : std::vector(watches())) {
        if (std::ranges::find(watches(), watch) != watches().end()) {
            watch->opening();
        }
    }
}

}  // namespace framework
