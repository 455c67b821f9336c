#pragma once

#include <QObject>
#include <QString>

namespace zarvelo {

class Platform;

/**
 * A window's common-dialog component, `CommonDialog1`: the Open, Save and
 * colour dialogs, with the file name and colour it keeps between showings for
 * as long as its window lives.
 */
class CommonDialog final : public QObject
{
    Q_OBJECT

public:
    explicit CommonDialog(Platform &platform, QObject *parent = nullptr);

    /** "desc|pattern|desc|pattern", set before each file dialog. */
    void setFilter(const QString &filter) { m_filter = filter; }

    /** The path the last file dialog returned: "" when it was cancelled. */
    QString fileName() const { return m_fileName; }

    /** The colour number (red + 256 × green + 65536 × blue) the colour dialog
        starts from and leaves its choice in; a cancel leaves it unchanged. */
    quint32 color() const { return m_color; }
    void setColor(quint32 color) { m_color = color; }

    /** The path the next file dialog offers, as if a dialog had returned
        it: a post opened without the dialog still sets where it starts. */
    void offer(const QString &path) { m_lastChosen = path; }

    /** Show the dialog; the result is in fileName() or color(). The file
        dialogs offer the last path that was not cancelled as the initial name. */
    void showOpen();
    void showSave();
    void showColor();

private:
    Platform &m_platform;
    QString m_filter;
    QString m_fileName;
    QString m_lastChosen;
    quint32 m_color = 0;
};

} // namespace zarvelo
