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

SpellCheck *wireSpellCheck(PostEditor &editor, PostHighlighter &highlighter, Platform &platform, QMenu &tools,
                           QAction &item, std::function<QString()> untouchedTemplate,
                           SpellCheck::Places places)
{
    auto *spell = new SpellCheck(editor, highlighter, platform, std::move(places));
    highlighter.addLayer(&spell->layer());

    item.setCheckable(true);
    item.setChecked(QSettings(preferencesPath(), QSettings::IniFormat).value(kEnabledKey, true).toBool());
    QObject::connect(&item, &QAction::toggled, spell, [spell](bool on) {
        spell->setEnabled(on);
        QSettings(preferencesPath(), QSettings::IniFormat).setValue(kEnabledKey, on);
    });
    QObject::connect(spell, &SpellCheck::loaded, &item, [spell, &item, &tools] {
        const QString missing = spell->missingDictionaries();
        if (missing.isEmpty())
            return;
        item.setToolTip(missing);
        tools.setToolTipsVisible(true);
    });
    // The dictionaries take a tenth of a second and tens of megabytes: a
    // window left with its template untouched never opens them, and the
    // template's words are checked as soon as they are open.
    if (item.isChecked()) {
        // Let go at once rather than through deleteLater: until then every
        // keystroke would read the whole post again.
        auto firstChange = std::make_shared<QMetaObject::Connection>();
        *firstChange = QObject::connect(
            &editor, &PostEditor::textChanged, spell,
            [&editor, &item, spell, firstChange, untouchedTemplate = std::move(untouchedTemplate)] {
                const QString text = editor.text();
                if (text.isEmpty() || text == untouchedTemplate())
                    return;
                if (item.isChecked())
                    spell->setEnabled(true);
                QObject::disconnect(*firstChange);
            });
    }
    return spell;
}

void wireOwnDirections(PostEditor &editor, QAction &item)
{
    item.setCheckable(true);
    item.setChecked(
        QSettings(preferencesPath(), QSettings::IniFormat).value(kOwnDirectionsKey, true).toBool());
    editor.setOwnDirections(item.isChecked());
    QObject::connect(&item, &QAction::toggled, &editor, [&editor](bool on) {
        editor.setOwnDirections(on);
        QSettings(preferencesPath(), QSettings::IniFormat).setValue(kOwnDirectionsKey, on);
    });
}

} // namespace zarvelo
