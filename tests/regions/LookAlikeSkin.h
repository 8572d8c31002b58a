#pragma once

#include <QImage>

namespace quibbix {

// Stand-ins for the skin pictures, drawn in code at the real sizes and with the real key colours
// and kinds of outline, so the region builder can be checked and timed without the asset files.

// 789 x 598, key RGB 153, 102, 153 in the two top rows and the four curved corners.
QImage lookAlikeBoard();

// 70 x 67, black in the four curved corners only, with `pips` white pips (1 to 6).
QImage lookAlikeDie(int pips);

// 337 x 64 on black, with ring-shaped letters whose black insides are enclosed holes.
QImage lookAlikeBanner();

}  // namespace quibbix
