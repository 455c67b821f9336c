#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <functional>

namespace zarvelo {

/** One replacement of the conversion: the markup to find (ASCII letters match
    regardless of case) and the HTML put in its place. */
struct ConversionRule
{
    QStringView markup;
    QStringView html;
};

/** The 32 replacements, applied in this order after the named quotes. */
const std::array<ConversionRule, 32> &conversionRules();

/** What "[QUOTE=" becomes: the quote box, opened up to the author's name in bold. */
QStringView namedQuoteOpening();

/** What the first "]" after a named quote's "[QUOTE=" becomes: it ends the
    author's name and opens the italic block that "[/QUOTE]" closes. */
QStringView namedQuoteNameClose();

/**
 * The whole conversion of a post into the preview page's body: first every
 * named-quote opening, then each rule in order, every occurrence of its
 * markup replaced (ASCII letters regardless of case).
 *
 * Each "[QUOTE=" (taken from the left, as a search from the start of the
 * text would find them) becomes the quote box, and the first "]" after it
 * not already taken by an earlier quote closes the author's name. A
 * "[QUOTE=" with no "]" after it still becomes the quote box, and every
 * later "[QUOTE=" stays as typed.
 *
 * Done in a single left-to-right pass, which gives the text that searching
 * again from the start after every replacement gives, because no rule's
 * markup can overlap another's and no replacement holds "[", "]" or a
 * carriage return, so none forms new markup.
 */
QString convertMarkupToHtml(QStringView post);

/** The conversion written into html, whose memory is reused: for callers
    that convert again and again. */
void convertMarkupToHtml(QStringView post, QString &html);

/** The conversion handed to sink in order, a block of a few thousand
    characters at a time, as it is made: for writing a long page without
    holding it whole. A block may end between the two halves of a surrogate
    pair. Once sink returns false it gets nothing more, and the result is
    false. */
bool convertMarkupToHtmlInBlocks(QStringView post, const std::function<bool(QStringView)> &sink);

/** The conversion of a Windows-1256 post straight into the Windows-1256
    bytes of its HTML, in blocks as above: the bytes that decoding the post,
    converting it and encoding the result give, without either converter.
    Each byte is one character, the markup is ASCII, and every character the
    conversion writes is in the code page. */
bool convertWindows1256MarkupInBlocks(QByteArrayView post, const std::function<bool(QByteArrayView)> &sink);

} // namespace zarvelo
