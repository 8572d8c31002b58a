#include <gtest/gtest.h>

#include "FakeView.h"
#include "table/DiceTable.h"

namespace quibbix {
namespace {

using testing::firstTopR;
using testing::leftR;
using testing::pipsR;
using testing::redrawTopR;
using testing::ScriptedRandom;
using testing::TestTable;

// The dice table on its own, with scripted random numbers.
struct Table {
    ScriptedRandom random;
    DiceTable table{random};

    void roll() { table.roll(testing::BoardTable); }
    TwipsPoint at(int die) const { return table.die(die).position; }
};

TEST(Roll, DrawsTargetsThenFacesAndRedrawsOnOverlap) {
    Table t;
    // Targets: die 1 is drawn right onto die 0, die 3 right onto die 2.
    const TwipsPoint targets[] = {
        {3000, 100}, {3500, 600}, {6000, 2000}, {6500, 2500}, {7500, 4000}};
    for (const TwipsPoint& s : targets) {
        t.random.add({leftR(s.left), firstTopR(s.top)});
    }
    t.random.add({pipsR(1)});                                 // die 0 stays where drawn
    t.random.add({pipsR(2), leftR(4100), redrawTopR(6184)});  // die 1 lies on die 0
    t.random.add({pipsR(3)});                                 // die 1, second attempt
    t.random.add({pipsR(4)});                                 // die 2
    t.random.add({pipsR(5), leftR(2985), redrawTopR(85)});    // die 3 lies on die 2
    t.random.add({pipsR(6), leftR(9494), redrawTopR(5000)});  // then on die 0
    t.random.add({pipsR(1)});                                 // die 3, third attempt
    t.random.add({pipsR(2)});                                 // die 4
    t.roll();
    EXPECT_TRUE(t.random.numbers.empty()) << "draws left over: the order is off";

    const TwipsPoint expected[] = {
        {3000, 100}, {4100, 6184}, {6000, 2000}, {9494, 5000}, {7500, 4000}};
    const int faces[] = {1, 3, 4, 1, 2};
    for (int die = 0; die < DieCount; ++die) {
        SCOPED_TRACE("die " + std::to_string(die));
        EXPECT_EQ(t.at(die), expected[die]);
        EXPECT_EQ(t.table.die(die).pips, faces[die]);
        const TwipsRect& r = t.table.die(die).lastRolled;
        EXPECT_EQ(r.left, expected[die].left);
        EXPECT_EQ(r.top, expected[die].top);
        EXPECT_EQ(r.width, 1050);
        EXPECT_EQ(r.height, 1005);
    }
}

TEST(Roll, DrawsReachBothEndsOfTheirRanges) {
    const struct {
        double r;
        TwipsPoint first;   // die 0's first draw
        TwipsPoint redraw;  // die 1's spot after it was drawn onto die 0
    } cases[] = {{0.0, {2985, 85}, {2985, 85}}, {0.9999999999, {9494, 5646}, {9494, 6184}}};
    const TwipsPoint clear[] = {{6000, 2500}, {3000, 3000}, {4500, 4000}, {7500, 1000}};
    for (const auto& c : cases) {
        SCOPED_TRACE("r = " + std::to_string(c.r));
        Table first;
        first.random.add({c.r, c.r});
        for (const TwipsPoint& s : clear) {
            first.random.add({leftR(s.left), firstTopR(s.top)});
        }
        first.random.add({0.1, 0.2, 0.3, 0.4, 0.5});
        first.roll();
        EXPECT_EQ(first.at(0), c.first);

        Table redraw;
        redraw.random.add({leftR(6000), firstTopR(2500)});
        for (const TwipsPoint& s : clear) {
            redraw.random.add({leftR(s.left), firstTopR(s.top)});
        }
        redraw.random.add({0.1, 0.2, c.r, c.r, 0.3, 0.4, 0.5, 0.6});
        redraw.roll();
        EXPECT_TRUE(redraw.random.numbers.empty());
        EXPECT_EQ(redraw.at(1), c.redraw);
    }
}

TEST(Roll, TouchingEdgesAreNoOverlap) {
    Table t;
    const TwipsPoint targets[] = {
        {3000, 100}, {4050, 100}, {3000, 1105}, {4050, 1105}, {5100, 100}};
    for (const TwipsPoint& s : targets) {
        t.random.add({leftR(s.left), firstTopR(s.top)});
    }
    t.random.add({0.1, 0.2, 0.3, 0.4, 0.5});  // one face each, no redraw
    t.roll();
    EXPECT_TRUE(t.random.numbers.empty());
    for (int die = 0; die < DieCount; ++die) {
        EXPECT_EQ(t.at(die), targets[die]) << "die " << die;
    }
}

TEST(Roll, AHeldDieStillBlocksHigherDiceWithItsLastSpot) {
    Table t;
    for (int die = 0; die < DieCount; ++die) {
        t.random.add({leftR(3000 + 1200 * die), firstTopR(100)});
    }
    t.random.add({pipsR(1), pipsR(2), pipsR(3), pipsR(4), pipsR(5)});
    t.roll();  // die 2 lies at (5400, 100)
    t.table.toggle(2);
    ASSERT_TRUE(t.table.die(2).isHeld());
    const TwipsPoint targets[] = {{3000, 3000}, {5400, 100}, {2985, 85}, {5400, 100}, {7000, 3000}};
    for (const TwipsPoint& s : targets) {
        t.random.add({leftR(s.left), firstTopR(s.top)});
    }
    t.random.add({pipsR(1)});                                // die 0
    t.random.add({pipsR(2)});                                // die 1 may lie on die 2's spot
    t.random.add({pipsR(4), leftR(8000), redrawTopR(100)});  // die 3 may not
    t.random.add({pipsR(5)});                                // die 3, second attempt
    t.random.add({pipsR(6)});                                // die 4
    t.roll();
    EXPECT_TRUE(t.random.numbers.empty());
    EXPECT_EQ(t.at(1).left, 5400);
    EXPECT_EQ(t.at(3).left, 8000);
    EXPECT_TRUE(t.table.die(2).isHeld());
    EXPECT_EQ(t.table.die(2).pips, 3);
    EXPECT_EQ(t.table.die(2).lastRolled.left, 5400);
}

TEST(Roll, AllFiveHeldChangesNoDieButStillChecksFiveOfAKind) {
    TestTable t;
    t.roll({5, 5, 5, 5, 2});
    for (int die = 0; die < DieCount; ++die) {
        t.game.toggleDie(die);
    }
    const auto before = t.view.dice;
    t.scriptRoll({});  // only the ten target draws
    t.game.roll();
    EXPECT_TRUE(t.random.numbers.empty());
    for (int die = 0; die < DieCount; ++die) {
        EXPECT_EQ(t.view.dice[die].left, before[die].left);
        EXPECT_EQ(t.view.dice[die].top, before[die].top);
        EXPECT_EQ(t.view.dice[die].pips, before[die].pips);
    }
    EXPECT_EQ(t.view.boxes[Box::FiveOfAKind], "");

    // Five equal held dice are still five of a kind.
    TestTable u;
    u.lay({5, 5, 5, 5, 5});
    for (int die = 0; die < DieCount; ++die) {
        u.game.toggleDie(die);
    }
    u.scriptRoll({});
    u.game.roll();
    EXPECT_EQ(u.view.boxes[Box::FiveOfAKind], "50");
}

TEST(Roll, ARollIsRefusedAfterTheThirdRollAndOnAFullCard) {
    const struct {
        const char* what;
        int rollsTaken;
        bool cardFull;
    } cases[] = {{"third roll used", 3, false}, {"card full", 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestTable t;
        GameSetup setup;
        if (c.cardFull) {
            setup.boxes.fill(5);
        }
        t.lay({1, 2, 3, 4, 5}, c.rollsTaken, setup);
        const auto before = t.view.dice;
        t.view.bannerVisible = true;
        t.cues.played.clear();
        t.game.roll();
        EXPECT_TRUE(t.cues.played.empty());
        EXPECT_TRUE(t.view.bannerVisible);
        EXPECT_EQ(t.random.drawn, 0);
        EXPECT_EQ(t.view.dice[0].left, before[0].left);
        t.pointerOverRoll();  // a click on Roll disarms the shake, refused or not
        EXPECT_TRUE(t.cues.played.empty());
    }
}

TEST(Roll, AnAcceptedRollHidesTheBannerAndRerollsAfterAnAward) {
    TestTable t;
    t.roll({2, 2, 2, 2, 2});
    ASSERT_TRUE(t.view.bannerVisible);
    t.roll({1, 2, 3, 4, 5});  // a new turn: all five dice roll again
    EXPECT_FALSE(t.view.bannerVisible);
    EXPECT_EQ(t.faces(), (std::array<int, DieCount>{1, 2, 3, 4, 5}));
    t.roll({1, 2, 3, 4, 5});
    t.roll({1, 2, 3, 4, 5});
    EXPECT_EQ(t.pointerOverRoll(), RollPointer::NoEntry);  // three rolls in the new turn
}

}  // namespace
}  // namespace quibbix
