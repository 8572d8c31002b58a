#include "window/BoardWindow.h"

#include <QAccessible>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

#include "game/Scorecard.h"
#include "game/Scoring.h"
#include "platform/Twips.h"
#include "platform/qt/WindowSystem.h"
#include "table/DiceTable.h"
#include "window/Layout.h"
#include "window/Spoken.h"

namespace quibbix {

BoardWindow::BoardWindow(SkinPictures pictures, RandomSource& random, CuePlayer& sounds)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      skin_(std::move(pictures)),
      game_(*this, tableSize(), Services{random, questions_, sounds}) {
    setWindowTitle(QStringLiteral("QuibBix!"));
    setWindowIcon(skin_.icon());
    setFixedSize(pixelsFromTwips(layout::WindowWidth), pixelsFromTwips(layout::WindowHeight));
    // Two cuts of the one outline: the mask is the real cut on X11 and keeps clicks in the cut-away
    // corners going to the desktop on Wayland, where it cuts no pixel; the transparent pixels of
    // the board cut the picture wherever the window system composites (on Wayland, and on X11
    // through Xwayland, which does not cut by the mask). A compositor started later honours the
    // mask.
    if (windowSystemComposites()) {
        setAttribute(Qt::WA_TranslucentBackground);
    }
    setMask(skin_.boardOutline());
    setMouseTracking(true);
    installBoardAccessibility();
    createControls();
    connectControls();
    // The board itself holds the focus until a key moves it, so that no control shows the focus
    // mark while the game is played with the mouse.
    setFocus(Qt::OtherFocusReason);
    game_.start();
    describeControls();
}

// Created bottom first, so that each control lies over the ones made before it: the dice and the
// banner over everything drawn on the board, a higher die over a lower one, the banner on top.
void BoardWindow::createControls() {
    quitButton_ = new HoverButton(this, layout::QuitButton, skin_.quitButton().normal,
                                  skin_.quitButton().lit);
    quitButton_->setObjectName(QStringLiteral("quitButton"));
    total_ = new TextBox(this, layout::TotalBox, false);
    total_->setObjectName(QStringLiteral("total"));
    // From the bottom up: each box reaches a little into the one below, and the later widget lies
    // on top, so a click on that strip scores the upper box.
    for (auto box = AllBoxes.rbegin(); box != AllBoxes.rend(); ++box) {
        boxes_[*box] = new TextBox(this, layout::scoreBox(*box), true);
        boxes_[*box]->setObjectName(QStringLiteral("box%1").arg(rowOf(*box)));
    }
    minimiseSpot_ = new BoardControl(this, layout::MinimiseSpot);
    minimiseSpot_->setObjectName(QStringLiteral("minimiseSpot"));
    // Where the window system cannot minimise, the label is only painted: it takes no click and is
    // no control to the keyboard or a screen reader, rather than one that does nothing.
    if (!windowSystemMinimises()) {
        minimiseSpot_->hide();
    }
    closeSpot_ = new BoardControl(this, layout::CloseSpot);
    closeSpot_->setObjectName(QStringLiteral("closeSpot"));
    auto* divider = new DividerLine(this, {layout::DividerX, layout::DividerBottom},
                                    {layout::DividerX, layout::DividerTop});
    divider->setObjectName(QStringLiteral("divider"));
    bonus_ = new TextBox(this, layout::BonusBox, false);
    bonus_->setObjectName(QStringLiteral("bonus"));
    rollButton_ = new HoverButton(this, layout::RollButton, skin_.rollButton().normal,
                                  skin_.rollButton().lit);
    rollButton_->setObjectName(QStringLiteral("rollButton"));
    rollButton_->setCursor(skin_.noEntry());
    resetButton_ = new HoverButton(this, layout::ResetButton, skin_.resetButton().normal,
                                   skin_.resetButton().lit);
    resetButton_->setObjectName(QStringLiteral("resetButton"));

    for (int die = 0; die < DieCount; ++die) {
        dice_[die] = new PictureControl(this, layout::Dice[die]);
        dice_[die]->setObjectName(QStringLiteral("die%1").arg(die));
    }
    banner_ = new PictureControl(this, layout::Banner);
    banner_->setObjectName(QStringLiteral("banner"));
    banner_->showPicture(skin_.banner(), skin_.bannerOutline());
    banner_->hide();
    news_ = new NewsNotice(this);
    news_->setObjectName(QStringLiteral("news"));

    tabOrder_.push_back(rollButton_);
    tabOrder_.insert(tabOrder_.end(), dice_.begin(), dice_.end());
    tabOrder_.insert(tabOrder_.end(), boxes_.begin(), boxes_.end());
    tabOrder_.push_back(resetButton_);
    tabOrder_.push_back(quitButton_);
    focusGroups_ = {{rollButton_, resetButton_, quitButton_},
                    {dice_.begin(), dice_.end()},
                    {boxes_.begin(), boxes_.end()}};
    // Only the way above leads the focus; the rest are reached by their own keys or not at all.
    for (BoardControl* control :
         {static_cast<BoardControl*>(bonus_), static_cast<BoardControl*>(total_),
          static_cast<BoardControl*>(banner_), minimiseSpot_, closeSpot_}) {
        control->setFocusPolicy(Qt::NoFocus);
    }
}

// Names and roles as a screen reader tells them; the names that follow the game are kept up to
// date as the game shows its state.
void BoardWindow::describeControls() {
    rollButton_->setAccessibleTraits({.role = QAccessible::Button});
    resetButton_->describe(QStringLiteral("Reset"));
    quitButton_->describe(QStringLiteral("Quit"));
    minimiseSpot_->describe(QStringLiteral("Minimise"));
    closeSpot_->describe(QStringLiteral("Close"));
    banner_->setAccessibleTraits({.role = QAccessible::StaticText, .pressable = false});
    banner_->describe(QString::fromStdString(spoken::banner()));
    // The five-of-a-kind box and the total grow with every award, as far as the card holds.
    const double noCeiling = static_cast<double>(std::numeric_limits<int64_t>::max());
    for (Box box : AllBoxes) {
        const std::optional<int> most = mostPointsFor(box);
        boxes_[box]->setAccessibleTraits(
            {.role = QAccessible::Button, .maximumValue = most ? *most : noCeiling});
    }
    bonus_->setAccessibleTraits({.role = QAccessible::StaticText,
                                 .pressable = false,
                                 .maximumValue = static_cast<double>(UpperBonus)});
    total_->setAccessibleTraits(
        {.role = QAccessible::StaticText, .pressable = false, .maximumValue = noCeiling});
    showRollsLeft(rollsLeft_, cardFull_);
}

template <typename Action>
void BoardWindow::play(spoken::Move move, Action action) {
    const spoken::Board before = shownBoard();
    action();
    const std::string news = spoken::news(move, before, shownBoard());
    if (!news.empty()) {
        news_->tell(QString::fromStdString(news));
    }
}

spoken::Board BoardWindow::shownBoard() const {
    spoken::Board board;
    board.faces = shownFaces_;
    board.held = shownHeld_;
    for (Box box : AllBoxes) {
        board.boxes[box] = boxes_[box]->text().toStdString();
    }
    board.bonus = bonus_->text().toStdString();
    board.total = total_->text().toStdString();
    board.banner = banner_->isVisibleTo(this);
    board.rollsLeft = rollsLeft_;
    board.cardFull = cardFull_;
    return board;
}

void BoardWindow::connectControls() {
    connect(rollButton_, &BoardControl::clicked, this,
            [this] { play(spoken::Move::Roll, [this] { game_.roll(); }); });
    connect(rollButton_, &BoardControl::pointerMoved, this, [this] { game_.pointerOverRoll(); });
    connect(resetButton_, &BoardControl::clicked, this,
            [this] { play(spoken::Move::Reset, [this] { game_.reset(); }); });
    connect(quitButton_, &BoardControl::clicked, this, [this] {
        if (game_.confirmQuit()) {
            close();
        }
    });
    for (int die = 0; die < DieCount; ++die) {
        connect(dice_[die], &BoardControl::clicked, this,
                [this, die] { play(spoken::Move::Hold, [this, die] { game_.toggleDie(die); }); });
    }
    for (Box box : AllBoxes) {
        connect(boxes_[box], &BoardControl::clicked, this,
                [this, box] { play(spoken::Move::Score, [this, box] { game_.scoreBox(box); }); });
    }
    connect(minimiseSpot_, &BoardControl::clicked, this, &BoardWindow::minimise);
    connect(closeSpot_, &BoardControl::clicked, this, &QWidget::close);
}

void BoardWindow::minimise() {
    // The label was clicked, so the window is on the screen, whatever the toolkit believes. The
    // toolkit reads the window manager's state when it gets to the change, not as it was: when the
    // window was restored before then, it saw no change and still takes the window for minimised,
    // and would drop this request as a repeat of that one.
    if (isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    showMinimized();
}

void BoardWindow::showRollPointer(RollPointer pointer) {
    rollButton_->setCursor(pointer == RollPointer::Arrow ? QCursor(Qt::ArrowCursor)
                                                         : skin_.noEntry());
}

void BoardWindow::showRollsLeft(int rollsLeft, bool cardFull) {
    rollsLeft_ = rollsLeft;
    cardFull_ = cardFull;
    rollButton_->describe(QString::fromStdString(spoken::roll(rollsLeft, cardFull)));
    rollButton_->setAccessibleTraits({.role = QAccessible::Button, .unavailable = rollsLeft == 0});
}

void BoardWindow::useScoreFont() {
    if (scoreFontUsed_) {
        return;
    }
    scoreFontUsed_ = true;
    for (TextBox* box : boxes_) {
        box->setFont(skin_.scoreFont());
    }
    bonus_->setFont(skin_.scoreFont());
    total_->setFont(skin_.scoreFont());
}

void BoardWindow::showDie(int die, int pips, TwipsPoint position, bool held) {
    if (shownFaces_[die] != pips) {
        shownFaces_[die] = pips;
        dice_[die]->showPicture(skin_.face(pips), skin_.faceOutline(pips));
    }
    dice_[die]->moveTo(position);
    shownHeld_[die] = held;
    dice_[die]->describe(QString::fromStdString(spoken::die(die, pips, held)));
    dice_[die]->setAccessibleTraits(
        {.role = QAccessible::Button, .checkable = true, .checked = held});
}

void BoardWindow::showBox(Box box, const std::string& text) {
    if (!text.empty()) {
        useScoreFont();
    }
    boxes_[box]->setText(QString::fromStdString(text));
    describeBox(box);
}

void BoardWindow::showPointsOnOffer(Box box, std::optional<int> points) {
    pointsOnOffer_[box] = points;
    describeBox(box);
}

void BoardWindow::describeBox(Box box) {
    TextBox* shown = boxes_[box];
    shown->describe(
        QString::fromStdString(spoken::box(box, shown->text().toStdString(), pointsOnOffer_[box])));
}

void BoardWindow::showBonus(const std::string& text) {
    if (!text.empty()) {
        useScoreFont();
    }
    bonus_->setText(QString::fromStdString(text));
    bonus_->describe(QString::fromStdString(spoken::bonus(text)));
}

void BoardWindow::showTotal(const std::string& text) {
    if (!text.empty()) {
        useScoreFont();
    }
    total_->setText(QString::fromStdString(text));
    total_->describe(QString::fromStdString(spoken::total(text)));
}

void BoardWindow::showBanner(bool shown) {
    banner_->setVisible(shown);
    if (shown) {
        // The banner is news: a screen reader tells it without the player going to look.
        QAccessibleEvent event(banner_, QAccessible::Alert);
        QAccessible::updateAccessibility(&event);
    }
}

void BoardWindow::repaintNow() {
    repaint();
}

// The board as it stands on the screen, in whole pixels.
TableSize BoardWindow::tableSize() const {
    const QSize face = skin_.face(1).size();
    return {{twipsFromPixels(pixelsFromTwips(layout::WindowWidth)),
             twipsFromPixels(pixelsFromTwips(layout::WindowHeight))},
            {twipsFromPixels(face.width()), twipsFromPixels(face.height())},
            layout::TableCorner};
}

bool BoardWindow::event(QEvent* event) {
    // While a question was open the board saw no moves, and the toolkit takes a move to where the
    // pointer went meanwhile for no move at all: show the buttons as the pointer finds them now.
    if (event->type() == QEvent::WindowUnblocked) {
        const QPoint at = mapFromGlobal(QCursor::pos());
        if (rect().contains(at)) {
            showHoverAt(at);
        }
    }
    return QWidget::event(event);
}

void BoardWindow::showHoverAt(QPoint at) {
    QWidget* const under = childAt(at);
    if (under == nullptr) {
        putOutButtons();
    } else if (auto* button = qobject_cast<HoverButton*>(under)) {
        button->setLit(true);
    }
}

void BoardWindow::putOutButtons() {
    for (HoverButton* button : {quitButton_, resetButton_, rollButton_}) {
        button->setLit(false);
    }
}

void BoardWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The board is the bottom layer and the window's background is transparent: its pixels are
    // copied, not blended, so the felt repainted under moving dice costs a plain copy.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    skin_.board().paint(painter, {0, 0});
    if (!firstFramePainted_) {
        firstFramePainted_ = true;
        QTimer::singleShot(0, this, &BoardWindow::useScoreFont);
    }
}

void BoardWindow::mousePressEvent(QMouseEvent* event) {
    drag_.press(event->position());
    // Where a program may not place its own window, the window system moves it instead.
    if (event->button() == Qt::LeftButton && event->buttons() == Qt::LeftButton &&
        QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && windowHandle()) {
        windowHandle()->startSystemMove();
    }
}

void BoardWindow::mouseMoveEvent(QMouseEvent* event) {
    // Only the felt puts the buttons out: a move over a die or a box leaves them lit.
    putOutButtons();
    if (event->buttons() == Qt::LeftButton &&
        drag_.move(event->position(), event->globalPosition())) {
        QMetaObject::invokeMethod(this, &BoardWindow::followDrag, Qt::QueuedConnection);
    }
}

void BoardWindow::followDrag() {
    if (!drag_.hasMoveToFollow()) {
        return;
    }
    if (const std::optional<QPoint> to = drag_.follow(pos(), leftButtonDownNow())) {
        move(*to);
    }
}

void BoardWindow::mouseReleaseEvent(QMouseEvent* event) {
    drag_.release();
    // A press on the felt released over a control: that control sees the pointer arrive.
    const QPoint at = event->position().toPoint();
    if (childAt(at) != nullptr) {
        showPointerAt(this, at);
    }
}

// The keys play as the pointer does: each one runs the click it stands for, rules and questions
// included. Held keys do not repeat an action.
void BoardWindow::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    BoardControl* target = nullptr;
    if (modifiers == Qt::ControlModifier && key == Qt::Key_N) {
        target = resetButton_;
    } else if (modifiers == Qt::ControlModifier && key == Qt::Key_Q) {
        target = quitButton_;
    } else if (modifiers == Qt::NoModifier && key == Qt::Key_R) {
        target = rollButton_;
    } else if (modifiers == Qt::NoModifier && key >= Qt::Key_1 && key < Qt::Key_1 + DieCount) {
        target = dice_[static_cast<size_t>(key - Qt::Key_1)];
    } else if (modifiers == Qt::NoModifier &&
               (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        target = qobject_cast<BoardControl*>(focusWidget());
    } else if (modifiers == Qt::NoModifier && (key == Qt::Key_Left || key == Qt::Key_Up ||
                                               key == Qt::Key_Right || key == Qt::Key_Down)) {
        const int step = key == Qt::Key_Left || key == Qt::Key_Up ? -1 : 1;
        const auto inGroup = [this](const std::vector<BoardControl*>& group) {
            return std::find(group.begin(), group.end(), focusWidget()) != group.end();
        };
        const auto group = std::find_if(focusGroups_.begin(), focusGroups_.end(), inGroup);
        moveFocus(group == focusGroups_.end() ? tabOrder_ : *group, step);
        return;
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    if (target && !event->isAutoRepeat()) {
        target->activate();
    }
}

bool BoardWindow::focusNextPrevChild(bool next) {
    moveFocus(tabOrder_, next ? 1 : -1);
    return true;
}

void BoardWindow::moveFocus(const std::vector<BoardControl*>& controls, int step) {
    const auto count = static_cast<int>(controls.size());
    const auto at = std::find(controls.begin(), controls.end(), focusWidget());
    int next = step > 0 ? 0 : count - 1;
    if (at != controls.end()) {
        next = (static_cast<int>(at - controls.begin()) + step + count) % count;
    }
    controls[static_cast<size_t>(next)]->setFocus(step > 0 ? Qt::TabFocusReason
                                                           : Qt::BacktabFocusReason);
}

}  // namespace quibbix
