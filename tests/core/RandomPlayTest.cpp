#include <gtest/gtest.h>

#include <random>

#include "FakeBoard.h"
#include "game/NumberText.h"
#include "platform/SeededRandom.h"

namespace quibbix {
namespace {

using testing::FakeBoard;

// A player who clicks anything at random and answers questions at random.
struct RandomPlayer : QuestionBox {
    std::mt19937 choices{20261210};
    Answer Ask(std::string_view, std::string_view) override {
        return choices() % 2 == 0 ? Answer::Yes : Answer::No;
    }
    int Pick(int count) { return static_cast<int>(choices() % static_cast<unsigned>(count)); }
};

struct NoRepaint : Repainter {
    void RepaintNow() override {}
};

struct NoSound : CuePlayer {
    void Play(Cue) override {}
};

bool Overlap(const DieRectangle& a, const DieRectangle& b) {
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

class RandomPlay : public ::testing::Test {
  protected:
    FakeBoard board;
    SeededRandom random{12345.5f};
    RandomPlayer player;
    NoRepaint repainter;
    NoSound sounds;
    Game game{board, Services{random, player, repainter, sounds}};

    void ExpectHolderMatchesDice(int step) {
        for (int slot = 0; slot < DieCount; ++slot) {
            bool occupied = false;
            for (int die = 0; die < DieCount; ++die) {
                occupied = occupied || (board.dice[die].left == game.State().HolderLeft[slot] &&
                                        board.dice[die].top == HolderTop);
            }
            ASSERT_EQ(game.State().SlotUsed[slot] == FlagSet, occupied)
                << "slot " << slot << " at step " << step;
        }
    }

    void ExpectRollPlacedDiceApart(const std::array<bool, DieCount>& heldBefore, int step) {
        const auto& rect = game.State().DieRect;
        for (int die = 0; die < DieCount; ++die) {
            if (heldBefore[die]) {
                continue;
            }
            for (int lower = 0; lower < die; ++lower) {
                // Every lower die, placed now or held with its last spot, keeps this one away.
                ASSERT_FALSE(Overlap(rect[die], rect[lower]))
                    << "dice " << lower << " and " << die << " at step " << step;
            }
        }
    }

    void ExpectCardAddsUp(int step) {
        int64_t boxes = 0;
        int64_t upper = 0;
        for (int box = 0; box < ScoreBoxCount; ++box) {
            boxes += NumericValue(board.boxes[box]);
            if (box <= 5) {
                upper += NumericValue(board.boxes[box]);
            }
        }
        ASSERT_EQ(board.bonus == "35", upper > 62) << "step " << step;
        if (board.total.empty()) {
            ASSERT_EQ(boxes, 0) << "step " << step;
        } else {
            ASSERT_EQ(NumericValue(board.total), boxes + NumericValue(board.bonus))
                << "step " << step;
        }
    }
};

TEST_F(RandomPlay, InvariantsHoldThroughAHundredThousandActions) {
    game.Form_Load();
    for (int die = 0; die < DieCount; ++die) {
        board.ShowFace(die, 5);
    }
    for (int step = 0; step < 100000; ++step) {
        const int action = player.Pick(20);
        if (action < 6) {
            const int16_t countBefore = game.State().RollCount;
            std::array<bool, DieCount> heldBefore{};
            for (int die = 0; die < DieCount; ++die) {
                heldBefore[die] = game.IsHeld(die);
            }
            game.imgRoll_Click();
            if (game.State().RollCount == countBefore + 1) {
                ExpectRollPlacedDiceApart(heldBefore, step);
            }
        } else if (action < 14) {
            game.tpicRolled_Click(static_cast<int16_t>(player.Pick(DieCount)));
        } else if (action < 19) {
            game.lblScore_Click(static_cast<int16_t>(player.Pick(ScoreBoxCount)));
        } else {
            game.imgReset_Click();
        }
        ASSERT_GE(game.State().RollCount, 0) << "step " << step;
        ASSERT_LE(game.State().RollCount, 3) << "step " << step;
        ExpectHolderMatchesDice(step);
        ExpectCardAddsUp(step);
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }
}

}  // namespace
}  // namespace quibbix
