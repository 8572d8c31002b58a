#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QRegion>
#include <QRegularExpression>

#include "platform/Twips.h"
#include "tests/regions/PixelRows.h"
#include "tests/regions/SlowReferenceRegion.h"
#include "window/RegionFromPicture.h"

namespace quibbix {
namespace {

QStringList skinPictures() {
    return QDir(QStringLiteral(QUIBBIX_SKIN_DIR))
        .entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
}

TEST(SkinRegions, EveryPictureMatchesThePixelByPixelScan) {
    const QStringList names = skinPictures();
    ASSERT_FALSE(names.isEmpty()) << "no pictures in " << QUIBBIX_SKIN_DIR;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QImage picture;
        ASSERT_TRUE(picture.load(QStringLiteral(QUIBBIX_SKIN_DIR "/") + name));
        const int32_t widthTwips = twipsFromPixels(picture.width());
        const int32_t heightTwips = twipsFromPixels(picture.height());
        int32_t key = 0;
        int32_t referenceKey = 0;
        const QRegion region = regionFromPicture(picture, widthTwips, heightTwips, key);
        const QRegion reference =
            slowReferenceRegion(picture, widthTwips, heightTwips, referenceKey);
        EXPECT_EQ(key, referenceKey);
        EXPECT_EQ(pixelRowsOf(region), pixelRowsOf(reference));
        EXPECT_EQ(bandingFault(region), "");
    }
}

TEST(SkinRegions, EachDieFaceGivesOneRunInEachOfItsRows) {
    const QStringList names =
        skinPictures().filter(QRegularExpression(QStringLiteral("^die[1-6]\\.png$")));
    ASSERT_EQ(names.size(), 6) << "die faces in " << QUIBBIX_SKIN_DIR;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QImage face;
        ASSERT_TRUE(face.load(QStringLiteral(QUIBBIX_SKIN_DIR "/") + name));
        int32_t key = 0;
        const PixelRows rows = pixelRowsOf(regionFromPicture(face, 1050, 1005, key));
        ASSERT_EQ(rows.size(), 67u);
        for (const auto& [y, runs] : rows) {
            EXPECT_EQ(runs.size(), 1u) << "row " << y;
        }
    }
}

}  // namespace
}  // namespace quibbix
