#include "shell/spellingswitch.h"

#include "highlight/posthighlighter.h"
#include "ui/posteditor.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

namespace zarvelo {

namespace {

const char kEnabledKey[] = "spelling/enabled";
constexpr int kOpenDelayMs = 250;

} // namespace

QString preferencesPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
        + QLatin1String("/preferences.conf");
}

SpellCheck *wireSpellCheck(PostEditor &editor, PostHighlighter &highlighter, Platform &platform, QMenu &tools,
                           QAction &item, SpellCheck::Places places)
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
    // The dictionaries are opened on their own thread a moment after the
    // window has been shown, so that its first paint never shares the
    // processor with them.
    if (item.isChecked())
        QTimer::singleShot(kOpenDelayMs, spell, [spell] { spell->setEnabled(true); });
    return spell;
}

} // namespace zarvelo
