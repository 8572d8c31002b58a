#include <gtest/gtest.h>

#include "FakeView.h"
#include "sound/FileCuePlayer.h"
#include "sound/SoundCues.h"

namespace quibbix {
namespace {

using testing::TestTable;

TEST(SoundRules, TheShakePlaysOnceAfterStartAndAfterEachBoxClick) {
    TestTable t;
    t.pointerOverRoll();
    t.pointerOverRoll();
    EXPECT_EQ(t.cues.played, std::vector<Cue>{Cue::Shake});

    t.game.scoreBox(Box::Fives);  // refused (no roll yet), but arms the shake all the same
    t.pointerOverRoll();
    EXPECT_EQ(t.cues.played, (std::vector<Cue>{Cue::Shake, Cue::Shake}));

    GameSetup setup;
    setup.boxes[Box::Fives] = 5;
    t.lay({1, 2, 3, 4, 5}, 3, setup);
    t.pointerOverRoll();
    t.game.scoreBox(Box::Fives);  // a filled box: refused, and armed all the same
    t.game.roll();                // refused or not, a click on Roll disarms it
    t.cues.played.clear();
    t.pointerOverRoll();
    EXPECT_TRUE(t.cues.played.empty());
}

TEST(SoundRules, AnAwardAndAResetDoNotArmTheShake) {
    TestTable t;
    t.roll({3, 3, 3, 3, 3});
    t.questions.answers = {Answer::Yes};
    t.game.reset();
    t.cues.played.clear();
    t.pointerOverRoll();
    EXPECT_TRUE(t.cues.played.empty());
}

TEST(SoundRules, EachCueSoundsAtItsMoment) {
    TestTable t;
    std::vector<std::string> heard;
    t.cues.onPlay = [&](Cue cue) {
        switch (cue) {
            case Cue::Roll:
                heard.push_back(std::string("roll") +
                                (t.diceAtStart() ? " before any die moved" : ""));
                break;
            case Cue::DieClick:
                heard.push_back(std::string("click while ") +
                                (t.view.isHeld(0) ? "held" : "on the table"));
                break;
            case Cue::Reset:
                heard.push_back(std::string("reset with card ") +
                                (t.view.boxes[Box::Chance].empty() ? "clear" : "full") +
                                (t.diceAtStart() ? ", dice home" : ""));
                break;
            default:
                break;
        }
    };
    t.roll({1, 2, 3, 4, 5});
    t.game.toggleDie(0);
    t.random.add({0.5, 0.5});
    t.game.toggleDie(0);
    t.game.toggleDie(0);
    t.game.scoreBox(Box::Chance);
    t.questions.answers = {Answer::Yes};
    t.game.reset();
    EXPECT_EQ(heard, (std::vector<std::string>{
                         "roll before any die moved",
                         "click while on the table",
                         "click while held",
                         "click while on the table",
                         "reset with card clear, dice home",
                     }));
}

TEST(SoundRules, RefusedActionsAreSilent) {
    TestTable t;
    t.game.toggleDie(0);  // before the first roll
    t.lay({1, 2, 3, 4, 5}, 3);
    t.game.roll();
    GameSetup full;
    full.boxes.fill(1);
    t.game.start(full);
    t.game.roll();
    EXPECT_TRUE(t.cues.played.empty());
}

TEST(SoundRules, ThePointerOverRollTellsWhetherARollWouldGo) {
    const struct {
        int rollsTaken;
        bool cardFull;
        RollPointer pointer;
    } cases[] = {
        {0, false, RollPointer::Arrow},  {1, false, RollPointer::Arrow},
        {2, false, RollPointer::Arrow},  {3, false, RollPointer::NoEntry},
        {0, true, RollPointer::NoEntry},
    };
    for (const auto& c : cases) {
        TestTable t;
        GameSetup setup;
        if (c.cardFull) {
            setup.boxes.fill(0);
        }
        t.lay({1, 2, 3, 4, 5}, c.rollsTaken, setup);
        EXPECT_EQ(t.pointerOverRoll(), c.pointer)
            << "rolls taken " << c.rollsTaken << (c.cardFull ? ", card full" : "");
    }
}

TEST(SoundRules, CueFilesLieBesideTheProgram) {
    const struct {
        Cue cue;
        const char* directory;
        const char* path;
    } cases[] = {
        {Cue::Roll, "/opt/quibbix", "/opt/quibbix/rolldice.wav"},
        {Cue::Shake, "/opt/quibbix", "/opt/quibbix/Shakedice.wav"},
        {Cue::DieClick, "/opt/quibbix", "/opt/quibbix/softplop.wav"},
        {Cue::Cheer, "/opt/quibbix", "/opt/quibbix/cheer.wav"},
        {Cue::Reset, "/opt/quibbix", "/opt/quibbix/pop2.wav"},
        {Cue::Roll, "/", "/rolldice.wav"},
    };
    struct Directory : ProgramDirectory {
        std::string directory;
        std::string path() const override { return directory; }
    };
    struct Output : AudioOutput {
        std::vector<std::string> files;
        void playFile(const std::string& file) override { files.push_back(file); }
    };
    for (const auto& c : cases) {
        Directory directory;
        directory.directory = c.directory;
        Output output;
        FileCuePlayer player(directory, output);
        player.play(c.cue);
        EXPECT_EQ(output.files, std::vector<std::string>{c.path});
    }
}

}  // namespace
}  // namespace quibbix
