#include "shell/windowkeys.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QWidget>

namespace zarvelo {

namespace {

/** The Latin letter key (Qt::Key_A to Qt::Key_Z) that carries letter on
    the Arabic keyboard layout; 0 when the letter is on another key. */
int latinKeyOfArabicLetter(QChar letter)
{
    // The Arabic layout's letters on the keys A to Z, in the keys' order;
    // B carries lam-alef, two letters, which no access key can be.
    static const char16_t keys[26] = {u'ش', u'\0', u'ؤ', u'ي', u'ث', u'ب', u'ل', u'ا', u'ه',
                                      u'ت', u'ن',  u'م', u'ة', u'ى', u'خ', u'ح', u'ض', u'ق',
                                      u'س', u'ف',  u'ع', u'ر', u'ص', u'ء', u'غ', u'ئ'};
    for (int i = 0; i < 26; ++i) {
        if (keys[i] != u'\0' && letter == QChar(keys[i]))
            return Qt::Key_A + i;
    }
    return 0;
}

/** The menu of the bar whose access letter is on key, or none. */
QMenu *menuOnKey(const QMenuBar &bar, int key)
{
    for (QAction *action : bar.actions()) {
        const QString title = action->text();
        const qsizetype amp = title.indexOf(u'&');
        if (action->menu() && amp >= 0 && amp + 1 < title.size()
            && latinKeyOfArabicLetter(title.at(amp + 1)) == key)
            return action->menu();
    }
    return nullptr;
}

} // namespace

WindowKeys::WindowKeys(QWidget &window, QWidget &editor, QMenuBar &bar)
    : QObject(&window)
    , m_bar(bar)
{
    setObjectName(QStringLiteral("WindowKeys"));
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), &window);
    connect(f10, &QShortcut::activated, this, [this] {
        const QList<QAction *> menus = m_bar.actions();
        if (!menus.isEmpty())
            m_bar.setActiveAction(menus.first());
    });
    window.installEventFilter(this);
    editor.installEventFilter(this);
}

bool WindowKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    // Alt alone: Ctrl with Alt is AltGr on some systems, which types letters.
    const Qt::KeyboardModifiers held = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (held != Qt::AltModifier || key->key() < Qt::Key_A || key->key() > Qt::Key_Z)
        return QObject::eventFilter(watched, event);
    if (QMenu *menu = menuOnKey(m_bar, key->key()))
        m_bar.setActiveAction(menu->menuAction());
    return true;
}

} // namespace zarvelo
