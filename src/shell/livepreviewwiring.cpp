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
        m_window->setForumLimit(m_forumLimit);
        placeBeside(*m_window, m_owner);
    }
    QWidget *focused = m_owner.focusWidget();
    m_window->show();
    // The user goes on typing where they were.
    m_owner.activateWindow();
    if (focused)
        focused->setFocus();
}

void LivePreviewOpener::setForumLimit(qsizetype characters)
{
    m_forumLimit = characters;
    if (m_window)
        m_window->setForumLimit(characters);
}

void placeBeside(QWidget &window, const QWidget &owner)
{
    // Beside the main window, on the side with more room, narrowed to fit
    // when it must be. Where neither side has room it stands at the screen's
    // left edge: the post reads from the right, so its lines stay in view.
    constexpr int kNarrowest = 320;
    const QRect frame = owner.frameGeometry();
    const QScreen *screen = owner.screen();
    const QRect room = screen ? screen->availableGeometry() : frame;
    const int rightRoom = room.right() - frame.right();
    const int leftRoom = frame.left() - room.left();
    const int borders = 16; // the window manager's, unknown before showing
    int width = window.width();
    int x = 0;
    if (std::max(rightRoom, leftRoom) >= kNarrowest + borders) {
        const bool right = rightRoom >= leftRoom;
        width = std::min(width, (right ? rightRoom : leftRoom) - borders);
        x = right ? frame.right() + 1 : frame.left() - width - borders;
    } else {
        x = room.left();
    }
    window.resize(width, std::max(window.height(), owner.height()));
    window.move(x, frame.top());
}

} // namespace zarvelo
