#pragma once

#include "highlight/markupscan.h"

#include <QColor>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <array>
#include <map>
#include <vector>

namespace zarvelo {

class HighlightLayer;

/**
 * The post editor's one highlighter: tags in one colour, their values in a
 * second, and a red wavy underline under a closing tag that closes nothing.
 * Other marks (the spelling underline) come as layers drawn over the markup
 * colours, since a document takes a single highlighter.
 *
 * Drawing only: formats live in the paragraphs' layouts, never in the text,
 * so the text, the positions, the selection, the undo history and the saved
 * bytes are what they would be without it.
 *
 * The counts of open tags at each paragraph's end are the paragraph's state,
 * so after an edit only the changed paragraph runs again, and the ones after
 * it only while their starting counts change.
 */
class PostHighlighter final : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit PostHighlighter(QTextDocument *document);

    /** A layer drawn over the markup colours (not owned; must outlive the
        highlighter or be removed). Re-highlights the document. */
    void addLayer(HighlightLayer *layer);
    void removeLayer(HighlightLayer *layer);
    /** Draws the whole document again. Unlike Qt's own, which wraps the
        redraw in an edit block, it never reports a change of the text. */
    void rehighlight();

    /** The tags' colour and the values' colour, both dark enough to read on
        the editor's white. */
    static QColor tagColor();
    static QColor valueColor();

protected:
    void highlightBlock(const QString &marked) override;

private:
    int stateFor(const OpenTagCounts &counts);
    void applyLayers(const QString &text);
    void setMarkedFormat(int start, int length, const QTextCharFormat &format);

    std::array<QTextCharFormat, 3> m_formats; // by MarkupKind
    std::vector<HighlightLayer *> m_layers;
    // Each distinct set of open counts gets one state number, so equal
    // states mean equal counts and the highlighter's own comparison of
    // states decides exactly when the next paragraph must run again.
    std::map<OpenTagCounts, int> m_stateOf;
    std::vector<OpenTagCounts> m_countsOf;
    QList<MarkupSpan> m_spans;
    QList<QTextLayout::FormatRange> m_markup;
    QList<QTextLayout::FormatRange> m_layerFormats;
    // The paragraph without the editor's marks, and where each of its
    // characters (and its end) sits in the paragraph with them; empty when
    // the paragraph has none.
    QString m_clean;
    std::vector<int> m_marked;
};

} // namespace zarvelo
