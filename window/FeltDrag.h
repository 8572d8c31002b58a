#pragma once

#include <QPoint>
#include <QPointF>
#include <optional>

#include "platform/Twips.h"

namespace quibbix {

// A drag on the felt, which moves the window: the point grabbed at the press stays under the
// pointer. It takes the press, the moves with the left button held and the release, and says where
// the window goes; the window follows once the events at hand are handled, so that a click on the
// felt never drags it.
//
// Why not at each move: when a click's release and the next move arrive together, the X server may
// report the release where that move went, and the toolkit then hands over a move there with the
// button still held, right before the release. Following later, and only while the button is
// still down at that moment, leaves such a move unfollowed.
class FeltDrag {
  public:
    // The left button went down at `at` in the window.
    void press(QPointF at);
    // A move with the left button held, at `at` in the window and `global` on the screen. True for
    // the first move since the window last followed: the caller then schedules follow().
    bool move(QPointF at, QPointF global);
    void release() { pendingMove_.reset(); }

    bool hasMoveToFollow() const { return pendingMove_.has_value(); }

    // Where the window's top-left corner goes for the latest move, given where it stands now and
    // whether the left button is still down; none when there is nothing to follow.
    std::optional<QPoint> follow(QPoint windowNow, bool buttonDown);

  private:
    struct Move {
        QPointF at;
        QPointF global;
    };
    TwipsPoint grabbed_;  // where the press was, in whole twips of the window
    std::optional<Move> pendingMove_;
};

}  // namespace quibbix
