#include "platform/textfile.h"

#include "platform/codepage.h"
#include "platform/fileerror.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>

#include <sys/stat.h>

namespace zarvelo {

namespace {

constexpr qint64 kReadPiece = qint64(1) << 16;

QByteArrayView utf8Bom()
{
    return QByteArrayView("\xEF\xBB\xBF", 3);
}

/** Whether UTF-8 bytes end with a lead byte short of its continuation bytes. */
bool endsInsideSequence(QByteArrayView tail)
{
    qsizetype lead = tail.size() - 1;
    while (lead >= 0 && (uchar(tail[lead]) & 0xC0) == 0x80)
        --lead;
    if (lead < 0)
        return false;
    const uchar byte = uchar(tail[lead]);
    const qsizetype needed = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
    return tail.size() - 1 - lead < needed;
}

QList<char32_t> loneSurrogates(QStringView text)
{
    QList<char32_t> lone;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            lone.append(c.unicode());
    }
    return lone;
}

} // namespace

qsizetype characterCount(QStringView text)
{
    // A low surrogate is half a character only after a high one; alone, as
    // a damaged text may hold it, it counts as one.
    qsizetype pairs = 0;
    for (qsizetype i = 1; i < text.size(); ++i)
        pairs += text[i].isLowSurrogate() && text[i - 1].isHighSurrogate() ? 1 : 0;
    return text.size() - pairs;
}

QStringView leftCharacters(QStringView text, qsizetype count)
{
    qsizetype units = 0;
    for (qsizetype n = 0; n < count && units < text.size(); ++n) {
        const bool pair =
            text[units].isHighSurrogate() && units + 1 < text.size() && text[units + 1].isLowSurrogate();
        units += pair ? 2 : 1;
    }
    return text.first(units);
}

TextFileRead readWindows1256File(const QString &path, qint64 maxBytes)
{
    TextFileRead result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = fileFailureReason(file, FileAction::Read);
        return result;
    }
    const QByteArray bytes = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) {
        result.error = fileFailureReason(file, FileAction::Read);
        return result;
    }
    result.text = decodeWindows1256(bytes);
    result.characters = file.size();
    result.ok = true;
    return result;
}

PostTextDecoder::PostTextDecoder(qint64 maxCharacters)
    : m_maxCharacters(maxCharacters)
{}

bool PostTextDecoder::feed(QByteArrayView bytes)
{
    if (m_start.size() < utf8Bom().size())
        m_start.append(bytes.first(std::min<qsizetype>(bytes.size(), utf8Bom().size() - m_start.size())));
    m_fed += bytes.size();
    m_tail.append(bytes.last(std::min<qsizetype>(bytes.size(), 4)));
    m_tail = m_tail.right(4);
    if (m_maxCharacters < 0)
        m_head.append(bytes);
    else if (m_head.size() < m_maxCharacters)
        m_head.append(bytes.first(std::min<qint64>(bytes.size(), m_maxCharacters - m_head.size())));

    // Windows-1256 needs no more bytes than its head.
    const bool headComplete = m_maxCharacters >= 0 && m_head.size() >= m_maxCharacters;
    if (!m_utf8Valid)
        return !headComplete;
    if (!m_multiByte)
        m_multiByte = std::any_of(bytes.begin(), bytes.end(), [](char b) { return (uchar(b) & 0x80) != 0; });
    const QString piece = m_utf8(bytes);
    if (m_utf8.hasError()) {
        m_utf8Valid = false;
        m_utf8Text = QString();
        return !headComplete;
    }
    // The decoder keeps an unfinished sequence for the next piece, so a
    // surrogate pair never straddles two pieces.
    const qint64 wanted = m_maxCharacters < 0 ? piece.size() : m_maxCharacters - m_utf8Characters;
    if (wanted > 0)
        m_utf8Text.append(leftCharacters(piece, wanted));
    m_utf8Characters += characterCount(piece);
    return true;
}

TextFileRead PostTextDecoder::finish(qint64 totalBytes)
{
    // The decoder holds back a sequence cut off by the end of the file
    // without reporting it.
    if (m_utf8Valid && endsInsideSequence(m_tail))
        m_utf8Valid = false;
    TextFileRead result;
    result.ok = true;
    if (m_utf8Valid && m_multiByte) {
        result.encoding = m_start == utf8Bom() ? TextEncoding::Utf8WithBom : TextEncoding::Utf8;
        result.text = m_utf8Text;
        result.characters = m_utf8Characters;
    } else {
        result.text = decodeWindows1256(m_head);
        result.characters = std::max(totalBytes, m_fed);
    }
    return result;
}

