#include "window/ControlClick.h"

namespace quibbix {

void ControlClick::press(bool leftButton) {
    leftPressed_ = leftButton;
    draggedOff_ = false;
}

void ControlClick::moveWithLeftHeld(bool onControl, uint64_t time) {
    if (leftPressed_) {
        draggedOff_ = !onControl;
        draggedOffAt_ = time;
    }
}

bool ControlClick::release(bool leftButton, bool onControl, uint64_t time) {
    const bool releasedOff = !onControl && draggedOff_ && draggedOffAt_ < time;
    const bool click = leftPressed_ && leftButton && !releasedOff;
    leftPressed_ = false;
    draggedOff_ = false;
    return click;
}

}  // namespace quibbix
