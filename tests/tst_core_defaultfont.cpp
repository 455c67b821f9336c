#include "defaultfont/defaultfontsettings.h"
#include "defaultfont/defaultfonttemplate.h"
#include "defaultfont/settingsfile.h"
#include "platform/colornumber.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvelo;
using namespace Qt::StringLiterals;

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
    void readsSettings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // "-": fewer than six fields
        // clang-format off
        QTest::newRow("spaces between") << "  \"0\" , \"Tahoma\",  \"توسيط\",\"4\",\"نعم\",\" 16711680\"" << kExample;
        QTest::newRow("more than six") << kSixLines + "\"extra\"\r\n\"more\"\r\n" << kExample;
        QTest::newRow("LF") << QString(kSixLines).replace("\r\n", "\n") << kExample;
        QTest::newRow("CR") << QString(kSixLines).replace("\r\n", "\r") << kExample;
        QTest::newRow("unquoted") << "0\r\n   Tahoma\r\nتوسيط,4,نعم\r\n 16711680" << "0|Tahoma|توسيط|4|نعم|16711680";
        QTest::newRow("empty line") << "\"0\"\r\n\r\n\"a\"\r\n\"4\"\r\n\"b\"\r\n\"c\"" << "0||a|4|b|c";
        QTest::newRow("unclosed: to the end") << "\"0\",\"1\",\"2\",\"3\",\"4\",\"5, 6\r\n7" << "0|1|2|3|4|5, 6\r\n7";
        QTest::newRow("junk after a quote") << "\"0\"junk\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"e\"" << "0|a|b|c|d|e";
        QTest::newRow("spaces as the sixth") << "\"0\"\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n   " << "-";
        QTest::newRow("five") << R"("0","a","b","c","d")" << "-";
        QTest::newRow("field of 200") << "0,\"" + QString(200, u'ـ') + "\",a,b,c,d" << "0|" + QString(200, u'ـ') + "|a|b|c|d";
        QTest::newRow("150 emoji are 150") << "0,a,b,c,d," + u"😀"_s.repeated(150) << "0|a|b|c|d|" + u"😀"_s.repeated(150);
        QTest::newRow("field of 201") << "0,a,b,c,d," + QString(201, u'x') << "-";
        // clang-format on
    }

    void readsSettings()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(fields(parseSettingsFile(text)), expected);
    }

    void writesSettingsThatReadBack()
    {
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
    }

    void findsTheFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("sub/setting.vbe")); // a folder of that name is not the file
        QCOMPARE(findSettingsFile(QDir(dir.filePath("sub"))), QString());
        // Added one by one: "setting.vbe" itself wins, otherwise the first match in name order.
        QVERIFY(QFile(dir.filePath("settings.vbe")).open(QIODevice::WriteOnly));
        QCOMPARE(findSettingsFile(QDir(dir.path())), QString());
        QVERIFY(QFile(dir.filePath("Setting.vbe")).open(QIODevice::WriteOnly));
        QCOMPARE(findSettingsFile(QDir(dir.path())), QString("Setting.vbe"));
        QVERIFY(QFile(dir.filePath("SETTING.VBE")).open(QIODevice::WriteOnly));
        QCOMPARE(findSettingsFile(QDir(dir.path())), QString("SETTING.VBE"));
        QVERIFY(QFile(dir.filePath("setting.vbe")).open(QIODevice::WriteOnly));
        QCOMPARE(findSettingsFile(QDir(dir.path())), QString("setting.vbe"));
    }

    void buildsTheTemplate_data()
    {
        // The settings, then the tags before and after the placeholder; null: switched off.
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QString>("closing");
        // clang-format off
        QTest::newRow("every field") << kExample << "[FONT='Tahoma'][CENTER][SIZE=4][B][COLOR=0000FF]"
                                     << "[/FONT][/CENTER][/SIZE][/B][/COLOR]";
        QTest::newRow("no field") << "0|~|~|~|~|~" << "" << "";
        QTest::newRow("right, any bold") << "0|~|يمين|~|x|~" << "[RIGHT][B]" << "[/RIGHT][/B]";
        QTest::newRow("left") << "0|~|يسار|~|~|~" << "[LEFT]" << "[/LEFT]";
        QTest::newRow("other alignment") << "0|Arial|centre|2|~|~" << "[FONT='Arial'][SIZE=2]" << "[/FONT][/SIZE]";
        QTest::newRow("off: 1") << "1|Tahoma|توسيط|4|نعم| 16711680" << QString() << QString();
        QTest::newRow("off: empty") << "|Tahoma|توسيط|4|نعم| 16711680" << QString() << QString();
        QTest::newRow("off: space") << " 0|Tahoma|توسيط|4|نعم| 16711680" << QString() << QString();
        // The colour: leading spaces skipped, digits up to the first other character, capped at white.
        QTest::newRow("colour, digits first") << "0|~|~|~|~|  42x" << "[COLOR=2A0000]" << "[/COLOR]";
        QTest::newRow("colour, no digits") << "0|~|~|~|~| abc" << "[COLOR=000000]" << "[/COLOR]";
        QTest::newRow("colour, negative") << "0|~|~|~|~| -255" << "[COLOR=000000]" << "[/COLOR]";
        QTest::newRow("colour past white") << "0|~|~|~|~| 16777216" << "[COLOR=FFFFFF]" << "[/COLOR]";
        QTest::newRow("colour past 64 bits") << "0|~|~|~|~| 99999999999999999999" << "[COLOR=FFFFFF]" << "[/COLOR]";
        // clang-format on
    }

    void buildsTheTemplate()
    {
        QFETCH(QString, settings);
        QFETCH(QString, opening);
        QFETCH(QString, closing);
        const QString p = QStringLiteral("بسم الله الرحمن الرحيم");
        const DefaultFontTemplate post = buildDefaultFontTemplate(rec(settings));
        QCOMPARE(post.text, opening.isNull() ? p : opening + "\r\n" + p + "\r\n" + closing);
        // The placeholder is selected, so that typing replaces it.
        QCOMPARE(post.selStart, opening.isNull() ? 0 : opening.size() + 2);
        QCOMPARE(post.selLength, qsizetype(22));
        // The colour's digits are kept for the colour command.
        QCOMPARE(post.colorHex.value_or(""), opening.section("[COLOR=", 1).left(6));
    }

    void colourNumbersPutRedFirst() { QCOMPARE(rgbToColorNumber(0x563412), 0x123456u); }
};

QTEST_GUILESS_MAIN(TestCoreDefaultFont)
#include "tst_core_defaultfont.moc"
