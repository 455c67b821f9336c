#include "defaultfont/defaultfontsettings.h"
#include "defaultfont/defaultfonttemplate.h"
#include "defaultfont/settingsfile.h"
#include "editing/colortohex.h"
#include "platform/colornumber.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvelo;

namespace {

const QString kSixLines =
    QStringLiteral("\"0\"\r\n\"Tahoma\"\r\n\"توسيط\"\r\n\"4\"\r\n\"نعم\"\r\n\" 16711680\"\r\n");
const QString kExample = QStringLiteral("0|Tahoma|توسيط|4|نعم| 16711680");

/** A record written "0|Tahoma|توسيط|4|نعم|~", where "~" stands for the no-change marker. */
DefaultFontSettings rec(const QString &fields)
{
    const QStringList f = QString(fields).replace('~', noChangeMarker()).split('|');
    return {f[0], f[1], f[2], f[3], f[4], f[5]};
}

QString fields(const std::optional<DefaultFontSettings> &s)
{
    return s
        ? QStringList{s->Disabled, s->FontName, s->Alignment, s->FontSize, s->Bold, s->FontColor}.join('|')
        : "-";
}

} // namespace

class TestCoreDefaultFont : public QObject
{
    Q_OBJECT

private slots:
    void readsAndFindsTheFile()
    {
        const std::pair<QString, QString> rows[] = {
            {kSixLines, kExample},
            {"\"0\",\"Tahoma\",\"توسيط\",\"4\",\"نعم\",\" 16711680\"", kExample},
            {"  \"0\" , \"Tahoma\",  \"توسيط\",\"4\",\"نعم\",\" 16711680\"", kExample},
            {kSixLines + "\"extra\"\r\n\"more\"\r\n", kExample},
            {QString(kSixLines).replace("\r\n", "\n"), kExample},
            {QString(kSixLines).replace("\r\n", "\r"), kExample},
            {"\"0\"\r\n\"A, B\"\r\n\" x , y \"\r\n\"4\"\r\n\"b\"\r\n\" 255\"", "0|A, B| x , y |4|b| 255"},
            {"0\r\n   Tahoma\r\nتوسيط,4,نعم\r\n 16711680", "0|Tahoma|توسيط|4|نعم|16711680"},
            {"\"0\"\r\n\r\n\"a\"\r\n\"4\"\r\n\"b\"\r\n\"c\"", "0||a|4|b|c"},
            {"\"0\",\"1\",\"2\",\"3\",\"4\",\"5, 6\r\n7", "0|1|2|3|4|5, 6\r\n7"}, // unclosed: to the end
            {"\"0\"junk\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"e\"", "0|a|b|c|d|e"},
            {"\"0\"\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n   ", "-"},
            {R"("0","a","b","c","d")", "-"}}; // "-": fewer than six fields
        for (const auto &[text, expected] : rows) {
            const QString read = fields(parseSettingsFile(text));
            QVERIFY2(read == expected, qPrintable(read + " from " + text));
        }
        QCOMPARE(settingsFileText(rec(kExample)), kSixLines);
        // Any field without a double quote survives writing, and reads the same in the one-line comma form.
        const QString alphabet = QStringLiteral("a Z,1\r\nبت \t");
        QRandomGenerator random(5);
        for (int round = 0; round < 2000; ++round) {
            QStringList written(6);
            for (QString &field : written)
                for (int n = random.bounded(6); n > 0; --n)
                    field += alphabet[random.bounded(int(alphabet.size()))];
            QCOMPARE(fields(parseSettingsFile(settingsFileText(rec(written.join('|'))))), written.join('|'));
            QCOMPARE(fields(parseSettingsFile('"' + written.join("\",\"") + '"')), written.join('|'));
        }
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("sub/setting.vbe")); // a folder of that name is not the file
        QCOMPARE(findSettingsFile(QDir(dir.filePath("sub"))), QString());
        // Added one by one: "setting.vbe" itself wins, otherwise the first match in name order.
        const std::pair<const char *, const char *> steps[] = {{"settings.vbe", ""},
                                                               {"Setting.vbe", "Setting.vbe"},
                                                               {"SETTING.VBE", "SETTING.VBE"},
                                                               {"setting.vbe", "setting.vbe"}};
        for (const auto &[added, found] : steps) {
            QVERIFY(QFile(dir.filePath(added)).open(QIODevice::WriteOnly));
            QCOMPARE(findSettingsFile(QDir(dir.path())), QString(found));
        }
    }

    void templatesAndColourNumbers()
    {
        // The settings, then the tags before and after the placeholder; null: switched off.
        QList<std::tuple<QString, QString, QString>> rows = {
            {kExample, "[FONT='Tahoma'][CENTER][SIZE=4][B][COLOR=0000FF]",
             "[/FONT][/CENTER][/SIZE][/B][/COLOR]"},
            {"0|~|~|~|~|~", "", ""},
            {"0|~|يمين|~|x|~", "[RIGHT][B]", "[/RIGHT][/B]"},
            {"0|~|يسار|~|~|~", "[LEFT]", "[/LEFT]"},
            {"0|Arial|centre|2|~|~", "[FONT='Arial'][SIZE=2]", "[/FONT][/SIZE]"}};
        for (const char *off : {"1", "2", "", " 0"})
            rows.append({QString(kExample).replace(0, 1, off), QString(), QString()});
        // The colour: leading spaces skipped, digits up to the first other character, capped at white.
        const std::pair<const char *, const char *> colours[] = {
            {" 255", "FF0000"},  {"  42x", "2A0000"},     {" abc", "000000"},
            {" -255", "000000"}, {" 16777216", "FFFFFF"}, {" 99999999999999999999", "FFFFFF"}};
        for (const auto &[field, hex] : colours)
            rows.append({"0|~|~|~|~|" + QString(field), "[COLOR=" + QString(hex) + "]", "[/COLOR]"});
        const QString p = QStringLiteral("بسم الله الرحمن الرحيم");
        for (const auto &[settings, opening, closing] : rows) {
            const DefaultFontTemplate post = buildDefaultFontTemplate(rec(settings));
            QCOMPARE(post.text, opening.isNull() ? p : opening + "\r\n" + p + "\r\n" + closing);
            QVERIFY2(post.selStart == (opening.isNull() ? 0 : opening.size() + 2) && post.selLength == 22,
                     qPrintable(settings));
            // The colour's digits are kept for the colour command.
            QCOMPARE(post.colorHex.value_or(""), opening.section("[COLOR=", 1).left(6));
        }
        // Red is the number's low byte; tags and the colour dialog put it first.
        const std::pair<quint32, const char *> numbers[] = {{255u, "FF0000"},      {0x123456u, "563412"},
                                                            {1u, "010000"},        {0u, "000000"},
                                                            {0xFFFFFFu, "FFFFFF"}, {0xabcdefu, "EFCDAB"}};
        for (const auto &[color, hex] : numbers) {
            QCOMPARE(ColorToHex(color), QString(hex));
            QCOMPARE(colorNumberToRgb(color), QString(hex).toInt(nullptr, 16));
            QCOMPARE(rgbToColorNumber(QString(hex).toInt(nullptr, 16)), color);
        }
    }
};

QTEST_GUILESS_MAIN(TestCoreDefaultFont)
#include "tst_core_defaultfont.moc"
