#include "shell/startup.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace zarvelo {

namespace {

void loadQtTranslations(QApplication &app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale arabic(QLocale::Arabic);
    auto *translator = new QTranslator(&app);
    // qt_ar is the catalogue that pulls in qtbase_ar; a system with only
    // the base module's file still gets its dialogs and buttons in Arabic.
    if (translator->load(arabic, QStringLiteral("qt"), QStringLiteral("_"), folder)
        || translator->load(arabic, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        QCoreApplication::installTranslator(translator);
        return;
    }
    delete translator;
    std::fprintf(stderr,
                 "zarvelo: Qt's Arabic translations were not found in %s (package "
                 "qt6-translations-l10n): Qt's own dialogs stay in English.\n",
                 qPrintable(folder));
}

} // namespace

const std::vector<FontStandIn> &fontStandIns()
{
    // Metric-compatible families where Debian has one (Liberation for Arial
    // and Times New Roman); for the Arabic display faces the free face
    // nearest in look. Latin-only families get an Arabic face after them, so
    // that Arabic keeps a matching style instead of fontconfig's wider general
    // fallback: the Windows interface fonts draw Arabic in a plain naskh, and
    // Noto Naskh Arabic UI is the one of that kind whose letters fit the
    // boxes measured for them. Wine's Tahoma is no help here: its Arabic runs
    // a third wider than the boxes, on a line too short for its letters.
    static const std::vector<FontStandIn> standIns{
        {"Akhbar MT", {QStringLiteral("KacstPoster")}},
        {"Andalus", {QStringLiteral("KacstFarsi")}},
        {"Arial", {QStringLiteral("Liberation Sans"), QStringLiteral("Noto Naskh Arabic UI")}},
        {"DecoType Naskh", {QStringLiteral("Amiri")}},
        {"Impact", {QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("Noto Kufi Arabic")}},
        {"Led Italic Font", {QStringLiteral("KacstDigital")}},
        // The windows' own font: its captions are Arabic, so the Arabic face
        // comes first and gives the digits and stops too.
        {"Microsoft Sans Serif", {QStringLiteral("Noto Naskh Arabic UI"), QStringLiteral("Liberation Sans")}},
        {"MS Sans Serif", {QStringLiteral("Noto Naskh Arabic UI"), QStringLiteral("Liberation Sans")}},
        {"Modern", {QStringLiteral("Nimbus Sans"), QStringLiteral("Noto Sans Arabic UI")}},
        {"Monotype Koufi", {QStringLiteral("Noto Kufi Arabic")}},
        {"Rod Transparent", {QStringLiteral("Liberation Mono"), QStringLiteral("KacstOffice")}},
        {"Roman", {QStringLiteral("Nimbus Roman"), QStringLiteral("Noto Naskh Arabic UI")}},
        {"Simplified Arabic", {QStringLiteral("Noto Naskh Arabic UI"), QStringLiteral("Liberation Serif")}},
        {"Tahoma", {QStringLiteral("Noto Naskh Arabic UI"), QStringLiteral("DejaVu Sans Condensed")}},
        {"Times New Roman", {QStringLiteral("Liberation Serif"), QStringLiteral("Noto Naskh Arabic UI")}},
        {"Verdana", {QStringLiteral("DejaVu Sans")}},
    };
    return standIns;
}

void installFontStandIns()
{
    for (const FontStandIn &standIn : fontStandIns()) {
        const QString name = QString::fromLatin1(standIn.designName);
        // Replace rather than add, so that calling this again changes nothing.
        QFont::removeSubstitutions(name);
        QFont::insertSubstitutions(name, standIn.families);
    }
}

void setUpArabicLook(QApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    loadQtTranslations(app);
    installFontStandIns();
}

} // namespace zarvelo
