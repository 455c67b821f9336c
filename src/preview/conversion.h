#pragma once

#include <QString>
#include <QStringView>

#include <array>

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
 * Turns every named-quote opening of the working copy into HTML: each
 * "[QUOTE=" (taken from the left, as a search from the start of the text
 * would find them) becomes the quote box, and the first "]" after it not
 * already taken by an earlier quote closes the author's name. A "[QUOTE=" with
 * no "]" after it still becomes the quote box, and every later "[QUOTE=" stays
 * as typed.
 *
 * One pass into a new buffer; the result is that of searching again from the
 * first character after every replacement.
 */
void CONVERTNAMEDQUOTES(QString &workingCopy);

/**
 * Replaces every occurrence of find (ASCII letters regardless of case) by
 * replacement, left to right, into a new buffer. This is what searching again
 * from the first character after every replacement gives, as long as no
 * replacement can form a new occurrence with the text around it: true for
 * every row of conversionRules(), whose replacements hold no "[", "]" or
 * carriage return. An empty find changes nothing.
 */
void REPLACEALL(QString &workingCopy, QStringView find, QStringView replacement);

/**
 * The whole conversion of a post into the preview page's body:
 * CONVERTNAMEDQUOTES, then REPLACEALL for each rule in order. Done in a
 * single left-to-right pass, which gives the same text because no rule's
 * markup can overlap another's and no replacement forms new markup.
 */
QString convertMarkupToHtml(QStringView post);

/** The conversion written into html, whose memory is reused: for callers
    that convert again and again. */
void convertMarkupToHtml(QStringView post, QString &html);

} // namespace zarvelo
