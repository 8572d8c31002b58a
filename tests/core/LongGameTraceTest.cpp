// A long seeded game played at random, compared step by step with a trace recorded from an earlier
// build. It pins what a player can observe (where each die lies and which face it shows, every
// text of the card, the banner, the pointer over Roll, the sounds and the questions, and what the
// board shows at the moment of each sound, question and repaint) and nothing of how the code is
// split, so the code may be reorganised freely as long as this stays green.
//
// The expected trace holds one digest per block of steps. When it differs, the test prints the
// steps of the first block that differs and writes the whole trace it got beside the test binary.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "FakeView.h"
#include "platform/SeededRandom.h"

namespace quibbix {
namespace {

constexpr int StepCount = 20000;
constexpr int StepsPerBlock = 50;
constexpr float GameSeed = 43210.25f;
constexpr uint32_t PlayerSeed = 777;

uint64_t fnv1a(const std::string& text) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char c : text) {
        hash = (hash ^ c) * 0x100000001b3ULL;
    }
    return hash;
}

std::string hex(uint64_t value) {
    std::ostringstream out;
    out << std::hex << value;
    return out.str();
}

// What the player sees, written as the test goes.
struct Observer {
    std::ostringstream step;
    const testing::FakeView* view = nullptr;

    void look() {
        for (const auto& die : view->dice) {
            // Recorded as faces 0..5 for 1..6 pips, as the trace always was.
            step << ' ' << die.left << ',' << die.top << ',' << die.pips - 1;
        }
        step << " |";
        for (const auto& box : view->boxes) {
            step << box << '|';
        }
        step << " bonus=" << view->bonus << " total=" << view->total
             << " banner=" << (view->bannerVisible ? "up" : "down");
    }
};

struct ObservingQuestions : QuestionBox {
    Observer& observer;
    std::mt19937& choices;
    explicit ObservingQuestions(Observer& o, std::mt19937& c) : observer(o), choices(c) {}
    Answer ask(std::string_view message, std::string_view title) override {
        const Answer answer = choices() % 2 == 0 ? Answer::Yes : Answer::No;
        observer.step << "\n  asked \"" << message << "\" \"" << title << "\" showing";
        observer.look();
        observer.step << " -> " << (answer == Answer::Yes ? "yes" : "no");
        return answer;
    }
};

struct ObservingCues : CuePlayer {
    Observer& observer;
    explicit ObservingCues(Observer& o) : observer(o) {}
    void play(Cue cue) override {
        static const char* const names[] = {"roll", "shake", "die", "cheer", "reset"};
        observer.step << "\n  cue " << names[static_cast<int>(cue)] << " showing";
        observer.look();
    }
};

// How much of the game the trace went through: a trace that never reaches a kind of moment
// cannot notice a change there.
struct Coverage {
    int awards = 0;
    int zeroYes = 0;
    int zeroNo = 0;
    int resetYes = 0;
    int resetNo = 0;
    int quitYes = 0;
    int quitNo = 0;
    int fullCards = 0;
    int bonuses = 0;
    int releases = 0;
    int noEntryPointers = 0;
};

class LongGameTrace : public ::testing::Test {
  protected:
    std::mt19937 choices{PlayerSeed};
    Observer observer;
    testing::FakeView view;
    SeededRandom random{GameSeed};
    ObservingQuestions questions{observer, choices};
    ObservingCues cues{observer};
    Game game{view, testing::BoardTable, Services{random, questions, cues}};
    Coverage seen;
    int rollsThisTurn_ = 0;  // as the player counts them: roll sounds since the dice came home

    int pick(int count) { return static_cast<int>(choices() % static_cast<uint32_t>(count)); }

    void start() {
        view.onRepaint = [this] {
            observer.step << "\n  repaint";
            observer.look();
        };
        game.start();
    }

    Box anyBox() { return AllBoxes[static_cast<size_t>(pick(BoxCount))]; }

    Box openBoxPreferringLower() {
        std::vector<Box> lower;
        std::vector<Box> upper;
        for (Box box : AllBoxes) {
            if (view.boxes[box].empty()) {
                (isUpper(box) ? upper : lower).push_back(box);
            }
        }
        const std::vector<Box>& open = lower.empty() ? upper : lower;
        return open.empty() ? anyBox()
                            : open[static_cast<size_t>(pick(static_cast<int>(open.size())))];
    }

    bool cardFull() const {
        for (const auto& box : view.boxes) {
            if (box.empty()) {
                return false;
            }
        }
        return true;
    }

    int timesShown(int pips) const {
        int times = 0;
        for (const auto& die : view.dice) {
            times += die.pips == pips ? 1 : 0;
        }
        return times;
    }

    int mostCommonPips() const {
        int best = 6;
        for (int pips = 6; pips >= 1; --pips) {
            best = timesShown(pips) > timesShown(best) ? pips : best;
        }
        return best;
    }

    // A die on the table that shows the most common face, else any die.
    int dieToKeep() {
        for (int die = 0; die < DieCount; ++die) {
            if (view.dice[die].top != 7500 && view.dice[die].pips == mostCommonPips()) {
                return die;
            }
        }
        return pick(DieCount);
    }

