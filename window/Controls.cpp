#include "window/Controls.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <limits>
#include <utility>

#include "assets/SkinAssets.h"
#include "platform/Twips.h"

namespace quibbix {

namespace {

QColor colour(skin::Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

const QColor ScoreInk = colour(skin::ScoreInk);

bool questionOpen() {
    return QApplication::activeModalWidget() != nullptr;
}

QVariant accessibleValue(std::optional<double> value) {
    return value.value_or(std::numeric_limits<double>::quiet_NaN());
}

// A board control as assistive technology sees it: its role, name and state, and its click as the
// press action. The action runs after the request has been answered, since it may open a question.
class AccessibleBoardControl : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit AccessibleBoardControl(BoardControl* control)
        : QAccessibleWidget(control, control->accessibleTraits().role) {}

    // A control that shows a number offers the value interface all the time, even while it shows
    // none: a screen reader may take an object's interfaces once and keep them, and a value that
    // comes and goes with its interface could not announce that it went.
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return control()->accessibleTraits().maximumValue
                       ? static_cast<QAccessibleValueInterface*>(this)
                       : nullptr;
        }
        return QAccessibleWidget::interface_cast(type);
    }

    // An open box or an empty bonus or total holds no number, which is not 0: it reads as NaN,
    // since the AT-SPI bridge turns any value into a double and an empty one into 0.
    QVariant currentValue() const override { return accessibleValue(control()->shownValue()); }
    // Only the game writes a score.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override {
        return control()->accessibleTraits().maximumValue.value_or(0.0);
    }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 1.0; }

    QAccessible::Role role() const override { return control()->accessibleTraits().role; }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const AccessibleTraits& traits = control()->accessibleTraits();
        state.checkable = traits.checkable;
        state.checked = traits.checked;
        state.disabled = state.disabled || traits.unavailable;
        return state;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (control()->accessibleTraits().pressable) {
            names.prepend(pressAction());
        }
        return names;
    }

    // While a question is open the board takes no input. The toolkit blocks input events only, and
    // an action is a call: it is refused here when it comes and again when it comes due, since one
    // queued before a question opened would run inside the question's event loop. A refused action
    // is dropped, not kept for later.
    void doAction(const QString& action) override {
        if (questionOpen()) {
            return;
        }
        if (action == pressAction() && control()->accessibleTraits().pressable) {
            QMetaObject::invokeMethod(
                control(),
                [control = control()] {
                    if (!questionOpen()) {
                        control->activate();
                    }
                },
                Qt::QueuedConnection);
            return;
        }
        QAccessibleWidget::doAction(action);
    }

  private:
    BoardControl* control() const { return static_cast<BoardControl*>(widget()); }
};

QAccessibleInterface* boardAccessibility(const QString&, QObject* object) {
    if (auto* control = qobject_cast<BoardControl*>(object)) {
        return new AccessibleBoardControl(control);
    }
    if (auto* notice = qobject_cast<NewsNotice*>(object)) {
        return new QAccessibleWidget(notice, QAccessible::Notification);
    }
    if (auto* line = qobject_cast<DividerLine*>(object)) {
        return new QAccessibleWidget(line, QAccessible::Separator);
    }
    return nullptr;
}

}  // namespace

void installBoardAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(boardAccessibility);
        return true;
    }();
    (void)installed;
}

BoardControl::BoardControl(QWidget* parent, TwipsRect rect) : QWidget(parent), rect_(rect) {
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    place();
}

