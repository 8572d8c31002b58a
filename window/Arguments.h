#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace quibbix {

// The exit code of a command line the game refuses.
inline constexpr int BadArguments = 2;

// What the command line asks for. Judging it opens no display and prints nothing, so the program
// can judge it twice (before and after Qt's own options are taken out) and the judging can be
// tested alone.
struct ArgumentsVerdict {
    enum class Action {
        Play,     // nothing to answer: go on (or, when not refusing yet, judge again later)
        Help,     // show the parser's help and end with EXIT_SUCCESS
        Version,  // show the version and end with EXIT_SUCCESS
        Refuse,   // print refusalLine(error) and end with BadArguments
    };
    Action action = Action::Play;
    QString error;  // why the arguments are refused
};

// The game takes no arguments of its own beyond --help and --version. Sets up `parser` with them
// (its help and version texts are what the program shows) and judges `arguments`. Arguments that
// look wrong are refused only when `refuse` is set, so Qt's own options can be taken out first.
ArgumentsVerdict judgeArguments(QCommandLineParser& parser, const QStringList& arguments,
                                bool refuse);

// The one line on standard error for refused arguments, newline included.
QString refusalLine(const QString& error);

}  // namespace quibbix
