#pragma once

#include "postcheck/postcheck.h"

#include <QObject>
#include <QPointer>

namespace zarvelo {

class PostCheckWindow;
class PostEditor;

/**
 * The tools menu's post check item (F7): shows the check window beside the
 * main window, creating it the first time. The forum's limits are kept in
 * the preferences, read at start so that the live preview gives the length
 * against them before the window is ever opened.
 */
class PostCheckOpener final : public QObject
{
    Q_OBJECT

public:
    /** The opener is a child of owner, which also owns the window. */
    PostCheckOpener(PostEditor &editor, QWidget &owner);

    const ForumLimits &limits() const { return m_limits; }
    /** The window once created, shown or hidden; nullptr before the first use. */
    PostCheckWindow *window() const;

public slots:
    void open();

signals:
    void forumLimitChanged(qsizetype characters);

private:
    void keep(const ForumLimits &limits);

    PostEditor &m_editor;
    QWidget &m_owner;
    ForumLimits m_limits;
    QPointer<PostCheckWindow> m_window;
};

} // namespace zarvelo
