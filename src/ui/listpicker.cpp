#include "ui/listpicker.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace zarvelo {

ListPicker::ListPicker(QComboBox &list)
    : QObject(&list)
    , m_list(list)
{
    list.installEventFilter(this);
    connect(&list, &QComboBox::activated, this, [this](int index) {
        if (!m_browsing)
            emit picked(index);
    });
    connect(&list, &QComboBox::currentIndexChanged, this, [this] { m_moved = m_browsing; });
    if (QLineEdit *field = list.lineEdit())
        connect(field, &QLineEdit::textEdited, this, [this] { m_moved = false; });
}

bool ListPicker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &m_list || m_browsing)
        return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const int index = m_list.currentIndex();
            if (m_moved && index >= 0) {
                m_moved = false;
                emit picked(index);
            }
            event->accept();
            return true;
        }
    } else if (type != QEvent::Wheel && type != QEvent::FocusOut) {
        return false;
    }
    // (Leaving the field is here because Qt applies a typed name that
    // matches an entry when the focus goes.)
    // Qt moves the list as usual, with its report of a pick set aside. The
    // event has been offered to the windows around the list too by then, so
    // it goes no further.
    m_browsing = true;
    QCoreApplication::sendEvent(&m_list, event);
    m_browsing = false;
    event->accept();
    return true;
}

} // namespace zarvelo
