#pragma once

#include <QObject>

#include <cstdint>
#include <vector>

class QTextBlock;
class QTextDocument;

namespace zarvelo {

/**
 * What the post editor needs to know of each paragraph of its document
 * without reading it again: how many direction marks it holds, and the
 * direction of its first letter outside the tags. Kept up to date from the
 * document's changes, paragraph by paragraph, so that mapping a position in a
 * long post never reads the whole post.
 */
class PostParagraphs final : public QObject
{
    Q_OBJECT

public:
    enum class Direction : std::uint8_t { None, LeftToRight, RightToLeft };

    explicit PostParagraphs(QTextDocument *document);

    int marksIn(int block);
    /** The marks in every paragraph before `block`. */
    qsizetype marksBefore(int block);
    qsizetype totalMarks();
    Direction ownDirection(int block);

private:
    struct Paragraph
    {
        int marks;
        Direction direction;
    };

    void changed(int position, int removed, int added);
    void readAll();
    static Paragraph read(const QTextBlock &block);

    QTextDocument *m_document;
    std::vector<Paragraph> m_paragraphs;
    // m_before[k]: the marks before paragraph k, valid for k < m_before.size().
    std::vector<qsizetype> m_before;
    qsizetype m_total = 0;
};

} // namespace zarvelo
