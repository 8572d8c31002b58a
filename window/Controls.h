#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>

// The controls of the board. Each keeps its place and size in twips exactly as written, so a value
// read back equals the value written; on screen they stand at the nearest pixel.
namespace quibbix {

struct TwipsRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Common base: twips geometry and the click of the left button (pressed and released on the
// control).
class BoardControl : public QWidget {
    Q_OBJECT
  public:
    BoardControl(QWidget* parent, TwipsRect rect);

    int32_t Left() const { return rect_.left; }
    int32_t Top() const { return rect_.top; }
    int32_t Width() const { return rect_.width; }
    int32_t Height() const { return rect_.height; }
    void SetLeft(int32_t twips);
    void SetTop(int32_t twips);
    void SetSize(int32_t widthTwips, int32_t heightTwips);

  signals:
    void clicked();
    void mouseMoved();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void Place();

    TwipsRect rect_;
    bool leftPressed_ = false;
};

// A child window that shows its picture at its top-left corner and takes the picture's size. The
// picture stays readable while the box is hidden; the box can be cut to a shape.
class PictureBox : public BoardControl {
    Q_OBJECT
  public:
    using BoardControl::BoardControl;

    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};

// A picture drawn at its own size on the board; never shaped.
class ImageControl : public PictureBox {
    Q_OBJECT
  public:
    ImageControl(QWidget* parent, TwipsRect rect, const QImage& picture);
};

// Transparent text, right-aligned, with an optional one-pixel flat frame.
class LabelControl : public BoardControl {
    Q_OBJECT
  public:
    LabelControl(QWidget* parent, TwipsRect rect, bool framed);

    const QString& Text() const { return text_; }
    void SetText(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    bool framed_;
};

// A one-pixel solid line; it takes no mouse input.
class LineControl : public QWidget {
    Q_OBJECT
  public:
    LineControl(QWidget* parent, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quibbix
