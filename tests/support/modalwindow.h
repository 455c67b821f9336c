#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

namespace zarvelo::test {

/** Runs open(), lets look() act in its first modal window, closes each so no test hangs; returns how many. */
inline int inModal(const std::function<void()> &open, const std::function<void(QDialog &)> &look = {})
{
    int openings = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            if (++openings == 1 && look)
                look(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        }
    });
    closer.start(0);
    open();
    QCoreApplication::processEvents();
    return openings;
}

} // namespace zarvelo::test
