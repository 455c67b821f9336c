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
    // when it must be. Where neither side has room it goes where it hides
    // the least of the editor, at the screen's left edge when that is a tie:
    // the post reads from the right, so its lines stay in view.
    constexpr int kNarrowest = 320;
    const QRect owner = m_owner.frameGeometry();
    const QScreen *screen = m_owner.screen();
    const QRect room = screen ? screen->availableGeometry() : owner;
    const int rightRoom = room.right() - owner.right();
    const int leftRoom = owner.left() - room.left();
    const int frame = 16; // the window manager's borders, unknown before showing
    int width = m_window->width();
    const int height = std::min(std::max(m_window->height(), m_owner.height()), room.height() - frame);
    if (std::max(rightRoom, leftRoom) >= kNarrowest + frame) {
        const bool right = rightRoom >= leftRoom;
        width = std::min(width, (right ? rightRoom : leftRoom) - frame);
        m_window->resize(width, height);
        m_window->move(right ? owner.right() + 1 : owner.left() - width - frame, owner.top());
        return;
    }
    width = std::min(width, room.width() - frame);
    const QRect editor(m_editor.mapToGlobal(QPoint(0, 0)), m_editor.size());
    const auto within = [](int value, int low, int high) { return std::max(low, std::min(value, high)); };
    const int top = within(owner.top(), room.top(), room.bottom() - height - frame);
    const int lastLeft = std::max(room.left(), room.right() - width - frame);
    QRect best;
    qint64 hidden = -1;
    for (const int left : {room.left(), within(editor.left() - width - frame, room.left(), lastLeft),
                           within(editor.right() + 1, room.left(), lastLeft), lastLeft}) {
        const QRect place(left, top, width + frame, height + frame);
        const QRect over = place.intersected(editor);
        const qint64 area = over.isEmpty() ? 0 : qint64(over.width()) * over.height();
        if (hidden < 0 || area < hidden) {
            hidden = area;
            best = place;
        }
    }
    m_window->resize(width, height);
    m_window->move(best.topLeft());
}

} // namespace zarvelo
