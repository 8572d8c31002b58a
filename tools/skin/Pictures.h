#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>

#include "tools/skin/Paint.h"

// Every picture of the skin, each drawn from nothing but code and the committed font.
namespace quibbix::skin_generator {

// How a die is coloured: its bevelled rim, its top face and its pips.
struct DieLook {
    QColor rimLight;
    QColor rimDark;
    QColor faceTop;
    QColor faceBottom;
    QColor pipLight;
    QColor pipShade;
    QColor pipRim;
    QColor gloss;
    double pipScale = 1.0;  // small dice need larger pips to read
};
DieLook redDie();
// The curve of a die's corners in `box`.
double dieCornerRadius(const QRectF& box);
// Paints a die showing `pips` into `box` (in the painter's current coordinates).
void paintDie(QPainter& painter, const QRectF& box, int pips, const DieLook& look);

// Each picture of the window is drawn at `scale` (1 or 2) times its size, for screens of that many
// device pixels to a pixel: the same drawing at a finer grain, its outline the 1x outline scaled.
QImage makeBoard(const Lettering& lettering, int scale);
QImage makeDieFace(int pips, int scale);
QImage makeBanner(const Lettering& lettering, int scale);
enum class ButtonState { Normal, Hover };
QImage makeResetButton(const Lettering& lettering, ButtonState state, int scale);
QImage makeQuitButton(const Lettering& lettering, ButtonState state, int scale);
QImage makeRollButton(ButtonState state, int scale);
// Paints the two dice of the program icon into a square box of side `side` at the origin.
void paintIconDice(QPainter& painter, double side);
// The window's icon: the two dice at 32 pixels.
QImage makeIcon();
// The icon of the desktop's icon theme at `size` pixels square, drawn for that size.
QImage makeThemeIcon(int size);
QImage makeNoEntryPointer();

// The board as a player sees it at the start, with the banner shown and Roll lit, for the docs.
struct Skin {
    QImage board;
    QImage dieFaces[6];
    QImage banner;
    QImage rollHover;
    QImage reset;
    QImage quit;
};
QImage makePreview(const Skin& skin);

}  // namespace quibbix::skin_generator
