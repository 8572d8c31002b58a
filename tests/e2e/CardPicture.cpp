// The scorecard painted by the game's own window, for the end-to-end tests to read the numbers on a
// screenshot exactly: the window is built as the game builds it, its fifteen score places are given
// the texts on the command line, and its picture is saved. Run on the same X server as the game, it
// paints with the same fonts and settings, so a place on the screen equals its place here pixel for
// pixel exactly when both show the same text.
// Usage: quibbix_card_picture OUT.png ONES TWOS ... CHANCE FIVE-OF-A-KIND BONUS TOTAL
// (fifteen texts, "-" for a blank place), or quibbix_card_picture --captions for the names of the
// fifteen places as the game speaks them, a line each.
#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <string>
#include <string_view>

#include "game/Box.h"
#include "platform/SeededRandom.h"
#include "window/BoardWindow.h"
#include "window/Controls.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--captions") {
        for (quibbix::Box box : quibbix::AllBoxes) {
            std::printf("%s\n", std::string(quibbix::captionOf(box).name).c_str());
        }
        std::printf("%s\n%s\n", std::string(quibbix::BonusCaption.name).c_str(),
                    std::string(quibbix::TotalCaption.name).c_str());
        return 0;
    }
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    constexpr int Places = quibbix::BoxCount + 2;
    if (arguments.size() != 2 + Places) {
        std::fprintf(stderr, "usage: quibbix_card_picture OUT.png and %d texts (- for blank)\n",
                     Places);
        return 2;
    }
    QStringList names;
    for (quibbix::Box box : quibbix::AllBoxes) {
        names << QStringLiteral("box%1").arg(quibbix::rowOf(box));
    }
    names << QStringLiteral("bonus") << QStringLiteral("total");

    // Nothing is rolled or heard: the window only paints the card.
    struct Silence : quibbix::CuePlayer {
        void play(quibbix::Cue) override {}
    } silence;
    quibbix::SeededRandom random(0.0F);
    quibbix::BoardWindow window(quibbix::loadSkinPictures(), random, silence);
    // As in the game, the score font arrives just after the board's first frame.
    window.grab();
    QCoreApplication::processEvents();
    for (int place = 0; place < Places; ++place) {
        auto* text = window.findChild<quibbix::TextBox*>(names[place]);
        if (text == nullptr) {
            std::fprintf(stderr, "the window has no %s\n", qPrintable(names[place]));
            return 1;
        }
        const QString& shown = arguments[2 + place];
        text->setText(shown == QLatin1String("-") ? QString() : shown);
    }
    if (!window.grab().save(arguments[1])) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(arguments[1]));
        return 1;
    }
    return 0;
}
