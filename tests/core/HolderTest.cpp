#include <gtest/gtest.h>

#include "FakeBoard.h"

namespace quibbix {
namespace {

using testing::TestTable;

TEST(Holder, ADieClickBeforeTheFirstRollDoesNothing) {
    TestTable t;
    t.game.tpicRolled_Click(2);
    EXPECT_TRUE(t.DiceAtStart());
    EXPECT_TRUE(t.cues.played.empty());
    EXPECT_EQ(t.state().SlotUsed, (std::array<int16_t, DieCount>{}));
}

TEST(Holder, HeldDiceTakeTheFirstFreeSlot) {
    TestTable t;
    t.LayDice({0, 1, 2, 3, 4});
    const struct {
        int16_t die;
        int32_t left;
    } clicks[] = {{3, 400}, {0, 1600}, {4, 2800}};
    for (const auto& c : clicks) {
        t.game.tpicRolled_Click(c.die);
        EXPECT_EQ(t.board.dice[c.die].left, c.left) << "die " << c.die;
        EXPECT_EQ(t.board.dice[c.die].top, HolderTop) << "die " << c.die;
    }
    EXPECT_EQ(t.state().SlotUsed, (std::array<int16_t, DieCount>{-1, -1, -1, 0, 0}));

    // Releasing the die in slot 0 frees it for the next die held.
    t.random.Add({0.5, 0.25});
    t.game.tpicRolled_Click(3);
    EXPECT_EQ(t.board.dice[3].top, 2750);
    EXPECT_EQ(t.board.dice[3].left, 2250);
    EXPECT_EQ(t.state().SlotUsed, (std::array<int16_t, DieCount>{0, -1, -1, 0, 0}));
    t.game.tpicRolled_Click(1);
    EXPECT_EQ(t.board.dice[1].left, 400);
}

TEST(Holder, ReleasedDiceLandInTheUpperBoardAndKeepTheirFace) {
    const struct {
        double r;
        int32_t top;
        int32_t left;
    } cases[] = {{0.0, 0, 0}, {0.9999999999, 5499, 8999}};
    for (const auto& c : cases) {
        TestTable t;
        t.LayDice({0, 1, 2, 3, 4}, 3);  // holding works after the third roll too
        t.game.tpicRolled_Click(2);
        const DieRectangle rect = t.state().DieRect[2];
        t.random.Add({c.r, c.r});
        t.game.tpicRolled_Click(2);
        EXPECT_EQ(t.board.dice[2].top, c.top);
        EXPECT_EQ(t.board.dice[2].left, c.left);
        EXPECT_FALSE(t.game.IsHeld(2));
        EXPECT_EQ(t.board.dice[2].face, 2);
        EXPECT_EQ(t.state().DieValue[2], 2);
        EXPECT_EQ(t.state().DieRect[2].left, rect.left);
        EXPECT_EQ(t.cues.played, (std::vector<Cue>{Cue::DieClick, Cue::DieClick}));
    }
}

TEST(Holder, ReturnDiceToStartLinesThemUp) {
    TestTable t;
    t.LayDice({0, 1, 2, 3, 4});
    t.game.tpicRolled_Click(0);
    t.game.ReturnDiceToStart();
    EXPECT_TRUE(t.DiceAtStart());
    for (int die = 1; die < DieCount; ++die) {
        EXPECT_EQ(t.board.dice[die].left - (t.board.dice[die - 1].left + 1050), 50);
    }
    // Only the callers that end a turn free the slots.
    EXPECT_EQ(t.state().SlotUsed[0], FlagSet);
}

}  // namespace
}  // namespace quibbix
