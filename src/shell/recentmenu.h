#pragma once

#include "shell/recentposts.h"

#include <QObject>

#include <functional>

class QMenu;

namespace zarvelo {

/**
 * The file menu's list of recent posts: one item per post (its file name,
 * the full path in its tooltip), newest first, and an item that empties the
 * list. The items are made each time the menu opens, so that a post another
 * window opened is there too.
 */
class RecentMenu final : public QObject
{
    Q_OBJECT

public:
    /** open opens a post as Open does and says whether it could. */
    RecentMenu(QMenu &menu, RecentPosts posts, std::function<bool(const QString &)> open,
               QObject *parent = nullptr);

    /** A post was opened or saved: it goes first. */
    void add(const QString &path);

private:
    void fill();
    void choose(const QString &path);

    QMenu &m_menu;
    RecentPosts m_posts;
    std::function<bool(const QString &)> m_open;
};

} // namespace zarvelo
