#include "shell/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

namespace zarvelo {

CommandLine readCommandLine(const QStringList &arguments, const QString &startFolder)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Zarvelo, an editor for forum posts in bulletin-board markup, with an Arabic\n"
                       "interface. Each FILE is opened as the Open command of the file menu opens it,\n"
                       "in a window of its own; without one, the program starts with a new post."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A post, as Windows-1256 or UTF-8 text."),
                                 QStringLiteral("[FILE...]"));
    CommandLine line;
    if (!parser.parse(arguments)) {
        line.action = CommandLine::Action::Wrong;
        line.output = QStringLiteral("zarvelo: %1 (try --help)\n").arg(parser.errorText());
        return line;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        line.action = CommandLine::Action::Help;
        // The usage line names the program as users call it, not by the path
        // the launcher started it from.
        line.output = parser.helpText();
        const QString called = QCoreApplication::instance() && !arguments.isEmpty()
            ? QCoreApplication::arguments().constFirst()
            : QStringLiteral("<executable_name>");
        const qsizetype at = line.output.indexOf(called);
        if (at >= 0)
            line.output.replace(at, called.size(), QStringLiteral("zarvelo"));
        return line;
    }
    if (parser.isSet(version)) {
        line.action = CommandLine::Action::Version;
        line.output = QStringLiteral("zarvelo " ZARVELO_VERSION "\n");
        return line;
    }
    const QDir start(startFolder);
    for (const QString &file : parser.positionalArguments())
        line.files.append(QDir::cleanPath(start.absoluteFilePath(file)));
    return line;
}

} // namespace zarvelo
