#include "shell/postcheckwiring.h"

#include "postcheck/postcheckwindow.h"
#include "shell/livepreviewwiring.h"
#include "shell/spellingswitch.h"
#include "ui/posteditor.h"

#include <QSettings>

namespace zarvelo {

namespace {

const char kCharactersKey[] = "check/forumLimit";
const char kQuoteDepthKey[] = "check/quoteDepth";

} // namespace

PostCheckOpener::PostCheckOpener(PostEditor &editor, QWidget &owner)
    : QObject(&owner)
    , m_editor(editor)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("PostCheckOpener"));
    // A value the user could not have given (a hand-edited file) gives way
    // to the default.
    const QSettings preferences(preferencesPath(), QSettings::IniFormat);
    const qlonglong characters =
        preferences.value(kCharactersKey, qlonglong(m_limits.characters)).toLongLong();
    const int depth = preferences.value(kQuoteDepthKey, m_limits.quoteDepth).toInt();
    if (characters >= 1)
        m_limits.characters = characters;
    if (depth >= 0)
        m_limits.quoteDepth = depth;
}

PostCheckWindow *PostCheckOpener::window() const
{
    return m_window;
}

void PostCheckOpener::open()
{
    if (!m_window) {
        m_window = new PostCheckWindow(m_editor, m_limits, &m_owner);
        connect(m_window, &PostCheckWindow::limitsChanged, this, &PostCheckOpener::keep);
        placeBeside(*m_window, m_owner, m_editor);
    }
    QWidget *focused = m_owner.focusWidget();
    m_window->show();
    m_window->raise();
    // The user goes on typing where they were.
    m_owner.activateWindow();
    if (focused)
        focused->setFocus();
}

void PostCheckOpener::keep(const ForumLimits &limits)
{
    const bool newLength = limits.characters != m_limits.characters;
    m_limits = limits;
    QSettings preferences(preferencesPath(), QSettings::IniFormat);
    preferences.setValue(kCharactersKey, qlonglong(limits.characters));
    preferences.setValue(kQuoteDepthKey, limits.quoteDepth);
    if (newLength)
        emit forumLimitChanged(limits.characters);
}

} // namespace zarvelo
