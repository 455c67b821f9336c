#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <map>

namespace zarvelo {

/**
 * Pictures the program draws, kept in one file between starts so that a
 * start shows them without drawing them again (drawing one loads its fonts,
 * which costs more than the window's other work). The file holds the stamp
 * it was written under (see drawingStamp): a file of another stamp, or one
 * that cannot be read whole, counts as empty and is replaced on save.
 * An empty path keeps nothing: every picture is drawn.
 */
class PictureCache
{
public:
    PictureCache(QString path, QByteArray stamp);

    /** The picture kept under name, or a null image. */
    QImage find(const QString &name) const;
    void insert(const QString &name, const QImage &picture);

    /** Writes the file, atomically, when a picture was added since it was
        read. False when it could not be written; the pictures stay usable. */
    bool save();

private:
    void read();

    QString m_path;
    QByteArray m_stamp;
    std::map<QString, QImage> m_pictures;
    bool m_changed = false;
};

} // namespace zarvelo
