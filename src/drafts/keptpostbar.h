#pragma once

#include <QFrame>

class QLabel;

namespace zarvelo {

/**
 * The bar above the editor that offers back the post a run kept when it
 * ended without its window closing. It asks nothing and takes no focus: the
 * new post stays in the editor as it starts, its placeholder selected, and
 * the user restores the kept post or closes the bar when it suits them.
 */
class KeptPostBar final : public QFrame
{
    Q_OBJECT

public:
    explicit KeptPostBar(QWidget *parent);

    /** Shows the bar for a kept post known by firstLine. */
    void offer(const QString &firstLine);

    /** Hides the bar for good. */
    void dismiss();

signals:
    /** The user chose to restore the kept post; the bar has gone. */
    void restoreChosen();
    /** The bar was shown or hidden: what is under it moves. */
    void shownChanged();

private:
    QLabel *m_text = nullptr;
};

} // namespace zarvelo
