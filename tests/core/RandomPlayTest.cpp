#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "FakeView.h"
#include "platform/SeededRandom.h"

namespace quibbix {
namespace {

using testing::FakeView;

// A player who clicks anything at random and answers questions at random.
struct RandomPlayer : QuestionBox {
    std::mt19937 choices{20261210};
    Answer ask(std::string_view, std::string_view) override {
        return choices() % 2 == 0 ? Answer::Yes : Answer::No;
    }
    int pick(int count) { return static_cast<int>(choices() % static_cast<unsigned>(count)); }
};

struct NoSound : CuePlayer {
    void play(Cue) override {}
};

int64_t valueOf(const std::string& text) {
    return text.empty() ? 0 : std::stoll(text);
}

class RandomPlay : public ::testing::Test {
  protected:
    FakeView view;
    SeededRandom random{12345.5f};
    RandomPlayer player;
    NoSound sounds;
    Game game{view, testing::BoardTable, Services{random, player, sounds}};

    void expectHolderHoldsHeldDiceApart(int step) {
        std::vector<int32_t> lefts;
        for (const auto& die : view.dice) {
            if (die.held) {
                EXPECT_EQ(die.top, HolderTop) << "a held die off the holder row at step " << step;
                lefts.push_back(die.left);
                ASSERT_TRUE(
                    std::count(std::begin(HolderSlotLeft), std::end(HolderSlotLeft), die.left) == 1)
                    << "a held die off its slot at step " << step;
            }
        }
        std::sort(lefts.begin(), lefts.end());
        ASSERT_TRUE(std::adjacent_find(lefts.begin(), lefts.end()) == lefts.end())
            << "two dice in one slot at step " << step;
    }

    void expectRolledDiceApart(const std::array<bool, DieCount>& heldBefore, int step) {
        for (int die = 0; die < DieCount; ++die) {
            for (int lower = 0; lower < die; ++lower) {
                if (heldBefore[die] || heldBefore[lower]) {
                    continue;
                }
                const auto& a = view.dice[die];
                const auto& b = view.dice[lower];
                const bool apart = std::max(a.left, b.left) >= std::min(a.left, b.left) + 1050 ||
                                   std::max(a.top, b.top) >= std::min(a.top, b.top) + 1005;
                ASSERT_TRUE(apart) << "dice " << lower << " and " << die << " at step " << step;
            }
        }
    }

    void expectCardAddsUp(int step) {
        int64_t boxes = 0;
        int64_t upper = 0;
        for (Box box : AllBoxes) {
            boxes += valueOf(view.boxes[box]);
            if (isUpper(box)) {
                upper += valueOf(view.boxes[box]);
            }
        }
        ASSERT_EQ(view.bonus == "35", upper > 62) << "step " << step;
        if (view.total.empty()) {
            ASSERT_EQ(boxes, 0) << "step " << step;
        } else {
            ASSERT_EQ(valueOf(view.total), boxes + valueOf(view.bonus)) << "step " << step;
        }
    }
};

TEST_F(RandomPlay, InvariantsHoldThroughAHundredThousandActions) {
    game.start();
    int rollsThisTurn = 0;
    for (int step = 0; step < 100000; ++step) {
        const int action = player.pick(20);
        if (action < 6) {
            std::array<bool, DieCount> heldBefore{};
            for (int die = 0; die < DieCount; ++die) {
                heldBefore[die] = view.isHeld(die);
            }
            const auto before = view.dice;
            game.pointerOverRoll();
            const bool wouldGo = view.rollPointer == RollPointer::Arrow;
            // What a screen reader says of Roll must agree with what Roll does.
            ASSERT_EQ(view.rollsLeft > 0, wouldGo) << "step " << step;
            ASSERT_EQ(view.rollsLeft, view.cardFull ? 0 : 3 - rollsThisTurn) << "step " << step;
            game.roll();
            rollsThisTurn += wouldGo ? 1 : 0;
            ASSERT_LE(rollsThisTurn, 3) << "step " << step;
            if (wouldGo) {
                expectRolledDiceApart(heldBefore, step);
            } else {
                for (int die = 0; die < DieCount; ++die) {
                    ASSERT_EQ(view.dice[die].left, before[die].left) << "step " << step;
                }
            }
        } else if (action < 14) {
            game.toggleDie(player.pick(DieCount));
        } else if (action < 19) {
            game.scoreBox(AllBoxes[static_cast<size_t>(player.pick(BoxCount))]);
        } else {
            game.reset();
        }
        bool home = true;
        for (int die = 0; die < DieCount; ++die) {
            home = home && view.dice[die].left == StartLeft[die] && view.dice[die].top == StartTop;
        }
        rollsThisTurn = home ? 0 : rollsThisTurn;
        expectHolderHoldsHeldDiceApart(step);
        expectCardAddsUp(step);
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }
}

}  // namespace
}  // namespace quibbix
