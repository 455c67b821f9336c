#include "shell/spellingswitch.h"

#include "highlight/posthighlighter.h"
#include "ui/posteditor.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace zarvelo {

namespace {

const char kEnabledKey[] = "spelling/enabled";
const char kOwnDirectionsKey[] = "editor/ownDirections";

} // namespace

QString preferencesPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
        + QLatin1String("/preferences.conf");
}

SpellingSwitch::SpellingSwitch(PostEditor &editor, PostHighlighter &highlighter, Platform &platform,
                               QMenu &tools, QAction &item, std::function<QString()> untouchedTemplate,
                               SpellCheck::Places places)
    : m_spell(*new SpellCheck(editor, highlighter, platform, std::move(places)))
    , m_tools(tools)
    , m_item(item)
{
    setParent(&m_spell);
    highlighter.addLayer(&m_spell.layer());

    item.setCheckable(true);
    item.setChecked(QSettings(preferencesPath(), QSettings::IniFormat).value(kEnabledKey, true).toBool());
    connect(&m_spell, &SpellCheck::loaded, this, &SpellingSwitch::tellMissingDictionaries);
    // The dictionaries take a tenth of a second and tens of megabytes: a
    // window left with its template untouched never opens them, and the
    // template's words are checked as soon as they are open.
    if (item.isChecked()) {
        // Let go at once rather than through deleteLater: until then every
        // keystroke would read the whole post again.
        auto firstChange = std::make_shared<QMetaObject::Connection>();
        *firstChange =
            connect(&editor, &PostEditor::textChanged, this,
                    [this, &editor, firstChange, untouchedTemplate = std::move(untouchedTemplate)] {
                        const QString text = editor.text();
                        if (text.isEmpty() || text == untouchedTemplate())
                            return;
                        if (m_item.isChecked())
                            m_spell.setEnabled(true);
                        QObject::disconnect(*firstChange);
                    });
    }
}

void SpellingSwitch::setOn(bool on)
{
    m_spell.setEnabled(on);
    QSettings(preferencesPath(), QSettings::IniFormat).setValue(kEnabledKey, on);
}

void SpellingSwitch::tellMissingDictionaries()
{
    const QString missing = m_spell.missingDictionaries();
    if (missing.isEmpty())
        return;
    m_item.setToolTip(missing);
    m_tools.setToolTipsVisible(true);
}

DirectionSwitch::DirectionSwitch(PostEditor &editor, QAction &item)
    : QObject(&editor)
    , m_editor(editor)
{
    item.setCheckable(true);
    item.setChecked(
        QSettings(preferencesPath(), QSettings::IniFormat).value(kOwnDirectionsKey, true).toBool());
    m_editor.setOwnDirections(item.isChecked());
}

void DirectionSwitch::setOn(bool on)
{
    m_editor.setOwnDirections(on);
    QSettings(preferencesPath(), QSettings::IniFormat).setValue(kOwnDirectionsKey, on);
}

} // namespace zarvelo
