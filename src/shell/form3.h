#pragma once

#include <QDialog>

namespace zarvelo {

/** The About window: modal, fixed size, built afresh at every opening. */
class Form3 final : public QDialog
{
    Q_OBJECT

public:
    /** bannerFile is the banner's picture; when it cannot be drawn the
        banner shows the program's name and purpose as text instead. */
    explicit Form3(QWidget *parent = nullptr,
                   const QString &bannerFile = QStringLiteral(":/about/banner.svg"));

    /** The description shown under the banner: two lines joined by CR LF. */
    static QString description();
};

/** The About item: opens the About window modally over the owner. */
class AboutWindowOpener final : public QObject
{
    Q_OBJECT

public:
    /** The opener is a child of owner. */
    explicit AboutWindowOpener(QWidget *owner);

public slots:
    void open();

private:
    QWidget *m_owner;
};

} // namespace zarvelo
