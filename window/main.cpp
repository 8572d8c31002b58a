#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

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

}  // namespace

int main(int argc, char* argv[]) {
    const QtMessageHandler platformMessages = qInstallMessageHandler(startupMessages);
    QApplication application(argc, argv);
    qInstallMessageHandler(platformMessages);

    quibbix::BoardWindow window;
    window.show();
    return application.exec();
}
