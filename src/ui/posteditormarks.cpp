// The post editor's direction marks: placing them with the changes that need
// them, and keeping the caret and the erasing keys off them.

#include "ui/posteditor.h"

#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextBoundaryFinder>

namespace zarvelo {

namespace {

PostEditor::TagFinder &tagFinder()
{
    static PostEditor::TagFinder finder;
    return finder;
}

constexpr char16_t kParagraph = 0x2029;

/** The marks of `current` that differ from those `wanted` has between the
    same characters, as (offset, length, marks wanted there). */
struct MarkEdit
{
    qsizetype at;
    qsizetype length;
    QString marks;
};

std::vector<MarkEdit> markEdits(QStringView current, QStringView wanted)
{
    std::vector<MarkEdit> edits;
    qsizetype i = 0;
    qsizetype j = 0;
    for (;;) {
        qsizetype runI = i;
        while (runI < current.size() && marks::isMark(current[runI].unicode()))
            ++runI;
        qsizetype runJ = j;
        while (runJ < wanted.size() && marks::isMark(wanted[runJ].unicode()))
            ++runJ;
        if (current.mid(i, runI - i) != wanted.mid(j, runJ - j))
            edits.push_back({i, runI - i, wanted.mid(j, runJ - j).toString()});
        if (runI >= current.size() || runJ >= wanted.size())
            break;
        i = runI + 1;
        j = runJ + 1;
    }
    return edits;
}

/** The marks around `at` in `text`: [start, end). */
std::pair<int, int> markRun(const QString &text, int at)
{
    int start = at;
    while (start > 0 && marks::isMark(text[start - 1].unicode()))
        --start;
    int end = at;
    while (end < text.size() && marks::isMark(text[end].unicode()))
        ++end;
    return {start, end};
}

} // namespace

void PostEditor::setTagFinder(TagFinder finder)
{
    tagFinder() = std::move(finder);
}

QString PostEditor::withIsolatedTags(QStringView paragraph)
{
    if (!tagFinder() || !paragraph.contains(u'['))
        return paragraph.toString();
    thread_local QList<IsolatedTag> tags; // kept, so that a long paste allocates once
    tags.clear();
    tagFinder()(paragraph, tags);
    return tags.isEmpty() ? paragraph.toString() : marks::withMarks(paragraph, tags);
}

void PostEditor::insertDocumentText(const QString &documentText)
{
    // Whole paragraphs go in with their marks; the two the text joins are
    // marked again once it is in.
    QString marked;
    marked.reserve(documentText.size() + documentText.size() / 8);
    qsizetype from = 0;
    for (;;) {
        const qsizetype to = documentText.indexOf(QChar(kParagraph), from);
        marked += withIsolatedTags(QStringView(documentText).mid(from, to < 0 ? -1 : to - from));
        if (to < 0)
            break;
        marked += QChar(kParagraph);
        from = to + 1;
    }
    QTextCursor cursor = textCursor();
    cursor.insertText(marked);
    setTextCursor(cursor);
}

void PostEditor::editMarked(const std::function<void()> &edit, bool insertsMarkedText, bool joinPrevious)
{
    // The change and the marks it needs make one undo step, and reach
    // everyone watching the post as one change.
    ++m_marking;
    QTextCursor group = textCursor();
    const int before = group.selectionStart();
    if (joinPrevious)
        group.joinPreviousEditBlock();
    else
        group.beginEditBlock();
    edit();
    const int after = textCursor().position();
    markBetween(qMin(before, after), qMax(before, after), insertsMarkedText, true);
    group.endEditBlock();
    --m_marking;
}

void PostEditor::typeInStepWithMarks(QKeyEvent *event)
{
    // A key that makes or breaks a tag: Qt types it, joining it to the typing
    // before it as one undo step; that step is taken back and made again as
    // one edit with the marks it needs, so typing keeps its undo steps and
    // an undo never leaves a tag without its marks. Nobody hears of the
    // steps between.
    QTextDocument *doc = document();
    const int revision = doc->revision();
    const int steps = doc->availableUndoSteps();
    {
        const QSignalBlocker quiet(this);
        ++m_marking;
        QPlainTextEdit::keyPressEvent(event);
        --m_marking;
    }
    if (doc->revision() == revision)
        return;
    const QString typed = doc->toRawText();
    const qsizetype caret = toExact(textCursor().position());
    const bool ours = !m_undoSelections.empty() && m_undoSelections.back().undoSteps == steps;
    {
        const QSignalBlocker quiet(this);
        m_undoing = true;
        doc->undo();
        m_undoing = false;
    }
    const QString before = doc->toRawText();
    qsizetype head = 0;
    while (head < before.size() && head < typed.size() && before[head] == typed[head])
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < typed.size() - head
           && before[before.size() - 1 - tail] == typed[typed.size() - 1 - tail])
        ++tail;
    QTextCursor cursor = textCursor();
    cursor.setPosition(int(head));
    cursor.setPosition(int(before.size() - tail), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    editMarked(
        [&] {
            QTextCursor again = textCursor();
            again.insertText(typed.mid(head, typed.size() - tail - head));
            setTextCursor(again);
        },
        false);
    setSelStart(caret);
    // The step was one of the editor's own changes: it still brings back its selection.
    if (ours)
        m_undoSelections.back().undoSteps = doc->availableUndoSteps();
}

bool PostEditor::markBetween(int from, int to, bool endsOnly, bool change)
{
    QTextDocument *doc = document();
    const int end = doc->characterCount() - 1;
    QTextBlock block = doc->findBlock(qBound(0, from, end));
    const QTextBlock last = doc->findBlock(qBound(0, to, end));
    bool needed = false;
    for (; block.isValid(); block = block.next()) {
        if (endsOnly && block != last && block.position() > from)
            block = last;
        const QString current = block.text();
        const QString wanted = withIsolatedTags(marks::withoutMarks(current));
        if (wanted != current) {
            needed = true;
            if (!change)
                return true;
            // The caret and the anchor keep their places among the post's characters.
            QTextCursor caret = textCursor();
            const int start = block.position();
            const auto inBlock = [&](int position) {
                return position >= start && position <= start + current.size();
            };
            const int anchorClean =
                inBlock(caret.anchor()) ? int(marks::cleanOffset(current, caret.anchor() - start)) : -1;
            const int positionClean =
                inBlock(caret.position()) ? int(marks::cleanOffset(current, caret.position() - start)) : -1;
            QTextCursor cursor(doc);
            qsizetype shift = 0;
            for (const MarkEdit &edit : markEdits(current, wanted)) {
                cursor.setPosition(int(start + edit.at + shift));
                cursor.setPosition(int(start + edit.at + shift + edit.length), QTextCursor::KeepAnchor);
                cursor.insertText(edit.marks);
                shift += edit.marks.size() - edit.length;
            }
            if (anchorClean >= 0 || positionClean >= 0) {
                caret = textCursor();
                const int anchor =
                    anchorClean >= 0 ? start + int(marks::markedOffset(wanted, anchorClean)) : caret.anchor();
                const int position = positionClean >= 0
                    ? start + int(marks::markedOffset(wanted, positionClean))
                    : caret.position();
                caret.setPosition(anchor);
                caret.setPosition(position, QTextCursor::KeepAnchor);
                setTextCursor(caret);
            }
        }
        if (block == last)
            break;
    }
    return needed;
}

void PostEditor::markLater(int position, int removed, int added)
{
    Q_UNUSED(removed);
    // A change made some other way than through the editor's own edits
    // (the context menu's Cut and Delete, the source of a drag, a cursor of
    // someone else's) has its marks placed once it is over.
    if (m_marking > 0 || m_undoing || !tagFinder())
        return;
    const int to = position + added;
    m_pendingFrom = m_pendingFrom < 0 ? position : qMin(m_pendingFrom, position);
    m_pendingTo = qMax(m_pendingTo, to);
    m_pendingMarks.start();
}

void PostEditor::markPending()
{
    const int from = std::exchange(m_pendingFrom, -1);
    const int to = std::exchange(m_pendingTo, -1);
    if (from < 0 || !markBetween(from, to, false, false))
        return;
    // Marks alone are no change of the post: nobody listening hears of them.
    const QSignalBlocker quiet(this);
    ++m_marking;
    QTextCursor group = textCursor();
    group.joinPreviousEditBlock();
    markBetween(from, to, false, true);
    group.endEditBlock();
    --m_marking;
}

void PostEditor::redoQuietly()
{
    m_undoing = true;
    QPlainTextEdit::redo();
    m_undoing = false;
}

bool PostEditor::moveOverMarks(QKeyEvent *event)
{
    const bool select = event == QKeySequence::SelectNextChar || event == QKeySequence::SelectPreviousChar
        || event == QKeySequence::SelectNextWord || event == QKeySequence::SelectPreviousWord;
    const bool right = event == QKeySequence::MoveToNextChar || event == QKeySequence::SelectNextChar
        || event == QKeySequence::MoveToNextWord || event == QKeySequence::SelectNextWord;
    const bool left = event == QKeySequence::MoveToPreviousChar || event == QKeySequence::SelectPreviousChar
        || event == QKeySequence::MoveToPreviousWord || event == QKeySequence::SelectPreviousWord;
    QTextCursor cursor = textCursor();
    if ((!right && !left) || (cursor.hasSelection() && !select))
        return false;
    // Right goes on in a paragraph laid out left to right and back in one
    // laid out right to left, whatever the editor's own direction; one press
    // moves over one character of the post, never only over marks.
    const QTextLayout *layout = cursor.block().layout();
    const bool rtl = layout && layout->textOption().textDirection() == Qt::RightToLeft;
    const bool word = event == QKeySequence::MoveToNextWord || event == QKeySequence::SelectNextWord
        || event == QKeySequence::MoveToPreviousWord || event == QKeySequence::SelectPreviousWord;
    const bool onwards = right != rtl;
    const QTextCursor::MoveOperation step = word
        ? (onwards ? QTextCursor::NextWord : QTextCursor::PreviousWord)
        : (onwards ? QTextCursor::NextCharacter : QTextCursor::PreviousCharacter);
    const QTextCursor::MoveMode mode = select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
    const qsizetype from = toExact(cursor.position());
    while (cursor.movePosition(step, mode) && toExact(cursor.position()) == from) {}
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
    return true;
}

bool PostEditor::typeWithoutNewMarks(const QString &typed)
{
    QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    const QString current = block.text();
    const int at = cursor.positionInBlock();
    const auto [runStart, runEnd] = markRun(current, at);
    QString clean = marks::withoutMarks(current);
    clean.insert(marks::cleanOffset(current, at), typed);
    const QString wanted = withIsolatedTags(clean);
    if (wanted.size() != current.size() + typed.size())
        return false;
    // Of the places among the marks at the caret, the one where the typed
    // text lands among the marks it will need, if there is one.
    const QStringView want(wanted);
    const QStringView have(current);
    for (int p = runStart; p <= runEnd; ++p) {
        if (want.first(p) == have.first(p) && want.mid(p, typed.size()) == typed
            && want.mid(p + typed.size()) == have.mid(p)) {
            if (p != at) {
                cursor.setPosition(block.position() + p);
                setTextCursor(cursor);
            }
            return true;
        }
    }
    return false;
}

bool PostEditor::eraseWithoutNewMarks(bool backward)
{
    QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    const QString current = block.text();
    const auto [runStart, runEnd] = markRun(current, cursor.positionInBlock());
    // The key takes a character of the post, never a mark: the caret first
    // goes to that character's side of the marks.
    const int from = backward ? runStart : runEnd;
    if (from != cursor.positionInBlock()) {
        cursor.setPosition(block.position() + from);
        setTextCursor(cursor);
    }
    QString left;
    if (backward && from == 0) {
        if (!block.previous().isValid())
            return true;
        left = block.previous().text() + current;
    } else if (backward) {
        const int width =
            from >= 2 && current[from - 1].isLowSurrogate() && current[from - 2].isHighSurrogate() ? 2 : 1;
        left = current.left(from - width) + current.mid(from);
    } else if (from == current.size()) {
        if (!block.next().isValid())
            return true;
        left = current + block.next().text();
    } else {
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, current);
        graphemes.setPosition(from);
        const qsizetype next = graphemes.toNextBoundary();
        left = current.left(from) + current.mid(next < 0 ? current.size() : next);
    }
    return withIsolatedTags(marks::withoutMarks(left)) == left;
}

} // namespace zarvelo
