#include <gtest/gtest.h>

#include "FakeView.h"

namespace quibbix {
namespace {

using testing::TestTable;

TEST(Holder, ADieClickBeforeTheFirstRollDoesNothing) {
    TestTable t;
    t.game.toggleDie(2);
    EXPECT_TRUE(t.diceAtStart());
    EXPECT_TRUE(t.cues.played.empty());
}

TEST(Holder, HeldDiceTakeTheFirstFreeSlot) {
    TestTable t;
    t.lay({1, 2, 3, 4, 5});
    const struct {
        int die;
        int32_t left;
    } clicks[] = {{3, 400}, {0, 1600}, {4, 2800}};
    for (const auto& c : clicks) {
        t.game.toggleDie(c.die);
        EXPECT_EQ(t.view.dice[c.die].left, c.left) << "die " << c.die;
        EXPECT_EQ(t.view.dice[c.die].top, HolderTop) << "die " << c.die;
    }

    // Releasing the die in slot 0 frees it for the next die held.
    t.random.add({0.5, 0.25});
    t.game.toggleDie(3);
    EXPECT_EQ(t.view.dice[3].top, 2750);
    EXPECT_EQ(t.view.dice[3].left, 2250);
    t.game.toggleDie(1);
    EXPECT_EQ(t.view.dice[1].left, 400);
    t.game.toggleDie(2);
    EXPECT_EQ(t.view.dice[2].left, 4000);
}

TEST(Holder, ReleasedDiceLandInTheUpperBoardAndKeepTheirFace) {
    const struct {
        double r;
        int32_t top;
        int32_t left;
    } cases[] = {{0.0, 0, 0}, {0.9999999999, 5499, 8999}};
    for (const auto& c : cases) {
        TestTable t;
        t.lay({1, 2, 3, 4, 5}, 3);  // holding works after the third roll too
        t.game.toggleDie(2);
        t.random.add({c.r, c.r});
        t.game.toggleDie(2);
        EXPECT_EQ(t.view.dice[2].top, c.top);
        EXPECT_EQ(t.view.dice[2].left, c.left);
        EXPECT_FALSE(t.view.isHeld(2));
        EXPECT_EQ(t.view.dice[2].pips, 3);
        EXPECT_EQ(t.cues.played, (std::vector<Cue>{Cue::DieClick, Cue::DieClick}));
    }
}

TEST(Holder, TheEndOfATurnLinesTheDiceUpInTheStartRow) {
    TestTable t;
    t.lay({1, 2, 3, 4, 5});
    t.game.toggleDie(0);
    t.game.scoreBox(Box::Chance);
    EXPECT_TRUE(t.diceAtStart());
    for (int die = 1; die < DieCount; ++die) {
        EXPECT_EQ(t.view.dice[die].left - (t.view.dice[die - 1].left + 1050), 50);
    }
}

}  // namespace
}  // namespace quibbix
