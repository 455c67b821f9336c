#pragma once

#include <QString>

#include <optional>

namespace zarvelo {

/**
 * A pasted page made ready for Qt's HTML reader, from one pass over where
 * its tags begin and end (the reading of the page itself stays Qt's):
 *
 * - An element a browser hides (style "display: none" or "mso-hide: all",
 *   or the attribute "hidden") goes with all it holds, as far as Qt's reader
 *   would take it to go on; a browser hides an element never closed to the
 *   page's end, and so does this.
 * - Pictures stand as kPictureMark says.
 * - Qt's reader runs the last words of a division into the text after it,
 *   and takes the newer block elements (section, article, header …) for
 *   words in a line: those are read as divisions, each ending its line.
 *
 * Nothing when reading the page would take Qt longer than kMostReadingWork
 * allows: see there.
 */
std::optional<QString> pageForQtReader(const QString &html);

/** A picture stands in the page for Qt's reader as the character U+FFFC
    in an anchor named with this mark and its address. */
constexpr QStringView kPictureMark = u"zarvelo-picture:";

/** How much work a page may give Qt's reader, in steps of one element
    deep: each element opened costs as many steps as elements hold it, each
    tag kTagReadingWork more, or kParagraphReadingWork if it starts a
    paragraph. Five thousand elements nested in one another
    cost thirteen million and take Qt a tenth of a second, or twice that
    with a style sheet. Past this, about a third of a second's reading (two
    hundred thousand tags, or thirty thousand paragraphs), the page is
    pasted as its plain text. */
constexpr qint64 kMostReadingWork = 20'000'000;
constexpr qint64 kTagReadingWork = 100;
constexpr qint64 kParagraphReadingWork = 600;

} // namespace zarvelo
