#include "platform/codepage.h"
#include "platform/codepagecheck.h"
#include "platform/commondialog.h"
#include "platform/dialogfilter.h"
#include "platform/textfile.h"
#include "scriptedplatform.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace zarvelo;

namespace {

QString writeBytes(const QTemporaryDir &dir, const QByteArray &bytes)
{
    QString path = dir.filePath(QStringLiteral("post.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void tablesAgreeWithQtsConverter()
    {
        QByteArray all; // every byte reads as one character and is written back as itself
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(encodeWindows1256(decodeWindows1256(all)).bytes, all);
        // A character is encodable exactly when Qt writes it as one byte that
        // reads back as that character; anything else would change the post.
        QStringEncoder encoder(kWindows1256, QStringConverter::Flag::Stateless);
        QStringDecoder decoder(kWindows1256);
        QVERIFY(isWindows1256Available());
        for (char32_t c = 0; c < 0x10000; ++c) {
            const QChar one = QChar(char16_t(c));
            const QByteArray qt = encoder.encode(QStringView(&one, 1));
            const bool qtHolds = !one.isSurrogate() && qt.size() == 1 && decoder.decode(qt) == QString(one);
            const Windows1256Bytes ours = encodeWindows1256(QStringView(&one, 1));
            QVERIFY2(ours.ok() == qtHolds, qPrintable(QString::number(uint(c), 16)));
            if (qtHolds)
                QCOMPARE(ours.bytes, qt);
        }
    }

    void missingCodePageIsSaidPlainly()
    {
        test::ScriptedPlatform platform;
        QVERIFY(checkWindows1256(platform));
        QVERIFY(platform.messages.isEmpty());
        QVERIFY(!checkWindows1256(platform, false));
        QCOMPARE(platform.messages.size(), 1);
        QVERIFY(platform.messages[0].text.contains(QStringLiteral("ترميز Windows-1256")));
    }

    void unencodableCharactersAreReported()
    {
        // The substitute byte itself is a character of the code page: it must
        // not be mistaken for a character that could not be written.
        const QString text = QStringLiteral("a\U0001F600b\u4E2D\x1A");
        const Windows1256Bytes bytes = encodeWindows1256(text);
        QCOMPARE(bytes.unencodable, QList<char32_t>({0x1F600, 0x4E2D}));
        QVERIFY(!isWindows1256Encodable(text));
        QVERIFY(isWindows1256Encodable(QStringLiteral("\x1A")));

        // The converter would silently drop these invisible format characters.
        QCOMPARE(encodeWindows1256(QStringLiteral("a\u206Eb\u2060")).unencodable,
                 QList<char32_t>({0x206E, 0x2060}));
    }

    void escapingWritesReferences_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::addColumn<int>("count");
        QTest::newRow("nothing to escape")
            << QStringLiteral("سلام & <b>") << QStringLiteral("سلام & <b>") << 0;
        QTest::newRow("emoji is one reference")
            << QStringLiteral("x\U0001F600y") << QStringLiteral("x&#128512;y") << 1;
        QTest::newRow("several") << QStringLiteral("\u4E2D\u6587!") << QStringLiteral("&#20013;&#25991;!")
                                 << 2;
        QTest::newRow("a dropped format character")
            << QStringLiteral("a\u206Eb") << QStringLiteral("a&#8302;b") << 1;
        QTest::newRow("substitute byte stays")
            << QStringLiteral("\x1A\u4E2D") << QStringLiteral("\x1A&#20013;") << 1;
        QTest::newRow("lone surrogates, pair at the end")
            << QString(QChar(0xDE00)) + u'a' + QChar(0xD83D) + QStringLiteral("\U0001F600")
            << QStringLiteral("&#56832;a&#55357;&#128512;") << 3;
    }

    void escapingWritesReferences()
    {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QFETCH(int, count);
        qsizetype written = -1;
        QCOMPARE(escapeUnencodableAsHtml(text, &written), escaped);
        QCOMPARE(written, qsizetype(count));
        QVERIFY(isWindows1256Encodable(escaped));
        // The page's single pass gives the same bytes as escaping, then encoding.
        written = -1;
        QCOMPARE(encodeWindows1256EscapingUnencodable(text, &written), encodeWindows1256(escaped).bytes);
        QCOMPARE(written, qsizetype(count));
    }

    void filesAreExactBytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("post.txt"));
        const QString text = QStringLiteral("سطر\r\nline\nx\r");
        const TextFileWrite written = writeWindows1256File(path, text);
        QVERIFY2(written.ok, qPrintable(written.error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\xd3\xd8\xd1\r\nline\nx\r"));
        const TextFileRead read = readWindows1256File(path);
        QVERIFY(read.ok);
        QCOMPARE(read.text, text);

        const TextFileRead head = readWindows1256File(path, 4);
        QVERIFY(head.ok);
        QCOMPARE(head.text, QStringLiteral("سطر\r"));

        QVERIFY(writeWindows1256File(path, QString()).ok);
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    void unencodableTextIsNeverWritten()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("post.txt"));
        QVERIFY(writeWindows1256File(path, QStringLiteral("old")).ok);
        const TextFileWrite refused = writeWindows1256File(path, QStringLiteral("new \U0001F600"));
        QVERIFY(!refused.ok);
        QCOMPARE(refused.unencodable, QList<char32_t>({0x1F600}));
        QCOMPARE(readWindows1256File(path).text, QStringLiteral("old"));
        const TextFileRead missing = readWindows1256File(dir.filePath(QStringLiteral("none.txt")));
        QVERIFY(!missing.ok && !missing.error.isEmpty() && missing.text.isEmpty());
    }

    void postEncodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QString>("text");
        const auto utf8 = int(TextEncoding::Utf8), bom = int(TextEncoding::Utf8WithBom),
                   cp = int(TextEncoding::Windows1256);
        const QString arabic = QStringLiteral("مرحبا 😀 ١٢٣\r\nok\n");
        QTest::newRow("utf-8: arabic, emoji, indic digits") << arabic.toUtf8() << utf8 << arabic;
        QTest::newRow("utf-8 after a byte-order mark") << "\xEF\xBB\xBF" + arabic.toUtf8() << bom << arabic;
        QTest::newRow("the mark alone") << QByteArray("\xEF\xBB\xBF") << bom << QString();
        QTest::newRow("ascii is windows-1256")
            << QByteArray("plain\r\ntext") << cp << QStringLiteral("plain\r\ntext");
        QTest::newRow("windows-1256 arabic")
            << QByteArray("\xD3\xE1\xC7\xE3") << cp << QStringLiteral("سلام");
        // Anything not wholly UTF-8 is Windows-1256, which comes back byte for byte.
        QTest::newRow("utf-8 cut off at the end") << QByteArray("ok\xD8") << cp << QStringLiteral("okط");
        QTest::newRow("a mark, then no utf-8")
            << QByteArray("\xEF\xBB\xBF\xD3\xE1") << cp << QStringLiteral("ï»؟سل");
        QTest::newRow("overlong") << QByteArray("\xC0\xAF") << cp << decodeWindows1256("\xC0\xAF");
        QTest::newRow("encoded surrogate")
            << QByteArray("\xED\xA0\x80") << cp << decodeWindows1256("\xED\xA0\x80");
    }

