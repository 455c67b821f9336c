#include "defaultfont/defaultfontsettings.h"
#include "defaultfont/defaultfonttemplate.h"
#include "defaultfont/settingsfile.h"

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
    void reader_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // "-": fewer than six fields
        QTest::newRow("six lines") << kSixLines << kExample;
        QTest::newRow("one line, commas")
            << "\"0\",\"Tahoma\",\"توسيط\",\"4\",\"نعم\",\" 16711680\"" << kExample;
        QTest::newRow("spaces around commas")
            << "  \"0\" , \"Tahoma\",  \"توسيط\",\"4\",\"نعم\",\" 16711680\"" << kExample;
        QTest::newRow("extra lines ignored") << kSixLines + "\"extra\"\r\n\"more\"\r\n" << kExample;
        QTest::newRow("lone LF") << QString(kSixLines).replace("\r\n", "\n") << kExample;
        QTest::newRow("lone CR") << QString(kSixLines).replace("\r\n", "\r") << kExample;
        QTest::newRow("commas inside quotes")
            << "\"0\"\r\n\"A, B\"\r\n\" x , y \"\r\n\"4\"\r\n\"b\"\r\n\" 255\""
            << "0|A, B| x , y |4|b| 255";
        QTest::newRow("unquoted, spaces skipped") << "0\r\n   Tahoma\r\nتوسيط,4,نعم\r\n 16711680"
                                                  << "0|Tahoma|توسيط|4|نعم|16711680";
        QTest::newRow("empty line, empty field") << "\"0\"\r\n\r\n\"a\"\r\n\"4\"\r\n\"b\"\r\n\"c\""
                                                 << "0||a|4|b|c";
        QTest::newRow("unclosed quote runs to the end") << "\"0\",\"1\",\"2\",\"3\",\"4\",\"5, 6\r\n7"
                                                        << "0|1|2|3|4|5, 6\r\n7";
        QTest::newRow("text after a closing quote dropped")
            << "\"0\"junk\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"e\""
            << "0|a|b|c|d|e";
        QTest::newRow("five lines, trailing spaces") << "\"0\"\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n   "
                                                     << "-";
        QTest::newRow("five on one line") << R"("0","a","b","c","d")"
                                          << "-";
    }

    void reader()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(fields(parseSettingsFile(text)), expected);
    }

    void randomRecordsRoundTrip()
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

    void findsTheFileWhateverItsCase()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("sub/setting.vbe"));
        QCOMPARE(findSettingsFile(QDir(dir.filePath("sub"))),
                 QString()); // a folder of that name is not the file
        // Added one by one: "setting.vbe" itself wins, otherwise the first match in name order.
        for (const auto &[added, found] :
             QList<std::pair<QString, QString>>{{"settings.vbe", ""},
                                                {"Setting.vbe", "Setting.vbe"},
                                                {"SETTING.VBE", "SETTING.VBE"},
                                                {"setting.vbe", "setting.vbe"}}) {
            QVERIFY(QFile(dir.filePath(added)).open(QIODevice::WriteOnly));
            QCOMPARE(findSettingsFile(QDir(dir.path())), found);
        }
    }

    void templates_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("opening"); // null: switched off, the placeholder alone
        QTest::addColumn<QString>("closing");
        QTest::newRow("worked example") << kExample << "[FONT='Tahoma'][CENTER][SIZE=4][B][COLOR=0000FF]"
                                        << "[/FONT][/CENTER][/SIZE][/B][/COLOR]";
        for (const char *off : {"1", "2", "", " 0"})
            QTest::addRow("off \"%s\"", off)
                << QString(kExample).replace(0, 1, off) << QString() << QString();
        QTest::newRow("all markers") << "0|~|~|~|~|~"
                                     << ""
                                     << "";
        QTest::newRow("right, any bold") << "0|~|يمين|~|x|~"
                                         << "[RIGHT][B]"
                                         << "[/RIGHT][/B]";
        QTest::newRow("left") << "0|~|يسار|~|~|~"
                              << "[LEFT]"
                              << "[/LEFT]";
        QTest::newRow("unknown alignment") << "0|Arial|centre|2|~|~"
                                           << "[FONT='Arial'][SIZE=2]"
                                           << "[/FONT][/SIZE]";
        // The colour field's number: leading spaces skipped, digits up to the first other character, capped
        // at white.
        const QList<std::pair<QString, QString>> colors{
            {" 255", "FF0000"},  {"  42x", "2A0000"},     {" abc", "000000"},
            {" -255", "000000"}, {" 16777216", "FFFFFF"}, {" 99999999999999999999", "FFFFFF"}};
        for (const auto &[field, hex] : colors)
            QTest::newRow(qPrintable(field)) << "0|~|~|~|~|" + field << "[COLOR=" + hex + "]"
                                             << "[/COLOR]";
    }

    void templates()
    {
        QFETCH(QString, settings);
        QFETCH(QString, opening);
        QFETCH(QString, closing);
        const QString p = QStringLiteral("بسم الله الرحمن الرحيم");
        const DefaultFontTemplate post = buildDefaultFontTemplate(rec(settings));
        QCOMPARE(post.text, opening.isNull() ? p : opening + "\r\n" + p + "\r\n" + closing);
        QCOMPARE(post.selStart, opening.isNull() ? 0 : opening.size() + 2);
        QCOMPARE(post.selLength, 22);
        // The colour's digits are kept for the colour command.
        QCOMPARE(post.colorHex.value_or(""), opening.section("[COLOR=", 1).left(6));
    }
};

QTEST_GUILESS_MAIN(TestCoreDefaultFont)
#include "tst_core_defaultfont.moc"
