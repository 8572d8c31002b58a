#include <gtest/gtest.h>

#include "FakeBoard.h"

namespace quibbix {
namespace {

using testing::FaceR;
using testing::FirstTopR;
using testing::LeftR;
using testing::RedrawTopR;
using testing::TestTable;

struct Spot {
    int32_t left;
    int32_t top;
};

TEST(Roll, DrawsTargetsThenFacesAndRedrawsOnOverlap) {
    TestTable t;
    // Targets: die 1 is drawn right onto die 0, die 3 right onto die 2.
    const Spot targets[] = {{3000, 100}, {3500, 600}, {6000, 2000}, {6500, 2500}, {7500, 4000}};
    for (const Spot& s : targets) {
        t.random.Add({LeftR(s.left), FirstTopR(s.top)});
    }
    t.random.Add({FaceR(0)});                                 // die 0 stays where drawn
    t.random.Add({FaceR(1), LeftR(4100), RedrawTopR(6184)});  // die 1 lies on die 0
    t.random.Add({FaceR(2)});                                 // die 1, second attempt
    t.random.Add({FaceR(3)});                                 // die 2
    t.random.Add({FaceR(4), LeftR(2985), RedrawTopR(85)});    // die 3 lies on die 2
    t.random.Add({FaceR(5), LeftR(9494), RedrawTopR(5000)});  // then on die 0
    t.random.Add({FaceR(0)});                                 // die 3, third attempt
    t.random.Add({FaceR(1)});                                 // die 4
    t.game.RequestRoll();
    EXPECT_TRUE(t.random.numbers.empty()) << "draws left over: the order is off";

    const Spot expected[] = {{3000, 100}, {4100, 6184}, {6000, 2000}, {9494, 5000}, {7500, 4000}};
    const int16_t faces[] = {0, 2, 3, 0, 1};
    for (int die = 0; die < DieCount; ++die) {
        EXPECT_EQ(t.board.dice[die].left, expected[die].left) << "die " << die;
        EXPECT_EQ(t.board.dice[die].top, expected[die].top) << "die " << die;
        EXPECT_EQ(t.state().DieValue[die], faces[die]) << "die " << die;
        EXPECT_EQ(t.board.dice[die].face, faces[die]) << "die " << die;
        EXPECT_EQ(t.board.dice[die].shapedWithFace, faces[die]) << "die " << die;
        const DieRectangle& r = t.state().DieRect[die];
        EXPECT_EQ(r.left, expected[die].left);
        EXPECT_EQ(r.top, expected[die].top);
        EXPECT_EQ(r.right, expected[die].left + 1050);
        EXPECT_EQ(r.bottom, expected[die].top + 1005);
    }
    EXPECT_EQ(t.state().RollCount, 1);
}

TEST(Roll, DrawsReachBothEndsOfTheirRanges) {
    const struct {
        double r;
        Spot first;   // die 0's first draw
        Spot redraw;  // die 1's spot after it was drawn onto die 0
    } cases[] = {{0.0, {2985, 85}, {2985, 85}}, {0.9999999999, {9494, 5646}, {9494, 6184}}};
    const Spot clear[] = {{6000, 2500}, {3000, 3000}, {4500, 4000}, {7500, 1000}};
    for (const auto& c : cases) {
        TestTable first;
        first.random.Add({c.r, c.r});
        for (const Spot& s : clear) {
            first.random.Add({LeftR(s.left), FirstTopR(s.top)});
        }
        first.random.Add({0.1, 0.2, 0.3, 0.4, 0.5});
        first.game.RequestRoll();
        EXPECT_EQ(first.board.dice[0].left, c.first.left);
        EXPECT_EQ(first.board.dice[0].top, c.first.top);

        TestTable redraw;
        redraw.random.Add({LeftR(6000), FirstTopR(2500)});
        for (const Spot& s : clear) {
            redraw.random.Add({LeftR(s.left), FirstTopR(s.top)});
        }
        redraw.random.Add({0.1, 0.2, c.r, c.r, 0.3, 0.4, 0.5, 0.6});
        redraw.game.RequestRoll();
        EXPECT_TRUE(redraw.random.numbers.empty());
        EXPECT_EQ(redraw.board.dice[1].left, c.redraw.left);
        EXPECT_EQ(redraw.board.dice[1].top, c.redraw.top);
    }
}

TEST(Roll, TouchingEdgesAreNoOverlap) {
    TestTable t;
    const Spot targets[] = {{3000, 100}, {4050, 100}, {3000, 1105}, {4050, 1105}, {5100, 100}};
    for (const Spot& s : targets) {
        t.random.Add({LeftR(s.left), FirstTopR(s.top)});
    }
    t.random.Add({0.1, 0.2, 0.3, 0.4, 0.5});  // one face each, no redraw
    t.game.RequestRoll();
    EXPECT_TRUE(t.random.numbers.empty());
    for (int die = 0; die < DieCount; ++die) {
        EXPECT_EQ(t.board.dice[die].left, targets[die].left);
        EXPECT_EQ(t.board.dice[die].top, targets[die].top);
    }
}

TEST(Roll, AHeldDieStillBlocksHigherDiceWithItsLastSpot) {
    TestTable t;
    t.Roll({0, 1, 2, 3, 4});  // die 2 lies at (5400, 100)
    t.game.tpicRolled_Click(2);
    ASSERT_TRUE(t.game.IsHeld(2));
    const Spot targets[] = {{3000, 3000}, {5400, 100}, {0, 0}, {5400, 100}, {7000, 3000}};
    for (const Spot& s : targets) {
        t.random.Add({LeftR(std::max(s.left, 2985)), FirstTopR(std::max(s.top, 85))});
    }
    t.random.Add({FaceR(0)});                                // die 0
    t.random.Add({FaceR(1)});                                // die 1 may lie on die 2's spot
    t.random.Add({FaceR(3), LeftR(8000), RedrawTopR(100)});  // die 3 may not
    t.random.Add({FaceR(4)});                                // die 3, second attempt
    t.random.Add({FaceR(5)});                                // die 4
    t.game.RequestRoll();
    EXPECT_TRUE(t.random.numbers.empty());
    EXPECT_EQ(t.board.dice[1].left, 5400);
    EXPECT_EQ(t.board.dice[3].left, 8000);
    EXPECT_TRUE(t.game.IsHeld(2));
    EXPECT_EQ(t.state().DieValue[2], 2);
    EXPECT_EQ(t.state().DieRect[2].left, 5400);
}

TEST(Roll, AllFiveHeldChangesNoDieButStillChecksFiveOfAKind) {
    TestTable t;
    t.Roll({4, 4, 4, 4, 1});
    for (int16_t die = 0; die < DieCount; ++die) {
        t.game.tpicRolled_Click(die);
    }
    const auto before = t.board.dice;
    t.ScriptRoll({});  // only the ten target draws
    t.game.RequestRoll();
    EXPECT_TRUE(t.random.numbers.empty());
    EXPECT_EQ(t.state().RollCount, 2);
    for (int die = 0; die < DieCount; ++die) {
        EXPECT_EQ(t.board.dice[die].left, before[die].left);
        EXPECT_EQ(t.board.dice[die].top, before[die].top);
        EXPECT_EQ(t.board.dice[die].face, before[die].face);
    }

    // Five equal held dice are still five of a kind.
    TestTable u;
    u.Roll({4, 4, 4, 4, 1});
    u.state().DieValue[4] = 4;  // as if a die had been held on a five
    for (int16_t die = 0; die < DieCount; ++die) {
        u.game.tpicRolled_Click(die);
    }
    u.ScriptRoll({});
    u.game.RequestRoll();
    EXPECT_EQ(u.board.boxes[12], "50");
}

TEST(Roll, RollDiceBeyondTheThirdRollOnlyCountsAndSounds) {
    TestTable t;
    t.Roll({0, 1, 2, 3, 4});
    t.state().RollCount = 3;
    const auto before = t.board.dice;
    t.cues.played.clear();
    t.game.RollDice();  // RequestRoll never does this
    EXPECT_EQ(t.state().RollCount, 4);
    EXPECT_EQ(t.cues.played, std::vector<Cue>{Cue::Roll});
    EXPECT_EQ(t.random.drawn, 15);  // only the first roll's draws
    for (int die = 0; die < DieCount; ++die) {
        EXPECT_EQ(t.board.dice[die].left, before[die].left);
    }
}

TEST(Roll, RequestRollRefusesAfterTheThirdRollAndOnAFullCard) {
    const struct {
        const char* what;
        int16_t rollCount;
        bool cardFull;
    } cases[] = {{"third roll used", 3, false}, {"card full", 0, true}};
    for (const auto& c : cases) {
        TestTable t;
        t.state().RollCount = c.rollCount;
        if (c.cardFull) {
            t.board.boxes.fill("5");
        }
        t.board.bannerVisible = true;
        t.game.imgRoll_Click();
        EXPECT_EQ(t.state().RollCount, c.rollCount) << c.what;
        EXPECT_TRUE(t.cues.played.empty()) << c.what;
        EXPECT_TRUE(t.board.bannerVisible) << c.what;
        EXPECT_EQ(t.random.drawn, 0) << c.what;
        EXPECT_EQ(t.state().ShakeArmed, FlagClear) << c.what;
    }
}

TEST(Roll, AnAcceptedRollHidesTheBannerAndRerollsAfterAnAward) {
    TestTable t;
    t.Roll({1, 1, 1, 1, 1});
    ASSERT_TRUE(t.board.bannerVisible);
    t.Roll({0, 1, 2, 3, 4});  // a new turn: all five dice roll again
    EXPECT_FALSE(t.board.bannerVisible);
    EXPECT_EQ(t.state().RollCount, 1);
    EXPECT_EQ(t.state().DieValue, (std::array<int16_t, DieCount>{0, 1, 2, 3, 4}));
}

}  // namespace
}  // namespace quibbix
