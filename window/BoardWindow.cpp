#include "window/BoardWindow.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <cstdlib>

#include "platform/Twips.h"
#include "window/Layout.h"

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace quibbix {

namespace {

// Whether the left button is down at this moment, as the X server has it. Input that queued up
// while the program was busy reaches the window through the toolkit with a click's release moved
// behind the next move, and that move claims the button still held: a click on the felt then
// dragged the window away. Without X (no such reordering known), the event's word stands.
bool leftButtonDownNow() {
#if QT_CONFIG(xcb)
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return true;
    }
    xcb_connection_t* const connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_query_pointer_reply_t* const reply =
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr);
    if (reply == nullptr) {
        return false;
    }
    const bool down = (reply->mask & XCB_BUTTON_MASK_1) != 0;
    std::free(reply);
    return down;
#else
    return true;
#endif
}

}  // namespace

BoardWindow::BoardWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("QuibBix!"));
    setWindowIcon(skin_.icon());
    setFixedSize(pixelsFromTwips(layout::WindowWidth), pixelsFromTwips(layout::WindowHeight));
    setMask(skin_.boardOutline());
    setMouseTracking(true);
    createControls();
    connectControls();
    game_.start();
}

// Created bottom first, so that each control lies over the ones made before it: the dice and the
// banner over everything drawn on the board, a higher die over a lower one, the banner on top.
void BoardWindow::createControls() {
    quitButton_ = new HoverButton(this, layout::QuitButton, skin_.quitButton().normal,
                                  skin_.quitButton().lit);
    quitButton_->setObjectName(QStringLiteral("quitButton"));
    total_ = new TextBox(this, layout::TotalBox, false);
    total_->setObjectName(QStringLiteral("total"));
    for (int box = BoxCount - 1; box >= 0; --box) {
        boxes_[box] = new TextBox(this, layout::scoreBox(box), true);
        boxes_[box]->setObjectName(QStringLiteral("box%1").arg(box));
    }
    minimiseSpot_ = new BoardControl(this, layout::MinimiseSpot);
    minimiseSpot_->setObjectName(QStringLiteral("minimiseSpot"));
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

    for (TextBox* box : boxes_) {
        box->setFont(skin_.scoreFont());
    }
    bonus_->setFont(skin_.scoreFont());
    total_->setFont(skin_.scoreFont());
}

void BoardWindow::connectControls() {
    connect(rollButton_, &BoardControl::clicked, this, [this] { game_.roll(); });
    connect(rollButton_, &BoardControl::pointerMoved, this, &BoardWindow::pointerOverRoll);
    connect(resetButton_, &BoardControl::clicked, this, [this] { game_.reset(); });
    connect(quitButton_, &BoardControl::clicked, this, [this] {
        if (game_.confirmQuit()) {
            close();
        }
    });
    for (int die = 0; die < DieCount; ++die) {
        connect(dice_[die], &BoardControl::clicked, this, [this, die] { game_.toggleDie(die); });
    }
    for (int box = 0; box < BoxCount; ++box) {
        connect(boxes_[box], &BoardControl::clicked, this, [this, box] { game_.scoreBox(box); });
    }
    connect(minimiseSpot_, &BoardControl::clicked, this, &QWidget::showMinimized);
    connect(closeSpot_, &BoardControl::clicked, this, &QWidget::close);
}

void BoardWindow::pointerOverRoll() {
    const bool rollWouldGo = game_.pointerOverRoll() == RollPointer::Arrow;
    rollButton_->setCursor(rollWouldGo ? QCursor(Qt::ArrowCursor) : skin_.noEntry());
}

void BoardWindow::showDie(int die, int face, TwipsPoint position) {
    if (shownFaces_[die] != face) {
        shownFaces_[die] = face;
        dice_[die]->showPicture(skin_.face(face), skin_.faceOutline(face));
    }
    dice_[die]->moveTo(position);
}

void BoardWindow::showBox(int box, const std::string& text) {
    boxes_[box]->setText(QString::fromStdString(text));
}

void BoardWindow::showBonus(const std::string& text) {
    bonus_->setText(QString::fromStdString(text));
}

void BoardWindow::showTotal(const std::string& text) {
    total_->setText(QString::fromStdString(text));
}

void BoardWindow::showBanner(bool shown) {
    banner_->setVisible(shown);
}

void BoardWindow::repaintNow() {
    repaint();
}

TwipsSize BoardWindow::boardSize() const {
    return {twipsFromPixels(width()), twipsFromPixels(height())};
}

TwipsSize BoardWindow::dieSize() const {
    return {twipsFromPixels(skin_.face(0).width()), twipsFromPixels(skin_.face(0).height())};
}

void BoardWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, skin_.board());
}

void BoardWindow::mousePressEvent(QMouseEvent* event) {
    // The grab point is kept in whole twips, halves going to the even neighbour: the window then
    // follows the pointer by exactly the twips it moved, rounded the same way.
    const QPointF at = event->position();
    dragPress_ = {roundHalfEven(at.x() * TwipsPerPixel), roundHalfEven(at.y() * TwipsPerPixel)};
    // Where a program may not place its own window, the window system moves it instead.
    if (event->button() == Qt::LeftButton && event->buttons() == Qt::LeftButton &&
        QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && windowHandle()) {
        windowHandle()->startSystemMove();
    }
}

void BoardWindow::mouseMoveEvent(QMouseEvent* event) {
    // Only the felt puts the buttons out: a move over a die or a box leaves them lit.
    for (HoverButton* button : {quitButton_, resetButton_, rollButton_}) {
        button->setLit(false);
    }
    if (event->buttons() != Qt::LeftButton || !leftButtonDownNow()) {
        return;
    }
    // The point grabbed at the press stays under the pointer. A motion's window-relative position
    // is only as fresh as the last move the X server carried out; adding it to where the window
    // already went made a fast drag overshoot. So it is set against where the window is now: the
    // window stands at whole pixels, and only that whole lag is taken off.
    const QPointF windowThen = event->globalPosition() - event->position();
    const QPointF lag = QPointF(pos()) - windowThen;
    const QPointF at =
        event->position() - QPointF(static_cast<int>(lag.x()), static_cast<int>(lag.y()));
    const int32_t dx = roundHalfEven(at.x() * TwipsPerPixel - dragPress_.left);
    const int32_t dy = roundHalfEven(at.y() * TwipsPerPixel - dragPress_.top);
    move(x() + pixelsFromTwips(dx), y() + pixelsFromTwips(dy));
}

}  // namespace quibbix
