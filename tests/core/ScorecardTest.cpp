#include <gtest/gtest.h>

#include "FakeView.h"

namespace quibbix {
namespace {

using testing::TestTable;

// Whether the shake sounds at the next move over Roll (the move itself clears it).
bool shakeArmed(TestTable& t) {
    t.cues.played.clear();
    t.pointerOverRoll();
    return t.cues.played == std::vector<Cue>{Cue::Shake};
}

TEST(Scorecard, ABoxClickBeforeTheFirstRollOnlyArmsTheShake) {
    TestTable t;
    t.pointerOverRoll();  // the shake armed at start-up sounds and is spent
    t.game.scoreBox(Box::Chance);
    EXPECT_EQ(t.view.boxes[Box::Chance], "");
    EXPECT_EQ(t.view.total, "");
    EXPECT_TRUE(shakeArmed(t));
    EXPECT_TRUE(t.questions.asked.empty());
}

TEST(Scorecard, EnteringAScoreEndsTheTurn) {
    TestTable t;
    t.lay({1, 2, 3, 4, 6}, 2);
    t.game.toggleDie(1);
    ASSERT_TRUE(t.view.isHeld(1));
    t.game.scoreBox(Box::Chance);
    EXPECT_EQ(t.view.boxes[Box::Chance], "16");
    EXPECT_EQ(t.view.total, "16");
    EXPECT_TRUE(t.diceAtStart());
    EXPECT_TRUE(t.questions.asked.empty());

    // The next turn starts with every holder slot free; a filled box never changes by a click.
    t.roll({6, 6, 6, 6, 5});
    t.game.toggleDie(3);
    EXPECT_EQ(t.view.dice[3].left, 400);
    t.game.scoreBox(Box::Chance);
    EXPECT_EQ(t.view.boxes[Box::Chance], "16");
    EXPECT_TRUE(t.view.isHeld(3));  // the turn goes on
}

TEST(Scorecard, ZeroAnsweredYesIsEnteredAndEndsTheTurn) {
    TestTable t;
    t.lay({1, 1, 2, 2, 3});  // no full house
    t.questions.answers = {Answer::Yes};
    std::string shownWhileAsking;
    t.questions.whileOpen = [&] { shownWhileAsking = t.view.boxes[Box::FullHouse]; };
    t.game.scoreBox(Box::FullHouse);
    ASSERT_EQ(t.questions.asked.size(), 1u);
    EXPECT_EQ(t.questions.asked[0].message, "Score ZERO points here?");
    EXPECT_EQ(t.questions.asked[0].title, "Quibbix!!");
    EXPECT_EQ(shownWhileAsking, "0");
    EXPECT_EQ(t.view.boxes[Box::FullHouse], "0");
    EXPECT_EQ(t.view.total, "0");
    EXPECT_TRUE(t.diceAtStart());

    t.game.scoreBox(Box::Chance);  // no roll yet in the new turn
    EXPECT_EQ(t.view.boxes[Box::Chance], "");
}

TEST(Scorecard, ZeroAnsweredNoLeavesTheTurnAsItWas) {
    TestTable t;
    t.lay({1, 1, 2, 2, 3}, 2);
    t.game.toggleDie(4);
    t.questions.answers = {Answer::No};
    t.game.scoreBox(Box::FiveOfAKind);  // the five-of-a-kind box always asks
    EXPECT_EQ(t.view.boxes[Box::FiveOfAKind], "");
    EXPECT_EQ(t.view.total, "");
    EXPECT_TRUE(t.view.isHeld(4));
    EXPECT_EQ(t.view.dice[0].left, testing::sideBySide(0).left);

    // One roll is still left, and only one.
    t.roll({2, 3, 4, 5, 1});
    EXPECT_EQ(t.faces(), (std::array<int, DieCount>{2, 3, 4, 5, 3}));
    EXPECT_EQ(t.pointerOverRoll(), RollPointer::NoEntry);
}

// What each box would take is on offer only while the turn's dice lie on the table, and only for
// open boxes; it follows every roll.
TEST(Scorecard, EveryOpenBoxOffersItsPointsForTheDiceOnTheTable) {
    TestTable t;
    const PerBox<std::optional<int>> none{};
    EXPECT_EQ(t.view.pointsOnOffer, none);  // before the first roll

    Scorecard::Boxes boxes{};
    boxes[Box::Ones] = 3;
    t.lay({2, 2, 2, 5, 5}, 1, {.boxes = boxes});
    const PerBox<std::optional<int>> fullHouse{std::nullopt, 6, 0, 0,  10, 0, 16, 0,
                                               25,           0, 0, 16, 0};
    EXPECT_EQ(t.view.pointsOnOffer, fullHouse);

    t.game.toggleDie(0);
    t.roll({1, 3, 4, 5, 6});  // the held 2 kept
    const PerBox<std::optional<int>> straight{std::nullopt, 2, 3, 4, 5, 6, 0, 0, 0, 30, 40, 20, 0};
    EXPECT_EQ(t.view.pointsOnOffer, straight);

    // A zero taken back leaves the offer as it was; a score ends the turn and the offers.
    t.questions.answers = {Answer::No};
    t.game.scoreBox(Box::FiveOfAKind);
    EXPECT_EQ(t.view.pointsOnOffer, straight);
    t.game.scoreBox(Box::LargeStraight);
    EXPECT_EQ(t.view.pointsOnOffer, none);
    t.roll({3, 3, 3, 3, 2});
    EXPECT_FALSE(t.view.pointsOnOffer[Box::LargeStraight].has_value());
    EXPECT_EQ(t.view.pointsOnOffer[Box::FourOfAKind], 14);

    // Five of a kind is entered at once and ends the turn: nothing is left on offer.
    t.roll({3, 3, 3, 3, 3});
    ASSERT_EQ(t.view.boxes[Box::FiveOfAKind], "50");
    EXPECT_EQ(t.view.pointsOnOffer, none);
}

TEST(Scorecard, UpperBonusNeedsMoreThan62) {
    const struct {
        int64_t ones;
        const char* bonus;
        const char* total;
    } cases[] = {{2, "", "62"}, {3, "35", "98"}};
    for (const auto& c : cases) {
        TestTable t;
        GameSetup setup;
        setup.boxes = {c.ones, 6, 9, 12, 15};
        t.lay({6, 6, 6, 1, 2}, 1, setup);  // three sixes: 18 in box 5
        t.game.scoreBox(Box::Sixes);
        EXPECT_EQ(t.view.boxes[Box::Sixes], "18");
        EXPECT_EQ(t.view.bonus, c.bonus) << "ones " << c.ones;
        EXPECT_EQ(t.view.total, c.total) << "ones " << c.ones;
    }
}

TEST(Scorecard, TotalAddsEveryBoxAndTheBonus) {
    const struct {
        bool bonus;
        const char* total;
    } cases[] = {{false, "36"}, {true, "71"}};
    for (const auto& c : cases) {
        TestTable t;
        GameSetup setup;
        setup.boxes[Box::Ones] = 3;
        setup.boxes[Box::ThreeOfAKind] = 0;
        setup.boxes[Box::FullHouse] = 25;
        setup.bonus = c.bonus;
        t.lay({2, 2, 2, 2, 1}, 1, setup);
        t.game.scoreBox(Box::Twos);  // four twos: 8
        EXPECT_EQ(t.view.total, c.total) << (c.bonus ? "with" : "without") << " bonus";
    }
}

TEST(Scorecard, TotalsBeyondSixteenBitsStayRight) {
    TestTable t;
    GameSetup setup;
    setup.boxes[Box::FiveOfAKind] = 32700;  // hundreds of awards in one game
    setup.boxes[Box::Chance] = 30;
    setup.bonus = true;
    setup.fiveOfAKindScored = true;
    t.game.start(setup);
    t.roll({5, 5, 5, 5, 5});
    EXPECT_EQ(t.view.boxes[Box::FiveOfAKind], "32800");
    EXPECT_EQ(t.view.total, "32865");
}

TEST(Scorecard, FiveOfAKindAwards50Then100) {
    const struct {
        std::optional<int64_t> before;
        bool fiveOfAKindScored;
        const char* after;
        const char* next;
    } cases[] = {
        {std::nullopt, false, "50", "150"},
        {50, true, "150", "250"},
        {0, false, "50", "150"},  // a zero entered by the player still receives the award
    };
    for (const auto& c : cases) {
        TestTable t;
        GameSetup setup;
        setup.boxes[Box::FiveOfAKind] = c.before;
        setup.fiveOfAKindScored = c.fiveOfAKindScored;
        t.game.start(setup);
        t.roll({4, 4, 4, 4, 4});
        EXPECT_EQ(t.view.boxes[Box::FiveOfAKind], c.after);
        EXPECT_EQ(t.view.total, c.after);
        EXPECT_TRUE(t.view.bannerVisible);
        EXPECT_TRUE(t.diceAtStart());
        t.game.scoreBox(Box::Chance);  // the turn is over: no box can be scored until the next roll
        EXPECT_EQ(t.view.boxes[Box::Chance], "");

        t.roll({3, 3, 3, 3, 3});
        EXPECT_EQ(t.view.boxes[Box::FiveOfAKind], c.next);
    }
}

TEST(Scorecard, TheAwardEndsTheTurnAndFreesTheHolder) {
    TestTable t;
    t.roll({4, 2, 4, 4, 4});
    t.game.toggleDie(0);
    t.game.toggleDie(1);
    t.roll({4, 1, 4, 4, 4});  // die 1 held on a 2, so no award yet
    EXPECT_EQ(t.view.boxes[Box::FiveOfAKind], "");
    t.random.add({0.5, 0.5});
    t.game.toggleDie(1);      // release the 2
    t.roll({1, 4, 4, 4, 4});  // die 0 still held on a 4; the rest roll 4s
    EXPECT_EQ(t.view.boxes[Box::FiveOfAKind], "50");
    EXPECT_TRUE(t.diceAtStart());

    t.game.scoreBox(Box::Chance);  // no box can be scored until the next roll
    EXPECT_EQ(t.view.boxes[Box::Chance], "");
    t.roll({1, 2, 3, 4, 5});
    t.game.toggleDie(4);
    EXPECT_EQ(t.view.dice[4].left, 400);  // slot 0 is free again
}

TEST(Scorecard, TheAwardPaintsBannerAndDiceBeforeTheCheerAndEntersAfterIt) {
    TestTable t;
    std::vector<std::string> events;
    t.view.onRepaint = [&] {
        events.push_back(std::string("repaint banner=") + (t.view.bannerVisible ? "up" : "down") +
                         " dice=" + (t.diceAtStart() ? "start" : "table") +
                         " box12=" + t.view.boxes[Box::FiveOfAKind]);
    };
    t.cues.onPlay = [&](Cue cue) {
        if (cue == Cue::Cheer) {
            events.push_back("cheer box12=" + t.view.boxes[Box::FiveOfAKind]);
        }
    };
    t.roll({6, 6, 6, 6, 6});
    EXPECT_EQ(events,
              (std::vector<std::string>{"repaint banner=up dice=start box12=", "cheer box12="}));
    EXPECT_EQ(t.view.boxes[Box::FiveOfAKind], "50");
}

TEST(Scorecard, ResetAnsweredNoChangesNothing) {
    TestTable t;
    GameSetup setup;
    setup.boxes[Box::Fours] = 12;
    t.lay({2, 2, 2, 3, 4}, 2, setup);
    t.questions.answers = {Answer::No};
    t.game.reset();
    ASSERT_EQ(t.questions.asked.size(), 1u);
    EXPECT_EQ(t.questions.asked[0].message, "Are you sure you want to reset the game?");
    EXPECT_EQ(t.questions.asked[0].title, "Quibbix!!");
    EXPECT_EQ(t.view.boxes[Box::Fours], "12");
    EXPECT_FALSE(t.diceAtStart());
    EXPECT_TRUE(t.cues.played.empty());
    EXPECT_EQ(t.pointerOverRoll(), RollPointer::Arrow);  // the third roll is still there
}

TEST(Scorecard, ResetAnsweredYesStartsANewGame) {
    TestTable t;
    GameSetup setup;
    setup.boxes[Box::Ones] = 3;
    setup.bonus = true;
    t.game.start(setup);
    t.roll({3, 3, 3, 3, 3});  // award, banner up
    t.roll({1, 2, 3, 4, 5});
    t.game.toggleDie(2);
    t.pointerOverRoll();  // spends the shake
    const auto faces = t.faces();
    t.questions.answers = {Answer::Yes};
    t.game.reset();

    for (const auto& box : t.view.boxes) {
        EXPECT_EQ(box, "");
    }
    EXPECT_EQ(t.view.bonus, "");
    EXPECT_EQ(t.view.total, "");  // empty, not 0
    EXPECT_FALSE(t.view.bannerVisible);
    EXPECT_TRUE(t.diceAtStart());
    EXPECT_EQ(t.faces(), faces);
    EXPECT_FALSE(shakeArmed(t));

    t.roll({2, 2, 2, 2, 2});
    EXPECT_EQ(t.view.boxes[Box::FiveOfAKind], "50");  // the first award of the new game
}

TEST(Scorecard, RollingNeedsAnOpenBoxAnywhereOnTheCard) {
    TestTable t;
    GameSetup setup;
    setup.boxes.fill(0);
    t.game.start(setup);
    EXPECT_EQ(t.pointerOverRoll(), RollPointer::NoEntry);
    for (Box open : AllBoxes) {
        setup.boxes.fill(0);
        setup.boxes[open].reset();
        t.game.start(setup);
        EXPECT_EQ(t.pointerOverRoll(), RollPointer::Arrow) << captionOf(open).name << " open";
    }
}

TEST(Scorecard, AFullCardRefusesEveryAction) {
    TestTable t;
    GameSetup setup;
    setup.boxes.fill(1);
    setup.boxes[Box::Chance].reset();
    t.lay({2, 3, 4, 5, 6}, 1, setup);
    t.game.scoreBox(Box::Chance);  // the last open box
    ASSERT_EQ(t.view.boxes[Box::Chance], "20");
    t.game.roll();
    t.game.toggleDie(0);
    t.game.scoreBox(Box::Ones);
    EXPECT_TRUE(t.diceAtStart());
    EXPECT_EQ(t.view.boxes[Box::Ones], "1");
    EXPECT_EQ(t.random.drawn, 0);
    EXPECT_EQ(t.pointerOverRoll(), RollPointer::NoEntry);
}

}  // namespace
}  // namespace quibbix
