#include "defaultfont/defaultfontsettings.h"
#include "defaultfont/defaultfonttemplate.h"
#include "defaultfont/settingsfile.h"
#include "platform/codepage.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvelo;

Q_DECLARE_METATYPE(DefaultFontSettings)

namespace {

const QString kMarker = QStringLiteral("لا تغيير");

DefaultFontSettings record(const QString &disabled, const QString &font, const QString &alignment,
                           const QString &size, const QString &bold, const QString &color)
{
    return {disabled, font, alignment, size, bold, color};
}

// The worked example: Tahoma, centred, size 4, bold, pure blue.
DefaultFontSettings example()
{
    return record("0", "Tahoma", QStringLiteral("توسيط"), "4", QStringLiteral("نعم"), " 16711680");
}

DefaultFontSettings allMarkers(const QString &disabled)
{
    return record(disabled, kMarker, kMarker, kMarker, kMarker, kMarker);
}

} // namespace

class TestCoreDefaultFont : public QObject
{
    Q_OBJECT

private slots:
    void readerForms_data();
    void readerForms();
    void tooFewFields_data();
    void tooFewFields();
    void writeThenRead_data();
    void writeThenRead();
    void writtenBytes();
    void findsTheFileWhateverItsCase_data();
    void findsTheFileWhateverItsCase();
    void templates_data();
    void templates();
    void colorFieldValue_data();
    void colorFieldValue();
    void panelFontName_data();
    void panelFontName();
    void missingMessage();
};

void TestCoreDefaultFont::readerForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<DefaultFontSettings>("expected");

    const QString sixLines = QStringLiteral("\"0\"\r\n\"Tahoma\"\r\n\"توسيط\"\r\n\"4\"\r\n\"نعم\"\r\n\" 16711680\"\r\n");
    QTest::newRow("six lines") << sixLines << example();
    QTest::newRow("one line, commas")
        << QStringLiteral("\"0\",\"Tahoma\",\"توسيط\",\"4\",\"نعم\",\" 16711680\"\r\n") << example();
    QTest::newRow("one line, spaces around commas")
        << QStringLiteral("  \"0\" , \"Tahoma\",   \"توسيط\",\"4\",\"نعم\",\" 16711680\"") << example();
    QTest::newRow("a seventh line is ignored") << sixLines + QStringLiteral("\"extra\"\r\n\"more\"\r\n")
                                               << example();
    QTest::newRow("no line end after the sixth")
        << QString(sixLines).chopped(2) << example();
    QTest::newRow("lone LF line ends") << QString(sixLines).replace("\r\n", "\n") << example();
    QTest::newRow("lone CR line ends") << QString(sixLines).replace("\r\n", "\r") << example();
    QTest::newRow("commas and spaces inside quotes")
        << QStringLiteral("\"0\"\r\n\"A, B\"\r\n\" x , y \"\r\n\"4\"\r\n\"نعم\"\r\n\" 255\"\r\n")
        << record("0", "A, B", " x , y ", "4", QStringLiteral("نعم"), " 255");
    QTest::newRow("unquoted fields, leading spaces skipped")
        << QStringLiteral("0\r\n   Tahoma\r\nتوسيط,4,نعم\r\n 16711680\r\n")
        << record("0", "Tahoma", QStringLiteral("توسيط"), "4", QStringLiteral("نعم"), "16711680");
    QTest::newRow("an empty line is an empty field")
        << QStringLiteral("\"0\"\r\n\r\n\"a\"\r\n\"4\"\r\n\"b\"\r\n\"c\"\r\n")
        << record("0", "", "a", "4", "b", "c");
    QTest::newRow("unclosed quote runs to the end")
        << QStringLiteral("\"0\",\"1\",\"2\",\"3\",\"4\",\"5, 6\r\n7")
        << record("0", "1", "2", "3", "4", "5, 6\r\n7");
    QTest::newRow("text after a closing quote is dropped")
        << QStringLiteral("\"0\"junk\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"e\"\r\n")
        << record("0", "a", "b", "c", "d", "e");
    QTest::newRow("installed file") << QStringLiteral("\"0\"\r\n") + QString("\"%1\"\r\n").arg(kMarker).repeated(5)
                                    << allMarkers("0");
}

void TestCoreDefaultFont::readerForms()
{
    QFETCH(QString, text);
    QFETCH(DefaultFontSettings, expected);
    const std::optional<DefaultFontSettings> read = parseSettingsFile(text);
    QVERIFY(read);
    QCOMPARE(read->Disabled, expected.Disabled);
    QCOMPARE(read->FontName, expected.FontName);
    QCOMPARE(read->Alignment, expected.Alignment);
    QCOMPARE(read->FontSize, expected.FontSize);
    QCOMPARE(read->Bold, expected.Bold);
    QCOMPARE(read->FontColor, expected.FontColor);
}

