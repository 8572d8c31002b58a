#include <gtest/gtest.h>

#include "window/Spoken.h"

namespace quibbix {
namespace {

TEST(Spoken, RollTellsTheRollsLeftOrAFullCard) {
    struct Case {
        int rollsLeft;
        bool cardFull;
        const char* said;
    };
    const Case cases[] = {
        {3, false, "Roll, 3 rolls left"}, {2, false, "Roll, 2 rolls left"},
        {1, false, "Roll, 1 roll left"},  {0, false, "Roll, no rolls left"},
        {0, true, "Roll, card full"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(spoken::roll(c.rollsLeft, c.cardFull), c.said);
    }
}

TEST(Spoken, DiceAreNumberedLikeTheirKeysWithFaceAndPlace) {
    EXPECT_EQ(spoken::die(0, 0, false), "Die 1, one, on the table");
    EXPECT_EQ(spoken::die(2, 4, true), "Die 3, five, held");
    EXPECT_EQ(spoken::die(4, 5, true), "Die 5, six, held");
}

TEST(Spoken, BoxesTellTheirCaptionAndScoreOrOpen) {
    struct Case {
        int box;
        const char* text;
        const char* said;
    };
    const Case cases[] = {
        {0, "", "Ones, open"},         {2, "9", "Threes, 9"},
        {5, "0", "Sixes, 0"},          {6, "", "Three of a kind, open"},
        {8, "25", "Full house, 25"},   {11, "", "Chance, open"},
        {12, "150", "Quibbix!!, 150"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(spoken::box(c.box, c.text), c.said);
    }
    EXPECT_EQ(spoken::bonus(""), "Bonus, none");
    EXPECT_EQ(spoken::bonus("35"), "Bonus, 35");
    EXPECT_EQ(spoken::total(""), "Total, none");
    EXPECT_EQ(spoken::total("0"), "Total, 0");
}

}  // namespace
}  // namespace quibbix
