#include "shell/startup.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace zarvelo {

namespace {

// Debian's fonts-wine keeps its Tahoma outside fontconfig's folders; the
// program loads it for itself rather than touching the user's font set-up.
constexpr const char *kPrivateFontFiles[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
};

void loadPrivateFonts()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
        return; // a real Tahoma is installed: keep it
    for (const char *file : kPrivateFontFiles) {
        if (QFile::exists(QString::fromLatin1(file)))
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
}

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
    // and Times New Roman, Wine's Tahoma); for the Arabic display faces the
    // free face nearest in look. Latin-only families get an Arabic face after
    // them, so Arabic text keeps a matching style instead of fontconfig's
    // wider general fallback; Arial and Times New Roman draw Arabic in a
    // plain naskh, as their own Arabic letters are; so do the two dialog
    // fonts, whose Latin letters are Arial's in all but name.
    static const std::vector<FontStandIn> standIns{
        {"Akhbar MT", {QStringLiteral("KacstPoster")}},
        {"Andalus", {QStringLiteral("KacstFarsi")}},
        {"Arial", {QStringLiteral("Liberation Sans"), QStringLiteral("Noto Naskh Arabic UI")}},
        {"DecoType Naskh", {QStringLiteral("Amiri")}},
        {"Impact", {QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("Noto Kufi Arabic")}},
        {"Led Italic Font", {QStringLiteral("KacstDigital")}},
        {"Microsoft Sans Serif", {QStringLiteral("Liberation Sans"), QStringLiteral("Noto Naskh Arabic UI")}},
        {"MS Sans Serif", {QStringLiteral("Liberation Sans"), QStringLiteral("Noto Naskh Arabic UI")}},
        {"Modern", {QStringLiteral("Nimbus Sans"), QStringLiteral("Noto Sans Arabic UI")}},
        {"Monotype Koufi", {QStringLiteral("Noto Kufi Arabic")}},
        {"Rod Transparent", {QStringLiteral("Liberation Mono"), QStringLiteral("KacstOffice")}},
        {"Roman", {QStringLiteral("Nimbus Roman"), QStringLiteral("Noto Naskh Arabic UI")}},
        {"Simplified Arabic", {QStringLiteral("Noto Naskh Arabic UI"), QStringLiteral("Liberation Serif")}},
        {"Tahoma", {QStringLiteral("DejaVu Sans")}},
        {"Times New Roman", {QStringLiteral("Liberation Serif"), QStringLiteral("Noto Naskh Arabic UI")}},
        {"Verdana", {QStringLiteral("DejaVu Sans")}},
    };
    return standIns;
}

void installFontStandIns()
{
    loadPrivateFonts();
    for (const FontStandIn &standIn : fontStandIns()) {
        const QString name = QString::fromLatin1(standIn.designName);
        // Replace rather than add, so that calling this again changes nothing.
        QFont::removeSubstitutions(name);
        QFont::insertSubstitutions(name, standIn.families);
    }
}

bool canDrawSvg()
{
    return QImageReader::supportedImageFormats().contains("svg");
}

void setUpArabicLook(QApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    loadQtTranslations(app);
    installFontStandIns();
    if (!canDrawSvg())
        std::fputs("zarvelo: Qt's SVG support (package libqt6svg6) is missing: the buttons show "
                   "short texts instead of their pictures.\n",
                   stderr);
}

} // namespace zarvelo
