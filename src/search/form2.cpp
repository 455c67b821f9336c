#include "search/form2.h"

#include "platform/platform.h"
#include "search/findstep.h"
#include "ui/controlbuilder.h"
#include "ui/posteditor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace zarvelo {

namespace {
using K = ControlKind;

const std::vector<ControlDef> &form2Controls()
{
    static const std::vector<ControlDef> controls{
        {"Label1", K::Label, nullptr, 2040, 120, 735, 255, -1, "نص البحث:", nullptr},
        {"Text1", K::LineEdit, nullptr, 120, 360, 2655, 375, 0, nullptr, nullptr},
        {"Command1", K::Button, nullptr, 1800, 900, 700, 375, 1, "ابـحــث", nullptr},
        {"Command2", K::Button, nullptr, 380, 900, 700, 375, 2, "إغلاق", nullptr},
    };
    return controls;
}
// The platform's palette for a kind of widget, every colour set outright: a
// palette left unresolved would take the window's navy again.
QPalette usualPalette(const QWidget *widget)
{
    QPalette palette = QApplication::palette(widget);
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = QPalette::ColorGroup(group);
            const auto r = QPalette::ColorRole(role);
            if (r == QPalette::NoRole)
                continue;
            palette.setColor(g, r, palette.color(g, r));
        }
    }
    return palette;
}
} // namespace

Form2::Form2(PostEditor &editor, Platform &platform, QWidget *owner)
    : QWidget(owner,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint)
    , m_editor(editor)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("بحث في المشاركة"));
    setLayoutDirection(Qt::RightToLeft);
    setFont(windowFont());
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsToPixels(2895), twipsToPixels(1395));
    paintNavy(this);

    buildControls(this, form2Controls());
    m_text1 = findChild<QLineEdit *>(QStringLiteral("Text1"));
    // The search text keeps the usual text-box colours, not the window's navy.
    m_text1->setPalette(usualPalette(m_text1));
    // The caption hugs the label's right edge, over the right end of the box.
    // A font wider than the design's grows the label to the left rather than
    // cutting the caption off.
    auto *label = findChild<QLabel *>(QStringLiteral("Label1"));
    label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);
    const int needed = label->sizeHint().width();
    if (needed > label->width())
        label->setGeometry(label->geometry().adjusted(label->width() - needed, 0, 0, 0));
    auto *searchButton = findChild<QPushButton *>(QStringLiteral("Command1"));
    connect(searchButton, &QPushButton::clicked, this, &Form2::search);
    // Return in the search text presses the search button, as in a dialog.
    connect(m_text1, &QLineEdit::returnPressed, searchButton, &QPushButton::click);
    connect(findChild<QPushButton *>(QStringLiteral("Command2")), &QPushButton::clicked, this,
            &QWidget::hide);

    // Coming back to the window, typing replaces the old search text. A tool
    // window counts as active whenever its owner is, so its own activation
    // events say little; the window holding the keyboard is what counts.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *focused) {
        if (focused && focused == windowHandle()) {
            m_text1->setFocus(Qt::ActiveWindowFocusReason);
            m_text1->selectAll();
        }
    });

    QScreen *screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

void Form2::search()
{
    const QString post = m_editor.text();
    const QString searchText = m_text1->text();
    const FindStep step = findStep(post, searchText, m_searchStart);
    switch (step.outcome) {
    case FindStep::Skipped:
        return;
    case FindStep::NotFound:
        // The start position stays, so every further press says the same
        // until the window is unloaded.
        m_platform.messageBox(QStringLiteral("تم البحث"), programName(), MessageIcon::Information);
        return;
    case FindStep::Found:
        break;
    }
    m_searchStart = step.nextStart;
    m_editor.select(step.found - 1, searchText.size());
    // The main window comes forward to show the match; this window, which it
    // owns, stays above it.
    if (QWidget *owner = parentWidget()) {
        owner->show();
        owner->raise();
        owner->activateWindow();
    }
}

void Form2::keyPressEvent(QKeyEvent *event)
{
    // Escape does what the close button does: it hides, keeping the search.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form2::closeEvent(QCloseEvent *event)
{
    // Only the title-bar close box gets here (the close button hides): the
    // window unloads, and the next opening starts from the top again.
    m_searchStart = 1;
    m_unloaded = true;
    QWidget::closeEvent(event);
}

FindWindowOpener::FindWindowOpener(PostEditor &editor, Platform &platform, QWidget *owner)
    : QObject(owner)
    , m_editor(editor)
    , m_platform(platform)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("FindWindowOpener"));
}

Form2 *FindWindowOpener::window() const
{
    return m_window && !m_window->isUnloaded() ? m_window.data() : nullptr;
}

void FindWindowOpener::open()
{
    if (!window())
        m_window = new Form2(m_editor, m_platform, m_owner);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace zarvelo
