#pragma once

#include <QString>

#include <memory>
#include <optional>

class QTextDocument;

namespace zarvelo {

/**
 * The post's markup for formatted text, as a web page or a word processor
 * puts it on the clipboard: bold, italic, underline, links, pictures, font
 * names, sizes and colours, aligned paragraphs, quotations and code become
 * their tags; list items and table rows become lines of their own; what has
 * no tag (scripts, styles, comments, hidden parts) is dropped.
 *
 * Every character of the visible text is kept, with one space wherever the
 * page shows space between words (inside code, spaces stay as they are), and
 * lines end in CR LF. Nothing when the page would take Qt's reader too
 * long (see pageForQtReader). A tag that goes on over several pieces of text is
 * written once around them; tags close in the reverse order they opened, and
 * no pair is written without something between it.
 */
std::optional<QString> markupFromHtml(const QString &html);

/** The document Qt's reader makes of a page for markupFromHtml, its hidden
    parts dropped, not laid out; nothing when that reading would take too
    long (see pageForQtReader). */
std::unique_ptr<QTextDocument> documentFromHtml(const QString &html);

/** The same for a document already read: the HTML reader is Qt's own.
    allSidesAreTags: every left or right alignment is written, also the side
    a paragraph's direction starts from (for the program's own copies, whose
    direction is given once around the whole post). */
QString markupFromDocument(const QTextDocument &document, bool allSidesAreTags = false);

} // namespace zarvelo
