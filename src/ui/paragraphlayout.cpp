#include "ui/paragraphlayout.h"

#include "ui/postparagraphs.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <climits>
#include <cmath>

namespace zarvelo {

ParagraphLayout::ParagraphLayout(QTextDocument *document, PostParagraphs &paragraphs)
    : QPlainTextDocumentLayout(document)
    , m_paragraphs(paragraphs)
{}

QRectF ParagraphLayout::blockBoundingRect(const QTextBlock &block) const
{
    // Qt lays a paragraph out here when it has no lines yet, always with the
    // document's default option; a paragraph of the other direction is then
    // laid out again with its own.
    const QRectF laidOut = QPlainTextDocumentLayout::blockBoundingRect(block);
    if (!m_ownDirections || !block.isValid())
        return laidOut;
    QTextLayout *layout = block.layout();
    const QTextOption editor = document()->defaultTextOption();
    QTextOption wanted = editor;
    switch (m_paragraphs.ownDirection(block.blockNumber())) {
    case PostParagraphs::Direction::LeftToRight:
        wanted.setTextDirection(Qt::LeftToRight);
        break;
    case PostParagraphs::Direction::RightToLeft:
        wanted.setTextDirection(Qt::RightToLeft);
        break;
    case PostParagraphs::Direction::None:
        break;
    }
    // A paragraph of the other direction stands on the other side.
    if (wanted.textDirection() != editor.textDirection() && !(editor.alignment() & Qt::AlignHCenter)) {
        const Qt::Alignment side = editor.alignment() & Qt::AlignLeft ? Qt::AlignRight : Qt::AlignLeft;
        wanted.setAlignment((editor.alignment() & ~Qt::AlignHorizontal_Mask) | side | Qt::AlignAbsolute);
    }
    if (layout->textOption().textDirection() == wanted.textDirection()
        && layout->textOption().alignment() == wanted.alignment())
        return laidOut;
    layOutAgain(block, wanted);
    return QPlainTextDocumentLayout::blockBoundingRect(block);
}

void ParagraphLayout::layOutAgain(const QTextBlock &block, const QTextOption &option) const
{
    // The same lines as Qt's own plain-text layout makes, in the other direction.
    // Same width as the lines Qt made.
    const qreal margin = document()->documentMargin();
    QTextLayout *layout = block.layout();
    const qreal width = layout->lineCount() > 0 ? layout->lineAt(0).width() : qreal(INT_MAX);
    layout->setTextOption(option);
    qreal height = 0;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(width);
        line.setPosition(QPointF(margin, height));
        height += line.height();
        if (line.leading() < 0)
            height += std::ceil(line.leading());
    }
    layout->endLayout();
    QTextBlock(block).setLineCount(block.isVisible() ? layout->lineCount() : 0);
}

} // namespace zarvelo
