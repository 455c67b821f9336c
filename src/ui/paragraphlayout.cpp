#include "ui/paragraphlayout.h"

#include "ui/postparagraphs.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <climits>
#include <cmath>
#include <utility>

namespace zarvelo {

namespace {

/** Whether the lines of the paragraph's layout end where its text does.
    Qt takes a changed paragraph's lines away only when the edit block
    closes; until then they may run past its text. */
bool linesFitText(const QTextBlock &block)
{
    const QTextLayout *layout = block.layout();
    const int count = layout->lineCount();
    if (count == 0)
        return true;
    const QTextLine last = layout->lineAt(count - 1);
    return last.textStart() + last.textLength() == block.length() - 1 + layout->preeditAreaText().size();
}

} // namespace

ParagraphLayout::ParagraphLayout(QTextDocument *document, PostParagraphs &paragraphs)
    : QPlainTextDocumentLayout(document)
    , m_paragraphs(paragraphs)
{}

QRectF ParagraphLayout::blockBoundingRect(const QTextBlock &block) const
{
    // Qt lays a paragraph out here when it has no lines yet, always with the
    // document's default option; a paragraph of the other direction is then
    // laid out again with its own. Asked in the middle of an edit (the
    // caret's place, as the caret is set), a paragraph the edit changed
    // still has the lines of its text of before, which Qt's cursor and hit
    // functions would read past its text: it is laid out again first.
    qreal staleHeight = -1;
    if (!m_inChange && block.isValid() && !linesFitText(block)) {
        staleHeight = QPlainTextDocumentLayout::blockBoundingRect(block).height();
        block.layout()->clearLayout();
    }
    const QRectF rect = ownDirectionRect(block);
    if (staleHeight >= 0 && rect.height() != staleHeight)
        m_resizedInEdit = true;
    return rect;
}

void ParagraphLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    m_inChange = true;
    QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
    m_inChange = false;
    if (std::exchange(m_resizedInEdit, false))
        requestUpdate();
}

QRectF ParagraphLayout::ownDirectionRect(const QTextBlock &block) const
{
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