    void postEncodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, encoding);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString path = writeBytes(dir, bytes);
        const TextFileRead read = readPostFile(path);
        QVERIFY(read.ok);
        QCOMPARE(int(read.encoding), encoding);
        QCOMPARE(read.text, text);
        // Fed a byte at a time, a sequence split between pieces is still one character.
        PostTextDecoder decoder;
        for (const char byte : bytes)
            decoder.feed(QByteArrayView(&byte, 1));
        const TextFileRead pieces = decoder.finish(bytes.size());
        QVERIFY(pieces.text == text && int(pieces.encoding) == encoding);
        // Saved unchanged in the encoding it came in, the file keeps its bytes.
        QVERIFY(writeTextFileAs(path, read.text, read.encoding).ok);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }

    void loadLimitCountsCharacters_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("head"); // the first 20001 characters
        QTest::addColumn<qint64>("characters");
        const QString meem = QStringLiteral("م").repeated(30000);
        QTest::newRow("utf-8 counts characters, not bytes")
            << meem.toUtf8() << meem.left(20001) << qint64(30000);
        const QString emoji = QString(20000, u'a') + QStringLiteral("😀😀");
        QTest::newRow("an emoji at the cut stays whole")
            << emoji.toUtf8() << emoji.chopped(2) << qint64(20002);
        // Its one multi-byte sequence comes after the limit: still UTF-8, still counted.
        QTest::newRow("utf-8 late") << QByteArray(30000, 'a') + "\xC3\xA9" << QString(20001, u'a')
                                    << qint64(30001);
        QTest::newRow("windows-1256, a megabyte")
            << QByteArray("\xD3").repeated(1 << 20) << QStringLiteral("س").repeated(20001) << qint64(1 << 20);
    }

    void loadLimitCountsCharacters()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, head);
        QFETCH(qint64, characters);
        QTemporaryDir dir;
        const QString path = writeBytes(dir, bytes);
        const TextFileRead read = readPostFile(path, 20001);
        QVERIFY(read.ok);
        QCOMPARE(read.text, head);
        QCOMPARE(read.characters, characters);
        QCOMPARE(characterCount(readPostFile(path).text), characters); // without a limit: all of it
    }

    void readOnlyFolderWritesInPlace()
    {
        // A shared folder the user may not write, or (for root, who may write any
        // folder) an immutable one: no temporary file can be made beside the post.
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("shared"));
        const QString path = folder + QStringLiteral("/post.txt");
        QVERIFY(QDir().mkpath(folder) && writeWindows1256File(path, QStringLiteral("old")).ok);
        const bool root = ::geteuid() == 0;
        const bool locked = root
            ? QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) == 0
            : QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        auto unlock = qScopeGuard([&] {
            if (root)
                QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (!locked)
            QSKIP("the folder cannot be made read-only here");

        const TextFileWrite written = writeTextFileAs(path, QStringLiteral("جديد 😀"), TextEncoding::Utf8);
        QVERIFY2(written.ok, qPrintable(written.error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QStringLiteral("جديد 😀").toUtf8());
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("post.txt")});
        // A new file cannot go there at all: refused, with the reason.
        const TextFileWrite refused =
            writeWindows1256File(folder + QStringLiteral("/new.txt"), QStringLiteral("x"));
        QVERIFY(!refused.ok && !refused.error.isEmpty());
    }

    void dialogFilters_data()
    {
        QTest::addColumn<QString>("common");
        QTest::addColumn<QString>("qt");
        QTest::newRow("posts") << QStringLiteral("Text Files(*.txt)|*.txt|All Files(*.*)|*.*")
                               << QStringLiteral("Text Files (*.txt);;All Files (*)");
        QTest::newRow("several patterns")
            << QStringLiteral("Pages|*.htm;*.html") << QStringLiteral("Pages (*.htm *.html)");
        QTest::newRow("empty") << QString() << QString();
    }

    void dialogFilters()
    {
        QFETCH(QString, common);
        QFETCH(QString, qt);
        QCOMPARE(qtFileDialogFilter(common), qt);
    }

    void commonDialogKeepsNameAndColour()
    {
        test::ScriptedPlatform platform;
        CommonDialog dialog(platform);
        dialog.setFilter(QStringLiteral("Text Files(*.txt)|*.txt"));
        platform.openAnswers << QStringLiteral("/posts/a.txt") << QString();
        platform.saveAnswers << QString() << QStringLiteral("/posts/b.txt");

        dialog.showOpen();
        dialog.showOpen(); // cancelled
        QCOMPARE(dialog.fileName(), QString());
        dialog.showSave(); // cancelled: the last chosen path is still offered
        dialog.showSave();
        QCOMPARE(dialog.fileName(), QStringLiteral("/posts/b.txt"));
        QCOMPARE(platform.fileDialogs.size(), 4);
        QCOMPARE(platform.fileDialogs[0].initialFileName, QString());
        QCOMPARE(platform.fileDialogs[1].initialFileName, QStringLiteral("/posts/a.txt"));
        QCOMPARE(platform.fileDialogs[3].initialFileName, QStringLiteral("/posts/a.txt"));
        QVERIFY(platform.fileDialogs[2].save);
        QCOMPARE(platform.fileDialogs[0].filter, QStringLiteral("Text Files(*.txt)|*.txt"));

        platform.colorAnswers << 255u << std::nullopt;
        dialog.setColor(7);
        dialog.showColor();
        QCOMPARE(dialog.color(), 255u);
        dialog.showColor(); // cancelled: the colour stays
        QCOMPARE(dialog.color(), 255u);
        QCOMPARE(platform.colorDialogStarts, QList<quint32>({7u, 255u}));
    }
};

QTEST_APPLESS_MAIN(TestPlatform)
#include "tst_core_platform.moc"
