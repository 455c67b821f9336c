#pragma once

#include <QObject>

class QComboBox;

namespace zarvelo {

/**
 * Tells picking an entry of a drop-down list from browsing it. Qt applies
 * every entry the arrow keys, the wheel or typed letters move a closed list
 * to, and an editable list applies a typed name that matches an entry on
 * Return or when the focus leaves it; here those only move, and Return then picks the entry moved to.
 * Return never goes further than the list, whatever it does. A pick from the
 * open popup is a pick, as Qt reports it.
 */
class ListPicker final : public QObject
{
    Q_OBJECT

public:
    /** Watches the list; becomes its child. */
    explicit ListPicker(QComboBox &list);

signals:
    /** The user picked the entry at index. */
    void picked(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox &m_list;
    bool m_browsing = false; // Qt is handling a key, the wheel or a focus loss: its picks are moves
    bool m_moved = false;    // the entry shown was reached by browsing, not by typing
};

} // namespace zarvelo
