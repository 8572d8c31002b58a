#include "window/Controls.h"

#include <QMouseEvent>
#include <QPainter>

#include "assets/SkinAssets.h"
#include "platform/Twips.h"

namespace quibbix {

namespace {

const QColor ScoreInk(skin::ScoreInk.red, skin::ScoreInk.green, skin::ScoreInk.blue);

}  // namespace

BoardControl::BoardControl(QWidget* parent, TwipsRect rect) : QWidget(parent), rect_(rect) {
    // Moves over a control are its own: they must not reach the board background underneath.
    setMouseTracking(true);
    Place();
}

void BoardControl::SetLeft(int32_t twips) {
    rect_.left = twips;
    Place();
}

void BoardControl::SetTop(int32_t twips) {
    rect_.top = twips;
    Place();
}

void BoardControl::SetSize(int32_t widthTwips, int32_t heightTwips) {
    rect_.width = widthTwips;
    rect_.height = heightTwips;
    Place();
}

void BoardControl::Place() {
    setGeometry(PixelsFromTwips(rect_.left), PixelsFromTwips(rect_.top),
                PixelsFromTwips(rect_.width), PixelsFromTwips(rect_.height));
}

void BoardControl::mousePressEvent(QMouseEvent* event) {
    leftPressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void BoardControl::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = leftPressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    leftPressed_ = false;
    event->accept();
    if (click) {
        emit clicked();
    }
}

void BoardControl::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved();
}

void PictureBox::SetPicture(const QImage& picture) {
    picture_ = picture;
    SetSize(TwipsFromPixels(picture.width()), TwipsFromPixels(picture.height()));
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

ImageControl::ImageControl(QWidget* parent, TwipsRect rect, const QImage& picture)
    : PictureBox(parent, rect) {
    SetPicture(picture);
}

LabelControl::LabelControl(QWidget* parent, TwipsRect rect, bool framed)
    : BoardControl(parent, rect), framed_(framed) {}

void LabelControl::SetText(const QString& text) {
    if (text != text_) {
        text_ = text;
        update();
    }
}

void LabelControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (framed_) {
        painter.setPen(ScoreInk);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (!text_.isEmpty()) {
        painter.setPen(ScoreInk);
        painter.setFont(font());
        painter.drawText(rect().adjusted(2, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter, text_);
    }
}

LineControl::LineControl(QWidget* parent, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
    : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int left = PixelsFromTwips(std::min(x1, x2));
    const int top = PixelsFromTwips(std::min(y1, y2));
    const int right = PixelsFromTwips(std::max(x1, x2));
    const int bottom = PixelsFromTwips(std::max(y1, y2));
    setGeometry(left, top, right - left + 1, bottom - top + 1);
}

void LineControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ScoreInk);
}

}  // namespace quibbix
