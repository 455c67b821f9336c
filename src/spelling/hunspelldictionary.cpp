#include "spelling/hunspelldictionary.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QStringDecoder>
#include <QStringEncoder>

#include <hunspell.hxx>

namespace zarvelo {

namespace {

bool readable(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable() && info.size() > 0;
}

/** Hunspell shares one character table among its instances and counts them
    without a lock, so instances are made and destroyed one at a time (the
    loader thread may open dictionaries while a window closes). */
QMutex &lifecycle()
{
    static QMutex mutex;
    return mutex;
}

} // namespace

std::unique_ptr<HunspellDictionary> HunspellDictionary::open(const QString &affPath, const QString &dicPath)
{
    // Hunspell itself opens a missing file without complaint and then calls
    // every word wrong, so the files are looked at first.
    if (!readable(affPath) || !readable(dicPath))
        return nullptr;
    const QMutexLocker locker(&lifecycle());
    auto hunspell = std::make_unique<Hunspell>(QFile::encodeName(affPath).constData(),
                                               QFile::encodeName(dicPath).constData());
    const QByteArray encoding = QByteArray::fromStdString(hunspell->get_dict_encoding());
    if (!QStringEncoder(encoding.constData()).isValid())
        return nullptr;
    return std::unique_ptr<HunspellDictionary>(new HunspellDictionary(std::move(hunspell), encoding));
}

HunspellDictionary::HunspellDictionary(std::unique_ptr<Hunspell> hunspell, QByteArray encoding)
    : m_hunspell(std::move(hunspell))
    , m_encoding(std::move(encoding))
    , m_utf8(QStringConverter::encodingForName(m_encoding.constData()) == QStringConverter::Utf8)
{}

HunspellDictionary::~HunspellDictionary()
{
    const QMutexLocker locker(&lifecycle());
    m_hunspell.reset();
}

std::optional<std::string> HunspellDictionary::encode(const QString &word) const
{
    if (m_utf8)
        return word.toStdString();
    QStringEncoder encoder(m_encoding.constData());
    const QByteArray bytes = encoder.encode(word);
    if (encoder.hasError())
        return std::nullopt;
    return bytes.toStdString();
}

QString HunspellDictionary::decode(const std::string &bytes) const
{
    if (m_utf8)
        return QString::fromStdString(bytes);
    QStringDecoder decoder(m_encoding.constData());
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

bool HunspellDictionary::spell(const QString &word) const
{
    const std::optional<std::string> bytes = encode(word);
    return bytes && m_hunspell->spell(*bytes);
}

QStringList HunspellDictionary::suggest(const QString &word, int limit) const
{
    QStringList out;
    const std::optional<std::string> bytes = encode(word);
    if (!bytes)
        return out;
    for (const std::string &suggestion : m_hunspell->suggest(*bytes)) {
        if (out.size() >= limit)
            break;
        out.append(decode(suggestion));
    }
    return out;
}

void HunspellDictionary::add(const QString &word)
{
    if (const std::optional<std::string> bytes = encode(word))
        m_hunspell->add(*bytes);
}

} // namespace zarvelo
