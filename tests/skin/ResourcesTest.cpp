#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>

#include "tests/skin/SkinFiles.h"

namespace quibbix::skin_test {
namespace {

TEST(SkinResources, EveryPictureLoadsFromTheProgramAsCommitted) {
    for (const char* resource : skin::AllPictures) {
        SCOPED_TRACE(resource);
        const QImage built(resource);
        ASSERT_FALSE(built.isNull());
        const std::string file = QString(resource).section('/', -1).toStdString();
        EXPECT_TRUE(built == committedPicture(file));
    }
}

TEST(SkinResources, DieFacesAreNamedByTheirPips) {
    for (int pips = 1; pips <= 6; ++pips) {
        EXPECT_EQ(QString(skin::DieFace(pips)), QString(":/skin/die%1.png").arg(pips));
    }
}

TEST(SkinResources, ScoreFontLoadsUnderItsFamilyName) {
    ASSERT_TRUE(QFile::exists(skin::ScoreFontFile));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "skin_tests";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    const int id = QFontDatabase::addApplicationFont(skin::ScoreFontFile);
    ASSERT_GE(id, 0);
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(id).contains(skin::ScoreFontFamily));
}

}  // namespace
}  // namespace quibbix::skin_test
