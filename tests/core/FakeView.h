#pragma once

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/BoardView.h"
#include "game/Game.h"
#include "platform/Services.h"

namespace quibbix::testing {

// What the board shows, as plain fields, sized like the real board.
struct FakeView : BoardView {
    struct ShownDie {
        int32_t left = 0;
        int32_t top = 0;
        int pips = 0;  // nothing shown yet
        bool held = false;
    };
    std::array<ShownDie, DieCount> dice;
    PerBox<std::string> boxes;
    PerBox<std::optional<int>> pointsOnOffer;
    std::string bonus;
    std::string total;
    bool bannerVisible = false;
    int rollsLeft = -1;  // nothing shown yet
    bool cardFull = false;
    RollPointer rollPointer = RollPointer::Arrow;
    int repaints = 0;
    std::function<void()> onRepaint;

    void showDie(int die, int pips, TwipsPoint position, bool held) override {
        dice.at(static_cast<size_t>(die)) = {position.left, position.top, pips, held};
    }
    void showBox(Box box, const std::string& text) override { boxes[box] = text; }
    void showPointsOnOffer(Box box, std::optional<int> points) override {
        pointsOnOffer[box] = points;
    }
    void showBonus(const std::string& text) override { bonus = text; }
    void showTotal(const std::string& text) override { total = text; }
    void showBanner(bool shown) override { bannerVisible = shown; }
    void showRollsLeft(int left, bool full) override {
        rollsLeft = left;
        cardFull = full;
    }
    void showRollPointer(RollPointer pointer) override { rollPointer = pointer; }
    void repaintNow() override {
        ++repaints;
        if (onRepaint) {
            onRepaint();
        }
    }
    bool isHeld(int die) const { return dice.at(static_cast<size_t>(die)).held; }
};

// The real board's table.
inline constexpr TableSize BoardTable{{11835, 8970}, {1050, 1005}, {2985, 85}};

// Hands out the numbers it was given, in order; running out is a test failure.
struct ScriptedRandom : RandomSource {
    std::deque<double> numbers;
    int drawn = 0;
    double nextUniform() override {
        if (numbers.empty()) {
            throw std::logic_error("the scripted random numbers ran out");
        }
        const double r = numbers.front();
        numbers.pop_front();
        ++drawn;
        return r;
    }
    void add(std::initializer_list<double> more) { numbers.insert(numbers.end(), more); }
};

struct ScriptedQuestions : QuestionBox {
    struct Asked {
        std::string message;
        std::string title;
    };
    std::deque<Answer> answers;
    std::vector<Asked> asked;
    std::function<void()> whileOpen;  // looks at the board while the question is up
    Answer ask(std::string_view message, std::string_view title) override {
        asked.push_back({std::string(message), std::string(title)});
        if (whileOpen) {
            whileOpen();
        }
        if (answers.empty()) {
            throw std::logic_error("a question was asked that the test did not expect");
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

struct CueRecorder : CuePlayer {
    std::vector<Cue> played;
    std::function<void(Cue)> onPlay;
    void play(Cue cue) override {
        played.push_back(cue);
        if (onPlay) {
            onPlay(cue);
        }
    }
};

// r that makes Int(r x span) + offset land on `target`.
inline double rOf(int32_t target, int32_t offset, double span) {
    return (target - offset + 0.5) / span;
}
inline double leftR(int32_t left) {
    return rOf(left, BoardTable.corner.left, BoardTable.board.width * 0.55);
}
inline double firstTopR(int32_t top) {
    return rOf(top, BoardTable.corner.top, BoardTable.board.height * 0.62);
}
inline double redrawTopR(int32_t top) {
    return rOf(top, BoardTable.corner.top, BoardTable.board.height * 0.68);
}
inline double pipsR(int pips) {
    return (pips - 0.5) / 6;
}

// Where `dice` and `roll` put die i: side by side along the top of the table.
inline TwipsPoint sideBySide(int die) {
    return {3000 + 1200 * die, 100};
}

// A started game on a plain board with scripted services.
struct TestTable {
    FakeView view;
    ScriptedRandom random;
    ScriptedQuestions questions;
    CueRecorder cues;
    Game game{view, BoardTable, Services{random, questions, cues}};

    TestTable() { game.start(); }

    // A move over Roll: the pointer Roll then shows.
    RollPointer pointerOverRoll() {
        game.pointerOverRoll();
        return view.rollPointer;
    }

    // Starts from a game part-way through: the dice lie side by side showing these pips after
    // `rollsTaken` rolls, and the card holds what `setup` says.
    void lay(std::array<int, DieCount> faces, int rollsTaken = 1, GameSetup setup = {}) {
        setup.rollsTaken = rollsTaken;
        setup.faces = faces;
        for (int die = 0; die < DieCount; ++die) {
            setup.spots[die] = sideBySide(die);
        }
        game.start(setup);
    }

    // Scripts the next roll: dice side by side along the top of the table, each die that is not
    // held showing the given pips.
    void scriptRoll(std::array<int, DieCount> faces) {
        for (int die = 0; die < DieCount; ++die) {
            random.add({leftR(sideBySide(die).left), firstTopR(sideBySide(die).top)});
        }
        for (int die = 0; die < DieCount; ++die) {
            if (!view.isHeld(die)) {
                random.add({pipsR(faces[die])});
            }
        }
    }

    void roll(std::array<int, DieCount> faces) {
        scriptRoll(faces);
        game.roll();
    }

    bool diceAtStart() const {
        for (int die = 0; die < DieCount; ++die) {
            if (view.dice[die].left != StartLeft[die] || view.dice[die].top != StartTop) {
                return false;
            }
        }
        return true;
    }

    std::array<int, DieCount> faces() const {
        std::array<int, DieCount> faces{};
        for (int die = 0; die < DieCount; ++die) {
            faces[die] = view.dice[die].pips;
        }
        return faces;
    }
};

}  // namespace quibbix::testing
