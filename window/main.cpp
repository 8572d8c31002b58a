#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "window/BoardWindow.h"

namespace {

// While the application object comes up, the platform's own complaints are held back: a display
// that cannot be opened ends the program with one plain line instead of a core dump.
void startupMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        const QByteArray display = qgetenv("DISPLAY");
        std::fprintf(stderr, "quibbix: cannot open the display%s%s\n", display.isEmpty() ? "" : " ",
                     display.constData());
        std::fflush(stderr);
        _exit(EXIT_FAILURE);
    }
    (void)message;
}

constexpr int BadArguments = 2;

// The game takes no arguments of its own beyond --help and --version. Returns the exit code when
// the program is to end at once (help or version shown, or the arguments refused); refusing is
// left to the caller through `refuse`, so Qt's own options can be taken out first.
std::optional<int> handleArguments(const QStringList& arguments, bool refuse) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "A dice game: five dice, up to three rolls a turn and thirteen score boxes,\n"
        "played with the mouse or the keyboard in one window cut to the shape of its board.");
    parser.addHelpOption();
    parser.addVersionOption();
    const bool parsed = parser.parse(arguments);
    if (parsed && (parser.isSet("help") || parser.isSet("help-all"))) {
        parser.showHelp(EXIT_SUCCESS);
    }
    if (parsed && parser.isSet("version")) {
        parser.showVersion();
    }
    if (parsed && parser.positionalArguments().isEmpty()) {
        return std::nullopt;
    }
    if (!refuse) {
        return std::nullopt;
    }
    const QString error =
        parsed ? QString("unexpected argument '%1'").arg(parser.positionalArguments().constFirst())
               : parser.errorText();
    std::fprintf(stderr, "quibbix: %s (see quibbix --help)\n", qUtf8Printable(error));
    return BadArguments;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName("quibbix");
    QCoreApplication::setApplicationVersion(QUIBBIX_VERSION);
    {
        // --help and --version answer without a display. Arguments that look wrong here may still
        // be Qt's own platform options (-platform, -display, ...), which only the GUI application
        // below takes out, so they are judged after it.
        const QCoreApplication withoutDisplay(argc, argv);
        if (const auto exitCode = handleArguments(withoutDisplay.arguments(), false)) {
            return *exitCode;
        }
    }

    const QtMessageHandler platformMessages = qInstallMessageHandler(startupMessages);
    QApplication application(argc, argv);
    qInstallMessageHandler(platformMessages);
    if (const auto exitCode = handleArguments(application.arguments(), true)) {
        return *exitCode;
    }
    QGuiApplication::setDesktopFileName(QUIBBIX_DESKTOP_ID);

    quibbix::BoardWindow window;
    window.show();
    return application.exec();
}
