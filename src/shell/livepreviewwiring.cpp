#include "shell/livepreviewwiring.h"

#include "livepreview/livepreviewwindow.h"
#include "shell/postfile.h"
#include "ui/posteditor.h"

#include <QAction>
#include <QScreen>

namespace zarvelo {

LivePreviewOpener::LivePreviewOpener(QAction &item, PostEditor &editor, Platform &platform, QWidget &owner)
    : QObject(&owner)
    , m_editor(editor)
    , m_platform(platform)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("LivePreviewOpener"));
    connect(&item, &QAction::triggered, this, &LivePreviewOpener::toggle);
}

LivePreviewWindow *LivePreviewOpener::window() const
{
    return m_window;
}

void LivePreviewOpener::toggle()
{
    if (m_window && m_window->isVisible()) {
        m_window->hide();
        return;
    }
    const bool first = !m_window;
    if (first)
        m_window = new LivePreviewWindow(m_editor, m_platform, kPostLoadLimit, &m_owner);
    QWidget *focused = m_owner.focusWidget();
    m_window->show();
    if (first)
        placeBesideOwner();
    // The user goes on typing where they were.
    m_owner.activateWindow();
    if (focused)
        focused->setFocus();
}

void LivePreviewOpener::placeBesideOwner()
{
    // Beside the main window where the screen has room, else over its edge.
    const QRect owner = m_owner.frameGeometry();
    const QScreen *screen = m_owner.screen();
    const QRect room = screen ? screen->availableGeometry() : owner;
    const int width = m_window->frameGeometry().width();
    int x = owner.right() + 1;
    if (x + width > room.right() + 1)
        x = owner.left() - width >= room.left() ? owner.left() - width : room.right() + 1 - width;
    m_window->move(x, owner.top());
    m_window->resize(m_window->width(), std::max(m_window->height(), m_owner.height()));
}

} // namespace zarvelo
