#include <gtest/gtest.h>

#include <QApplication>
#include <QBitmap>
#include <QFontInfo>
#include <QMouseEvent>
#include <QPalette>
#include <QTest>
#include <cmath>

#include "assets/SkinAssets.h"
#include "window/frmMain.h"

namespace quibbix {
namespace {

struct Expected {
    const char* name;
    QWidget* control;
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
    bool visible;
};

class Window : public ::testing::Test {
  protected:
    frmMain window;

    // Pixel geometry of a control, compared against its twips.
    static void ExpectAt(const Expected& e) {
        auto px = [](int32_t twips) { return static_cast<int>(std::lround(twips / 15.0)); };
        EXPECT_EQ(e.control->geometry(), QRect(px(e.left), px(e.top), px(e.width), px(e.height)))
            << e.name;
        EXPECT_EQ(!e.control->isHidden(), e.visible) << e.name;
    }

    int StackIndex(QWidget* control) const { return window.children().indexOf(control); }
};

TEST_F(Window, EveryControlStandsAtItsPlaceAfterStartUp) {
    EXPECT_EQ(window.size(), QSize(789, 598));
    EXPECT_EQ(window.windowTitle(), "QuibBix!");
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);

    const Expected controls[] = {
        {"banner", window.TPICQuibbix, 3630, 3585, 5055, 960, false},
        {"die 0", window.tpicRolled[0], 6200, 5000, 1050, 1005, true},
        {"die 1", window.tpicRolled[1], 7300, 5000, 1050, 1005, true},
        {"die 2", window.tpicRolled[2], 8400, 5000, 1050, 1005, true},
        {"die 3", window.tpicRolled[3], 9500, 5000, 1050, 1005, true},
        {"die 4", window.tpicRolled[4], 10600, 5000, 1050, 1005, true},
        {"outline work box", window.picBox2, 4065, 1320, 11835, 8970, false},
        {"banner store", window.picQuibbix, 11385, 1050, 5055, 960, false},
        {"face 3", window.diceHolder[2], 5070, -75, 1050, 1005, false},
        {"face 6", window.diceHolder[5], 6825, -60, 1050, 1005, false},
        {"reset", window.imgReset[0], 8595, 7515, 1320, 1005, true},
        {"reset lit", window.imgReset[1], 8595, 7515, 1320, 1005, true},
        {"roll", window.imgRoll[0], 6585, 7350, 1815, 1230, true},
        {"roll lit", window.imgRoll[1], 6585, 7350, 1815, 1230, true},
        {"quit", window.imgQuit[0], 10140, 7515, 1320, 1005, true},
        {"quit lit", window.imgQuit[1], 10140, 7515, 1320, 1005, true},
        {"bonus", window.lblBonus, 2370, 5175, 615, 345, true},
        {"close spot", window.lblBye, 11250, 75, 420, 435, true},
        {"minimise spot", window.lblHide, 10860, 135, 315, 315, true},
        {"box 0", window.lblScore[0], 570, 1005, 2415, 330, true},
        {"box 12", window.lblScore[12], 570, 4785, 2415, 330, true},
        {"total", window.lblTotal, 570, 5565, 2430, 315, true},
    };
    for (const Expected& e : controls) {
        ExpectAt(e);
    }
    EXPECT_EQ(window.Line1->geometry(), QRect(158, 67, 1, 274));
    for (int box = 0; box < ScoreBoxCount; ++box) {
        EXPECT_EQ(window.BoxText(box), "");
    }
    EXPECT_EQ(window.BonusText(), "");
    EXPECT_EQ(window.TotalText(), "");
}

TEST_F(Window, DiceStartShowingSixPipsAndTheGameIsNew) {
    const QImage six(QString::fromLatin1(skin::DieFace(6)));
    for (PictureBox* die : window.tpicRolled) {
        EXPECT_EQ(die->Picture(), six);
        EXPECT_FALSE(die->mask().isEmpty());
    }
    const GameState& state = window.game().State();
    EXPECT_EQ(state.RollCount, 0);
    EXPECT_EQ(state.ShakeArmed, FlagSet);
    EXPECT_EQ(state.HolderLeft, (std::array<int32_t, DieCount>{400, 1600, 2800, 4000, 5200}));
}

TEST_F(Window, ControlsStackInTheirLayers) {
    // Top to bottom within each layer; every picture box lies over every label, image and line.
    const std::vector<QWidget*> windowed = {
        window.TPICQuibbix,   window.tpicRolled[4], window.tpicRolled[3],
        window.tpicRolled[2], window.tpicRolled[1], window.tpicRolled[0],
    };
    const std::vector<QWidget*> windowless = {
        window.imgReset[0], window.imgReset[1], window.imgRoll[0], window.imgRoll[1],
        window.lblBonus,    window.Line1,       window.lblBye,     window.lblHide,
        window.lblScore[0], window.lblTotal,    window.imgQuit[0], window.imgQuit[1],
    };
    for (const auto* layer : {&windowed, &windowless}) {
        for (size_t i = 1; i < layer->size(); ++i) {
            EXPECT_GT(StackIndex((*layer)[i - 1]), StackIndex((*layer)[i])) << "position " << i;
        }
    }
    EXPECT_GT(StackIndex(window.tpicRolled[0]), StackIndex(window.imgReset[0]));
}

TEST_F(Window, PositionsReadBackAsWritten) {
    const int32_t values[] = {7500, 7, 5499, 0, 9494, 6184};
    for (int32_t twips : values) {
        window.SetDieTop(2, twips);
        window.SetDieLeft(2, twips);
        EXPECT_EQ(window.DieTop(2), twips);
        EXPECT_EQ(window.DieLeft(2), twips);
    }
    window.ShowFace(2, 0);
    EXPECT_EQ(window.DieWidth(2), 1050);
    EXPECT_EQ(window.DieHeight(2), 1005);
    EXPECT_EQ(window.WindowWidth(), 11835);
    EXPECT_EQ(window.WindowHeight(), 8970);
}

TEST_F(Window, TheWindowIsCutToTheBoard) {
    const QImage board =
        QImage(QString::fromLatin1(skin::Board)).convertToFormat(QImage::Format_RGB32);
    const QRgb key = board.pixel(0, 0);
    const QRegion shape = window.mask();
    EXPECT_EQ(shape.boundingRect(), QRect(0, 2, 789, 596));
    for (int y = 0; y < board.height(); y += 1) {
        for (int x = 0; x < board.width(); x += 1) {
            ASSERT_EQ(shape.contains(QPoint(x, y)), board.pixel(x, y) != key) << x << "," << y;
        }
    }
}

TEST_F(Window, ScoreTextUsesAHeavyFace) {
    const QString family = QFontInfo(window.lblScore[3]->font()).family();
    EXPECT_TRUE(family == "Arial Black" || family == skin::ScoreFontFamily) << family.toStdString();
}

TEST_F(Window, HoverLightsAButtonUntilThePointerReachesTheFelt) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseMove(window.imgRoll[0], QPoint(30, 30));
    EXPECT_TRUE(window.imgRoll[0]->isHidden());
    EXPECT_EQ(window.game().State().ShakeArmed, FlagClear);
    QTest::mouseMove(window.lblScore[2], QPoint(5, 5));
    EXPECT_TRUE(window.imgRoll[0]->isHidden());  // a box is not the background
    QTest::mouseMove(&window, QPoint(760, 250));
    EXPECT_FALSE(window.imgRoll[0]->isHidden());
}

