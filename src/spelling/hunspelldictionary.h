#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class Hunspell;

namespace zarvelo {

/**
 * One Hunspell dictionary. Hunspell reads and answers in the dictionary's own
 * encoding (its SET line: UTF-8 for most, ISO8859-1 for some), so every word
 * goes through Qt's converter for that encoding on its way in and out.
 *
 * Not thread-safe: it may be opened on a loader thread and then used by one
 * thread at a time.
 */
class HunspellDictionary final
{
public:
    /** Opens the dictionary from its .aff and .dic files; nullptr when either
        is missing or unreadable, or its encoding is one Qt cannot convert. */
    static std::unique_ptr<HunspellDictionary> open(const QString &affPath, const QString &dicPath);
    ~HunspellDictionary();
    HunspellDictionary(const HunspellDictionary &) = delete;
    HunspellDictionary &operator=(const HunspellDictionary &) = delete;

    /** True when the dictionary knows the word. A word its encoding cannot
        hold is unknown to it. */
    bool spell(const QString &word) const;
    /** Hunspell's suggestions, best first, at most `limit`. */
    QStringList suggest(const QString &word, int limit) const;
    /** Adds a word for as long as this dictionary is open. */
    void add(const QString &word);

    /** The encoding named by the dictionary's SET line. */
    QByteArray encoding() const { return m_encoding; }

private:
    HunspellDictionary(std::unique_ptr<Hunspell> hunspell, QByteArray encoding);
    std::optional<std::string> encode(const QString &word) const;
    QString decode(const std::string &bytes) const;

    std::unique_ptr<Hunspell> m_hunspell;
    QByteArray m_encoding;
    bool m_utf8 = false;
};

} // namespace zarvelo
