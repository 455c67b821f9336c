#include "ui/postparagraphs.h"

#include "ui/directionmarks.h"

#include <QTextBlock>
#include <QTextDocument>

namespace zarvelo {

PostParagraphs::PostParagraphs(QTextDocument *document)
    : QObject(document)
    , m_document(document)
{
    readAll();
    connect(document, &QTextDocument::contentsChange, this, &PostParagraphs::changed);
}

PostParagraphs::Paragraph PostParagraphs::read(const QTextBlock &block)
{
    const QString text = block.text();
    Paragraph paragraph{int(marks::countMarks(text)), Direction::None};
    if (const auto own = marks::ownDirection(text))
        paragraph.direction = *own == Qt::RightToLeft ? Direction::RightToLeft : Direction::LeftToRight;
    return paragraph;
}

void PostParagraphs::readAll()
{
    m_paragraphs.clear();
    m_total = 0;
    m_paragraphs.reserve(size_t(m_document->blockCount()));
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        m_paragraphs.push_back(read(block));
        m_total += m_paragraphs.back().marks;
    }
    m_before.assign(1, 0);
}

void PostParagraphs::changed(int position, int removed, int added)
{
    Q_UNUSED(removed);
    const int count = m_document->blockCount();
    const QTextBlock firstBlock = m_document->findBlock(position);
    const int first = firstBlock.blockNumber();
    QTextBlock lastBlock = m_document->findBlock(position + added);
    if (!lastBlock.isValid())
        lastBlock = m_document->lastBlock();
    const int last = lastBlock.blockNumber();
    // The changed paragraphs replace as many old ones, give or take the
    // paragraphs the change added or took away.
    const qsizetype replaced = qsizetype(last - first + 1) - (count - qsizetype(m_paragraphs.size()));
    if (first < 0 || replaced < 0 || size_t(first) + size_t(replaced) > m_paragraphs.size()) {
        readAll();
        return;
    }
    const auto from = m_paragraphs.begin() + first;
    for (auto it = from; it != from + replaced; ++it)
        m_total -= it->marks;
    std::vector<Paragraph> fresh;
    fresh.reserve(size_t(last) - size_t(first) + 1);
    QTextBlock block = firstBlock;
    for (int k = first; k <= last && block.isValid(); ++k, block = block.next()) {
        fresh.push_back(read(block));
        m_total += fresh.back().marks;
    }
    m_paragraphs.erase(from, from + replaced);
    m_paragraphs.insert(m_paragraphs.begin() + first, fresh.begin(), fresh.end());
    if (m_before.size() > size_t(first) + 1)
        m_before.resize(size_t(first) + 1);
}

int PostParagraphs::marksIn(int block)
{
    if (m_paragraphs.size() != size_t(m_document->blockCount()))
        readAll();
    return block >= 0 && size_t(block) < m_paragraphs.size() ? m_paragraphs[size_t(block)].marks : 0;
}

qsizetype PostParagraphs::marksBefore(int block)
{
    if (m_paragraphs.size() != size_t(m_document->blockCount()))
        readAll();
    const size_t wanted = size_t(qBound(0, block, int(m_paragraphs.size())));
    while (m_before.size() <= wanted) {
        const size_t k = m_before.size() - 1;
        m_before.push_back(m_before.back() + m_paragraphs[k].marks);
    }
    return m_before[wanted];
}

qsizetype PostParagraphs::totalMarks()
{
    if (m_paragraphs.size() != size_t(m_document->blockCount()))
        readAll();
    return m_total;
}

PostParagraphs::Direction PostParagraphs::ownDirection(int block)
{
    // Asked by the layout in the middle of an edit too: the paragraphs are
    // read once the edit is over, and laid out again then.
    if (m_paragraphs.size() != size_t(m_document->blockCount()))
        return Direction::None;
    return block >= 0 && size_t(block) < m_paragraphs.size() ? m_paragraphs[size_t(block)].direction
                                                             : Direction::None;
}

} // namespace zarvelo
