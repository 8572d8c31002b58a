// quibbix_skin_generator <output-dir> [--preview <png-file>]
//
// Draws every picture of the skin into <output-dir>/skin/, the desktop's icon at each size into
// <output-dir>/icons/ and synthesizes every sound into <output-dir>/sounds/. Run with the project's
// assets/ folder as <output-dir> to renew the committed assets; the output is the same, byte for
// byte, on every run. --preview also writes the board as the player first sees it, dice, banner and
// a lit Roll button included, for the docs.

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <functional>

#include "assets/SkinAssets.h"
#include "tools/skin/Pictures.h"
#include "tools/skin/Sounds.h"

namespace {

using namespace quibbix::skin_generator;

void save(const QImage& picture, const QString& path) {
    if (!picture.save(path, "PNG")) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

int generate(const QString& outputDir, const QString& previewFile) {
    const QDir root(outputDir);
    if (!root.mkpath("skin") || !root.mkpath("sounds") || !root.mkpath("icons")) {
        throw std::runtime_error("cannot create the folders under " + outputDir.toStdString());
    }
    const Lettering lettering(QStringLiteral(QUIBBIX_SKIN_FONT));

    Skin skin;
    skin.board = makeBoard(lettering, 1);
    for (int pips = 1; pips <= 6; ++pips) skin.dieFaces[pips - 1] = makeDieFace(pips, 1);
    skin.banner = makeBanner(lettering, 1);
    skin.rollHover = makeRollButton(ButtonState::Hover, 1);
    skin.reset = makeResetButton(lettering, ButtonState::Normal, 1);
    skin.quit = makeQuitButton(lettering, ButtonState::Normal, 1);

    // Every picture of the window at 1x and, for screens of two device pixels to a pixel, at 2x,
    // named as Qt names such pictures: board.png and board@2x.png.
    const auto file = [&root](const char* resource, int scale = 1) {
        QString name = QString::fromLatin1(resource).remove(QStringLiteral(":/"));
        if (scale != 1) {
            name.insert(name.lastIndexOf('.'), QStringLiteral("@%1x").arg(scale));
        }
        return root.filePath(name);
    };
    for (const int scale : {1, 2}) {
        save(makeBoard(lettering, scale), file(quibbix::skin::Board, scale));
        for (int pips = 1; pips <= 6; ++pips) {
            save(makeDieFace(pips, scale), file(quibbix::skin::DieFace(pips), scale));
        }
        save(makeBanner(lettering, scale), file(quibbix::skin::Banner, scale));
        save(makeRollButton(ButtonState::Normal, scale), file(quibbix::skin::Roll, scale));
        save(makeRollButton(ButtonState::Hover, scale), file(quibbix::skin::RollHover, scale));
        save(makeResetButton(lettering, ButtonState::Normal, scale),
             file(quibbix::skin::Reset, scale));
        save(makeResetButton(lettering, ButtonState::Hover, scale),
             file(quibbix::skin::ResetHover, scale));
        save(makeQuitButton(lettering, ButtonState::Normal, scale),
             file(quibbix::skin::Quit, scale));
        save(makeQuitButton(lettering, ButtonState::Hover, scale),
             file(quibbix::skin::QuitHover, scale));
    }
    save(makeIcon(), file(quibbix::skin::Icon));
    save(makeNoEntryPointer(), file(quibbix::skin::NoEntry));
    // The sizes of the hicolor icon theme that desktops look in first.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        save(makeThemeIcon(size), root.filePath(QString("icons/%1.png").arg(size)));
    }

    const std::string sounds = root.filePath("sounds/").toStdString();
    const std::pair<const char*, std::function<Signal()>> cues[] = {
        {quibbix::skin::RollSound, makeRollDice},     {quibbix::skin::ShakeSound, makeShakeDice},
        {quibbix::skin::DieClickSound, makeSoftPlop}, {quibbix::skin::CheerSound, makeCheer},
        {quibbix::skin::ResetSound, makePop},
    };
    for (const auto& [name, make] : cues) writeWav(sounds + name, make());

    if (!previewFile.isEmpty())
        save(makePreview(skin), previewFile);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Headless by default: the generator needs fonts and painting, never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Paint through the same plain code paths on every processor, so the pixels cannot depend on
    // which vector instructions the machine offers.
    qputenv("QT_NO_CPU_FEATURE",
            "ssse3 sse4.1 sse4.2 avx avx2 fma f16c avx512f avx512bw avx512vl avx512dq avx512cd");
    QGuiApplication application(argc, argv);

    const QStringList arguments = application.arguments();
    QString outputDir;
    QString previewFile;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--preview" && i + 1 < arguments.size()) {
            previewFile = arguments[++i];
        } else if (outputDir.isEmpty()) {
            outputDir = arguments[i];
        } else {
            outputDir.clear();
            break;
        }
    }
    if (outputDir.isEmpty()) {
        std::fprintf(stderr, "usage: quibbix_skin_generator <output-dir> [--preview <png-file>]\n");
        return 2;
    }
    try {
        return generate(outputDir, previewFile);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quibbix_skin_generator: %s\n", error.what());
        return 1;
    }
}
