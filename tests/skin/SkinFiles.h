#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <string>

#include "assets/SkinAssets.h"

// Where the tests find the committed skin, and small helpers to read pictures by their key colour.
namespace quibbix::skin_test {

inline const std::string AssetsDir = QUIBBIX_ASSETS_DIR;

inline QImage committedPicture(const std::string& name) {
    return QImage(QString::fromStdString(AssetsDir + "/skin/" + name));
}

inline QRgb rgbOf(skin::Rgb color) {
    return qRgb(color.red, color.green, color.blue);
}

// Colour only, so pictures with and without an alpha channel compare alike.
inline QRgb colorAt(const QImage& picture, int x, int y) {
    return picture.pixel(x, y) | 0xFF000000u;
}

// The number of maximal stretches of non-key pixels in row y.
inline int runsInRow(const QImage& picture, int y, QRgb key) {
    int runs = 0;
    bool inRun = false;
    for (int x = 0; x < picture.width(); ++x) {
        const bool shape = colorAt(picture, x, y) != key;
        if (shape && !inRun)
            ++runs;
        inRun = shape;
    }
    return runs;
}

}  // namespace quibbix::skin_test
