#pragma once

#include "ui/directionmarks.h"
#include "ui/postedit.h"

#include <QPlainTextEdit>
#include <QTimer>

class QAbstractUndoItem;

#include <functional>
#include <vector>

namespace zarvelo {

class ParagraphLayout;
class PostParagraphs;

/**
 * The post editor, `Text1`: a multi-line text box that keeps the post's exact
 * text. CR LF pairs, lone LFs and lone CRs come back exactly as they went in;
 * Enter inserts CR LF; every position and length counts characters of that
 * exact text, a CR LF counting two.
 *
 * Qt's document turns every line break into a paragraph separator, so the
 * editor stores CR LF as a paragraph break, a lone LF as a line separator
 * (U+2028, which also shows as a new line) and a lone CR as a private-use
 * character, and maps positions through the paragraph numbers.
 *
 * Markup reads right in either direction: each tag is kept between
 * invisible isolate marks (see directionmarks.h), so it reads left to right as
 * one unit in an Arabic line too, and each paragraph is laid out in the
 * direction of its own first letter outside the tags. The marks live in the
 * document only: the text, every position and length, the selected text and
 * the clipboard count the post's characters alone; the caret steps over the
 * marks; the marks a change needs go into the same undo step as the change,
 * and no mark ever wakes anyone listening for changes of the post on its own.
 * A post's own isolate characters stay apart from the marks as private-use
 * characters of the document, as a lone CR does.
 *
 * Every change made through this interface is one undo step, and undoing it
 * also brings back the selection it started from.
 */
class PostEditor final : public QPlainTextEdit
{
    Q_OBJECT

public:
    enum Alignment { LeftJustify = 0, RightJustify = 1, Center = 2 };

    explicit PostEditor(QWidget *parent = nullptr);

    /** The whole post, exactly. */
    QString text() const;
    /** Replaces the whole post; one undo step; the caret goes to the end. */
    void setText(const QString &text);

    /** Start of the selection (or the caret), from 0. */
    qsizetype selStart() const;
    /** Places the caret there, with nothing selected. */
    void setSelStart(qsizetype start);
    qsizetype selLength() const;
    /** Selects length characters from the selection start (clipped to the end). */
    void setSelLength(qsizetype length);
    /** Selects length characters from start. */
    void select(qsizetype start, qsizetype length);

    /** The selected characters; "" when nothing is selected. */
    QString selText() const;
    /** Replaces the selection with text (one undo step) and leaves the caret
        after it with nothing selected. */
    void setSelText(const QString &text);
    /** Replaces length characters from start with text (one undo step) and
        leaves the caret after it; undoing it brings back the selection that
        was held before, wherever it was. */
    void replace(qsizetype start, qsizetype length, const QString &text);

    /** Makes the edits in turn, each at its place in the text the ones
        before it left, as one undo step that also brings back the selection.
        The caret ends after the last edit. */
    void applyEdits(const QList<PostEdit> &edits);

    /** Length of the whole post. */
    qsizetype textLength() const;

    Alignment alignment() const { return m_alignment; }
    void setAlignment(Alignment alignment);
    bool rightToLeft() const { return m_rightToLeft; }
    void setRightToLeft(bool on);
    /** Whether each paragraph reads in the direction of its first letter
        outside the tags (on by default); off, every paragraph takes the
        editor's direction. Tags read as units either way. */
    bool ownDirections() const;
    void setOwnDirections(bool on);

    /** Undoes the last change; a change made through this interface also gets
        back the selection it started from. Ctrl+Z and the context menu's
        Undo come here; the base class's undo() takes back the text alone. */
    void undoWithSelection();

    /** Makes item part of the undo step of the change just made through this
        interface: undoing that change calls item->undo(), redoing it
        item->redo(). What belongs to the text outside the editor (the file
        it came from) thus travels with it. The document owns the item. */
    void attachToLastChange(QAbstractUndoItem *item);

    /** Lets others put actions of their own into the context menu, for the
        text under the click (a document cursor there). The hooks run in the
        order they were added, each on the menu the ones before it left. */
    using ContextMenuHook = std::function<void(QMenu &menu, const QTextCursor &atClick)>;
    void addContextMenuHook(ContextMenuHook hook) { m_contextMenuHooks.push_back(std::move(hook)); }

    /** The editor's form of exact text, and back. Public for the tests and
        for anything that reads the document directly. */
    static QString toDocumentText(QStringView exact);
    static QString fromDocumentText(QStringView document);

    /** How the editors find the tags of a paragraph: set once by the
        program, from the markup highlighting's own scanner. Without it no
        tag is isolated. */
    using TagFinder = std::function<void(QStringView paragraph, QList<IsolatedTag> &tags)>;
    static void setTagFinder(TagFinder finder);
    /** The paragraph with its tags isolated, as the editors show it; also for
        a line of a post shown elsewhere (a list). */
    static QString withIsolatedTags(QStringView paragraph);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    qsizetype toExact(int documentPosition) const;
    int toDocument(qsizetype exactPosition) const;
    void replaceSelection(const QString &exact);
    void insertDocumentText(const QString &documentText);
    void applyTextOption();

    // Marks (posteditormarks.cpp).
    bool moveOverMarks(QKeyEvent *event);
    bool typeWithoutNewMarks(const QString &typed);
    bool eraseWithoutNewMarks(bool backward);
    void typeInStepWithMarks(QKeyEvent *event);
    void editMarked(const std::function<void()> &edit, bool insertsMarkedText, bool joinPrevious = false);
    bool markBetween(int from, int to, bool endsOnly, bool change);
    void markLater(int position, int removed, int added);
    void markPending();
    void redoQuietly();

    PostParagraphs *m_paragraphs = nullptr;
    ParagraphLayout *m_layout = nullptr;
    int m_marking = 0; // inside an edit that places its own marks
    bool m_undoing = false;
    QTimer m_pendingMarks;
    int m_pendingFrom = -1;
    int m_pendingTo = -1;

    struct UndoSelection
    {
        int undoSteps; // the document's undo steps right after the change
        qsizetype start;
        qsizetype length;
    };
    std::vector<UndoSelection> m_undoSelections;
    /** Keeps the selection held before the change just made, for its undo. */
    void rememberUndoSelection(const UndoSelection &before);
    std::vector<ContextMenuHook> m_contextMenuHooks;
    Alignment m_alignment = RightJustify;
    bool m_rightToLeft = true;
};

} // namespace zarvelo
