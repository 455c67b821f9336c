#pragma once

#include <QByteArray>
#include <QImage>
#include <QMap>
#include <QString>

#include <map>

namespace zarvelo {

/**
 * What a window drew or measured with its fonts, kept in one file between
 * starts so that a start shows it without doing the work again (drawing a
 * picture or measuring a caption loads fonts, which costs more than the
 * window's other work): pictures, and measures kept as short texts. The file
 * holds the stamp it was written under (see drawingStamp): a file of another
 * stamp, or one that cannot be read whole, counts as empty and is replaced
 * on save. An empty path keeps nothing.
 */
class LookCache
{
public:
    LookCache(QString path, QByteArray stamp);

    /** The picture kept under name, or a null image. */
    QImage picture(const QString &name) const;
    void keepPicture(const QString &name, const QImage &picture);

    /** The measure kept under name, or an empty array. */
    QByteArray measure(const QString &name) const;
    void keepMeasure(const QString &name, const QByteArray &measure);

    /** Writes the file, atomically, when something was kept since it was
        read. False when it could not be written; what it holds stays usable. */
    bool save();

private:
    void read();

    QString m_path;
    QByteArray m_stamp;
    std::map<QString, QImage> m_pictures;
    QMap<QString, QByteArray> m_measures;
    bool m_changed = false;
};

} // namespace zarvelo
