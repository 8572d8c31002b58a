#pragma once

#include <array>
#include <cstdint>

namespace quibbix {

inline constexpr int DieCount = 5;
inline constexpr int FaceCount = 6;

// Flags hold 0 for false and -1 for true.
inline constexpr int16_t FlagSet = -1;
inline constexpr int16_t FlagClear = 0;

// The area a die covered at its last placement by a roll, in twips; right and bottom are exclusive.
struct DieRectangle {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// The game fields owned by the main window. Everything else the rules need (where each die lies,
// the texts of the score boxes, the banner) is read back from the board, never copied here.
struct GameState {
    std::array<int16_t, DieCount> DieValue{};  // face of die i: 0..5 stand for 1..6 pips
    int16_t RollCount = 0;                     // rolls taken in this turn, 0..3
    std::array<int16_t, DieCount> SlotUsed{};  // holder slot k holds a die (flag)
    std::array<int32_t, DieCount> HolderLeft{};
    int16_t FiveScored = 0;  // 1 once five of a kind has been awarded in this game
    // Wide on purpose: the five-of-a-kind box grows by 100 with every award and must never wrap.
    int64_t ScoreSum = 0;
    std::array<int16_t, DieCount> RollLeft{};
    std::array<int16_t, DieCount> RollTop{};
    std::array<DieRectangle, DieCount> DieRect{};
    int32_t DragX = 0;  // twips, where the last press on the board background happened
    int32_t DragY = 0;
    int16_t ShakeArmed = 0;  // the shake cue plays at the next move over Roll (flag)
};

}  // namespace quibbix
