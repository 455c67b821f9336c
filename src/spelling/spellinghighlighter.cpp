#include "spelling/spellinghighlighter.h"

#include "ui/highlightlayer.h"

namespace zarvelo {

SpellingHighlighter::SpellingHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
{}

void SpellingHighlighter::addLayer(HighlightLayer *layer)
{
    if (!m_layers.contains(layer))
        m_layers.append(layer);
    rehighlight();
}

void SpellingHighlighter::removeLayer(HighlightLayer *layer)
{
    if (m_layers.removeAll(layer) > 0)
        rehighlight();
}

void SpellingHighlighter::highlightBlock(const QString &text)
{
    QList<QTextLayout::FormatRange> formats;
    for (HighlightLayer *layer : std::as_const(m_layers))
        layer->decorate(text, {}, formats);
    for (const QTextLayout::FormatRange &range : std::as_const(formats))
        setFormat(range.start, range.length, range.format);
}

} // namespace zarvelo