void TestCoreDefaultFont::tooFewFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("only spaces") << QStringLiteral("    ");
    QTest::newRow("five lines") << QStringLiteral("\"0\"\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n");
    QTest::newRow("five lines, trailing spaces") << QStringLiteral("\"0\"\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n   ");
    QTest::newRow("five on one line") << QStringLiteral("\"0\",\"a\",\"b\",\"c\",\"d\"");
}

void TestCoreDefaultFont::tooFewFields()
{
    QFETCH(QString, text);
    QVERIFY(!parseSettingsFile(text));
}

void TestCoreDefaultFont::writeThenRead_data()
{
    QTest::addColumn<DefaultFontSettings>("settings");
    QTest::newRow("example") << example();
    QTest::newRow("off, all markers") << allMarkers("1");
    QTest::newRow("red keeps its leading space")
        << record("0", "Microsoft Sans Serif", QStringLiteral("يسار"), "7", kMarker, " 255");
    QTest::newRow("commas inside values") << record("0", "A,B", kMarker, "1", QStringLiteral("نعم"), " 1");
}

void TestCoreDefaultFont::writeThenRead()
{
    QFETCH(DefaultFontSettings, settings);
    // Through the Windows-1256 file, as the program writes and reads it.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(settingsFileName());
    QVERIFY(writeWindows1256File(path, settingsFileText(settings)).ok);
    const TextFileRead file = readWindows1256File(path);
    QVERIFY(file.ok);
    const std::optional<DefaultFontSettings> read = parseSettingsFile(file.text);
    QVERIFY(read);
    QVERIFY(*read == settings);
}

void TestCoreDefaultFont::writtenBytes()
{
    const QString text = settingsFileText(example());
    QCOMPARE(text, QStringLiteral("\"0\"\r\n\"Tahoma\"\r\n\"توسيط\"\r\n\"4\"\r\n\"نعم\"\r\n\" 16711680\"\r\n"));
    const Windows1256Bytes bytes = encodeWindows1256(text);
    QVERIFY(bytes.ok());
    // Single bytes, Arabic in the code page, CR LF line ends.
    QCOMPARE(bytes.bytes.size(), text.size());
    QVERIFY(bytes.bytes.startsWith("\"0\"\r\n\"Tahoma\"\r\n\""));
    QVERIFY(bytes.bytes.endsWith("\"\r\n\" 16711680\"\r\n"));
    QCOMPARE(quint8(bytes.bytes.at(16)), quint8(0xCA)); // ت
}

void TestCoreDefaultFont::findsTheFileWhateverItsCase_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("expected");
    QTest::newRow("exact") << QStringList{"setting.vbe"} << "setting.vbe";
    QTest::newRow("all capitals") << QStringList{"SETTING.VBE"} << "SETTING.VBE";
    QTest::newRow("capital first letter") << QStringList{"Setting.vbe"} << "Setting.vbe";
    QTest::newRow("the reader's own spelling") << QStringList{"SETTING.vbe"} << "SETTING.vbe";
    QTest::newRow("exact wins") << QStringList{"SETTING.VBE", "setting.vbe", "Setting.vbe"} << "setting.vbe";
    QTest::newRow("none") << QStringList{"settings.vbe", "setting.vbe.bak", "setting"} << QString();
}

void TestCoreDefaultFont::findsTheFileWhateverItsCase()
{
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &name : files) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    // A folder of that name is not the file.
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    QDir(dir.path() + QStringLiteral("/sub")).mkdir(QStringLiteral("setting.vbe"));
    QCOMPARE(findSettingsFile(QDir(dir.path())), expected);
    QCOMPARE(findSettingsFile(QDir(dir.path() + QStringLiteral("/sub"))), QString());
}

