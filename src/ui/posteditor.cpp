#include "ui/posteditor.h"

#include "ui/paragraphlayout.h"
#include "ui/postparagraphs.h"

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
// A post's own isolate characters (U+2066 to U+2069) are kept in the
// document as these, so that they never pass for the editor's marks.
constexpr char16_t kOwnIsolateShift = 0xE066 - 0x2066;
} // namespace

PostEditor::PostEditor(QWidget *parent)
    : QPlainTextEdit(parent)
{
    auto *document = new QTextDocument(this);
    // The paragraphs are read first on every change, before anything that
    // maps a position can ask.
    m_paragraphs = new PostParagraphs(document);
    m_layout = new ParagraphLayout(document, *m_paragraphs);
    document->setDocumentLayout(m_layout);
    setDocument(document);
    connect(document, &QTextDocument::contentsChange, this, &PostEditor::markLater);
    m_pendingMarks.setSingleShot(true);
    m_pendingMarks.setInterval(0);
    connect(&m_pendingMarks, &QTimer::timeout, this, &PostEditor::markPending);
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
        } else if (marks::isMark(c.unicode())) {
            out += QChar(c.unicode() + kOwnIsolateShift);
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
        case 0x2066:
        case 0x2067:
        case 0x2068:
        case 0x2069:
            break; // the editor's own marks
        case 0x2066 + kOwnIsolateShift:
        case 0x2067 + kOwnIsolateShift:
        case 0x2068 + kOwnIsolateShift:
        case 0x2069 + kOwnIsolateShift:
            out += QChar(c.unicode() - kOwnIsolateShift);
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
    return doc->characterCount() - 1 + (doc->blockCount() - 1) - m_paragraphs->totalMarks();
}

qsizetype PostEditor::toExact(int documentPosition) const
{
    const QTextBlock block = document()->findBlock(documentPosition);
    const int number = block.blockNumber();
    qsizetype exact = documentPosition + number - m_paragraphs->marksBefore(number);
    if (m_paragraphs->marksIn(number) > 0)
        exact -= marks::countMarks(
            block.text().first(qBound(0, documentPosition - block.position(), block.length() - 1)));
    return exact;
}

int PostEditor::toDocument(qsizetype exactPosition) const
{
    const QTextDocument *doc = document();
    exactPosition = qBound<qsizetype>(0, exactPosition, textLength());
    // Paragraph k starts at exact position position(k) + k less the marks
    // before it: each CR LF before it counts one character more than its
    // separator, each mark one less. Find the last paragraph starting at or
    // before the position.
    int lo = 0;
    int hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid - m_paragraphs->marksBefore(mid) <= exactPosition)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(lo);
    const int marksIn = m_paragraphs->marksIn(lo);
    // A position between the CR and the LF of a pair falls back before the pair.
    const qsizetype inBlock = qMin<qsizetype>(
        exactPosition - lo + m_paragraphs->marksBefore(lo) - block.position(), block.length() - 1 - marksIn);
    if (marksIn == 0)
        return int(block.position() + inBlock);
    return int(block.position() + marks::markedOffset(block.text(), inBlock));
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

void PostEditor::replace(qsizetype start, qsizetype length, const QString &text)
{
    applyEdits({{start, length, text}});
}

void PostEditor::replaceSelection(const QString &exact)
{
    const UndoSelection before{0, selStart(), selLength()};
    const QString documentText = toDocumentText(exact);
    editMarked([&] { insertDocumentText(documentText); }, true);
    rememberUndoSelection(before);
}

void PostEditor::rememberUndoSelection(const UndoSelection &before)
{
    const int steps = document()->availableUndoSteps();
    while (!m_undoSelections.empty() && m_undoSelections.back().undoSteps >= steps)
        m_undoSelections.pop_back();
    m_undoSelections.push_back({steps, before.start, before.length});
}

