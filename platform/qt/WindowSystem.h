#pragma once

class QWidget;

// What the program asks of the window system directly, past the toolkit: on X11 over the X
// server's own connection, on sway over its IPC socket; elsewhere the answers that hold there.
namespace quibbix {

// Whether the left button is down at this moment, as the X server has it. A move that reaches the
// window with the button held may be older than that: input that queued up while the program was
// busy arrives in one batch, and a button that came up meanwhile must not drag the window. Without
// X, the event's word stands: true.
bool leftButtonDownNow();

// Whether the window system blends windows by their pixels' alpha: always on Wayland; on X11 only
// while a compositing manager runs.
bool windowSystemComposites();

// Whether a request to minimise a window does anything. sway has no minimised windows and ignores
// the request, from Wayland and X11 programs alike.
bool windowSystemMinimises();

// Keeps `window`, a question, centred over `over` when it shows. KWin and the X11 window managers
// place a transient window over its parent themselves; sway centres every new floating window on
// the output. A program may not place its window on Wayland, but sway carries out its clients'
// commands, so there the window is moved over `over` once sway has it. Elsewhere this does nothing.
void keepCentredOver(QWidget* window, const QWidget* over);

}  // namespace quibbix
