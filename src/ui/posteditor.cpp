#include "ui/posteditor.h"

#include <QAbstractUndoItem>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>

namespace zarvelo {

namespace {
constexpr char16_t kParagraph = 0x2029;     // CR LF
constexpr char16_t kLineSeparator = 0x2028; // lone LF
constexpr char16_t kLoneCr = 0xE00D;        // lone CR
} // namespace

PostEditor::PostEditor(QWidget *parent)
    : QPlainTextEdit(parent)
{
    // Tab moves the focus along the window's tab order: the post editor is
    // one stop among the buttons, and a tab character has no use in a post.
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    applyTextOption();
}

QString PostEditor::toDocumentText(QStringView exact)
{
    QString out;
    out.reserve(exact.size());
    const qsizetype n = exact.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = exact[i];
        if (c == u'\r') {
            if (i + 1 < n && exact[i + 1] == u'\n') {
                out += QChar(kParagraph);
                ++i;
            } else {
                out += QChar(kLoneCr);
            }
        } else if (c == u'\n') {
            out += QChar(kLineSeparator);
        } else {
            out += c;
        }
    }
    return out;
}

QString PostEditor::fromDocumentText(QStringView document)
{
    QString out;
    out.reserve(document.size() + document.size() / 16);
    for (const QChar c : document) {
        switch (c.unicode()) {
        case kParagraph:
            out += QLatin1String("\r\n");
            break;
        case kLineSeparator:
            out += QLatin1Char('\n');
            break;
        case kLoneCr:
            out += QLatin1Char('\r');
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString PostEditor::text() const
{
    return fromDocumentText(document()->toRawText());
}

qsizetype PostEditor::textLength() const
{
    const QTextDocument *doc = document();
    // characterCount() counts one paragraph separator more than the text has.
    return doc->characterCount() - 1 + (doc->blockCount() - 1);
}

qsizetype PostEditor::toExact(int documentPosition) const
{
    return documentPosition + document()->findBlock(documentPosition).blockNumber();
}

int PostEditor::toDocument(qsizetype exactPosition) const
{
    const QTextDocument *doc = document();
    exactPosition = qBound<qsizetype>(0, exactPosition, textLength());
    // Paragraph k starts at exact position position(k) + k: each CR LF before
    // it counts one character more than its separator. Find the last paragraph
    // starting at or before the position.
    int lo = 0;
    int hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= exactPosition)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(lo);
    // A position between the CR and the LF of a pair falls back before the pair.
    const qsizetype inBlock = qMin<qsizetype>(exactPosition - lo - block.position(), block.length() - 1);
    return int(block.position() + inBlock);
}

qsizetype PostEditor::selStart() const
{
    return toExact(textCursor().selectionStart());
}

qsizetype PostEditor::selLength() const
{
    const QTextCursor cursor = textCursor();
    return toExact(cursor.selectionEnd()) - toExact(cursor.selectionStart());
}

void PostEditor::setSelStart(qsizetype start)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(toDocument(start));
    setTextCursor(cursor);
}

void PostEditor::setSelLength(qsizetype length)
{
    select(selStart(), length);
}

void PostEditor::select(qsizetype start, qsizetype length)
{
    QTextCursor cursor = textCursor();
    const int anchor = toDocument(start);
    cursor.setPosition(anchor);
    cursor.setPosition(toDocument(toExact(anchor) + qMax<qsizetype>(0, length)), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

QString PostEditor::selText() const
{
    return fromDocumentText(textCursor().selectedText());
}

void PostEditor::setSelText(const QString &text)
{
    replaceSelection(text);
}

void PostEditor::setText(const QString &text)
{
    selectAll();
    replaceSelection(text);
}

void PostEditor::replaceSelection(const QString &exact)
{
    const UndoSelection before{0, selStart(), selLength()};
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.insertText(toDocumentText(exact));
    cursor.endEditBlock();
    setTextCursor(cursor);
    const int steps = document()->availableUndoSteps();
    while (!m_undoSelections.empty() && m_undoSelections.back().undoSteps >= steps)
        m_undoSelections.pop_back();
    m_undoSelections.push_back({steps, before.start, before.length});
}

void PostEditor::undoWithSelection()
{
    const int steps = document()->availableUndoSteps();
    while (!m_undoSelections.empty() && m_undoSelections.back().undoSteps > steps)
        m_undoSelections.pop_back();
    const bool ours = !m_undoSelections.empty() && m_undoSelections.back().undoSteps == steps;
    QPlainTextEdit::undo();
    if (ours && document()->availableUndoSteps() < steps) {
        const UndoSelection saved = m_undoSelections.back();
        m_undoSelections.pop_back();
        select(saved.start, saved.length);
    }
}

void PostEditor::attachToLastChange(QAbstractUndoItem *item)
{
    // Qt puts an item appended inside an open edit block into that block's
    // one step; joining reopens the block the change closed.
    QTextCursor cursor(document());
    cursor.joinPreviousEditBlock();
    document()->appendUndoItem(item);
    cursor.endEditBlock();
    // The step may now count one more command; it is still the same step,
    // with the selection it started from.
    if (!m_undoSelections.empty())
        m_undoSelections.back().undoSteps = document()->availableUndoSteps();
}

void PostEditor::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::Undo) {
        undoWithSelection();
        event->accept();
        return;
    }
    // Every Enter, Shift+Enter included, makes a CR LF line break: Qt would
    // make Shift+Enter a lone line separator.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !(event->modifiers() & Qt::ControlModifier) && !isReadOnly()) {
        QTextCursor cursor = textCursor();
        cursor.insertBlock();
        setTextCursor(cursor);
        ensureCursorVisible();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void PostEditor::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu(event->pos());
    // The menu's Undo goes through undoWithSelection(), so it restores selections too.
    for (QAction *action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-undo")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &PostEditor::undoWithSelection);
        }
    }
    if (m_contextMenuHook)
        m_contextMenuHook(*menu, cursorForPosition(event->pos()));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void PostEditor::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    // Pasted text keeps its own line breaks, exactly like text that is opened.
    QTextCursor cursor = textCursor();
    cursor.insertText(toDocumentText(source->text()));
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData *PostEditor::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    data->setText(selText());
    return data;
}

void PostEditor::setAlignment(Alignment alignment)
{
    m_alignment = alignment;
    applyTextOption();
}

void PostEditor::setRightToLeft(bool on)
{
    m_rightToLeft = on;
    applyTextOption();
}

void PostEditor::applyTextOption()
{
    QTextOption option = document()->defaultTextOption();
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (m_alignment == RightJustify)
        horizontal = Qt::AlignRight;
    else if (m_alignment == Center)
        horizontal = Qt::AlignHCenter;
    // Absolute: "left" means the left edge whatever the reading direction.
    option.setAlignment(horizontal | Qt::AlignAbsolute);
    option.setTextDirection(m_rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    document()->setDefaultTextOption(option);
    setLayoutDirection(m_rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
}

} // namespace zarvelo
