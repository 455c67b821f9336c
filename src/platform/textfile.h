#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

namespace zarvelo {

/** How a text file's characters are stored. */
enum class TextEncoding {
    Windows1256, ///< one byte per character, the Arabic Windows code page
    Utf8,        ///< UTF-8 without a byte-order mark
    Utf8WithBom, ///< UTF-8 after the byte-order mark EF BB BF
};

/** What reading a text file gave. */
struct TextFileRead
{
    bool ok = false;
    QString text;  ///< the file, or its first characters, decoded; empty when !ok
    QString error; ///< why it failed, for a message to the user
    TextEncoding encoding = TextEncoding::Windows1256;
    qint64 characters = 0; ///< characters in the whole file, read or not
};

/** What writing a text file did. */
struct TextFileWrite
{
    bool ok = false;
    QString error;               ///< why it failed, for a message to the user
    QList<char32_t> unencodable; ///< characters the encoding cannot hold; nothing was written
};

/** The read limit that reads a whole file. */
constexpr qint64 kWholeFile = -1;

/** Characters as a reader counts them: a pair of UTF-16 surrogates is one. */
qsizetype characterCount(QStringView text);

/** The first count characters of text, never splitting a surrogate pair. */
QStringView leftCharacters(QStringView text, qsizetype count);

/** Reads a file as Windows-1256 text: the whole file, or with maxBytes >= 0
    at most its first maxBytes bytes (one byte is one character). */
TextFileRead readWindows1256File(const QString &path, qint64 maxBytes = kWholeFile);

/**
 * Tells a post's encoding from its bytes and decodes its first characters,
 * fed the file piece by piece so that a long file is never held whole.
 *
 * Bytes that are valid UTF-8 and hold at least one multi-byte sequence (a
 * byte-order mark is one) are UTF-8; anything else is Windows-1256, which
 * gives every byte a character, so that any file comes back byte for byte
 * when saved unchanged. Pure ASCII is the same either way and counts as
 * Windows-1256.
 */
class PostTextDecoder final
{
public:
    /** Keeps at most maxCharacters characters of text; all with -1. */
    explicit PostTextDecoder(qint64 maxCharacters = -1);

    /** Takes the next bytes. False once the rest of the file cannot change
        the result (the bytes are no UTF-8 and the head is complete), so
        reading may stop. */
    bool feed(QByteArrayView bytes);

    /** The result for a file of totalBytes bytes, all or part of which were fed. */
    TextFileRead finish(qint64 totalBytes);

private:
    qint64 m_maxCharacters;
    QByteArray m_head;  // the first bytes, as the Windows-1256 text needs them
    QByteArray m_start; // the first three bytes, for the byte-order mark
    QByteArray m_tail;  // the last four bytes, for a sequence the end cuts off
    QStringDecoder m_utf8{QStringDecoder::Utf8};
    QString m_utf8Text;
    qint64 m_utf8Characters = 0;
    bool m_utf8Valid = true;
    bool m_multiByte = false;
    qint64 m_fed = 0;
};

/** Reads a post file in its own encoding (see PostTextDecoder): with
    maxCharacters >= 0 only as much as its first maxCharacters characters and
    the encoding need, so a huge Windows-1256 file is never read whole. The
    count of the whole file's characters comes with it. */
TextFileRead readPostFile(const QString &path, qint64 maxCharacters = -1);

/** The encoding readPostFile would read a post's bytes in, told without decoding them. */
TextEncoding postTextEncoding(QByteArrayView bytes);

/** A post's bytes held whole, decoded in the encoding postTextEncoding told,
    as readPostFile decodes a file. */
TextFileRead decodePostText(QByteArrayView bytes, TextEncoding encoding);

/** text as bytes in the encoding (a byte-order mark first for Utf8WithBom).
    Characters the encoding cannot hold go to *unencodable; the bytes are then
    not to be written. */
QByteArray encodeText(QStringView text, TextEncoding encoding, QList<char32_t> *unencodable);

/** Replaces the file with text in the encoding, nothing added. Atomic: on
    any failure the old file stays whole. Text with a character the encoding
    cannot hold is refused whole, never written with substitutes; callers
    escape such characters first when they want them kept. */
TextFileWrite writeTextFileAs(const QString &path, const QString &text, TextEncoding encoding);

/** writeTextFileAs in Windows-1256, the encoding of the program's own files. */
TextFileWrite writeWindows1256File(const QString &path, const QString &text);

/** Replaces the file with bytes already encoded: the one way the program
    writes a file. The bytes go to a temporary file beside it, which takes the
    file's place only once every byte is on disk; a short write, a refused
    temporary file or a failed rename is a failure, with the reason in Arabic,
    and leaves the old file whole. */
TextFileWrite writeFileAtomically(const QString &path, const QByteArray &bytes);

/** True when both paths name one existing file, however each is spelt
    (links, "..", doubled separators). */
bool isSameFile(const QString &a, const QString &b);

} // namespace zarvelo