void BoardControl::setAccessibleTraits(const AccessibleTraits& traits) {
    const bool stateChanged = traits.checked != traits_.checked ||
                              traits.unavailable != traits_.unavailable ||
                              traits.checkable != traits_.checkable;
    traits_ = traits;
    if (stateChanged) {
        QAccessible::State changed;
        changed.checked = true;
        changed.disabled = true;
        changed.checkable = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void BoardControl::describe(const QString& name) {
    // Qt announces the new name to assistive technology; an unchanged name is not news.
    if (name != accessibleName()) {
        setAccessibleName(name);
    }
}

void BoardControl::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void BoardControl::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

// A rounded ring just inside the control: a dark edge on both sides of a band of amber. Its widths
// are in pixels of the board, so it scales with the board and stays crisp at any whole scale.
void BoardControl::paintFocusMark(QPainter& painter, int radius) const {
    if (!hasFocus()) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    const QRectF outer = QRectF(rect()).adjusted(1, 1, -1, -1);
    painter.setPen(QPen(colour(skin::FocusEdge), 4));
    painter.drawRoundedRect(outer.adjusted(1, 1, -1, -1), radius, radius);
    painter.setPen(QPen(colour(skin::FocusGlow), 2));
    painter.drawRoundedRect(outer.adjusted(1, 1, -1, -1), radius, radius);
    painter.restore();
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
    click_.press(event->button() == Qt::LeftButton);
    event->accept();
}

void BoardControl::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool click =
        click_.release(event->button() == Qt::LeftButton, rect().contains(at), event->timestamp());
    event->accept();
    if (click) {
        emit clicked();
    }
    if (!rect().contains(at) && parentWidget() != nullptr) {
        showPointerAt(parentWidget(), mapToParent(at));
    }
}

// The toolkit takes a release's position for the pointer's and passes over a following move to
// the same spot as no move at all. When the release was reported where that move went, nothing
// else would tell the board that the pointer arrived there: a button would stay lit over the felt,
// or stay dim under the pointer.
void showPointerAt(QWidget* board, QPoint inBoard) {
    QWidget* const under = board->childAt(inBoard);
    QWidget* const target = under != nullptr ? under : board;
    const QPoint local = target->mapFrom(board, inBoard);
    QMouseEvent move(QEvent::MouseMove, local, target->mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
}

void BoardControl::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        click_.moveWithLeftHeld(rect().contains(event->position().toPoint()), event->timestamp());
    }
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
    paintFocusMark(painter, 10);
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
    paintFocusMark(painter, 12);
}

TextBox::TextBox(QWidget* parent, TwipsRect rect, bool framed)
    : BoardControl(parent, rect), framed_(framed) {}

void TextBox::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    update();
    if (accessibleTraits().maximumValue) {
        QAccessibleValueChangeEvent event(this, accessibleValue(shownValue()));
        QAccessible::updateAccessibility(&event);
    }
}

std::optional<double> TextBox::shownValue() const {
    bool isNumber = false;
    const qlonglong value = text_.toLongLong(&isNumber);
    return isNumber ? std::optional<double>(static_cast<double>(value)) : std::nullopt;
}

void TextBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (framed_) {
        painter.setPen(ScoreInk);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    paintFocusMark(painter, 4);
    if (!text_.isEmpty()) {
        painter.setPen(ScoreInk);
        painter.setFont(font());
        painter.drawText(rect().adjusted(2, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter, text_);
    }
}

NewsNotice::NewsNotice(QWidget* board) : QWidget(board) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    setAccessibleName(QStringLiteral("No news yet"));
    hide();
    board->installEventFilter(this);
}

void NewsNotice::tell(const QString& news) {
    if (window()->isActiveWindow()) {
        appear(news);
    } else {
        untold_ = news;
    }
}

// Told after what the activation makes a screen reader say.
bool NewsNotice::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !untold_.isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this] { appear(std::exchange(untold_, QString())); }, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

// Shown anew for every piece of news, even the same words twice: a screen reader speaks a
// notification when it appears, not when its name changes.
void NewsNotice::appear(const QString& news) {
    hide();
    setAccessibleName(news);
    show();
}

DividerLine::DividerLine(QWidget* parent, TwipsPoint from, TwipsPoint to) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(QStringLiteral("Score column divider"));
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
