#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace zarvelo {

/** What reading a Windows-1256 text file gave. */
struct TextFileRead
{
    bool ok = false;
    QString text;  ///< the whole file, decoded; empty when !ok
    QString error; ///< why it failed, for a message to the user
};

/** What writing a Windows-1256 text file did. */
struct TextFileWrite
{
    bool ok = false;
    QString error;               ///< why it failed, for a message to the user
    QList<char32_t> unencodable; ///< characters the code page cannot hold; nothing was written
};

/** Reads a file as Windows-1256 text: the whole file, or with maxBytes >= 0
    at most its first maxBytes bytes (one byte is one character). */
TextFileRead readWindows1256File(const QString &path, qint64 maxBytes = -1);

/** Replaces the file with text as Windows-1256 bytes: no byte-order mark,
    nothing added. Atomic: on any failure the old file stays whole. Text with a
    character the code page cannot hold is refused whole, never written with
    substitutes; callers escape such characters first when they want them kept. */
TextFileWrite writeWindows1256File(const QString &path, const QString &text);

/** Replaces the file with bytes, atomically: on any failure the old file stays whole. */
TextFileWrite writeFileAtomically(const QString &path, QByteArrayView bytes);

} // namespace zarvelo
