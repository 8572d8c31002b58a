#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QBitmap>
#include <QBuffer>
#include <QCursor>
#include <QDialog>
#include <QFile>
#include <QFontInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "assets/SkinAssets.h"
#include "platform/SeededRandom.h"
#include "tests/core/FakeView.h"
#include "window/BoardWindow.h"
#include "window/ControlClick.h"
#include "window/FeltDrag.h"
#include "window/PngReader.h"

namespace quibbix {
namespace {

struct Expected {
    const char* name;
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
    bool visible;
};

// The same dice every run, and the cues kept instead of played.
struct WindowServices {
    SeededRandom random{0.0F};
    testing::CueRecorder cues;
};

class Window : public ::testing::Test {
  protected:
    WindowServices services;
    BoardWindow window{loadSkinPictures(), services.random, services.cues};

    template <typename Control = QWidget>
    Control* control(const QString& name) {
        auto* found = window.findChild<Control*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    // Pixel geometry of a control, compared against its twips.
    void expectAt(const Expected& e) {
        QWidget* c = control(QString::fromLatin1(e.name));
        ASSERT_NE(c, nullptr);
        auto px = [](int32_t twips) { return static_cast<int>(std::lround(twips / 15.0)); };
        EXPECT_EQ(c->geometry(), QRect(px(e.left), px(e.top), px(e.width), px(e.height))) << e.name;
        EXPECT_EQ(!c->isHidden(), e.visible) << e.name;
    }

    int stackIndex(const char* name) {
        return window.children().indexOf(control(QString::fromLatin1(name)));
    }
};

TEST_F(Window, EveryControlStandsAtItsPlaceAfterStartUp) {
    EXPECT_EQ(window.size(), QSize(789, 598));
    EXPECT_EQ(window.windowTitle(), "QuibBix!");
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);

