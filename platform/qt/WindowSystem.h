#pragma once

// What the program asks of the window system directly, past the toolkit: on X11 over the X
// server's own connection; elsewhere the answers that hold there.
namespace quibbix {

// Whether the left button is down at this moment, as the X server has it. A move that reaches the
// window with the button held may be older than that: input that queued up while the program was
// busy arrives in one batch, and a button that came up meanwhile must not drag the window. Without
// X, the event's word stands: true.
bool leftButtonDownNow();

// Whether the window system blends windows by their pixels' alpha: always on Wayland; on X11 only
// while a compositing manager runs.
bool windowSystemComposites();

}  // namespace quibbix
