#include <gtest/gtest.h>

#include "FakeBoard.h"

namespace quibbix {
namespace {

using testing::TestTable;

TEST(Scorecard, ABoxClickBeforeTheFirstRollOnlyArmsTheShake) {
    TestTable t;
    t.state().ShakeArmed = FlagClear;
    t.game.lblScore_Click(11);
    EXPECT_EQ(t.board.boxes[11], "");
    EXPECT_EQ(t.board.total, "");
    EXPECT_EQ(t.state().ShakeArmed, FlagSet);
    EXPECT_TRUE(t.questions.asked.empty());
}

TEST(Scorecard, EnteringAScoreEndsTheTurn) {
    TestTable t;
    t.LayDice({0, 1, 2, 3, 5}, 2);  // 1 2 3 4 6
    t.game.tpicRolled_Click(1);
    ASSERT_TRUE(t.game.IsHeld(1));
    t.game.lblScore_Click(11);
    EXPECT_EQ(t.board.boxes[11], "16");
    EXPECT_EQ(t.board.total, "16");
    EXPECT_EQ(t.state().RollCount, 0);
    EXPECT_TRUE(t.DiceAtStart());
    EXPECT_EQ(t.state().SlotUsed, (std::array<int16_t, DieCount>{}));
    EXPECT_TRUE(t.questions.asked.empty());

    // A filled box never changes by a click, even in a later turn.
    t.LayDice({5, 5, 5, 5, 4});
    t.game.lblScore_Click(11);
    EXPECT_EQ(t.board.boxes[11], "16");
    EXPECT_EQ(t.state().RollCount, 1);
}

TEST(Scorecard, ZeroAnsweredYesIsEnteredAndEndsTheTurn) {
    TestTable t;
    t.LayDice({0, 0, 1, 1, 2});  // 1 1 2 2 3: no full house
    t.questions.answers = {Answer::Yes};
    std::string shownWhileAsking;
    t.questions.whileOpen = [&] { shownWhileAsking = t.board.boxes[8]; };
    t.game.lblScore_Click(8);
    ASSERT_EQ(t.questions.asked.size(), 1u);
    EXPECT_EQ(t.questions.asked[0].message, "Score ZERO points here?");
    EXPECT_EQ(t.questions.asked[0].title, "Quibbix!!");
    EXPECT_EQ(shownWhileAsking, "0");
    EXPECT_EQ(t.board.boxes[8], "0");
    EXPECT_EQ(t.board.total, "0");
    EXPECT_TRUE(t.DiceAtStart());
    EXPECT_EQ(t.state().RollCount, 0);

    t.game.lblScore_Click(11);  // no roll yet in the new turn
    EXPECT_EQ(t.board.boxes[11], "");
}

TEST(Scorecard, ZeroAnsweredNoLeavesTheTurnAsItWas) {
    TestTable t;
    t.LayDice({0, 0, 1, 1, 2}, 2);
    t.game.tpicRolled_Click(4);
    const auto slots = t.state().SlotUsed;
    t.questions.answers = {Answer::No};
    t.game.lblScore_Click(12);  // the five-of-a-kind box always asks
    EXPECT_EQ(t.board.boxes[12], "");
    EXPECT_EQ(t.board.total, "");
    EXPECT_EQ(t.state().RollCount, 2);
    EXPECT_TRUE(t.game.IsHeld(4));
    EXPECT_EQ(t.state().SlotUsed, slots);

    // One roll is still left.
    t.Roll({1, 2, 3, 4, 0});
    EXPECT_EQ(t.state().RollCount, 3);
}

TEST(Scorecard, UpperBonusNeedsMoreThan62) {
    const struct {
        const char* ones;
        const char* bonus;
        const char* total;
    } cases[] = {{"2", "", "62"}, {"3", "35", "98"}};
    for (const auto& c : cases) {
        TestTable t;
        const char* upper[] = {c.ones, "6", "9", "12", "15"};
        for (int box = 0; box < 5; ++box) {
            t.board.boxes[box] = upper[box];
        }
        t.LayDice({5, 5, 5, 0, 1});  // three sixes: 18 in box 5
        t.game.lblScore_Click(5);
        EXPECT_EQ(t.board.boxes[5], "18");
        EXPECT_EQ(t.board.bonus, c.bonus) << "ones " << c.ones;
        EXPECT_EQ(t.board.total, c.total) << "ones " << c.ones;
    }
}

TEST(Scorecard, TotalAddsEveryBoxAndTheBonus) {
    TestTable t;
    t.board.boxes[0] = "3";
    t.board.boxes[1] = "8";
    t.board.boxes[6] = "0";
    t.board.boxes[8] = "25";
    t.game.UpdateTotal();
    EXPECT_EQ(t.board.total, "36");
    t.board.bonus = "35";
    t.game.UpdateTotal();
    EXPECT_EQ(t.board.total, "71");
}

TEST(Scorecard, TotalsBeyondSixteenBitsStayRight) {
    TestTable t;
    t.board.boxes[12] = "32700";  // hundreds of awards in one game
    t.board.boxes[11] = "30";
    t.board.bonus = "35";
    t.state().FiveScored = 1;
    t.Roll({4, 4, 4, 4, 4});
    EXPECT_EQ(t.board.boxes[12], "32800");
    EXPECT_EQ(t.board.total, "32865");
}

TEST(Scorecard, FiveOfAKindAwards50Then100) {
    const struct {
        const char* before;
        int16_t fiveScored;
        const char* after;
    } cases[] = {
        {"", 0, "50"},
        {"50", 1, "150"},
        {"0", 0, "50"},  // a zero entered by the player still receives the award
    };
    for (const auto& c : cases) {
        TestTable t;
        t.board.boxes[12] = c.before;
        t.state().FiveScored = c.fiveScored;
        t.Roll({3, 3, 3, 3, 3});
        EXPECT_EQ(t.board.boxes[12], c.after);
        EXPECT_EQ(t.board.total, c.after);
        EXPECT_TRUE(t.board.bannerVisible);
        EXPECT_EQ(t.state().RollCount, 0);
        EXPECT_EQ(t.state().FiveScored, 1);
        EXPECT_TRUE(t.DiceAtStart());
    }
}

TEST(Scorecard, TheAwardEndsTheTurnAndFreesTheHolder) {
    TestTable t;
    t.Roll({3, 1, 3, 3, 3});
    t.game.tpicRolled_Click(0);
    t.game.tpicRolled_Click(1);
    t.Roll({3, 0, 3, 3, 3});  // die 1 held on a 2, so no award yet
    EXPECT_EQ(t.board.boxes[12], "");
    t.random.Add({0.5, 0.5});
    t.game.tpicRolled_Click(1);  // release the 2
    t.Roll({0, 3, 3, 3, 3});     // die 0 still held on a 4; the rest roll 4s
    EXPECT_EQ(t.board.boxes[12], "50");
    EXPECT_EQ(t.state().SlotUsed, (std::array<int16_t, DieCount>{}));
    EXPECT_TRUE(t.DiceAtStart());

    t.game.lblScore_Click(11);  // no box can be scored until the next roll
    EXPECT_EQ(t.board.boxes[11], "");
}

TEST(Scorecard, TheAwardPaintsBannerAndDiceBeforeTheCheerAndEntersAfterIt) {
    TestTable t;
    std::vector<std::string> events;
    t.repainter.onRepaint = [&] {
        events.push_back(std::string("repaint banner=") + (t.board.bannerVisible ? "up" : "down") +
                         " dice=" + (t.DiceAtStart() ? "start" : "table") +
                         " box12=" + t.board.boxes[12]);
    };
    t.cues.onPlay = [&](Cue cue) {
        if (cue == Cue::Cheer) {
            events.push_back("cheer box12=" + t.board.boxes[12]);
        }
    };
    t.Roll({5, 5, 5, 5, 5});
    EXPECT_EQ(events,
              (std::vector<std::string>{"repaint banner=up dice=start box12=", "cheer box12="}));
    EXPECT_EQ(t.board.boxes[12], "50");
}

TEST(Scorecard, ResetAnsweredNoChangesNothing) {
    TestTable t;
    t.board.boxes[3] = "12";
    t.board.total = "12";
    t.LayDice({1, 1, 1, 2, 3}, 2);
    t.questions.answers = {Answer::No};
    t.game.imgReset_Click();
    ASSERT_EQ(t.questions.asked.size(), 1u);
    EXPECT_EQ(t.questions.asked[0].message, "Are you sure you want to reset the game?");
    EXPECT_EQ(t.questions.asked[0].title, "Quibbix!!");
    EXPECT_EQ(t.board.boxes[3], "12");
    EXPECT_EQ(t.state().RollCount, 2);
    EXPECT_TRUE(t.cues.played.empty());
}

TEST(Scorecard, ResetAnsweredYesStartsANewGame) {
    TestTable t;
    t.Roll({2, 2, 2, 2, 2});  // award, banner up, FiveScored set
    t.board.boxes[0] = "3";
    t.board.bonus = "35";
    t.Roll({0, 1, 2, 3, 4});
    t.game.tpicRolled_Click(2);
    t.state().ShakeArmed = FlagClear;
    const auto faces = t.state().DieValue;
    t.questions.answers = {Answer::Yes};
    t.game.imgReset_Click();

    for (const auto& box : t.board.boxes) {
        EXPECT_EQ(box, "");
    }
    EXPECT_EQ(t.board.bonus, "");
    EXPECT_EQ(t.board.total, "");  // empty, not 0
    EXPECT_FALSE(t.board.bannerVisible);
    EXPECT_EQ(t.state().RollCount, 0);
    EXPECT_EQ(t.state().FiveScored, 0);
    EXPECT_EQ(t.state().SlotUsed, (std::array<int16_t, DieCount>{}));
    EXPECT_TRUE(t.DiceAtStart());
    EXPECT_EQ(t.state().DieValue, faces);
    EXPECT_EQ(t.state().ShakeArmed, FlagClear);

    t.Roll({1, 1, 1, 1, 1});
    EXPECT_EQ(t.board.boxes[12], "50");  // the first award of the new game
}

TEST(Scorecard, HasOpenCategoryLooksAtEveryBox) {
    TestTable t;
    EXPECT_TRUE(t.game.HasOpenCategory());
    t.board.boxes.fill("0");
    EXPECT_FALSE(t.game.HasOpenCategory());
    for (int open = 0; open < ScoreBoxCount; ++open) {
        t.board.boxes.fill("0");
        t.board.boxes[open] = "";
        EXPECT_TRUE(t.game.HasOpenCategory()) << "box " << open << " open";
    }
}

TEST(Scorecard, AFullCardRefusesEveryAction) {
    TestTable t;
    t.board.boxes.fill("1");
    t.board.boxes[11] = "";
    t.LayDice({1, 2, 3, 4, 5});
    t.game.lblScore_Click(11);  // the last open box
    ASSERT_EQ(t.board.boxes[11], "20");
    t.game.imgRoll_Click();
    t.game.tpicRolled_Click(0);
    t.game.lblScore_Click(0);
    EXPECT_EQ(t.state().RollCount, 0);
    EXPECT_TRUE(t.DiceAtStart());
    EXPECT_EQ(t.random.drawn, 0);
    EXPECT_EQ(t.game.imgRoll_MouseMove(), RollPointer::NoEntry);
}

}  // namespace
}  // namespace quibbix
