#pragma once

#include "game/Box.h"
#include "platform/Twips.h"

// Where every control of the board stands when the window is created, in twips.
namespace quibbix::layout {

inline constexpr int32_t WindowWidth = 11835;  // the board, 789 x 598 pixels
inline constexpr int32_t WindowHeight = 8970;

// Child windows, over everything drawn on the board.
inline constexpr TwipsRect Banner{3630, 3585, 5280, 1215};
// The dice before start-up moves them to the start row.
inline constexpr TwipsRect Dice[5] = {
    {4755, 5265, 1050, 1035}, {5865, 5250, 1050, 1035}, {6960, 5280, 1050, 1035},
    {8070, 5295, 1050, 1035}, {9210, 5355, 1050, 1035},
};

// Drawn on the board.
inline constexpr TwipsRect ResetButton{8595, 7515, 1320, 1005};
inline constexpr TwipsRect RollButton{6585, 7350, 1815, 1230};
inline constexpr TwipsRect QuitButton{10140, 7515, 1320, 1005};
inline constexpr TwipsRect BonusBox{2370, 5175, 615, 345};
inline constexpr TwipsRect CloseSpot{11250, 75, 420, 435};
inline constexpr TwipsRect MinimiseSpot{10860, 135, 315, 315};
inline constexpr TwipsRect TotalBox{570, 5565, 2430, 315};
inline constexpr TwipsRect scoreBox(Box box) {
    return {570, 1005 + 315 * static_cast<int32_t>(rowOf(box)), 2415, 330};
}
// Where the spots of a roll start: right of the score boxes, just below the board's top edge.
inline constexpr TwipsPoint TableCorner{scoreBox(Box::Ones).left + scoreBox(Box::Ones).width, 85};
// The line that splits the score grid into its name and score columns.
inline constexpr int32_t DividerX = 2370;
inline constexpr int32_t DividerTop = 1005;
inline constexpr int32_t DividerBottom = 5100;

// Score text: 12 points on the board's 96-dot screen.
inline constexpr int ScoreTextPixels = 16;
inline constexpr const char* PreferredScoreFont = "Arial Black";

}  // namespace quibbix::layout
