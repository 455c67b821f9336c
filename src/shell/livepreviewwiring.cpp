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
        placeBeside(*m_window, m_owner, m_editor);
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

void placeBeside(QWidget &window, const QWidget &owner, const QWidget &editor)
{
    // Beside the main window, on the side with more room, narrowed to fit
    // when it must be. Where neither side has room it goes where it hides
    // the least of the editor, at the screen's left edge when that is a tie:
    // the post reads from the right, so its lines stay in view.
    constexpr int kNarrowest = 320;
    const QRect frame = owner.frameGeometry();
    const QScreen *screen = owner.screen();
    const QRect room = screen ? screen->availableGeometry() : frame;
    const int rightRoom = room.right() - frame.right();
    const int leftRoom = frame.left() - room.left();
    const int borders = 16; // the window manager's, unknown before showing
    int width = window.width();
    const int height = std::min(std::max(window.height(), owner.height()), room.height() - borders);
    if (std::max(rightRoom, leftRoom) >= kNarrowest + borders) {
        const bool right = rightRoom >= leftRoom;
        width = std::min(width, (right ? rightRoom : leftRoom) - borders);
        window.resize(width, height);
        window.move(right ? frame.right() + 1 : frame.left() - width - borders, frame.top());
        return;
    }
    width = std::min(width, room.width() - borders);
    const QRect hiddenBy(editor.mapToGlobal(QPoint(0, 0)), editor.size());
    const auto within = [](int value, int low, int high) { return std::max(low, std::min(value, high)); };
    const int top = within(frame.top(), room.top(), room.bottom() - height - borders);
    const int lastLeft = std::max(room.left(), room.right() - width - borders);
    QRect best;
    qint64 hidden = -1;
    for (const int left : {room.left(), within(hiddenBy.left() - width - borders, room.left(), lastLeft),
                           within(hiddenBy.right() + 1, room.left(), lastLeft), lastLeft}) {
        const QRect place(left, top, width + borders, height + borders);
        const QRect over = place.intersected(hiddenBy);
        const qint64 area = over.isEmpty() ? 0 : qint64(over.width()) * over.height();
        if (hidden < 0 || area < hidden) {
            hidden = area;
            best = place;
        }
    }
    window.resize(width, height);
    window.move(best.topLeft());
}

} // namespace zarvelo
