#pragma once

#include <QList>
#include <QString>
#include <QTextLayout>

namespace zarvelo {

/**
 * Something drawn over the post's paragraphs by the editor's one highlighter.
 * A text document takes a single syntax highlighter, so the markup colours and
 * any other marks (the spelling underline) share it: the highlighter finds the
 * markup of each paragraph and then asks each layer for its own formats.
 *
 * Drawing only: a layer never changes the text, the selection or the undo
 * history.
 */
class HighlightLayer
{
public:
    virtual ~HighlightLayer() = default;

    /**
     * Adds this layer's formats for one paragraph of the editor. `text` is the
     * paragraph as the editor holds it (a lone LF or CR inside it is one
     * character, as in the post). `markup` holds the ranges of the paragraph
     * that are tags or tag values, which a layer that reads words must leave
     * alone. Ranges appended to `formats` are merged over the markup colours.
     */
    virtual void decorate(const QString &text, const QList<QTextLayout::FormatRange> &markup,
                          QList<QTextLayout::FormatRange> &formats) = 0;
};

} // namespace zarvelo
