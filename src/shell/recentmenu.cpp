#include "shell/recentmenu.h"

#include "platform/isolate.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include <utility>

namespace zarvelo {

RecentMenu::RecentMenu(QMenu &menu, RecentPosts posts, std::function<bool(const QString &)> open,
                       QObject *parent)
    : QObject(parent)
    , m_menu(menu)
    , m_posts(std::move(posts))
    , m_open(std::move(open))
{
    setObjectName(QStringLiteral("RecentMenu"));
    menu.setToolTipsVisible(true);
    connect(&menu, &QMenu::aboutToShow, this, &RecentMenu::fill);
    fill();
}

void RecentMenu::add(const QString &path)
{
    m_posts.add(path);
}

void RecentMenu::fill()
{
    m_menu.clear();
    const QStringList paths = m_posts.paths();
    for (const QString &path : paths) {
        // A file name reads in the direction of its own first letter; an "&"
        // in it is a letter, not an access key.
        QString name = QFileInfo(path).fileName();
        QAction *item = m_menu.addAction(isolated(name.replace(u'&', QLatin1String("&&"))));
        item->setToolTip(isolatedPath(path));
        connect(item, &QAction::triggered, this, [this, path] { choose(path); });
    }
    m_menu.addSeparator();
    QAction *clear = m_menu.addAction(QStringLiteral("مسح القائمة"));
    clear->setObjectName(QStringLiteral("RECENTCLEAR"));
    clear->setEnabled(!paths.isEmpty());
    connect(clear, &QAction::triggered, this, [this] { m_posts.clear(); });
}

void RecentMenu::choose(const QString &path)
{
    // Open has told the user why it failed; a post that is gone for good
    // leaves the list, one that is only unreadable now stays for later.
    if (!m_open(path) && !QFileInfo::exists(path))
        m_posts.remove(path);
}

} // namespace zarvelo
