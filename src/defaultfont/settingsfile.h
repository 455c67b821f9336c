#pragma once

#include "defaultfont/defaultfontsettings.h"

#include <QString>
#include <QStringView>

#include <optional>

class QDir;

namespace zarvelo {

/** The settings file's name, as the writer creates it. */
inline QString settingsFileName()
{
    return QStringLiteral("setting.vbe");
}

/** The message shown when the settings file cannot be read: three lines
    separated by empty lines, CR LF throughout. */
QString settingsMissingMessage();

/**
 * Reads one field of the settings file's text from pos and moves pos past it.
 * Spaces before the field are skipped. A field that starts with a double quote
 * runs to the next double quote (commas and spaces inside belong to it);
 * otherwise it runs to the next comma or line end. The comma or line end after
 * the field is consumed, so six quoted values on one line separated by commas
 * read the same as six lines. Returns nothing when the text has ended.
 */
std::optional<QString> readSettingsField(QStringView text, qsizetype &pos);

/** The longest field a settings file may hold, in characters: more than any
    font name, which is the longest value a field has. */
constexpr qsizetype kLongestSettingsField = 200;

/** The six fields of a settings file's text, in order; anything after the
    sixth is ignored. Nothing when the text holds fewer than six, or a field
    longer than kLongestSettingsField, which only a damaged file holds. */
std::optional<DefaultFontSettings> parseSettingsFile(QStringView text);

/** The settings file's text for a record: six lines, each the field between
    double quotes followed by CR LF. */
QString settingsFileText(const DefaultFontSettings &settings);

/**
 * The name of the settings file in dir, matched without regard to letter case
 * so that "SETTING.vbe" or "Setting.vbe" is found on a file system that
 * tells them apart. "setting.vbe" itself wins when several match; otherwise
 * the first in name order. Empty when there is none.
 */
QString findSettingsFile(const QDir &dir);

} // namespace zarvelo
