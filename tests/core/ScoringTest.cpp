#include <gtest/gtest.h>

#include "game/Scoring.h"

namespace quibbix {
namespace {

struct Case {
    std::array<int, DieCount> pips;
    Box box;
    int points;
};

TEST(Scoring, PointsOfEachBox) {
    const Case cases[] = {
        // Upper boxes count only their own face.
        {{1, 1, 2, 3, 1}, Box::Ones, 3},
        {{2, 2, 2, 5, 6}, Box::Twos, 6},
        {{3, 1, 3, 3, 3}, Box::Threes, 12},
        {{6, 6, 6, 6, 1}, Box::Ones, 1},
        {{6, 6, 6, 6, 1}, Box::Sixes, 24},
        {{1, 2, 3, 4, 6}, Box::Fives, 0},
        {{5, 5, 5, 5, 5}, Box::Fives, 25},
        {{5, 5, 5, 5, 5}, Box::Fours, 0},
        // Of a kind scores the pip total; more equal dice also qualify.
        {{3, 3, 3, 5, 5}, Box::ThreeOfAKind, 19},
        {{3, 3, 3, 5, 5}, Box::FourOfAKind, 0},
        {{2, 2, 2, 2, 5}, Box::ThreeOfAKind, 13},
        {{2, 2, 2, 2, 5}, Box::FourOfAKind, 13},
        {{4, 4, 4, 4, 4}, Box::FourOfAKind, 20},
        {{1, 2, 2, 2, 3}, Box::ThreeOfAKind, 10},
        {{1, 1, 2, 2, 3}, Box::ThreeOfAKind, 0},
        {{1, 1, 2, 2, 3}, Box::FourOfAKind, 0},
        // Full house is three of one face and two of another, nothing else.
        {{3, 3, 3, 5, 5}, Box::FullHouse, 25},
        {{5, 3, 5, 3, 3}, Box::FullHouse, 25},
        {{2, 2, 2, 2, 5}, Box::FullHouse, 0},
        {{6, 6, 6, 6, 1}, Box::FullHouse, 0},
        {{1, 2, 2, 2, 3}, Box::FullHouse, 0},
        {{1, 1, 2, 2, 3}, Box::FullHouse, 0},
        {{4, 4, 4, 4, 4}, Box::FullHouse, 0},
        // Straights: any of the runs present, a face may repeat or lie outside the run.
        {{1, 2, 3, 4, 4}, Box::SmallStraight, 30},
        {{1, 2, 3, 4, 4}, Box::LargeStraight, 0},
        {{1, 3, 4, 5, 6}, Box::SmallStraight, 30},
        {{1, 3, 4, 5, 6}, Box::LargeStraight, 0},
        {{4, 2, 5, 3, 2}, Box::SmallStraight, 30},
        {{1, 2, 3, 5, 6}, Box::SmallStraight, 0},
        {{1, 2, 3, 5, 6}, Box::LargeStraight, 0},
        {{1, 2, 2, 2, 3}, Box::SmallStraight, 0},
        {{2, 3, 4, 5, 6}, Box::LargeStraight, 40},
        {{2, 3, 4, 5, 6}, Box::SmallStraight, 30},
        {{5, 4, 3, 2, 1}, Box::LargeStraight, 40},
        {{4, 4, 4, 4, 4}, Box::SmallStraight, 0},
        // Chance is the pip total whatever the dice show.
        {{1, 1, 2, 2, 3}, Box::Chance, 9},
        {{6, 6, 6, 6, 6}, Box::Chance, 30},
        // The five-of-a-kind box is worth nothing on a click.
        {{6, 6, 6, 6, 6}, Box::FiveOfAKind, 0},
        {{1, 2, 3, 4, 5}, Box::FiveOfAKind, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scoreFor(c.box, c.pips), c.points)
            << captionOf(c.box).name << " with " << c.pips[0] << c.pips[1] << c.pips[2] << c.pips[3]
            << c.pips[4];
    }
}

// What a screen reader gives as each box's range: the best hand's points, and no ceiling where
// awards pile up.
TEST(Scoring, MostPointsOfEachBox) {
    const PerBox<std::optional<int>> most{5,  10, 15, 20, 25, 30,          30,
                                          30, 25, 30, 40, 30, std::nullopt};
    for (Box box : AllBoxes) {
        EXPECT_EQ(mostPointsFor(box), most[box]) << captionOf(box).name;
    }
}

}  // namespace
}  // namespace quibbix
