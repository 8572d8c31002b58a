#pragma once

#include <cstdint>

namespace quibbix {

// Whether the left button's press and release on a control make a click: they do unless the
// pointer was dragged off the control before the release.
//
// When a release and the next move reach the program together (it was busy, or the window manager
// held the pointer a moment to focus the window), the X server can report the release where that
// next move went, and the toolkit then moves the pointer there first with the button still held,
// stamped with the release's time. Only a move made before the release tells that the pointer
// really left, so such a release still clicks.
class ControlClick {
  public:
    // A button went down on the control.
    void press(bool leftButton);
    // The pointer moved with the left button held, onto or off the control, at `time` (the event's
    // timestamp, in milliseconds).
    void moveWithLeftHeld(bool onControl, uint64_t time);
    // A button came up, on or off the control, at `time`: true when that makes a click.
    bool release(bool leftButton, bool onControl, uint64_t time);

  private:
    bool leftPressed_ = false;
    bool draggedOff_ = false;
    uint64_t draggedOffAt_ = 0;
};

}  // namespace quibbix
