#include "highlight/posthighlighter.h"

#include "ui/highlightlayer.h"

#include <QSignalBlocker>

#include <algorithm>

namespace zarvelo {

namespace {

QTextCharFormat formatFor(MarkupKind kind)
{
    QTextCharFormat format;
    format.setForeground(kind == MarkupKind::Value ? PostHighlighter::valueColor()
                                                   : PostHighlighter::tagColor());
    if (kind == MarkupKind::UnmatchedClose) {
        format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        format.setUnderlineColor(QColor(0xD0, 0x00, 0x00));
    }
    return format;
}

} // namespace

PostHighlighter::PostHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
{
    setObjectName(QStringLiteral("PostHighlighter"));
    for (const MarkupKind kind : {MarkupKind::Tag, MarkupKind::Value, MarkupKind::UnmatchedClose})
        m_formats[size_t(kind)] = formatFor(kind);
    m_countsOf.push_back(OpenTagCounts{});
    m_stateOf.emplace(OpenTagCounts{}, 0);
    // Qt queues its first full highlight, ignores edits until it has run, and
    // runs it in an edit block that reports a change of the text to everyone
    // watching the post. It runs here instead, with the document quiet, so
    // the queued one finds nothing left to do.
    const QSignalBlocker quiet(document);
    QMetaObject::invokeMethod(this, "_q_delayedRehighlight", Qt::DirectConnection);
}

void PostHighlighter::rehighlight()
{
    const QSignalBlocker quiet(document());
    QSyntaxHighlighter::rehighlight();
}

QColor PostHighlighter::tagColor()
{
    return QColor(0x00, 0x4E, 0xA8); // blue, 7.9:1 on white
}

QColor PostHighlighter::valueColor()
{
    return QColor(0xA3, 0x3C, 0x00); // burnt orange, 6.6:1 on white
}

void PostHighlighter::addLayer(HighlightLayer *layer)
{
    if (!layer || std::find(m_layers.begin(), m_layers.end(), layer) != m_layers.end())
        return;
    m_layers.push_back(layer);
    rehighlight();
}

void PostHighlighter::removeLayer(HighlightLayer *layer)
{
    const auto found = std::find(m_layers.begin(), m_layers.end(), layer);
    if (found == m_layers.end())
        return;
    m_layers.erase(found);
    rehighlight();
}

int PostHighlighter::stateFor(const OpenTagCounts &counts)
{
    const auto [it, added] = m_stateOf.emplace(counts, int(m_countsOf.size()));
    if (added)
        m_countsOf.push_back(counts);
    return it->second;
}

void PostHighlighter::highlightBlock(const QString &marked)
{
    // The editor's direction marks around tags are no part of the post:
    // markup and layers read the paragraph without them, and their ranges
    // are drawn where those characters sit among the marks.
    m_marked.clear();
    const bool hasMarks = marks::countMarks(marked) > 0;
    if (hasMarks) {
        m_clean.resize(marked.size());
        QChar *to = m_clean.data();
        for (int at = 0; at < marked.size(); ++at) {
            if (!marks::isMark(marked[at].unicode())) {
                *to++ = marked[at];
                m_marked.push_back(at);
            }
        }
        m_clean.truncate(to - m_clean.constData());
        m_marked.push_back(int(marked.size()));
    }
    const QString &text = hasMarks ? m_clean : marked;

    const int previous = previousBlockState();
    OpenTagCounts open =
        previous > 0 && size_t(previous) < m_countsOf.size() ? m_countsOf[size_t(previous)] : OpenTagCounts{};
    m_spans.clear();
    scanMarkup(text, open, m_spans);
    setCurrentBlockState(stateFor(open));

    m_markup.clear();
    for (const MarkupSpan &span : m_spans) {
        const QTextCharFormat &format = m_formats[size_t(span.kind)];
        setMarkedFormat(int(span.start), int(span.length), format);
        m_markup.append({int(span.start), int(span.length), format});
    }
    applyLayers(text);
}

void PostHighlighter::setMarkedFormat(int start, int length, const QTextCharFormat &format)
{
    if (m_marked.empty() || length <= 0) {
        setFormat(start, length, format);
        return;
    }
    const int from = m_marked[size_t(start)];
    setFormat(from, m_marked[size_t(start + length - 1)] + 1 - from, format);
}

void PostHighlighter::applyLayers(const QString &text)
{
    for (HighlightLayer *layer : m_layers) {
        m_layerFormats.clear();
        layer->decorate(text, m_markup, m_layerFormats);
        for (QTextLayout::FormatRange range : std::as_const(m_layerFormats)) {
            range.start = std::max(0, range.start);
            range.length = std::min(int(text.size()), range.start + range.length) - range.start;
            if (range.length <= 0)
                continue;
            if (!m_marked.empty()) {
                const int from = m_marked[size_t(range.start)];
                range.length = m_marked[size_t(range.start + range.length - 1)] + 1 - from;
                range.start = from;
            }
            const int end = range.start + range.length;
            // Merged run by run, so a layer's underline keeps the colour
            // of the tag or value beneath it.
            for (int at = std::max(0, range.start); at < end;) {
                const QTextCharFormat beneath = format(at);
                int runEnd = at + 1;
                while (runEnd < end && format(runEnd) == beneath)
                    ++runEnd;
                QTextCharFormat merged = beneath;
                merged.merge(range.format);
                setFormat(at, runEnd - at, merged);
                at = runEnd;
            }
        }
    }
}

} // namespace zarvelo
