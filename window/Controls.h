#pragma once

#include <QAccessible>
#include <QImage>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <optional>

#include "platform/Twips.h"
#include "window/ControlClick.h"
#include "window/Picture.h"

// The controls of the board. Each is placed in twips and stands at the nearest pixel.
namespace quibbix {

// How a control shows itself to assistive technology besides its accessible name.
struct AccessibleTraits {
    QAccessible::Role role = QAccessible::Button;
    bool checkable = false;
    bool checked = false;
    bool unavailable = false;  // refuses its action for now, though the pointer still reaches it
    bool pressable = true;     // it has an action: the same as a click on it
    // It shows a number, from 0 up to this, through the value interface as well as its name.
    std::optional<double> maximumValue = std::nullopt;
};

// A place on the board that takes the click of the left button (pressed and released on it).
// Pointer moves over it are its own: they never reach the board underneath. The keyboard reaches it
// through the board's focus (Tab, never a click), and it then shows the focus mark.
class BoardControl : public QWidget {
    Q_OBJECT
  public:
    BoardControl(QWidget* parent, TwipsRect rect);

    void moveTo(TwipsPoint position);

    // What a click on it does, for the keyboard and for assistive technology.
    void activate() { emit clicked(); }

    const AccessibleTraits& accessibleTraits() const { return traits_; }
    void setAccessibleTraits(const AccessibleTraits& traits);
    // Sets the name and tells assistive technology when it changed.
    void describe(const QString& name);
    // The number it shows, for the value interface; none while it shows none.
    virtual std::optional<double> shownValue() const { return std::nullopt; }

  signals:
    void clicked();
    void pointerMoved();

  protected:
    void resizeInTwips(TwipsSize size);
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Draws the focus mark over what the control has painted, while it has the focus.
    void paintFocusMark(QPainter& painter, int radius) const;

  private:
    void place();

    TwipsRect rect_;
    ControlClick click_;
    AccessibleTraits traits_;
};

// Hands the board a move to where a release left the pointer (see BoardControl::mouseReleaseEvent),
// to the control there or to the board itself.
void showPointerAt(QWidget* board, QPoint inBoard);

// The accessibility of the board's controls, given to Qt once before any window shows.
void installBoardAccessibility();

// A picture in a window of its own, the size of the picture, cut to an outline: a die, the banner.
class PictureControl : public BoardControl {
    Q_OBJECT
  public:
    using BoardControl::BoardControl;

    const QImage& picture() const { return picture_.image(); }
    void showPicture(const Picture& picture, const QRegion& outline);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Picture picture_;
};

// A button drawn on the felt: its normal picture, or its lit one while the pointer is over it.
class HoverButton : public BoardControl {
    Q_OBJECT
  public:
    HoverButton(QWidget* parent, TwipsRect rect, const Picture& normal, const Picture& lit);

    bool isLit() const { return lit_; }
    void setLit(bool lit);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    Picture normal_;
    Picture litPicture_;
    bool lit_ = false;
};

// Transparent text, right-aligned, with an optional one-pixel flat frame.
class TextBox : public BoardControl {
    Q_OBJECT
  public:
    TextBox(QWidget* parent, TwipsRect rect, bool framed);

    const QString& text() const { return text_; }
    // Tells assistive technology of the new value, when the box shows a number.
    void setText(const QString& text);
    std::optional<double> shownValue() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    bool framed_;
};

// What a move just changed on the board, for a screen reader: a notification that appears with
// the news as its name, which screen readers speak as it appears. It takes no room and paints
// nothing: the board shows the same news in its pictures.
class NewsNotice : public QWidget {
    Q_OBJECT
  public:
    explicit NewsNotice(QWidget* board);

    // Tells the news at once, or, while the board is not the active window (a question has just
    // closed), once it is again: a screen reader then reads the window and the focus anew, which
    // would cut the news short.
    void tell(const QString& news);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void appear(const QString& news);

    QString untold_;
};

// A one-pixel solid line; it takes no mouse input.
class DividerLine : public QWidget {
    Q_OBJECT
  public:
    DividerLine(QWidget* parent, TwipsPoint from, TwipsPoint to);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quibbix