    const Expected controls[] = {
        {"banner", 3630, 3585, 5055, 960, false},      {"die0", 6200, 5000, 1050, 1005, true},
        {"die1", 7300, 5000, 1050, 1005, true},        {"die2", 8400, 5000, 1050, 1005, true},
        {"die3", 9500, 5000, 1050, 1005, true},        {"die4", 10600, 5000, 1050, 1005, true},
        {"resetButton", 8595, 7515, 1320, 1005, true}, {"rollButton", 6585, 7350, 1815, 1230, true},
        {"quitButton", 10140, 7515, 1320, 1005, true}, {"bonus", 2370, 5175, 615, 345, true},
        {"closeSpot", 11250, 75, 420, 435, true},      {"minimiseSpot", 10860, 135, 315, 315, true},
        {"box0", 570, 1005, 2415, 330, true},          {"box12", 570, 4785, 2415, 330, true},
        {"total", 570, 5565, 2430, 315, true},
    };
    for (const Expected& e : controls) {
        expectAt(e);
    }
    EXPECT_EQ(control("divider")->geometry(), QRect(158, 67, 1, 274));
    for (int box = 0; box < BoxCount; ++box) {
        EXPECT_EQ(control<TextBox>(QStringLiteral("box%1").arg(box))->text(), "");
    }
    EXPECT_EQ(control<TextBox>("bonus")->text(), "");
    EXPECT_EQ(control<TextBox>("total")->text(), "");
}

TEST_F(Window, DiceStartShowingSixPipsCutToTheirOutline) {
    const QImage six(QString::fromLatin1(skin::DieFace(6)));
    for (int die = 0; die < DieCount; ++die) {
        auto* shown = control<PictureControl>(QStringLiteral("die%1").arg(die));
        EXPECT_EQ(shown->picture(), six);
        EXPECT_FALSE(shown->mask().isEmpty());
        EXPECT_NE(shown->mask(), QRegion(shown->rect()));  // the curved corners are cut away
    }
}

TEST_F(Window, ControlsStackInTheirLayers) {
    // Top to bottom within each layer; every die and the banner lie over everything drawn on the
    // board.
    const std::vector<const char*> windowed = {"banner", "die4", "die3", "die2", "die1", "die0"};
    const std::vector<const char*> windowless = {
        "resetButton",  "rollButton", "bonus", "divider",    "closeSpot",
        "minimiseSpot", "box0",       "total", "quitButton",
    };
    for (const auto* layer : {&windowed, &windowless}) {
        for (size_t i = 1; i < layer->size(); ++i) {
            EXPECT_GT(stackIndex((*layer)[i - 1]), stackIndex((*layer)[i]))
                << (*layer)[i - 1] << " over " << (*layer)[i];
        }
    }
    EXPECT_GT(stackIndex("die0"), stackIndex("resetButton"));
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

// A screen reader reads a box's number through the value interface: none while the box is open
// (not 0, which a box may hold), then the score the box shows, and the total with it. (That the
// changes are told is checked over AT-SPI: off screen, Qt sends no accessibility event.)
TEST_F(Window, ScoreBoxesTellTheirNumbersToAssistiveTechnology) {
    auto* chance = control<TextBox>("box11");
    auto* total = control<TextBox>("total");
    QAccessibleValueInterface* chanceValue =
        QAccessible::queryAccessibleInterface(chance)->valueInterface();
    QAccessibleValueInterface* totalValue =
        QAccessible::queryAccessibleInterface(total)->valueInterface();
    ASSERT_NE(chanceValue, nullptr);
    ASSERT_NE(totalValue, nullptr);
    EXPECT_TRUE(std::isnan(chanceValue->currentValue().toDouble()));
    EXPECT_TRUE(std::isnan(totalValue->currentValue().toDouble()));
    EXPECT_EQ(chanceValue->minimumValue().toDouble(), 0.0);
    EXPECT_EQ(chanceValue->maximumValue().toDouble(), 30.0);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(control("rollButton"))->valueInterface(),
              nullptr);

    // Five equal dice score themselves and end the turn; the player then rolls again.
    auto* roll = control<BoardControl>("rollButton");
    for (int i = 0; i < 3 && !roll->accessibleName().endsWith("2 rolls left"); ++i) {
        roll->activate();
    }
    ASSERT_TRUE(roll->accessibleName().endsWith("2 rolls left"));
    chance->activate();

    const double points = chance->text().toDouble();
    ASSERT_FALSE(chance->text().isEmpty());
    EXPECT_EQ(chanceValue->currentValue().toDouble(), points);
    EXPECT_EQ(totalValue->currentValue().toDouble(), points);
}

// The score font comes just after the first frame, so that the font database does not hold up the
// board; it must still come without a score to show.
TEST_F(Window, ScoreTextUsesAHeavyFaceOnceTheBoardIsShown) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QString family;
    const bool heavy = QTest::qWaitFor([&] {
        family = QFontInfo(control("box3")->font()).family();
        return family == "Arial Black" || family == skin::ScoreFontFamily;
    });
    EXPECT_TRUE(heavy) << family.toStdString();
}

TEST_F(Window, HoverLightsAButtonUntilThePointerReachesTheFelt) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* roll = control<HoverButton>("rollButton");
    QTest::mouseMove(roll, QPoint(30, 30));
    EXPECT_TRUE(roll->isLit());
    EXPECT_EQ(roll->cursor().shape(), Qt::ArrowCursor);  // a roll would go
    QTest::mouseMove(control("box2"), QPoint(5, 5));
    EXPECT_TRUE(roll->isLit());  // a box is not the felt
    QTest::mouseMove(&window, QPoint(760, 250));
    EXPECT_FALSE(roll->isLit());
}

