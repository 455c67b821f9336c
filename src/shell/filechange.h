#pragma once

#include "platform/fileidentity.h"

#include <QString>
#include <QStringList>

namespace zarvelo {

/** What became of a post's file since the program last read or wrote it. */
enum class FileChange {
    Unchanged,
    Changed, ///< another version is there now, or the program never read this one
    Deleted, ///< no file is there any more
};

/** The change from known, the file as last read or written (exists false
    when the program never did either), to now, the file as it is. */
FileChange fileChangeSince(const FileIdentity &known, const FileIdentity &now);

/** The question before Save writes over a post's file that changed: known
    tells a file changed since it was read or written from one the program
    never read or wrote (a restored draft's). */
QString changedFileQuestion(const QString &path, bool known);

/** The question before Save writes a post's file that was deleted again. */
QString deletedFileQuestion(const QString &path);

/** The answers to both questions, in this order; cancelling is the default. */
enum FileChangeAnswer { WriteOver, SaveElsewhere, CancelWrite };
QStringList changedFileAnswers();
QStringList deletedFileAnswers();

} // namespace zarvelo
