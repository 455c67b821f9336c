#include "spelling/personaldictionary.h"

#include "platform/textfile.h"
#include "spelling/wordfinder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace zarvelo {

PersonalDictionary::PersonalDictionary(QString path)
    : m_path(std::move(path))
{}

QString PersonalDictionary::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QLatin1String("/personal-dictionary.txt");
}

void PersonalDictionary::load()
{
    m_order.clear();
    m_words.clear();
    merge();
}

void PersonalDictionary::merge()
{
    QFile file(m_path);
    if (m_path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    const QString text = QString::fromUtf8(file.readAll());
    for (QStringView line : QStringView(text).split(u'\n')) {
        const QString word = checkedForm(line.trimmed());
        if (!word.isEmpty() && !m_words.contains(word)) {
            m_words.insert(word);
            m_order.append(word);
        }
    }
}

bool PersonalDictionary::add(const QString &word)
{
    const QString form = checkedForm(word);
    if (form.isEmpty() || m_words.contains(form))
        return true;
    // Another window of the program may have added words since this one
    // read the file: they are kept.
    merge();
    if (!m_words.contains(form)) {
        m_words.insert(form);
        m_order.append(form);
    }
    return save();
}

bool PersonalDictionary::save() const
{
    if (m_path.isEmpty())
        return true;
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    const QByteArray bytes = (m_order.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    return writeFileAtomically(m_path, bytes).ok;
}

} // namespace zarvelo
