#include "window/Controls.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "assets/SkinAssets.h"
#include "platform/Twips.h"

namespace quibbix {

namespace {

const QColor ScoreInk(skin::ScoreInk.red, skin::ScoreInk.green, skin::ScoreInk.blue);

}  // namespace

BoardControl::BoardControl(QWidget* parent, TwipsRect rect) : QWidget(parent), rect_(rect) {
    setMouseTracking(true);
    place();
}

void BoardControl::moveTo(TwipsPoint position) {
    rect_.left = position.left;
    rect_.top = position.top;
    place();
}

void BoardControl::resizeInTwips(TwipsSize size) {
    rect_.width = size.width;
    rect_.height = size.height;
    place();
}

void BoardControl::place() {
    setGeometry(pixelsFromTwips(rect_.left), pixelsFromTwips(rect_.top),
                pixelsFromTwips(rect_.width), pixelsFromTwips(rect_.height));
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
    emit pointerMoved();
}

void PictureControl::showPicture(const Picture& picture, const QRegion& outline) {
    picture_ = picture;
    resizeInTwips(
        {twipsFromPixels(picture.size().width()), twipsFromPixels(picture.size().height())});
    // Qt reads an empty mask as "no mask"; an outline with no pixels must show nothing at all.
    setMask(outline.isEmpty() ? QRegion(-1, -1, 1, 1) : outline);
    update();
}

void PictureControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    picture_.paint(painter, {0, 0});
}

HoverButton::HoverButton(QWidget* parent, TwipsRect rect, const Picture& normal, const Picture& lit)
    : BoardControl(parent, rect), normal_(normal), litPicture_(lit) {
    resizeInTwips(
        {twipsFromPixels(normal.size().width()), twipsFromPixels(normal.size().height())});
}

void HoverButton::setLit(bool lit) {
    if (lit != lit_) {
        lit_ = lit;
        update();
    }
}

void HoverButton::mouseMoveEvent(QMouseEvent* event) {
    setLit(true);  // stays lit until the pointer next moves over the felt
    BoardControl::mouseMoveEvent(event);
}

void HoverButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    (lit_ ? litPicture_ : normal_).paint(painter, {0, 0});
}

TextBox::TextBox(QWidget* parent, TwipsRect rect, bool framed)
    : BoardControl(parent, rect), framed_(framed) {}

void TextBox::setText(const QString& text) {
    if (text != text_) {
        text_ = text;
        update();
    }
}

void TextBox::paintEvent(QPaintEvent*) {
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

DividerLine::DividerLine(QWidget* parent, TwipsPoint from, TwipsPoint to) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int left = pixelsFromTwips(std::min(from.left, to.left));
    const int top = pixelsFromTwips(std::min(from.top, to.top));
    const int right = pixelsFromTwips(std::max(from.left, to.left));
    const int bottom = pixelsFromTwips(std::max(from.top, to.top));
    setGeometry(left, top, right - left + 1, bottom - top + 1);
}

void DividerLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ScoreInk);
}

}  // namespace quibbix
