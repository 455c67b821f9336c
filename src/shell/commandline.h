#pragma once

#include <QString>
#include <QStringList>

namespace zarvelo {

/** What the program was asked to do on its command line. */
struct CommandLine
{
    enum class Action {
        Run,     ///< start, opening each of files in a window of its own
        Help,    ///< print output on standard output and end
        Version, ///< as Help
        Wrong,   ///< print output on standard error and end with status 2
    };
    Action action = Action::Run;
    /** The posts to open, as absolute paths, in the order given. */
    QStringList files;
    QString output;
};

/**
 * Reads the program's arguments (the first is the program as it was
 * called). A relative FILE counts from startFolder, the folder the program
 * was started in, so that the title shows where the post really is.
 */
CommandLine readCommandLine(const QStringList &arguments, const QString &startFolder);

} // namespace zarvelo
