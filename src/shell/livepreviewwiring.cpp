#include "shell/livepreviewwiring.h"

#include "livepreview/livepreviewwindow.h"
#include "shell/postfile.h"
#include "ui/posteditor.h"

#include <QScreen>

#include <algorithm>

namespace zarvelo {

LivePreviewOpener::LivePreviewOpener(PostEditor &editor, Platform &platform, QWidget &owner)
    : QObject(&owner)
    , m_editor(editor)
    , m_platform(platform)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("LivePreviewOpener"));
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
    if (!m_window) {
        m_window = new LivePreviewWindow(m_editor, m_platform, kPostLoadLimit, &m_owner);
        placeBesideOwner();
    }
    QWidget *focused = m_owner.focusWidget();
    m_window->show();
    // The user goes on typing where they were.
    m_owner.activateWindow();
    if (focused)
        focused->setFocus();
}

void LivePreviewOpener::placeBesideOwner()
{
    // Beside the main window, on the side with more room, narrowed to fit
    // when it must be. Where neither side has room it stands at the screen's
    // left edge: the post reads from the right, so its lines stay in view.
    constexpr int kNarrowest = 320;
    const QRect owner = m_owner.frameGeometry();
    const QScreen *screen = m_owner.screen();
    const QRect room = screen ? screen->availableGeometry() : owner;
    const int rightRoom = room.right() - owner.right();
    const int leftRoom = owner.left() - room.left();
    const int frame = 16; // the window manager's borders, unknown before showing
    int width = m_window->width();
    int x = 0;
    if (std::max(rightRoom, leftRoom) >= kNarrowest + frame) {
        const bool right = rightRoom >= leftRoom;
        width = std::min(width, (right ? rightRoom : leftRoom) - frame);
        x = right ? owner.right() + 1 : owner.left() - width - frame;
    } else {
        x = room.left();
    }
    m_window->resize(width, std::max(m_window->height(), m_owner.height()));
    m_window->move(x, owner.top());
}

} // namespace zarvelo
