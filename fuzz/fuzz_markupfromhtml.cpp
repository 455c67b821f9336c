// Paste with formatting fed random and damaged HTML: unclosed and unknown
// tags, deep nesting and, repeated, megabytes of it. The reading must end,
// and every visible character of the page, in its order, must be in the
// markup (which adds tags, bullets and bars, and one space for many).
// Qt's reader takes time that grows with the square of the nesting depth:
// a page that would take it too long is refused before Qt reads it.

#include "richtext/markupfromhtml.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

namespace {

/** Whether what shows of the page, its hidden parts dropped, stands in the
    markup in order. */
bool keepsVisibleText(const QString &html, const QString &markup)
{
    const QString shown = zarvelo::documentFromHtml(html)->toPlainText();
    qsizetype at = 0;
    for (const QChar c : shown) {
        // Spaces are made one, and a picture's place holder is its tag.
        if (c.isSpace() || c == QChar::ObjectReplacementCharacter)
            continue;
        // A letter of a bullet font stands as a bullet.
        while (at < markup.size() && markup[at] != c && markup[at] != QChar(0x2022))
            ++at;
        if (at == markup.size())
            return false;
        ++at;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte repeats the rest up to 2^n times, at most 10 MB: long
    // pages and deep nesting from a short input.
    const QString piece = QString::fromUtf8(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    QString html = piece;
    const qsizetype target = std::min<qsizetype>(qsizetype(1) << (data[0] % 24), 10 * 1024 * 1024);
    while (!piece.isEmpty() && html.size() < target)
        html += piece;
    // A page too costly to read gives nothing, and is pasted as plain text.
    const std::optional<QString> markup = zarvelo::markupFromHtml(html);
    // A long page is the same piece over and over, which a short page of it
    // checks as well: reading a long one a second time, with the
    // sanitizer's slow memory, would only add seconds.
    if (markup && html.size() <= 64 * 1024 && !keepsVisibleText(html, *markup))
        std::abort();
    return 0;
}
