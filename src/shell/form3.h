#pragma once

#include <QDialog>

namespace zarvelo {

/** The About window: modal, fixed size, built afresh at every opening. */
class Form3 final : public QDialog
{
    Q_OBJECT

public:
    explicit Form3(QWidget *parent = nullptr);

    /** The description shown under the banner: two lines joined by CR LF. */
    static QString description();
};

} // namespace zarvelo