TEST_F(Window, OnlyALeftDragOnTheFeltMovesTheWindow) {
    window.move(100, 100);
    const QPoint start = window.pos();
    auto send = [this](QEvent::Type type, QPoint at, Qt::MouseButton button,
                       Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), window.mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
    };
    send(QEvent::MouseButtonPress, {760, 250}, Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseMove, {790, 260}, Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(window.pos(), start);
    send(QEvent::MouseButtonPress, {760, 250}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {790, 240}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.pos(), start + QPoint(30, -10));
    send(QEvent::MouseMove, {790, 240}, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(window.pos(), start + QPoint(30, -10));
}

// A dark desktop theme must not reach the scorecard: its digits, frames and divider are drawn over
// the white card painted in the board, where light ink would all but vanish.
TEST(DarkTheme, TheScorecardKeepsItsDarkInkOnTheWhiteCard) {
    auto drawCard = [] {
        frmMain window;
        window.SetBoxText(3, "12");
        window.SetBonusText("35");
        window.SetTotalText("147");
        return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QPalette desktop = QApplication::palette();
    const QImage light = drawCard();
    QPalette dark = desktop;
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(role, QColor(235, 235, 235));
    }
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        dark.setColor(role, QColor(30, 30, 34));
    }
    QApplication::setPalette(dark);
    const QImage darkCard = drawCard();
    QApplication::setPalette(desktop);

    EXPECT_TRUE(darkCard == light) << "the board looks different under a dark palette";
    auto darkPixels = [&](QRect area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                count += qGray(darkCard.pixel(x, y)) < 80 ? 1 : 0;
            }
        }
        return count;
    };
    const struct {
        const char* what;
        QRect area;
        int atLeast;
    } inked[] = {
        {"divider", QRect(158, 70, 1, 260), 260},
        {"frame of box 3, top", QRect(40, 130, 110, 1), 110},
        {"digits of box 3", QRect(160, 132, 38, 19), 20},
        {"digits of the total", QRect(160, 372, 38, 19), 20},
    };
    for (const auto& c : inked) {
        SCOPED_TRACE(c.what);
        EXPECT_GE(darkPixels(c.area), c.atLeast);
    }
}

}  // namespace
}  // namespace quibbix

int main(int argc, char** argv) {
    // No display needed: the window is checked off screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