TextFileRead readPostFile(const QString &path, qint64 maxCharacters)
{
    TextFileRead failed;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        failed.error = fileFailureReason(file, FileAction::Read);
        return failed;
    }
    PostTextDecoder decoder(maxCharacters);
    // Read on past the characters kept only while the bytes may still be
    // UTF-8: their validity and the whole file's count need them.
    while (!file.atEnd()) {
        const QByteArray piece = file.read(kReadPiece);
        if (piece.isEmpty() || !decoder.feed(piece))
            break;
    }
    if (file.error() != QFileDevice::NoError) {
        failed.error = fileFailureReason(file, FileAction::Read);
        return failed;
    }
    return decoder.finish(file.size());
}

TextEncoding postTextEncoding(QByteArrayView bytes)
{
    // Told as for a file, from pieces that stop as soon as the bytes are no
    // UTF-8.
    PostTextDecoder probe(0);
    for (qsizetype at = 0; at < bytes.size(); at += kReadPiece) {
        if (!probe.feed(bytes.sliced(at, std::min<qsizetype>(kReadPiece, bytes.size() - at))))
            break;
    }
    return probe.finish(bytes.size()).encoding;
}

TextFileRead decodePostText(QByteArrayView bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Windows1256) {
        // One pass over the bytes where they lie, without the decoder's copy of them.
        TextFileRead result;
        result.ok = true;
        result.text = decodeWindows1256(bytes);
        result.characters = bytes.size();
        return result;
    }
    PostTextDecoder whole;
    whole.feed(bytes);
    return whole.finish(bytes.size());
}

QByteArray encodeText(QStringView text, TextEncoding encoding, QList<char32_t> *unencodable)
{
    if (encoding == TextEncoding::Windows1256) {
        Windows1256Bytes encoded = encodeWindows1256(text);
        *unencodable = std::move(encoded.unencodable);
        return encoded.bytes;
    }
    QStringEncoder encoder(QStringEncoder::Utf8);
    // The mark goes first even before an empty text, which the encoder's own
    // option leaves without one.
    QByteArray bytes = encoding == TextEncoding::Utf8WithBom ? utf8Bom().toByteArray() : QByteArray();
    bytes += QByteArray(encoder(text));
    // Only a lone surrogate has no UTF-8 form.
    *unencodable = encoder.hasError() ? loneSurrogates(text) : QList<char32_t>();
    return bytes;
}

TextFileWrite writeTextFileAs(const QString &path, const QString &text, TextEncoding encoding)
{
    TextFileWrite result;
    const QByteArray bytes = encodeText(text, encoding, &result.unencodable);
    if (!result.unencodable.isEmpty()) {
        result.error = encoding == TextEncoding::Windows1256
            ? QStringLiteral("في النص أحرف لا يمكن حفظها بترميز Windows-1256.")
            : QStringLiteral("في النص أحرف تالفة لا يمكن حفظها بترميز UTF-8.");
        return result;
    }
    return writeFileAtomically(path, bytes);
}

TextFileWrite writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    TextFileWrite result;
    QSaveFile file(path);
    // A failed write must leave the old file whole, so nothing is ever
    // written in place: a folder that refuses the temporary file refuses
    // the write.
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a write the system cuts short (a full disk, a file
    // size limit) shows here: through the buffer, the short count is lost and
    // the commit puts the shortened file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        result.error = fileFailureReason(file, FileAction::Write);
        return result;
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        // Qt keeps no reason for a short write; the system's is in errno.
        const int reason = errno;
        result.error = reason == 0
            ? fileFailureReason(file, FileAction::Write)
            : fileFailureReason(reason == ENOSPC ? QFileDevice::ResourceError : QFileDevice::WriteError, path,
                                FileAction::Write, qt_error_string(reason));
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.error = fileFailureReason(file, FileAction::Write);
        return result;
    }
    result.ok = true;
    return result;
}

TextFileWrite writeWindows1256File(const QString &path, const QString &text)
{
    return writeTextFileAs(path, text, TextEncoding::Windows1256);
}

bool isSameFile(const QString &a, const QString &b)
{
    struct stat first
    {
    };
    struct stat second
    {
    };
    if (::stat(QFile::encodeName(a).constData(), &first) != 0
        || ::stat(QFile::encodeName(b).constData(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace zarvelo
