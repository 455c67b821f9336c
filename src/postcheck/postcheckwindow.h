#pragma once

#include "postcheck/postcheck.h"

#include <QString>
#include <QTimer>
#include <QWidget>

class QLabel;
class QModelIndex;
class QPushButton;
class QSpinBox;
class QTreeView;

namespace zarvelo {

class PostEditor;
class ProblemModel;

/**
 * The post check: every problem of the post, one a row in the order they
 * stand (line, text concerned, what is wrong), checked again shortly after
 * each change. Clicking a row selects its text in the editor; a row whose
 * fix is obvious has a button that makes it, and one button makes them all,
 * each as one undo step. The forum's limits are fields of the window.
 *
 * A tool window owned by the main window: it stays above it without
 * blocking it and never takes the keyboard focus from the editor while it
 * follows the typing. Its close box hides it; while hidden it does no work.
 */
class PostCheckWindow final : public QWidget
{
    Q_OBJECT

public:
    /** How long after the last change the post is checked again. */
    static constexpr int kDelayMs = 150;

    PostCheckWindow(PostEditor &editor, const ForumLimits &limits, QWidget *owner);
    ~PostCheckWindow() override;

    const ForumLimits &limits() const { return m_limits; }
    /** The problems as listed. */
    const PostCheck &check() const { return m_check; }
    QTreeView &list() const { return *m_list; }
    QString summary() const;

    /** Checks the post now and lists its problems. */
    void refresh();
    /** Makes the fix of a listed problem, when it has one. */
    void fix(int row);
    /** Makes every fix there is, as one undo step. */
    void fixAll();

signals:
    void limitsChanged(const ForumLimits &limits);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void postChanged();
    void rowClicked(const QModelIndex &index);
    void setLimits();
    bool listIsOfThePost() const;
    void backToEditor();

    PostEditor &m_editor;
    ForumLimits m_limits;
    PostCheck m_check;
    QString m_checked; // the post as checked
    ProblemModel *m_model = nullptr;
    QTreeView *m_list = nullptr;
    QLabel *m_summary = nullptr;
    QPushButton *m_fixAll = nullptr;
    QSpinBox *m_characters = nullptr;
    QSpinBox *m_quoteDepth = nullptr;
    QTimer m_delay;
};

} // namespace zarvelo
