#pragma once

#include <QFileDevice>
#include <QString>

namespace zarvelo {

/** What the program was doing with a file when it failed. */
enum class FileAction { Read, Write };

/**
 * Why a file could not be read or written, as an Arabic sentence a user can
 * act on ("the folder does not exist", "the disk is full"), followed on its
 * own line by the system's text as a detail for whoever has to dig further.
 * The file system is looked at to tell a missing folder from a missing file
 * or a refused permission, since Qt reports all three as one open error.
 */
QString fileFailureReason(const QFileDevice &file, FileAction action);

/** The same for a failure known only by its parts. */
QString fileFailureReason(QFileDevice::FileError error, const QString &path, FileAction action,
                          const QString &systemText);

} // namespace zarvelo
