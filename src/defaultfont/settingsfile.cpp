#include "defaultfont/settingsfile.h"

#include "platform/textfile.h"

#include <QDir>

#include <array>

namespace zarvelo {

namespace {

constexpr QChar kQuote = QLatin1Char('"');
constexpr QChar kComma = QLatin1Char(',');
constexpr QChar kCR = QLatin1Char('\r');
constexpr QChar kLF = QLatin1Char('\n');

bool isLineEnd(QChar c)
{
    return c == kCR || c == kLF;
}

// Consumes the comma or line end (CR LF, lone CR or lone LF) at pos, if any.
void consumeSeparator(QStringView text, qsizetype &pos)
{
    if (pos >= text.size())
        return;
    if (text[pos] == kComma || text[pos] == kLF) {
        ++pos;
    } else if (text[pos] == kCR) {
        ++pos;
        if (pos < text.size() && text[pos] == kLF)
            ++pos;
    }
}

} // namespace

QString settingsMissingMessage()
{
    return QStringLiteral("هناك عطل في البرنامج\r\n\r\nتأكد من وجود الملف:\r\n\r\nsetting.vbe");
}

std::optional<QString> readSettingsField(QStringView text, qsizetype &pos)
{
    while (pos < text.size() && text[pos] == QLatin1Char(' '))
        ++pos;
    if (pos >= text.size())
        return std::nullopt;

    if (text[pos] == kQuote) {
        const qsizetype start = pos + 1;
        qsizetype end = text.indexOf(kQuote, start);
        if (end < 0)
            end = text.size(); // an unclosed quote runs to the end of the file
        const QString field = text.mid(start, end - start).toString();
        pos = end + 1;
        // Whatever stands between the closing quote and the separator is not
        // part of any field.
        while (pos < text.size() && text[pos] != kComma && !isLineEnd(text[pos]))
            ++pos;
        consumeSeparator(text, pos);
        return field;
    }

    const qsizetype start = pos;
    while (pos < text.size() && text[pos] != kComma && !isLineEnd(text[pos]))
        ++pos;
    const QString field = text.mid(start, pos - start).toString();
    consumeSeparator(text, pos);
    return field;
}

std::optional<DefaultFontSettings> parseSettingsFile(QStringView text)
{
    DefaultFontSettings settings;
    const std::array<QString *, 6> fields{&settings.Disabled, &settings.FontName, &settings.Alignment,
                                          &settings.FontSize, &settings.Bold,     &settings.FontColor};
    qsizetype pos = 0;
    for (QString *field : fields) {
        std::optional<QString> value = readSettingsField(text, pos);
        if (!value || characterCount(*value) > kLongestSettingsField)
            return std::nullopt;
        *field = std::move(*value);
    }
    return settings;
}

QString settingsFileText(const DefaultFontSettings &settings)
{
    QString text;
    for (const QString *field : {&settings.Disabled, &settings.FontName, &settings.Alignment,
                                 &settings.FontSize, &settings.Bold, &settings.FontColor})
        text += kQuote + *field + kQuote + QLatin1String("\r\n");
    return text;
}

QString findSettingsFile(const QDir &dir)
{
    const QString wanted = settingsFileName();
    QString found;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        if (entry == wanted)
            return entry;
        if (found.isEmpty())
            found = entry;
    }
    return found;
}

} // namespace zarvelo
