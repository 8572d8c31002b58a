#pragma once

#include <array>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/Board.h"
#include "game/Game.h"
#include "platform/Services.h"
#include "sound/Cue.h"

namespace quibbix::testing {

// The board items as plain fields, sized like the real board.
struct FakeBoard : Board {
    struct Die {
        int32_t left = 0;
        int32_t top = 0;
        int32_t width = 1050;
        int32_t height = 1035;  // the design height, until a face arrives
        int16_t face = -1;      // no picture yet
        int shapedWithFace = -1;
    };
    std::array<Die, DieCount> dice;
    std::array<std::string, ScoreBoxCount> boxes;
    std::string bonus;
    std::string total;
    bool bannerVisible = false;
    int32_t width = 11835;
    int32_t height = 8970;

    int32_t DieLeft(int die) const override { return dice.at(die).left; }
    int32_t DieTop(int die) const override { return dice.at(die).top; }
    int32_t DieWidth(int die) const override { return dice.at(die).width; }
    int32_t DieHeight(int die) const override { return dice.at(die).height; }
    void SetDieLeft(int die, int32_t twips) override { dice.at(die).left = twips; }
    void SetDieTop(int die, int32_t twips) override { dice.at(die).top = twips; }
    void ShowFace(int die, int16_t value) override {
        dice.at(die).face = value;
        dice.at(die).width = 1050;
        dice.at(die).height = 1005;
    }
    void ShapeDie(int die) override { dice.at(die).shapedWithFace = dice.at(die).face; }
    std::string BoxText(int box) const override { return boxes.at(box); }
    void SetBoxText(int box, const std::string& text) override { boxes.at(box) = text; }
    std::string BonusText() const override { return bonus; }
    void SetBonusText(const std::string& text) override { bonus = text; }
    std::string TotalText() const override { return total; }
    void SetTotalText(const std::string& text) override { total = text; }
    bool BannerVisible() const override { return bannerVisible; }
    void SetBannerVisible(bool visible) override { bannerVisible = visible; }
    int32_t WindowWidth() const override { return width; }
    int32_t WindowHeight() const override { return height; }
};

// Hands out the numbers it was given, in order; running out is a test failure.
struct ScriptedRandom : RandomSource {
    std::deque<double> numbers;
    int drawn = 0;
    double NextUniform() override {
        if (numbers.empty()) {
            throw std::logic_error("the scripted random numbers ran out");
        }
        const double r = numbers.front();
        numbers.pop_front();
        ++drawn;
        return r;
    }
    void Add(std::initializer_list<double> more) { numbers.insert(numbers.end(), more); }
};

struct ScriptedQuestions : QuestionBox {
    struct Asked {
        std::string message;
        std::string title;
    };
    std::deque<Answer> answers;
    std::vector<Asked> asked;
    std::function<void()> whileOpen;  // looks at the board while the question is up
    Answer Ask(std::string_view message, std::string_view title) override {
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

struct RecordingRepainter : Repainter {
    std::function<void()> onRepaint;
    int repaints = 0;
    void RepaintNow() override {
        ++repaints;
        if (onRepaint) {
            onRepaint();
        }
    }
};

struct CueRecorder : CuePlayer {
    std::vector<Cue> played;
    std::function<void(Cue)> onPlay;
    void Play(Cue cue) override {
        played.push_back(cue);
        if (onPlay) {
            onPlay(cue);
        }
    }
};

// r that makes Int(r x span) + offset land on `target`.
inline double ROf(int32_t target, int32_t offset, double span) {
    return (target - offset + 0.5) / span;
}
inline double LeftR(int32_t left) {
    return ROf(left, 2985, 11835 * 0.55);
}
inline double FirstTopR(int32_t top) {
    return ROf(top, 85, 8970 * 0.62);
}
inline double RedrawTopR(int32_t top) {
    return ROf(top, 85, 8970 * 0.68);
}
inline double FaceR(int16_t value) {
    return (value + 0.5) / 6;
}

// A started game on a plain board with scripted services.
struct TestTable {
    FakeBoard board;
    ScriptedRandom random;
    ScriptedQuestions questions;
    RecordingRepainter repainter;
    CueRecorder cues;
    Game game{board, Services{random, questions, repainter, cues}};

    TestTable() {
        game.Form_Load();
        for (int die = 0; die < DieCount; ++die) {
            board.ShowFace(die, 5);
        }
    }
    GameState& state() { return game.State(); }

    // Puts dice 0..4 at the given spots as if a roll had placed them there with these faces.
    void LayDice(std::array<int16_t, DieCount> faces, int16_t rollCount = 1) {
        for (int die = 0; die < DieCount; ++die) {
            state().DieValue[die] = faces[die];
            board.ShowFace(die, faces[die]);
            board.SetDieLeft(die, 3000 + 1200 * die);
            board.SetDieTop(die, 100);
        }
        state().RollCount = rollCount;
    }

    // Scripts the next roll: dice side by side along the top of the table, each die that is not
    // held showing the given value.
    void ScriptRoll(std::array<int16_t, DieCount> faces) {
        for (int die = 0; die < DieCount; ++die) {
            random.Add({LeftR(3000 + 1200 * die), FirstTopR(100)});
        }
        for (int die = 0; die < DieCount; ++die) {
            if (!game.IsHeld(die)) {
                random.Add({FaceR(faces[die])});
            }
        }
    }

    void Roll(std::array<int16_t, DieCount> faces) {
        ScriptRoll(faces);
        game.imgRoll_Click();
    }

    bool DiceAtStart() const {
        for (int die = 0; die < DieCount; ++die) {
            if (board.dice[die].left != StartLeft[die] || board.dice[die].top != StartTop) {
                return false;
            }
        }
        return true;
    }
};

}  // namespace quibbix::testing
