#pragma once

#include <QString>

namespace zarvelo {

/** The longest post a file is loaded whole for, in characters. */
constexpr qsizetype kPostLoadLimit = 20000;

/** The filter of the Open, Save and Save As dialogs. */
QString postFileFilter();

/** What of a file's text reaches the editor. */
struct LoadedPost
{
    QString text;             ///< the whole file, or its first kPostLoadLimit + 1 characters
    bool limitPassed = false; ///< the file was longer than kPostLoadLimit
};

/** Applies the load limit to a file's decoded text. Reading stops on the
    character that passes the limit, so that character still comes in: a
    longer file gives 20001 characters, not 20000. Line breaks are kept as
    they are, even a CR LF pair the cut falls in. */
LoadedPost limitLoadedPost(const QString &decoded);

/** The message shown when a file passed the load limit, and its title. */
QString loadLimitMessage();
QString loadLimitTitle();

/** The main window's title: the program's name alone for a post without a
    file, else the name, two spaces and the full path. */
QString postWindowTitle(const QString &path);

} // namespace zarvelo
