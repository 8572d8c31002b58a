// Fuzzes the judging of the command line with argument vectors (the input's bytes split at each
// zero byte, after the program's name): it must answer with help, the version, a refusal of one
// line, or nothing to answer, as the program and the `arguments` test say, without a display.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "window/Arguments.h"

namespace {

using quibbix::ArgumentsVerdict;
using Action = ArgumentsVerdict::Action;

void finding(const char* what, const QStringList& arguments) {
    std::fprintf(stderr, "finding: %s\n  arguments:", what);
    for (const QString& argument : arguments) {
        std::fprintf(stderr, " [%s]", qUtf8Printable(argument));
    }
    std::fprintf(stderr, "\n");
    std::abort();
}

bool startsAnOption(const QString& argument) {
    return argument.size() > 1 && argument.startsWith(QLatin1Char('-'));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // As the program names itself; the parser's help and version texts read these.
    static int argc = 1;
    static char name[] = "quibbix";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("quibbix");
    QCoreApplication::setApplicationVersion(QUIBBIX_VERSION);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    QStringList arguments{"quibbix"};
    if (size > 0) {
        // As QCoreApplication::arguments() decodes argv.
        for (const QByteArray& argument :
             QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))
                 .split('\0')) {
            arguments.append(QString::fromLocal8Bit(argument));
        }
    }

    // Before Qt's options are taken out nothing is refused; after, the same arguments get the
    // same answer, or a refusal where the first pass found nothing to answer.
    QCommandLineParser early;
    const ArgumentsVerdict first = quibbix::judgeArguments(early, arguments, false);
    QCommandLineParser late;
    const ArgumentsVerdict verdict = quibbix::judgeArguments(late, arguments, true);
    if (first.action == Action::Refuse || !first.error.isEmpty()) {
        finding("refused before Qt's own options were taken out", arguments);
    }
    if (verdict.action != first.action &&
        !(first.action == Action::Play && verdict.action == Action::Refuse)) {
        finding("the two passes disagree", arguments);
    }

    const QStringList given = arguments.mid(1);
    const qsizetype endOfOptions = given.indexOf(QStringLiteral("--"));
    const QStringList options = endOfOptions < 0 ? given : given.first(endOfOptions);
    bool anyOption = false;
    for (const QString& argument : options) {
        anyOption = anyOption || startsAnOption(argument);
    }
    const qsizetype firstWord = [&] {
        for (qsizetype i = 0; i < given.size(); ++i) {
            if (i == endOfOptions) {
                continue;
            }
            if (i > endOfOptions && endOfOptions >= 0) {
                return i;
            }
            if (!startsAnOption(given[i])) {
                return i;
            }
        }
        return qsizetype{-1};
    }();

    switch (verdict.action) {
        case Action::Play:
            // Nothing to answer only when every argument is an option the parser took.
            if (firstWord >= 0) {
                finding("an argument that is no option let through", arguments);
            }
            break;
        case Action::Help:
        case Action::Version: {
            if (!anyOption) {
                finding("help or version shown though nothing asked for it", arguments);
            }
            const QString help = late.helpText();
            if (!help.startsWith(QStringLiteral("Usage: quibbix [options]")) ||
                !help.contains(QStringLiteral("--help")) ||
                !help.contains(QStringLiteral("--version"))) {
                finding("the help does not say how to ask for help and the version", arguments);
            }
            break;
        }
        case Action::Refuse: {
            if (verdict.error.isEmpty()) {
                finding("refused without saying why", arguments);
            }
            const QString line = quibbix::refusalLine(verdict.error);
            if (!line.startsWith(QStringLiteral("quibbix: ")) ||
                !line.endsWith(QStringLiteral(" (see quibbix --help)\n"))) {
                finding("the refusal is not the program's one line", arguments);
            }
            bool newlineGiven = false;
            for (const QString& argument : given) {
                newlineGiven = newlineGiven || argument.contains(QLatin1Char('\n'));
            }
            if (!newlineGiven && line.count(QLatin1Char('\n')) != 1) {
                finding("the refusal is more than one line", arguments);
            }
            if (!anyOption && firstWord >= 0 &&
                verdict.error != QStringLiteral("unexpected argument '%1'").arg(given[firstWord])) {
                finding("a stray argument refused for another reason", arguments);
            }
            break;
        }
    }
    return 0;
}
