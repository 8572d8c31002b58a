#include "window/Arguments.h"

namespace quibbix {

ArgumentsVerdict judgeArguments(QCommandLineParser& parser, const QStringList& arguments,
                                bool refuse) {
    parser.setApplicationDescription(
        "A dice game: five dice, up to three rolls a turn and thirteen score boxes,\n"
        "played with the mouse or the keyboard in one window cut to the shape of its board.");
    parser.addHelpOption();
    parser.addVersionOption();
    const bool parsed = parser.parse(arguments);
    if (parsed && (parser.isSet("help") || parser.isSet("help-all"))) {
        return {ArgumentsVerdict::Action::Help, {}};
    }
    if (parsed && parser.isSet("version")) {
        return {ArgumentsVerdict::Action::Version, {}};
    }
    if ((parsed && parser.positionalArguments().isEmpty()) || !refuse) {
        return {};
    }
    return {ArgumentsVerdict::Action::Refuse,
            parsed
                ? QString("unexpected argument '%1'").arg(parser.positionalArguments().constFirst())
                : parser.errorText()};
}

QString refusalLine(const QString& error) {
    return QString("quibbix: %1 (see quibbix --help)\n").arg(error);
}

}  // namespace quibbix