    void playOneStep() {
        const int action = pick(100);
        if (cardFull() && action < 50) {
            observer.step << "reset";  // a player starts the next game soon after the last box
            game.reset();
        } else if (action < 25) {
            observer.step << "roll";
            game.roll();
        } else if (action < 55) {
            const int die = action < 31 ? pick(DieCount) : dieToKeep();
            observer.step << "die " << die;
            if (view.dice[die].top == 7500) {
                ++seen.releases;
            }
            game.toggleDie(die);
        } else if (action < 58) {
            const Box box = anyBox();
            observer.step << "box " << rowOf(box);
            game.scoreBox(box);
        } else if (action < 82) {
            // Mostly a player who aims for the bonus: three or more of a face go into its upper
            // box (four while rolls are left), anything less into a lower box once the rolls are
            // used up.
            const int pips = mostCommonPips();
            const int times = timesShown(pips);
            const Box faceBox = AllBoxes[static_cast<size_t>(pips - 1)];  // Ones, Twos, ...
            const bool goodHand =
                view.boxes[faceBox].empty() && (times >= 4 || (times == 3 && rollsThisTurn_ == 3));
            if (goodHand || rollsThisTurn_ == 3) {
                const Box box = goodHand ? faceBox : openBoxPreferringLower();
                observer.step << "box " << rowOf(box);
                game.scoreBox(box);
            } else {
                observer.step << "roll";
                game.roll();
            }
        } else if (action < 97) {
            observer.step << "over roll";
            game.pointerOverRoll();
            const bool arrow = view.rollPointer == RollPointer::Arrow;
            observer.step << (arrow ? " arrow" : " no-entry");
            seen.noEntryPointers += arrow ? 0 : 1;
        } else if (action < 98 && pick(4) == 0) {
            observer.step << "reset";
            game.reset();
        } else if (action >= 98) {
            observer.step << "quit";
            observer.step << (game.confirmQuit() ? " closes" : " stays");
        } else {
            observer.step << "wait";
        }
        observer.step << "\n  now";
        observer.look();
        const std::string text = observer.step.str();
        if (text.find("cue roll") != std::string::npos) {
            ++rollsThisTurn_;
        }
        bool home = true;
        for (int die = 0; die < DieCount; ++die) {
            home = home && view.dice[die].top == 5000 && view.dice[die].left == 6200 + 1100 * die;
        }
        rollsThisTurn_ = home ? 0 : rollsThisTurn_;
    }

    void count(const std::string& step) {
        auto has = [&](const char* text) { return step.find(text) != std::string::npos; };
        seen.awards += has("cue cheer") ? 1 : 0;
        seen.zeroYes += has("ZERO points here?\" \"Quibbix!!\" showing") && has("-> yes") ? 1 : 0;
        seen.zeroNo += has("ZERO points here?\" \"Quibbix!!\" showing") && has("-> no") ? 1 : 0;
        seen.resetYes += has("reset the game?") && has("-> yes") ? 1 : 0;
        seen.resetNo += has("reset the game?") && has("-> no") ? 1 : 0;
        seen.quitYes += has(" closes") ? 1 : 0;
        seen.quitNo += has(" stays") ? 1 : 0;
        seen.bonuses += view.bonus == "35" ? 1 : 0;
        seen.fullCards += cardFull() ? 1 : 0;
    }
};

TEST_F(LongGameTrace, EveryStepShowsWhatItShowedBefore) {
    observer.view = &view;
    std::vector<std::string> blocks;
    std::vector<std::string> digests;
    std::string block;
    start();
    observer.step << "start\n  now";
    observer.look();
    block += observer.step.str() + '\n';
    for (int step = 0; step < StepCount; ++step) {
        observer.step.str("");
        playOneStep();
        const std::string text = observer.step.str();
        count(text);
        block += std::to_string(step) + ' ' + text + '\n';
        if ((step + 1) % StepsPerBlock == 0) {
            digests.push_back(std::to_string(step + 1 - StepsPerBlock) + ' ' + hex(fnv1a(block)));
            blocks.push_back(block);
            block.clear();
        }
    }

    EXPECT_GT(seen.awards, 1);
    EXPECT_GT(seen.zeroYes, 0);
    EXPECT_GT(seen.zeroNo, 0);
    EXPECT_GT(seen.resetYes, 0);
    EXPECT_GT(seen.resetNo, 0);
    EXPECT_GT(seen.quitYes, 0);
    EXPECT_GT(seen.quitNo, 0);
    EXPECT_GT(seen.fullCards, 0);
    EXPECT_GT(seen.bonuses, 0);
    EXPECT_GT(seen.releases, 0);
    EXPECT_GT(seen.noEntryPointers, 0);

    std::vector<std::string> expected;
    std::ifstream file(QUIBBIX_LONG_GAME_TRACE);
    for (std::string line; std::getline(file, line);) {
        expected.push_back(line);
    }
    if (expected != digests) {
        std::ofstream actual("long-game.trace.actual");
        for (const auto& digest : digests) {
            actual << digest << '\n';
        }
        size_t differs = 0;
        while (differs < expected.size() && differs < digests.size() &&
               expected[differs] == digests[differs]) {
            ++differs;
        }
        ADD_FAILURE() << "the trace differs from " << QUIBBIX_LONG_GAME_TRACE << " ("
                      << expected.size() << " blocks expected, " << digests.size()
                      << " played); the whole trace is "
                      << "in long-game.trace.actual; first block that differs:\n"
                      << (differs < blocks.size() ? blocks[differs] : std::string("(none)"));
    }
}

}  // namespace
}  // namespace quibbix
