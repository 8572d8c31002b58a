#include <gtest/gtest.h>

#include "game/Scoring.h"

namespace quibbix {
namespace {

// Pips (1..6), turned into faces (0..5).
std::array<int, DieCount> hand(std::array<int, DieCount> pips) {
    std::array<int, DieCount> faces{};
    for (int i = 0; i < DieCount; ++i) {
        faces[i] = pips[i] - 1;
    }
    return faces;
}

struct Case {
    std::array<int, DieCount> pips;
    int box;
    int points;
};

TEST(Scoring, PointsOfEachBox) {
    const Case cases[] = {
        // Upper boxes count only their own face.
        {{1, 1, 2, 3, 1}, 0, 3},
        {{2, 2, 2, 5, 6}, 1, 6},
        {{3, 1, 3, 3, 3}, 2, 12},
        {{6, 6, 6, 6, 1}, 0, 1},
        {{6, 6, 6, 6, 1}, 5, 24},
        {{1, 2, 3, 4, 6}, 4, 0},
        {{5, 5, 5, 5, 5}, 4, 25},
        {{5, 5, 5, 5, 5}, 3, 0},
        // Of a kind scores the pip total; more equal dice also qualify.
        {{3, 3, 3, 5, 5}, 6, 19},
        {{3, 3, 3, 5, 5}, 7, 0},
        {{2, 2, 2, 2, 5}, 6, 13},
        {{2, 2, 2, 2, 5}, 7, 13},
        {{4, 4, 4, 4, 4}, 7, 20},
        {{1, 2, 2, 2, 3}, 6, 10},
        {{1, 1, 2, 2, 3}, 6, 0},
        {{1, 1, 2, 2, 3}, 7, 0},
        // Full house is three of one face and two of another, nothing else.
        {{3, 3, 3, 5, 5}, 8, 25},
        {{5, 3, 5, 3, 3}, 8, 25},
        {{2, 2, 2, 2, 5}, 8, 0},
        {{6, 6, 6, 6, 1}, 8, 0},
        {{1, 2, 2, 2, 3}, 8, 0},
        {{1, 1, 2, 2, 3}, 8, 0},
        {{4, 4, 4, 4, 4}, 8, 0},
        // Straights: any of the runs present, a face may repeat or lie outside the run.
        {{1, 2, 3, 4, 4}, 9, 30},
        {{1, 2, 3, 4, 4}, 10, 0},
        {{1, 3, 4, 5, 6}, 9, 30},
        {{1, 3, 4, 5, 6}, 10, 0},
        {{4, 2, 5, 3, 2}, 9, 30},
        {{1, 2, 3, 5, 6}, 9, 0},
        {{1, 2, 3, 5, 6}, 10, 0},
        {{1, 2, 2, 2, 3}, 9, 0},
        {{2, 3, 4, 5, 6}, 10, 40},
        {{2, 3, 4, 5, 6}, 9, 30},
        {{5, 4, 3, 2, 1}, 10, 40},
        {{4, 4, 4, 4, 4}, 9, 0},
        // Chance is the pip total whatever the dice show.
        {{1, 1, 2, 2, 3}, 11, 9},
        {{6, 6, 6, 6, 6}, 11, 30},
        // The five-of-a-kind box and anything outside the card are worth nothing on a click.
        {{6, 6, 6, 6, 6}, 12, 0},
        {{1, 2, 3, 4, 5}, 12, 0},
        {{3, 3, 3, 5, 5}, 13, 0},
        {{3, 3, 3, 5, 5}, -1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scoreFor(c.box, hand(c.pips)), c.points)
            << "box " << c.box << " with " << c.pips[0] << c.pips[1] << c.pips[2] << c.pips[3]
            << c.pips[4];
    }
}

// What a screen reader gives as each box's range: the best hand's points, and no ceiling where
// awards pile up.
TEST(Scoring, MostPointsOfEachBox) {
    const std::optional<int> most[] = {5, 10, 15, 20, 25, 30, 30, 30, 25, 30, 40, 30, std::nullopt};
    for (int box = 0; box < 13; ++box) {
        SCOPED_TRACE(box);
        EXPECT_EQ(mostPointsFor(box), most[box]);
    }
    EXPECT_EQ(mostPointsFor(-1), std::nullopt);
    EXPECT_EQ(mostPointsFor(13), std::nullopt);
}

}  // namespace
}  // namespace quibbix
