#include "shell/recentposts.h"

#include <QFileInfo>
#include <QSettings>

#include <utility>

namespace zarvelo {

namespace {
const char kKey[] = "recent/posts";

/** One spelling for one file, so the same post is never listed twice. */
QString listed(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}
} // namespace

RecentPosts::RecentPosts(QString preferencesFile)
    : m_file(std::move(preferencesFile))
{}

QStringList RecentPosts::paths() const
{
    // Another program may have written the file: what it holds beyond the
    // limit, or empty entries, never reach the menu.
    QStringList paths = QSettings(m_file, QSettings::IniFormat).value(kKey).toStringList();
    paths.removeAll(QString());
    paths.removeDuplicates();
    return paths.mid(0, kKept);
}

void RecentPosts::add(const QString &path)
{
    if (path.isEmpty())
        return;
    QStringList paths = this->paths();
    const QString entry = listed(path);
    paths.removeAll(entry);
    paths.prepend(entry);
    store(paths.mid(0, kKept));
}

void RecentPosts::remove(const QString &path)
{
    QStringList paths = this->paths();
    if (paths.removeAll(listed(path)) > 0)
        store(paths);
}

void RecentPosts::clear()
{
    store({});
}

void RecentPosts::store(const QStringList &paths)
{
    QSettings preferences(m_file, QSettings::IniFormat);
    if (paths.isEmpty())
        preferences.remove(kKey);
    else
        preferences.setValue(kKey, paths);
}

} // namespace zarvelo
