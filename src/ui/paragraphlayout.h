#pragma once

#include <QPlainTextDocumentLayout>

namespace zarvelo {

class PostParagraphs;

/**
 * The post editor's layout: Qt's plain-text layout, with each paragraph laid
 * out in the direction of its own first letter outside the tags; one of the
 * other direction than the editor's stands on the other side. A paragraph with no such letter (tags, digits,
 * an empty line) takes the editor's direction. Only the layout changes: no mark goes into the text for it, so
 * switching directions never touches the post or its undo steps.
 */
class ParagraphLayout final : public QPlainTextDocumentLayout
{
public:
    ParagraphLayout(QTextDocument *document, PostParagraphs &paragraphs);

    /** Whether paragraphs take their own direction; the document's default
        text option (direction and alignment) applies otherwise. Takes effect
        at the next layout, which setting the default text option starts. */
    void setOwnDirections(bool on) { m_ownDirections = on; }
    bool ownDirections() const { return m_ownDirections; }

    QRectF blockBoundingRect(const QTextBlock &block) const override;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    QRectF ownDirectionRect(const QTextBlock &block) const;
    void layOutAgain(const QTextBlock &block, const QTextOption &option) const;

    PostParagraphs &m_paragraphs;
    bool m_ownDirections = true;
    // Set while Qt, the edit over, measures a changed paragraph by its lines
    // of before to know how much to repaint: those lines stay for that.
    bool m_inChange = false;
    // A paragraph changed its height while an edit was open: Qt, finding
    // it laid out already when the edit closes, would repaint that
    // paragraph alone.
    mutable bool m_resizedInEdit = false;
};

} // namespace zarvelo
