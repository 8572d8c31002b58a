#include "window/FeltDrag.h"

namespace quibbix {

// The grab point is kept in whole twips, halves going to the even neighbour: the window then
// follows the pointer by exactly the twips it moved, rounded the same way.
void FeltDrag::press(QPointF at) {
    grabbed_ = {roundHalfEven(at.x() * TwipsPerPixel), roundHalfEven(at.y() * TwipsPerPixel)};
    pendingMove_.reset();
}

bool FeltDrag::move(QPointF at, QPointF global) {
    const bool first = !pendingMove_.has_value();
    pendingMove_ = Move{at, global};
    return first;
}

std::optional<QPoint> FeltDrag::follow(QPoint windowNow, bool buttonDown) {
    const std::optional<Move> move = pendingMove_;
    pendingMove_.reset();
    if (!move || !buttonDown) {
        return std::nullopt;
    }
    // A motion's window-relative position is only as fresh as the last move the X server carried
    // out; adding it to where the window already went made a fast drag overshoot. So it is set
    // against where the window is now: the window stands at whole pixels, and only that whole lag
    // is taken off.
    const QPointF windowThen = move->global - move->at;
    const QPointF lag = QPointF(windowNow) - windowThen;
    const QPointF at = move->at - QPointF(static_cast<int>(lag.x()), static_cast<int>(lag.y()));
    const int32_t dx = roundHalfEven(at.x() * TwipsPerPixel - grabbed_.left);
    const int32_t dy = roundHalfEven(at.y() * TwipsPerPixel - grabbed_.top);
    return windowNow + QPoint(pixelsFromTwips(dx), pixelsFromTwips(dy));
}

}  // namespace quibbix
