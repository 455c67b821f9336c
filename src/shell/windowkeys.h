#pragma once

#include <QObject>

class QMenuBar;
class QWidget;

namespace zarvelo {

/**
 * The keys a desktop editor is expected to know beyond its menus' own: F10
 * opens the menu bar, and Alt with a Latin letter never types into the post.
 * The menus' access keys are Arabic letters, which a Latin keyboard layout
 * does not give: there Alt with the key that carries a menu's letter on the
 * Arabic layout opens that menu, as Alt with the letter itself does.
 */
class WindowKeys final : public QObject
{
    Q_OBJECT

public:
    /** Watches window and editor, the one control that would type the letter. */
    WindowKeys(QWidget &window, QWidget &editor, QMenuBar &bar);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMenuBar &m_bar;
};

} // namespace zarvelo
