#pragma once

#include "defaultfont/defaultfontsettings.h"

#include <QObject>

namespace zarvelo {

class Platform;

/**
 * The program's one `DefaultFontSettings` record and the settings file behind
 * it. It lives in an object rather than a free global so that every main
 * window (one in the program, a fresh one in each test) starts empty.
 */
class DefaultFontRecord final : public QObject
{
    Q_OBJECT

public:
    explicit DefaultFontRecord(Platform &platform, QObject *parent = nullptr);

    const DefaultFontSettings &settings() const { return m_settings; }

    /**
     * Reads the settings file from the current working directory into the
     * record, in UTF-8 or in Windows-1256 as its bytes tell. When the file is
     * missing, holds fewer than six fields or a field too long, shows
     * the missing-file message and returns false with the record unchanged;
     * the caller decides whether the program can go on.
     */
    bool LOADDEFAULTFONT();

    /**
     * Writes the settings file with new values and, when that worked, takes
     * them into the record and emits saved(). When the file cannot be
     * written, a message names the file and the reason, and the record and
     * the old file stay as they were.
     */
    bool saveSettings(const DefaultFontSettings &settings);

signals:
    /** The record took new values from the settings window. */
    void saved();

private:
    Platform &m_platform;
    DefaultFontSettings m_settings;
};

} // namespace zarvelo
