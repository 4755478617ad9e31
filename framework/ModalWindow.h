#pragma once

#include <functional>

namespace framework {

// Whatever cannot go on under a modal window (a mouse gesture, whose release the window would
// take) hears of each one the framework is about to run: message boxes, file, print and
// modal dialogs, also where a test's handler answers in their place.
class ModalWindowWatch {
public:
    explicit ModalWindowWatch(std::function<void()> opening);
    ~ModalWindowWatch();
    ModalWindowWatch(const ModalWindowWatch&) = delete;
    ModalWindowWatch& operator=(const ModalWindowWatch&) = delete;

private:
    friend void announceModalWindow();
    std::function<void()> opening;
};

// Tells every watch that a modal window is about to run.
void announceModalWindow();

}  // namespace framework
