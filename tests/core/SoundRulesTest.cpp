#include <gtest/gtest.h>

#include "FakeBoard.h"
#include "sound/FileCuePlayer.h"
#include "sound/SoundCues.h"

namespace quibbix {
namespace {

using testing::TestTable;

TEST(SoundRules, TheShakePlaysOnceAfterStartAndAfterEachBoxClick) {
    TestTable t;
    t.game.imgRoll_MouseMove();
    t.game.imgRoll_MouseMove();
    EXPECT_EQ(t.cues.played, std::vector<Cue>{Cue::Shake});

    t.game.lblScore_Click(4);  // refused (no roll yet), but arms the shake all the same
    t.game.imgRoll_MouseMove();
    EXPECT_EQ(t.cues.played, (std::vector<Cue>{Cue::Shake, Cue::Shake}));

    t.game.lblScore_Click(4);
    t.state().RollCount = 3;
    t.game.imgRoll_Click();  // refused or not, a click on Roll disarms it
    t.cues.played.clear();
    t.game.imgRoll_MouseMove();
    EXPECT_TRUE(t.cues.played.empty());
}

TEST(SoundRules, AnAwardAndAResetDoNotArmTheShake) {
    TestTable t;
    t.Roll({2, 2, 2, 2, 2});
    t.questions.answers = {Answer::Yes};
    t.game.imgReset_Click();
    t.cues.played.clear();
    t.game.imgRoll_MouseMove();
    EXPECT_TRUE(t.cues.played.empty());
}

TEST(SoundRules, EachCueSoundsAtItsMoment) {
    TestTable t;
    std::vector<std::string> heard;
    t.cues.onPlay = [&](Cue cue) {
        switch (cue) {
            case Cue::Roll:
                heard.push_back("roll at count " + std::to_string(t.state().RollCount) +
                                (t.DiceAtStart() ? " before any die moved" : ""));
                break;
            case Cue::DieClick:
                heard.push_back(std::string("click while ") +
                                (t.game.IsHeld(0) ? "held" : "on the table"));
                break;
            case Cue::Reset:
                heard.push_back(std::string("reset with card ") +
                                (t.board.boxes[11].empty() ? "clear" : "full") +
                                (t.DiceAtStart() ? ", dice home" : "") + ", slot 0 " +
                                (t.state().SlotUsed[0] ? "used" : "free"));
                break;
            default:
                break;
        }
    };
    t.Roll({0, 1, 2, 3, 4});
    t.game.tpicRolled_Click(0);
    t.random.Add({0.5, 0.5});
    t.game.tpicRolled_Click(0);
    t.game.tpicRolled_Click(0);
    t.board.boxes[11] = "15";
    t.questions.answers = {Answer::Yes};
    t.game.imgReset_Click();
    EXPECT_EQ(heard, (std::vector<std::string>{
                         "roll at count 0 before any die moved",
                         "click while on the table",
                         "click while held",
                         "click while on the table",
                         "reset with card clear, dice home, slot 0 used",
                     }));
}

TEST(SoundRules, RefusedActionsAreSilent) {
    TestTable t;
    t.game.tpicRolled_Click(0);  // before the first roll
    t.state().RollCount = 3;
    t.game.imgRoll_Click();
    t.state().RollCount = 0;
    t.board.boxes.fill("1");
    t.game.imgRoll_Click();
    EXPECT_TRUE(t.cues.played.empty());
}

TEST(SoundRules, ThePointerOverRollTellsWhetherARollWouldGo) {
    TestTable t;
    t.state().ShakeArmed = FlagClear;
    const struct {
        int16_t rollCount;
        bool cardFull;
        RollPointer pointer;
    } cases[] = {
        {0, false, RollPointer::Arrow},  {1, false, RollPointer::Arrow},
        {2, false, RollPointer::Arrow},  {3, false, RollPointer::NoEntry},
        {0, true, RollPointer::NoEntry},
    };
    for (const auto& c : cases) {
        t.state().RollCount = c.rollCount;
        t.board.boxes.fill(c.cardFull ? "0" : "");
        EXPECT_EQ(t.game.imgRoll_MouseMove(), c.pointer)
            << "roll count " << c.rollCount << (c.cardFull ? ", card full" : "");
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
        std::string path;
        std::string Path() const override { return path; }
    };
    struct Output : AudioOutput {
        std::vector<std::string> files;
        void PlayFile(const std::string& file) override { files.push_back(file); }
    };
    for (const auto& c : cases) {
        Directory directory;
        directory.path = c.directory;
        Output output;
        FileCuePlayer player(directory, output);
        player.Play(c.cue);
        EXPECT_EQ(output.files, std::vector<std::string>{c.path});
    }
}

TEST(WindowDrag, OnlyTheLeftButtonAloneDragsByThePointersMovement) {
    TestTable t;
    t.game.Form_MouseDown(1507.5, 2002.5);  // halves go to the even neighbour
    EXPECT_EQ(t.state().DragX, 1508);
    EXPECT_EQ(t.state().DragY, 2002);
    const struct {
        int buttons;
        bool moves;
    } cases[] = {{1, true}, {2, false}, {3, false}, {4, false}, {0, false}, {5, false}};
    for (const auto& c : cases) {
        const auto shift = t.game.Form_MouseMove(c.buttons, 1808, 1702);
        ASSERT_EQ(shift.has_value(), c.moves) << "buttons " << c.buttons;
        if (shift) {
            EXPECT_EQ(shift->dx, 300);
            EXPECT_EQ(shift->dy, -300);
        }
    }
}

}  // namespace
}  // namespace quibbix
