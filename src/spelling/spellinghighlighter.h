#pragma once

#include <QList>
#include <QSyntaxHighlighter>

namespace zarvelo {

class HighlightLayer;

/**
 * The editor's one highlighter while it draws nothing but its layers: each
 * paragraph is handed to every layer, with no markup ranges of its own.
 */
class SpellingHighlighter final : public QSyntaxHighlighter
{
public:
    explicit SpellingHighlighter(QTextDocument *document);

    void addLayer(HighlightLayer *layer); ///< not owned; re-highlights
    void removeLayer(HighlightLayer *layer);
    using QSyntaxHighlighter::rehighlight;

protected:
    void highlightBlock(const QString &text) override;

private:
    QList<HighlightLayer *> m_layers;
};

} // namespace zarvelo
