#include "defaultfont/defaultfontrecord.h"

#include "defaultfont/settingsfile.h"
#include "platform/isolate.h"
#include "platform/platform.h"

#include <QDir>

namespace zarvelo {

DefaultFontRecord::DefaultFontRecord(Platform &platform, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("DefaultFontRecord"));
}

bool DefaultFontRecord::LOADDEFAULTFONT()
{
    const QString name = findSettingsFile(QDir::current());
    std::optional<DefaultFontSettings> read;
    if (!name.isEmpty()) {
        // A file saved as UTF-8 by a Linux editor is told from one in the
        // code page as a post file is.
        const TextFileRead file = m_platform.readPostFile(name, kWholeFile);
        if (file.ok)
            read = parseSettingsFile(file.text);
    }
    if (!read) {
        m_platform.messageBox(settingsMissingMessage(), programName(), MessageIcon::None);
        return false;
    }
    m_settings = std::move(*read);
    return true;
}

bool DefaultFontRecord::saveSettings(const DefaultFontSettings &settings)
{
    // Replace the file the reader finds, whatever the case of its name, so
    // that there is only ever one settings file; create it under its own name.
    QString name = findSettingsFile(QDir::current());
    if (name.isEmpty())
        name = settingsFileName();
    const TextFileWrite written =
        m_platform.writeTextFile(name, settingsFileText(settings), TextEncoding::Windows1256);
    if (!written.ok) {
        m_platform.messageBox(
            QStringLiteral("تعذر حفظ الإعدادات في الملف:\r\n")
                + isolatedPath(QDir::toNativeSeparators(QDir::current().absoluteFilePath(name)))
                + QStringLiteral("\r\n\r\n") + isolated(written.error),
            programName(), MessageIcon::None);
        return false;
    }
    m_settings = settings;
    emit saved();
    return true;
}

} // namespace zarvelo