void PostEditor::applyEdits(const QList<PostEdit> &edits)
{
    if (edits.isEmpty())
        return;
    const UndoSelection before{0, selStart(), selLength()};
    // Each edit is made whole, its marks placed and everyone told, before
    // the next is found by its position; each joins the first's undo step.
    bool first = true;
    for (const PostEdit &edit : edits) {
        select(edit.start, edit.length);
        editMarked([&] { insertDocumentText(toDocumentText(edit.text)); }, true, !first);
        first = false;
    }
    rememberUndoSelection(before);
}

void PostEditor::undoWithSelection()
{
    const int steps = document()->availableUndoSteps();
    while (!m_undoSelections.empty() && m_undoSelections.back().undoSteps > steps)
        m_undoSelections.pop_back();
    const bool ours = !m_undoSelections.empty() && m_undoSelections.back().undoSteps == steps;
    m_undoing = true;
    QPlainTextEdit::undo();
    m_undoing = false;
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
    // Ctrl+Y redoes on every desktop, beside the desktop's own redo key.
    if (event == QKeySequence::Redo
        || event->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)) {
        redoQuietly();
        event->accept();
        return;
    }
    if (moveOverMarks(event))
        return;
    if (isReadOnly()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // Every Enter, Shift+Enter included, makes a CR LF line break: Qt would
    // make Shift+Enter a lone line separator.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !(event->modifiers() & Qt::ControlModifier)) {
        editMarked(
            [this] {
                QTextCursor cursor = textCursor();
                cursor.insertBlock();
                setTextCursor(cursor);
            },
            false);
        ensureCursorVisible();
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool plainKey = !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    if (plainKey && !typed.isEmpty() && typed.front().isPrint() && !textCursor().hasSelection()) {
        // Typing that changes no mark stays Qt's own, so that a run of
        // typing is one undo step as it always was.
        if (toDocumentText(typed) == typed && typeWithoutNewMarks(typed)) {
            QPlainTextEdit::keyPressEvent(event);
            return;
        }
        if (toDocumentText(typed) != typed) {
            // A line break or an isolate character of the post's own, typed
            // with a keyboard that has them: kept exactly, like pasted text.
            editMarked([&] { insertDocumentText(toDocumentText(typed)); }, true);
            ensureCursorVisible();
            event->accept();
            return;
        }
        typeInStepWithMarks(event);
        return;
    }
    const bool erase = (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
        && !(event->modifiers() & ~Qt::ShiftModifier) && !textCursor().hasSelection();
    if (erase) {
        if (eraseWithoutNewMarks(event->key() == Qt::Key_Backspace))
            QPlainTextEdit::keyPressEvent(event);
        else
            typeInStepWithMarks(event);
        return;
    }
    editMarked([&] { QPlainTextEdit::keyPressEvent(event); }, false);
}

void PostEditor::inputMethodEvent(QInputMethodEvent *event)
{
    editMarked([&] { QPlainTextEdit::inputMethodEvent(event); }, false);
}

void PostEditor::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu(event->pos());
    // The menu's Undo goes through undoWithSelection(), so it restores
    // selections too; its Redo, like Undo, never places marks of its own.
    for (QAction *action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-undo")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &PostEditor::undoWithSelection);
        } else if (action->objectName() == QLatin1String("edit-redo")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &PostEditor::redoQuietly);
        }
    }
    for (const ContextMenuHook &hook : m_contextMenuHooks)
        hook(*menu, cursorForPosition(event->pos()));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void PostEditor::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    // Pasted text keeps its own line breaks, exactly like text that is opened.
    const QString documentText = toDocumentText(source->text());
    editMarked([&] { insertDocumentText(documentText); }, true);
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

bool PostEditor::ownDirections() const
{
    return m_layout->ownDirections();
}

void PostEditor::setOwnDirections(bool on)
{
    m_layout->setOwnDirections(on);
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
    // Setting the option lays every paragraph out again.
    document()->setDefaultTextOption(option);
    setLayoutDirection(m_rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
}

} // namespace zarvelo
