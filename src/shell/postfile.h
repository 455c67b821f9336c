#pragma once

#include "shell/linebreaks.h"

#include <QString>
#include <QStringList>

namespace zarvelo {

/** The longest post a file is loaded whole for, in characters. */
constexpr qsizetype kPostLoadLimit = 20000;

/** The filter of the Open, Save and Save As dialogs. */
QString postFileFilter();

/** What of a file's text reaches the editor. */
struct LoadedPost
{
    QString text;                         ///< the post, or its first kPostLoadLimit + 1 characters
    bool limitPassed = false;             ///< the post was longer than kPostLoadLimit
    LineBreaks breaks = LineBreaks::CrLf; ///< how the file ends its lines
    bool cut = false;                     ///< the text holds less than the whole post
};

/** Takes a file's decoded text (all of it, or its first characters) into the editor's line breaks (see
    toEditorLineBreaks) and applies the load limit to the post as the editor
    holds it. Reading stops on the character that passes the limit, so that
    character still comes in: a longer post gives 20001 characters, not 20000.
    A file's own CR LF pair the cut falls in is kept as it is, but a pair the
    editor made of one break comes in whole, so it goes back as that break; a
    character outside the Basic Multilingual Plane is one character and never
    cut in two. */
LoadedPost limitLoadedPost(const QString &decoded);

/** The question before a save would write the editor's cut copy over the
    file it was cut from: the file had fileCharacters characters. */
QString cutFileQuestion(const QString &path, qint64 fileCharacters);

/** The question before a file holding NUL bytes is opened as text. */
QString binaryFileQuestion(const QString &path);

/** The notice after saving a post of postCharacters characters, longer than
    the load limit, which opening the file again will cut. */
QString longPostNotice(qint64 postCharacters);

/** The question before a Windows-1256 post whose characters the code page
    cannot all hold is saved: count of them, the first as example. */
QString unencodableQuestion(qsizetype count, char32_t example);

/** The answers to unencodableQuestion, in this order. */
enum UnencodableAnswer { SaveAsUtf8, SaveWithReferences, CancelSave };
QStringList unencodableAnswers();

/** A failed open or save: what failed, the path and the reason, each on its own line. */
QString fileFailureMessage(const QString &what, const QString &path, const QString &reason);

/** The message shown when a file passed the load limit, and its title. */
QString loadLimitMessage();
QString loadLimitTitle();

/** The main window's title: the program's name alone for a post without a
    file, else the name, two spaces and the full path. */
QString postWindowTitle(const QString &path);

} // namespace zarvelo
