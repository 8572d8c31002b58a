#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <optional>
#include <utility>

#include "platform/SeededRandom.h"
#include "platform/pulse/PulseAudioOutput.h"
#include "platform/qt/QtServices.h"
#include "sound/FileCuePlayer.h"
#include "window/Arguments.h"
#include "window/BoardWindow.h"

namespace {

// While the application object comes up, the platform's messages are held until the outcome is
// known. A display that cannot be opened ends the program with one plain line instead of a core
// dump; any other failure shows everything the platform said, and after a good start the held
// messages follow on standard error as they would have without holding them.
QStringList heldMessages;
std::optional<QByteArray> unreachableDisplay;  // the display the platform last failed to reach

void printHeldMessages() {
    for (const QString& message : std::as_const(heldMessages)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(message));
    }
    std::fflush(stderr);
    heldMessages.clear();
}

void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("could not connect to display"))) {
        unreachableDisplay = qgetenv("DISPLAY");
    } else if (message.startsWith(QLatin1String("Failed to create wl_display"))) {
        unreachableDisplay = qEnvironmentVariableIsSet("WAYLAND_DISPLAY")
                                 ? qgetenv("WAYLAND_DISPLAY")
                                 : QByteArray("wayland-0");
    }
    if (type != QtFatalMsg) {
        heldMessages.append(qFormatLogMessage(type, context, message));
        return;
    }
    if (!unreachableDisplay) {
        heldMessages.append(qFormatLogMessage(type, context, message));
        printHeldMessages();
    } else {
        std::fprintf(stderr, "quibbix: cannot open the display%s%s\n",
                     unreachableDisplay->isEmpty() ? "" : " ", unreachableDisplay->constData());
        std::fflush(stderr);
    }
    _exit(EXIT_FAILURE);
}

// --help and --version end the program at once through the parser's show functions; refused
// arguments end it with one line. Returns the exit code when the program is to end here.
std::optional<int> handleArguments(const QStringList& arguments, bool refuse) {
    QCommandLineParser parser;
    const quibbix::ArgumentsVerdict verdict = quibbix::judgeArguments(parser, arguments, refuse);
    switch (verdict.action) {
        case quibbix::ArgumentsVerdict::Action::Help:
            parser.showHelp(EXIT_SUCCESS);
        case quibbix::ArgumentsVerdict::Action::Version:
            parser.showVersion();
        case quibbix::ArgumentsVerdict::Action::Refuse:
            std::fputs(qUtf8Printable(quibbix::refusalLine(verdict.error)), stderr);
            return quibbix::BadArguments;
        case quibbix::ArgumentsVerdict::Action::Play:
            break;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName("quibbix");
    QCoreApplication::setApplicationVersion(QUIBBIX_VERSION);
    if (argc > 1) {
        // --help and --version answer without a display (with no argument there is nothing to
        // answer, and no application object to make twice). Arguments that look wrong here may
        // still be Qt's own platform options (-platform, -display, ...), which only the GUI
        // application below takes out, so they are judged after it.
        const QCoreApplication withoutDisplay(argc, argv);
        if (const auto exitCode = handleArguments(withoutDisplay.arguments(), false)) {
            return *exitCode;
        }
    }

    // The board alone takes longer to decode than anything else before the window shows; it and the
    // other pictures are decoded on a thread of their own while the application connects to the
    // display (or, should no thread be had, when the window asks for them).
    std::future<quibbix::SkinPictures> pictures =
        std::async(std::launch::async | std::launch::deferred, quibbix::loadSkinPictures);

    const QtMessageHandler platformMessages = qInstallMessageHandler(startupMessages);
    QApplication application(argc, argv);
    qInstallMessageHandler(platformMessages);
    printHeldMessages();
    // Taken before the arguments are judged: --help and --version end the process with exit(),
    // which must not tear down Qt's statics while the thread still decodes with them.
    quibbix::SkinPictures decoded = pictures.get();
    if (const auto exitCode = handleArguments(application.arguments(), true)) {
        return *exitCode;
    }
    QGuiApplication::setDesktopFileName(QUIBBIX_DESKTOP_ID);

    // The program: the sound server's output, the cues played on it once the frame they go with
    // is painted, the dice seeded from the time of day, and the window that shows the game.
    quibbix::PulseAudioOutput audio("Quibbix");
    quibbix::AfterFrameAudioOutput audioAfterFrame(audio);
    const quibbix::ApplicationDirectory directory;
    quibbix::FileCuePlayer sounds(directory, audioAfterFrame);
    quibbix::SeededRandom random(quibbix::secondsSinceMidnight());
    quibbix::BoardWindow window(std::move(decoded), random, sounds);
    window.show();
    return application.exec();
}
