#include "ui/lookcache.h"

#include "platform/textfile.h"
#include "ui/rawpixels.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace zarvelo {

namespace {

constexpr quint32 kMagic = 0x5a56'4c43; // "ZVLC"
constexpr quint32 kFormat = 1;
// Pictures are small; anything larger is a damaged file, not a picture.
constexpr qint32 kLargestSide = 1024;

} // namespace

LookCache::LookCache(QString path, QByteArray stamp)
    : m_path(std::move(path))
    , m_stamp(std::move(stamp))
{
    if (!m_path.isEmpty())
        read();
}

void LookCache::read()
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0, format = 0, count = 0;
    QByteArray stamp;
    in >> magic >> format >> stamp >> count;
    if (in.status() != QDataStream::Ok || magic != kMagic || format != kFormat || stamp != m_stamp)
        return;
    std::map<QString, QImage> pictures;
    for (quint32 i = 0; i < count; ++i) {
        QString name;
        qint32 width = 0, height = 0;
        QByteArray pixels;
        in >> name >> width >> height >> pixels;
        QImage picture = in.status() == QDataStream::Ok && width <= kLargestSide && height <= kLargestSide
            ? imageFromRawPixels(pixels, width, height)
            : QImage();
        if (picture.isNull())
            return;
        pictures.emplace(name, std::move(picture));
    }
    QMap<QString, QByteArray> measures;
    in >> measures;
    if (in.status() == QDataStream::Ok && in.atEnd()) {
        m_pictures = std::move(pictures);
        m_measures = std::move(measures);
    }
}

QImage LookCache::picture(const QString &name) const
{
    const auto found = m_pictures.find(name);
    return found == m_pictures.end() ? QImage() : found->second;
}

void LookCache::keepPicture(const QString &name, const QImage &picture)
{
    m_pictures[name] = picture;
    m_changed = true;
}

QByteArray LookCache::measure(const QString &name) const
{
    return m_measures.value(name);
}

void LookCache::keepMeasure(const QString &name, const QByteArray &measure)
{
    QByteArray &kept = m_measures[name];
    m_changed = m_changed || kept != measure;
    kept = measure;
}

bool LookCache::save()
{
    if (m_path.isEmpty() || !m_changed)
        return true;
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kFormat << m_stamp << quint32(m_pictures.size());
    for (const auto &[name, picture] : m_pictures)
        out << name << qint32(picture.width()) << qint32(picture.height()) << rawPixels(picture);
    out << m_measures;
    if (out.status() != QDataStream::Ok || !writeFileAtomically(m_path, bytes).ok)
        return false;
    m_changed = false;
    return true;
}

} // namespace zarvelo