void TestCoreDefaultFont::templates_data()
{
    QTest::addColumn<DefaultFontSettings>("settings");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<QString>("colorHex"); // "-": no colour tag

    const QString p = QStringLiteral("بسم الله الرحمن الرحيم");
    const QString crlf = QStringLiteral("\r\n");
    QTest::newRow("worked example")
        << example() << "[FONT='Tahoma'][CENTER][SIZE=4][B][COLOR=0000FF]" + crlf + p + crlf
               + "[/FONT][/CENTER][/SIZE][/B][/COLOR]"
        << 50 << "0000FF";
    for (const char *off : {"1", "2", "", " 0"}) {
        DefaultFontSettings s = example();
        s.Disabled = QString::fromLatin1(off);
        QTest::addRow("off \"%s\"", off) << s << p << 0 << "-";
    }
    QTest::newRow("all markers") << allMarkers("0") << crlf + p + crlf << 2 << "-";
    QTest::newRow("right") << record("0", kMarker, QStringLiteral("يمين"), kMarker, kMarker, kMarker)
                           << "[RIGHT]" + crlf + p + crlf + "[/RIGHT]" << 9 << "-";
    QTest::newRow("left") << record("0", kMarker, QStringLiteral("يسار"), kMarker, kMarker, kMarker)
                          << "[LEFT]" + crlf + p + crlf + "[/LEFT]" << 8 << "-";
    QTest::newRow("unknown alignment gives no tag")
        << record("0", "Arial", "centre", "2", kMarker, kMarker)
        << "[FONT='Arial'][SIZE=2]" + crlf + p + crlf + "[/FONT][/SIZE]" << 24 << "-";
    QTest::newRow("font and bold, same order closing")
        << record("0", "Times New Roman", kMarker, kMarker, QStringLiteral("نعم"), kMarker)
        << "[FONT='Times New Roman'][B]" + crlf + p + crlf + "[/FONT][/B]" << 29 << "-";
    QTest::newRow("any bold value but the marker is bold")
        << record("0", kMarker, kMarker, kMarker, "x", kMarker) << "[B]" + crlf + p + crlf + "[/B]" << 5 << "-";
    QTest::newRow("red, no hash") << record("0", kMarker, kMarker, kMarker, kMarker, " 255")
                                  << "[COLOR=FF0000]" + crlf + p + crlf + "[/COLOR]" << 16 << "FF0000";
    QTest::newRow("hand-edited black") << record("0", kMarker, kMarker, kMarker, kMarker, " 0")
                                       << "[COLOR=000000]" + crlf + p + crlf + "[/COLOR]" << 16 << "000000";
}

void TestCoreDefaultFont::templates()
{
    QFETCH(DefaultFontSettings, settings);
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(QString, colorHex);
    const DefaultFontTemplate post = buildDefaultFontTemplate(settings);
    QCOMPARE(post.text, text);
    QCOMPARE(post.selStart, selStart);
    QCOMPARE(post.selLength, 22);
    QCOMPARE(post.text.mid(post.selStart, post.selLength), templatePlaceholder());
    QCOMPARE(post.colorHex.value_or(QStringLiteral("-")), colorHex);
    if (QByteArray(QTest::currentDataTag()) == "worked example")
        QCOMPARE(post.text.size(), 109);
}

void TestCoreDefaultFont::colorFieldValue_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<quint32>("value");
    QTest::newRow("red") << " 255" << 255u;
    QTest::newRow("blue") << " 16711680" << 16711680u;
    QTest::newRow("no space") << "65280" << 65280u;
    QTest::newRow("many spaces") << "    42" << 42u;
    QTest::newRow("white") << " 16777215" << 16777215u;
    QTest::newRow("digits then text") << " 12ab" << 12u;
    QTest::newRow("no digits") << " abc" << 0u;
    QTest::newRow("empty") << "" << 0u;
    QTest::newRow("negative") << " -255" << 0u;
    QTest::newRow("past white") << " 16777216" << 16777215u;
    QTest::newRow("would overflow") << " 99999999999999999999" << 16777215u;
}

void TestCoreDefaultFont::colorFieldValue()
{
    QFETCH(QString, field);
    QFETCH(quint32, value);
    QCOMPARE(zarvelo::colorFieldValue(field), value);
}

void TestCoreDefaultFont::panelFontName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    for (const char *whole : {"Times New Roman", "Led Italic Font", "Rod Transparent", "Tahoma"})
        QTest::newRow(whole) << whole << whole;
    QTest::newRow("marker") << kMarker << kMarker;
    QTest::newRow("Microsoft Sans Serif") << "Microsoft Sans Serif" << "Microsoft Sans ..";
    QTest::newRow("Simplified Arabic") << "Simplified Arabic" << "Simplified Arab..";
    QTest::newRow("16 characters") << "ABCDEFGHIJKLMNOP" << "ABCDEFGHIJKLMNO..";
}

void TestCoreDefaultFont::panelFontName()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QCOMPARE(zarvelo::panelFontName(name), shown);
    QVERIFY(zarvelo::panelFontName(name).size() <= 17);
}

void TestCoreDefaultFont::missingMessage()
{
    QCOMPARE(settingsMissingMessage(),
             QStringLiteral("هناك عطل في البرنامج") + "\r\n\r\n" + QStringLiteral("تأكد من وجود الملف:")
                 + "\r\n\r\n" + "setting.vbe");
    QCOMPARE(noChangeMarker(), kMarker);
}

QTEST_GUILESS_MAIN(TestCoreDefaultFont)
#include "tst_core_defaultfont.moc"