TEST_F(Window, OnlyALeftDragOnTheFeltMovesTheWindow) {
    window.move(100, 100);
    const QPoint start = window.pos();
    auto send = [this](QEvent::Type type, QPointF at, Qt::MouseButton button,
                       Qt::MouseButtons held) {
        QMouseEvent event(type, at, window.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
        QCoreApplication::sendPostedEvents(&window);  // the window follows a drag right after
    };
    send(QEvent::MouseButtonPress, {760, 250}, Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseMove, {790, 260}, Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(window.pos(), start);
    send(QEvent::MouseButtonPress, {760, 250}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {790, 240}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.pos(), start + QPoint(30, -10));
    send(QEvent::MouseMove, {790, 240}, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(window.pos(), start + QPoint(30, -10));

    // The grab point is taken in whole twips, halves to the even neighbour: 1507.5 and 2002.5
    // twips are held as 1508 and 2002, so a move to (1807.5, 1702.5) shifts by 299.5 and -299.5
    // twips, which round to 300 and -300, that is 20 and -20 pixels.
    const QPoint before = window.pos();
    send(QEvent::MouseButtonPress, {100.5, 133.5}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {120.5, 113.5}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.pos(), before + QPoint(20, -20));

    // A click on the felt whose release arrives with the next move: the toolkit hands over a
    // move there with the button held, then the release, before anything else runs.
    const QPoint clicked = window.pos();
    send(QEvent::MouseButtonPress, {760, 250}, Qt::LeftButton, Qt::LeftButton);
    for (const QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonRelease}) {
        const bool move = type == QEvent::MouseMove;
        QMouseEvent event(type, QPointF(120, 119), window.mapToGlobal(QPointF(120, 119)),
                          move ? Qt::NoButton : Qt::LeftButton,
                          move ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
    }
    QCoreApplication::sendPostedEvents(&window);
    EXPECT_EQ(window.pos(), clicked);
}

// A click is a press and a release of the left button on the control. A release after the pointer
// was dragged off does not click; a release reported off the control with nothing but the
// toolkit's own move at the release's time (how a release arrives when it reached the program
// together with the next move) still does.
TEST_F(Window, AClickIsAPressAndAReleaseOnTheControl) {
    struct Step {
        QEvent::Type type;
        QPointF at;
        quint64 time;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        bool clicks;
    };
    const QPointF in{10, 10};
    const QPointF off{36, 241};
    const Case cases[] = {
        {"press and release on it",
         {{QEvent::MouseButtonPress, in, 100}, {QEvent::MouseButtonRelease, in, 101}},
         true},
        {"dragged off, released off",
         {{QEvent::MouseButtonPress, in, 100},
          {QEvent::MouseMove, off, 120},
          {QEvent::MouseButtonRelease, off, 130}},
         false},
        {"dragged off and back",
         {{QEvent::MouseButtonPress, in, 100},
          {QEvent::MouseMove, off, 120},
          {QEvent::MouseMove, in, 125},
          {QEvent::MouseButtonRelease, in, 130}},
         true},
        {"release reported at the next move's spot",
         {{QEvent::MouseButtonPress, in, 100},
          {QEvent::MouseMove, off, 101},
          {QEvent::MouseButtonRelease, off, 101}},
         true},
        {"a release without a press", {{QEvent::MouseButtonRelease, in, 101}}, false},
    };
    auto* spot = control<BoardControl>("minimiseSpot");
    for (const Case& c : cases) {
        int clicks = 0;
        const auto connection =
            QObject::connect(spot, &BoardControl::clicked, [&clicks] { ++clicks; });
        for (const Step& step : c.steps) {
            const bool held = step.type != QEvent::MouseButtonRelease;
            const Qt::MouseButton button =
                step.type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(step.type, step.at, spot->mapToGlobal(step.at), button,
                              held ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            event.setTimestamp(step.time);
            QApplication::sendEvent(spot, &event);
        }
        QObject::disconnect(connection);
        EXPECT_EQ(clicks, c.clicks ? 1 : 0) << c.name;
    }
}

// The toolkit passes over a move to the spot where a release was reported, or where the pointer
// went while a question was open; the release, and the question closing, then show the board where
// the pointer is.
TEST_F(Window, AReleaseShowsWhereThePointerWent) {
    auto* roll = control<HoverButton>("rollButton");
    auto send = [](QWidget* to, QEvent::Type type, QPointF at) {
        const bool press = type == QEvent::MouseButtonPress;
        QMouseEvent event(type, at, to->mapToGlobal(at), Qt::LeftButton,
                          press ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(to, &event);
    };
    roll->setLit(true);
    const QPointF felt = roll->mapFrom(&window, QPoint(760, 250));
    send(roll, QEvent::MouseButtonPress, {30, 30});
    send(roll, QEvent::MouseButtonRelease, felt);
    EXPECT_FALSE(roll->isLit()) << "released over the felt";

    send(&window, QEvent::MouseButtonPress, {760, 250});
    send(&window, QEvent::MouseButtonRelease, roll->geometry().center());
    EXPECT_TRUE(roll->isLit()) << "released over Roll";

    // A question closes with the pointer moved onto the felt meanwhile.
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCursor::setPos(window.mapToGlobal(QPoint(760, 250)));
    QEvent unblocked(QEvent::WindowUnblocked);
    QApplication::sendEvent(&window, &unblocked);
    EXPECT_FALSE(roll->isLit()) << "a question closed over the felt";
}

// A dark desktop theme must not reach the scorecard: its digits, frames and divider are drawn over
// the white card painted in the board, where light ink would all but vanish.
// What a question must leave exactly as it was: the rolls left, where each die lies, every box.
std::string gameAsAPlayerSeesIt(BoardWindow& window) {
    QStringList seen{window.findChild<BoardControl*>("rollButton")->accessibleName()};
    for (int i = 0; i < 5; ++i) {
        seen << window.findChild<BoardControl*>(QStringLiteral("die%1").arg(i))->accessibleName();
    }
    for (int i = 0; i < 13; ++i) {
        seen << window.findChild<TextBox*>(QStringLiteral("box%1").arg(i))->text();
    }
    return seen.join(QStringLiteral(" | ")).toStdString();
}

// A key as the window system hands it over, shortcuts and all; `repeat` as a held key repeats.
void pressKey(QWidget* to, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text,
              bool repeat) {
    qt_handleKeyEvent(to->windowHandle(), QEvent::KeyPress, key, modifiers, text, repeat);
    qt_handleKeyEvent(to->windowHandle(), QEvent::KeyRelease, key, modifiers, text, repeat);
}

// Runs `meanwhile` inside the next question's event loop, lets anything queued come due, and then
// answers No with a fresh Escape. Tells whether the question was still open for that answer, and
// whether that answer closed it. It looks for the question from the event loop, for as long as it
// lives.
class WhenAQuestionOpens {
  public:
    explicit WhenAQuestionOpens(std::function<void(QWidget*)> meanwhile)
        : meanwhile_(std::move(meanwhile)) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { look(); });
        poll_.start(0);
    }

    bool opened = false;
    bool stillOpen = false;
    bool freshKeyAnswered = false;

  private:
    void look() {
        QWidget* question = QApplication::activeModalWidget();
        if (question == nullptr) {
            return;
        }
        poll_.stop();
        opened = true;
        meanwhile_(question);
        QCoreApplication::processEvents();
        stillOpen = question->isVisible();
        if (stillOpen) {
            QTest::qWait(5);  // a hand presses afresh some time after the last key
            pressKey(question, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"), false);
            freshKeyAnswered = !question->isVisible();
        }
        if (question->isVisible()) {
            static_cast<QDialog*>(question)->reject();
        }
    }

    std::function<void(QWidget*)> meanwhile_;
    QTimer poll_;
};

// A key held down as a question opens repeats into it; only a fresh press answers it.
TEST_F(Window, AHeldKeyNeverAnswersAQuestion) {
    struct Case {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };
    const Case cases[] = {
        {"Return", Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")},
        {"Enter", Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r")},
        {"Escape", Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")},
    };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const Case& c : cases) {
        const WhenAQuestionOpens seen([&c](QWidget* question) {
            for (int repeat = 0; repeat < 3; ++repeat) {
                pressKey(question, c.key, c.modifiers, c.text, true);
            }
        });
        control<BoardControl>("resetButton")->activate();
        EXPECT_TRUE(seen.opened) << c.what;
        EXPECT_TRUE(seen.stillOpen) << c.what << ": the repeats answered the question";
        EXPECT_TRUE(seen.freshKeyAnswered) << c.what;
    }
    // On X11 the toolkit may miss the mark of a repeat: a release and a press of the same moment.
    const WhenAQuestionOpens seen([](QWidget* question) {
        QWidget* to = question->focusWidget() != nullptr ? question->focusWidget() : question;
        for (QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
            QKeyEvent repeat(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            repeat.setTimestamp(4028787);
            QApplication::sendEvent(to, &repeat);
        }
    });
    control<BoardControl>("resetButton")->activate();
    EXPECT_TRUE(seen.opened);
    EXPECT_TRUE(seen.stillOpen) << "a repeat without its mark answered the question";
    EXPECT_TRUE(seen.freshKeyAnswered);
}

// While a screen reader listens to the keys, Qt's accessibility bridge hands every key to the
// question as a copy without its time: a press after a release of the same key is still fresh.
TEST_F(Window, KeysCopiedByTheAccessibilityBridgeReachAQuestion) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto copied = [](QWidget* question, QEvent::Type type, Qt::Key key, const QString& text) {
        QKeyEvent copy(type, key, Qt::NoModifier, text);  // no time, as the bridge posts it
        QApplication::sendEvent(question->focusWidget(), &copy);
    };
    bool focusCameBack = false;
    const WhenAQuestionOpens seen([&](QWidget* question) {
        QWidget* const first = question->focusWidget();
        for (int tab = 0; tab < 2; ++tab) {
            copied(question, QEvent::KeyPress, Qt::Key_Tab, {});
            copied(question, QEvent::KeyRelease, Qt::Key_Tab, {});
        }
        focusCameBack = first != nullptr && question->focusWidget() == first;
        // The release of the Return that opened the question, then a fresh Return on Yes.
        copied(question, QEvent::KeyRelease, Qt::Key_Return, QStringLiteral("\r"));
        copied(question, QEvent::KeyPress, Qt::Key_Return, QStringLiteral("\r"));
    });
    control<BoardControl>("resetButton")->activate();
    ASSERT_TRUE(seen.opened);
    EXPECT_TRUE(focusCameBack) << "the second Tab was taken for a repeat";
    EXPECT_FALSE(seen.stillOpen) << "the fresh Return was taken for a repeat";
}

// While a question is open the board takes no input, an accessible action included, and an action
// refused then is not carried out after the answer.
TEST_F(Window, NoAccessibleActionActsBehindAQuestion) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* roll = control<BoardControl>("rollButton");
    auto* fiveOfAKind = control<BoardControl>("box12");
    const auto press = [](QWidget* on) {
        QAccessible::queryAccessibleInterface(on)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
    };
    struct Case {
        const char* target;
        bool queuedBeforeTheQuestion;  // asked for together with what opens the question
    };
    const Case cases[] = {
        {"rollButton", false}, {"die2", false}, {"box11", false},
        {"rollButton", true},  {"die2", true},  {"box11", true},
    };
    // A turn under way with rolls left: the five-of-a-kind box then asks before it takes a 0, and
    // No leaves the turn as it was for the next case.
    for (int i = 0; i < 3 && !roll->accessibleName().endsWith("2 rolls left"); ++i) {
        roll->activate();
    }
    ASSERT_TRUE(roll->accessibleName().endsWith("2 rolls left"));
    for (const Case& c : cases) {
        const std::string before = gameAsAPlayerSeesIt(window);
        QWidget* target = control(QString::fromLatin1(c.target));

        const WhenAQuestionOpens seen([&](QWidget*) {
            if (!c.queuedBeforeTheQuestion) {
                press(target);
            }
        });
        press(fiveOfAKind);
        if (c.queuedBeforeTheQuestion) {
            press(target);
        }
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();

        EXPECT_TRUE(seen.opened) << c.target;
        EXPECT_TRUE(seen.stillOpen) << c.target;
        EXPECT_EQ(gameAsAPlayerSeesIt(window), before)
            << c.target << (c.queuedBeforeTheQuestion ? ", queued before" : ", while open");
    }
}

TEST(DarkTheme, TheScorecardKeepsItsDarkInkOnTheWhiteCard) {
    auto drawCard = [] {
        WindowServices services;
        BoardWindow window(loadSkinPictures(), services.random, services.cues);
        window.findChild<TextBox*>("box3")->setText("12");
        window.findChild<TextBox*>("bonus")->setText("35");
        window.findChild<TextBox*>("total")->setText("147");
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

TEST(FeltDrag, TheGrabbedPointStaysUnderThePointerWhileTheButtonIsDown) {
    struct Case {
        const char* what;
        QPoint windowNow;
        QPointF at;  // the move, in the window as it stood when the move was reported
        QPointF global;
        bool buttonDown;
        std::optional<QPoint> to;
    };
    const Case cases[] = {
        {"a move", {100, 100}, {15, 12}, {115, 112}, true, QPoint(105, 102)},
        // The window already followed an earlier move that this one was reported before.
        {"a move older than the window's place",
         {105, 102},
         {20, 12},
         {120, 112},
         true,
         QPoint(110, 102)},
        {"the button came up before the window followed",
         {100, 100},
         {15, 12},
         {115, 112},
         false,
         std::nullopt},
    };
    for (const Case& c : cases) {
        FeltDrag drag;
        drag.press({10, 10});
        EXPECT_TRUE(drag.move(c.at, c.global)) << c.what;
        EXPECT_EQ(drag.follow(c.windowNow, c.buttonDown), c.to) << c.what;
        EXPECT_FALSE(drag.hasMoveToFollow()) << c.what;
    }
}

TEST(FeltDrag, TheWindowFollowsOnlyTheLatestMoveAndNeverAfterTheRelease) {
    FeltDrag drag;
    drag.press({10, 10});
    EXPECT_TRUE(drag.move({12, 10}, {112, 110}));
    EXPECT_FALSE(drag.move({30, 14}, {130, 114}));  // already waiting to be followed
    EXPECT_EQ(drag.follow({100, 100}, true), QPoint(120, 104));
    EXPECT_EQ(drag.follow({120, 104}, true), std::nullopt);  // nothing new to follow

    // A click on the felt: the release comes before the window would follow its move.
    drag.press({10, 10});
    EXPECT_TRUE(drag.move({40, 40}, {160, 144}));
    drag.release();
    EXPECT_FALSE(drag.hasMoveToFollow());
    EXPECT_EQ(drag.follow({120, 104}, true), std::nullopt);
}

// A press and a release of the left button on a control, given as the toolkit reports them.
TEST(ControlClick, OnlyALeftPressAndReleaseNotDraggedOffBeforehandClicks) {
    struct Step {
        enum { Press, Move, Release } kind;
        bool left;
        bool onControl;
        uint64_t time;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;  // the last is the release
        bool clicks;
    };
    using S = Step;
    const Case cases[] = {
        {"press and release on it",
         {{S::Press, true, true, 10}, {S::Release, true, true, 20}},
         true},
        {"the right button", {{S::Press, false, true, 10}, {S::Release, false, true, 20}}, false},
        {"the right pressed, the left released",
         {{S::Press, false, true, 10}, {S::Release, true, true, 20}},
         false},
        {"a release with no press before it", {{S::Release, true, true, 20}}, false},
        {"dragged off and released there",
         {{S::Press, true, true, 10}, {S::Move, true, false, 15}, {S::Release, true, false, 20}},
         false},
        {"dragged off and back on",
         {{S::Press, true, true, 10},
          {S::Move, true, false, 15},
          {S::Move, true, true, 18},
          {S::Release, true, true, 20}},
         true},
        // The X server reported the release where the next move went: the toolkit's move there
        // carries the release's own time.
        {"released where the next move went",
         {{S::Press, true, true, 10}, {S::Move, true, false, 20}, {S::Release, true, false, 20}},
         true},
        {"released off without a move there",
         {{S::Press, true, true, 10}, {S::Release, true, false, 20}},
         true},
    };
    for (const Case& c : cases) {
        ControlClick click;
        bool clicked = false;
        for (const Step& step : c.steps) {
            switch (step.kind) {
                case Step::Press:
                    click.press(step.left);
                    break;
                case Step::Move:
                    click.moveWithLeftHeld(step.onControl, step.time);
                    break;
                case Step::Release:
                    clicked = click.release(step.left, step.onControl, step.time);
                    break;
            }
        }
        EXPECT_EQ(clicked, c.clicks) << c.what;
    }
}

// The game's own PNG reader gives every picture of the skin, at 1x and 2x, as Qt's reader does:
// the same pixels in the same format.
TEST(PngReader, ReadsEveryPictureAsQtDoes) {
    for (const char* resource : skin::AllPictures) {
        QString path = QString::fromLatin1(resource);
        for (const QString& drawing : {path, path.insert(path.lastIndexOf('.'), "@2x")}) {
            QFile file(drawing);
            if (!file.open(QIODevice::ReadOnly)) {
                continue;  // not every picture has a 2x drawing
            }
            SCOPED_TRACE(drawing.toStdString());
            const QByteArray png = file.readAll();
            const QImage ours = readPng(png);
            const QImage qts = QImage::fromData(png, "PNG");
            ASSERT_FALSE(qts.isNull());
            EXPECT_EQ(ours.format(), qts.format());
            EXPECT_TRUE(ours == qts) << "the pixels differ";
        }
    }
}

// Pictures of 16 bits a sample are sRGB as Qt reads them; libpng, left alone, takes them for
// linear light and brightens them on the way to 8 bits (found by fuzzing).
TEST(PngReader, ReadsSixteenBitPicturesAsQtDoes) {
    const struct {
        const char* what;
        QImage::Format format;
    } cases[] = {
        {"RGB", QImage::Format_RGBX64},
        {"RGB with alpha", QImage::Format_RGBA64},
        {"grey", QImage::Format_Grayscale16},
    };
    for (const auto& c : cases) {
        QImage drawn(2, 2, c.format);
        drawn.setPixelColor(0, 0, QColor::fromRgba64(0x0102, 0x0304, 0x0506, 0xffff));
        drawn.setPixelColor(1, 0, QColor::fromRgba64(0x8000, 0x4000, 0x2000, 0x9000));
        drawn.setPixelColor(0, 1, QColor::fromRgba64(0xffff, 0xfffe, 0x7fff, 0x0100));
        drawn.setPixelColor(1, 1, QColor::fromRgba64(0x1234, 0xabcd, 0xfedc, 0xffff));
        QByteArray png;
        QBuffer buffer(&png);
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
        ASSERT_TRUE(drawn.save(&buffer, "PNG")) << c.what;
        const QImage ours = readPng(png);
        ASSERT_FALSE(ours.isNull()) << c.what;
        const QImage qts = QImage::fromData(png, "PNG").convertToFormat(ours.format());
        EXPECT_TRUE(ours == qts) << c.what << ": the pixels differ";
    }
}

// A damaged header may claim any size; as Qt's reader does, ours refuses a picture beyond the
// allocation limit rather than ask for its memory (found by fuzzing: a header claiming 17 GB).
TEST(PngReader, RefusesAPictureBeyondTheAllocationLimit) {
    QImage drawn(1024, 1024, QImage::Format_RGB32);  // 4 MB once read
    drawn.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(drawn.save(&buffer, "PNG"));
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(3);
    EXPECT_TRUE(readPng(png).isNull()) << "read beyond a limit of 3 MB";
    QImageReader::setAllocationLimit(5);
    EXPECT_FALSE(readPng(png).isNull()) << "refused within a limit of 5 MB";
    QImageReader::setAllocationLimit(limit);
}

TEST(PngReader, RefusesWhatIsNoWholePng) {
    QFile file(QString::fromLatin1(skin::DieFace(3)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray png = file.readAll();
    const struct {
        const char* what;
        QByteArray data;
    } cases[] = {
        {"nothing", {}},
        {"not a PNG", "GIF89a and then some"},
        {"cut short in its pixels", png.left(png.size() / 2)},
        {"only its header", png.left(33)},
        // libpng would first ask for the 2 GB the chunk claims (found by fuzzing).
        {"a text chunk longer than the file",
         png.left(33) + QByteArray::fromHex("7fff0000") + "tEXt"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(readPng(c.data).isNull()) << c.what;
    }
}

// What happened, in order: paints of a widget and sounds handed to the output.
using Happenings = std::vector<std::string>;

class RecordedOutput : public AudioOutput {
  public:
    explicit RecordedOutput(Happenings& log) : log_(log) {}
    void playFile(const std::string& path) override { log_.push_back("play " + path); }

  private:
    Happenings& log_;
};

class RecordedWidget : public QWidget {
  public:
    explicit RecordedWidget(Happenings& log) : log_(log) {}

  protected:
    void paintEvent(QPaintEvent*) override { log_.push_back("paint"); }

  private:
    Happenings& log_;
};

TEST(AfterFrameAudioOutput, ASoundFollowsTheFrameOfTheSameInput) {
    const struct {
        const char* input;
        bool repaintBefore;
        bool repaintAfter;
        Happenings expected;
    } cases[] = {
        {"a roll: the sound, then the dice", false, true, {"paint", "play roll.wav"}},
        {"a hold: the die, then the sound", true, false, {"paint", "play roll.wav"}},
        {"nothing to paint", false, false, {"play roll.wav"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        Happenings log;
        RecordedWidget widget(log);
        widget.resize(40, 40);
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
        QCoreApplication::processEvents();
        log.clear();
        RecordedOutput output(log);
        AfterFrameAudioOutput afterFrame(output);

        if (c.repaintBefore) {
            widget.update();
        }
        afterFrame.playFile("roll.wav");
        if (c.repaintAfter) {
            widget.update();
        }
        EXPECT_TRUE(log.empty()) << "handed on before the event loop ran";
        QCoreApplication::processEvents();
        EXPECT_EQ(log, c.expected);
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
