#include "coretest.h"
#include "drafts/draftstore.h"
#include "platform/codepage.h"
#include "platform/commondialog.h"
#include "platform/dialogfilter.h"
#include "platform/fileerror.h"
#include "platform/textfile.h"
#include "scriptedplatform.h"
#include "spelling/personaldictionary.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringConverter>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/resource.h>
#include <unistd.h>

using namespace zarvelo;
using namespace zarvelo::test;
using namespace Qt::StringLiterals;

namespace {

enum class Writer { Post, Draft, WordList };

/** Writes text with one of the program's writers into folder: a post file,
    the one draft of the folder, or a word added to the word list. The path
    written, empty when the write failed. */
QString writeWith(Writer writer, const QString &folder, const QString &text)
{
    switch (writer) {
    case Writer::Post: {
        const QString path = folder + u"/post.txt"_s;
        return writeTextFileAs(path, text, TextEncoding::Utf8).ok ? path : QString();
    }
    case Writer::Draft: {
        DraftStore store(folder);
        const QString id = u"one.draft"_s;
        return store.write(id, text, u"/posts/a.txt"_s).ok ? folder + u'/' + id : QString();
    }
    case Writer::WordList: {
        PersonalDictionary words(folder + u"/words.txt"_s);
        words.load();
        return words.add(text) ? words.path() : QString();
    }
    }
    return QString();
}

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void codePageMatchesQt()
    {
        QByteArray all; // every byte reads as one character and is written back as itself
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(encodeWindows1256(decodeWindows1256(all)).bytes, all);
        // Encodable exactly when Qt writes one byte that reads back as the character.
        QStringEncoder encoder(kWindows1256, QStringConverter::Flag::Stateless);
        QStringDecoder decoder(kWindows1256);
        for (char32_t c = 0; c < 0x10000; ++c) {
            const QChar one{char16_t(c)};
            const QByteArray qt = encoder.encode(QStringView(&one, 1));
            const bool qtHolds = !one.isSurrogate() && qt.size() == 1 && decoder.decode(qt) == QString(one);
            const Windows1256Bytes ours = encodeWindows1256(QStringView(&one, 1));
            QVERIFY2(ours.ok() == qtHolds && (!qtHolds || ours.bytes == qt),
                     qPrintable(QString::number(uint(c), 16)));
        }
    }

    void escapesWhatTheCodePageLacks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::addColumn<qsizetype>("count");
        QTest::newRow("nothing to escape") << u"سلام & <b>"_s << u"سلام & <b>"_s << qsizetype(0);
        QTest::newRow("a dropped format character") << u"a\u206Eb"_s << u"a&#8302;b"_s << qsizetype(1);
        QTest::newRow("substitute byte stays") << u"\x1A\u4E2D"_s << u"\x1A&#20013;"_s << qsizetype(1);
        QTest::newRow("lone surrogates, pair at the end")
            << QChar(0xDE00) + u"a"_s + QChar(0xD83D) + u"\U0001F600"_s << u"&#56832;a&#55357;&#128512;"_s
            << qsizetype(3);
    }

    void escapesWhatTheCodePageLacks()
    {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QFETCH(qsizetype, count);
        qsizetype written = -1;
        QCOMPARE(escapeUnencodableAsHtml(text, &written), escaped);
        QCOMPARE(written, count);
        // The page's single pass gives the same bytes as escaping, then encoding.
        qsizetype inOnePass = -1;
        QCOMPARE(encodeWindows1256EscapingUnencodable(text, &inOnePass), encodeWindows1256(escaped).bytes);
        QCOMPARE(inOnePass, count);
    }

    void windows1256FilesAreExact()
    {
        const QString path = m_dir.filePath(u"exact.txt"_s);
        const QString text = u"سطر\r\nline\nx\r"_s;
        const TextFileWrite written = writeWindows1256File(path, text);
        QVERIFY2(written.ok, qPrintable(written.error));
        // Text the code page cannot hold is refused whole, and the old file stays.
        const TextFileWrite refused = writeWindows1256File(path, u"new \U0001F600"_s);
        QVERIFY(!refused.ok && refused.unencodable == QList<char32_t>{0x1F600});
        QCOMPARE(readWindows1256File(path).text, text);
    }

    void postEncodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QString>("text");
        const QString arabic = u"مرحبا 😀 ١٢٣\r\nok\n"_s;
        const auto cp = TextEncoding::Windows1256;
        // Anything not wholly UTF-8 is Windows-1256, which comes back byte for byte.
        QTest::newRow("utf-8 after a byte-order mark")
            << "\xEF\xBB\xBF" + arabic.toUtf8() << TextEncoding::Utf8WithBom << arabic;
        QTest::newRow("the mark alone") << "\xEF\xBB\xBF"_ba << TextEncoding::Utf8WithBom << QString();
        QTest::newRow("ascii is windows-1256") << "plain\r\ntext"_ba << cp << u"plain\r\ntext"_s;
        QTest::newRow("utf-8 cut off at the end") << "ok\xD8"_ba << cp << u"okط"_s;
        QTest::newRow("a mark, then no utf-8") << "\xEF\xBB\xBF\xD3\xE1"_ba << cp << u"ï»؟سل"_s;
        QTest::newRow("overlong") << "\xC0\xAF"_ba << cp << u"\u06C1\u00AF"_s;
        QTest::newRow("encoded surrogate") << "\xED\xA0\x80"_ba << cp << u"\u064A\u00A0\u20AC"_s;
    }

    void postEncodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, encoding);
        QFETCH(QString, text);
        const QString path = m_dir.filePath(u"post.txt"_s);
        QVERIFY(writeFile(path, bytes));
        const TextFileRead read = readPostFile(path);
        QVERIFY(read.ok && read.encoding == encoding);
        QCOMPARE(read.text, text);
        // Fed a byte at a time, a sequence split between pieces is still one character.
        PostTextDecoder decoder;
        for (const char byte : bytes)
            decoder.feed(QByteArrayView(&byte, 1));
        const TextFileRead pieces = decoder.finish(bytes.size());
        QVERIFY(pieces.text == text && pieces.encoding == encoding);
        // Saved unchanged in the encoding it came in, the file keeps its bytes.
        QVERIFY(writeTextFileAs(path, read.text, read.encoding).ok);
        QCOMPARE(contents(path), bytes);
    }

    void loadLimit_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("head");
        QTest::addColumn<qint64>("characters");
        const QString meem = u"م"_s.repeated(30000);
        const QString emoji = QString(20000, u'a') + u"😀😀"_s;
        // clang-format off
        QTest::newRow("utf-8 counts characters, not bytes") << meem.toUtf8() << meem.left(20001) << qint64(30000);
        QTest::newRow("an emoji at the cut stays whole") << emoji.toUtf8() << emoji.chopped(2) << qint64(20002);
        QTest::newRow("utf-8 only after the limit") << QByteArray(30000, 'a') + "\xC3\xA9" << QString(20001, u'a') << qint64(30001);
        QTest::newRow("windows-1256, a megabyte") << QByteArray("\xD3").repeated(1 << 20) << u"س"_s.repeated(20001) << qint64(1 << 20);
        // clang-format on
    }

    void loadLimit()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, head);
        QFETCH(qint64, characters);
        const QString path = m_dir.filePath(u"post.txt"_s);
        QVERIFY(writeFile(path, bytes));
        const TextFileRead read = readPostFile(path, 20001);
        QCOMPARE(read.text, head);
        QCOMPARE(read.characters, characters);
    }

    void aFolderWithoutRoomForATemporaryFileRefusesTheWrite()
    {
        // A folder the user may not write (for root: an immutable one) has no room for a temporary file.
        const QString folder = m_dir.filePath(u"shared"_s);
        const QString path = folder + u"/post.txt"_s;
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeWindows1256File(path, u"old"_s).ok);
        const bool root = ::geteuid() == 0;
        const bool locked = root ? QProcess::execute(u"chattr"_s, {u"+i"_s, folder}) == 0
                                 : QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        auto unlock = qScopeGuard([&] {
            if (root)
                QProcess::execute(u"chattr"_s, {u"-i"_s, folder});
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (!locked)
            QSKIP("the folder cannot be made read-only here");
        const TextFileWrite written = writeTextFileAs(path, u"جديد"_s, TextEncoding::Utf8);
        QVERIFY(!written.ok);
        QVERIFY(!written.error.isEmpty());
        // Never written in place: a write cut short there would leave neither file.
        QCOMPARE(contents(path), QByteArray("old"));
    }

    void aWriteCutShortLeavesTheOldFileWhole_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<QByteArray>("oldEnd");
        QTest::newRow("post") << int(Writer::Post) << QByteArray("old");
        QTest::newRow("draft") << int(Writer::Draft) << QByteArray("\nold");
        QTest::newRow("word list") << int(Writer::WordList) << QByteArray("old\n");
    }

    void aWriteCutShortLeavesTheOldFileWhole()
    {
        QFETCH(int, writer);
        QFETCH(QByteArray, oldEnd);
        const QString folder = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(folder));
        const QString path = writeWith(Writer(writer), folder, u"old"_s);
        QVERIFY(!path.isEmpty());
        const QByteArray old = contents(path);
        QVERIFY(old.endsWith(oldEnd));
        // Files may grow to 512 bytes only: the longer write fails, even for root.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit small{512, saved.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const QString failed = writeWith(Writer(writer), folder, QString(4000, u'n'));
        setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(failed, QString());
        QCOMPARE(contents(path), old);
        // Nothing is left of the write that failed.
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void failuresSayWhyInArabic_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("read a missing file") << false << u"missing.txt"_s << u"الملف غير موجود."_s;
        QTest::newRow("read in a missing folder") << false << u"nowhere/post.txt"_s << u"المجلد غير موجود."_s;
        QTest::newRow("read a folder") << false << u"dir"_s << u"هذا الاسم لمجلد وليس لملف."_s;
        QTest::newRow("write under a file")
            << true << u"file/post.txt"_s << u"جزء من المسار ملف وليس مجلداً."_s;
    }

    void failuresSayWhyInArabic()
    {
        QFETCH(bool, write);
        QFETCH(QString, name);
        QFETCH(QString, sentence);
        QVERIFY(QDir(m_dir.path()).mkpath(u"dir"_s) && writeFile(m_dir.filePath(u"file"_s), {}));
        const QString path = m_dir.filePath(name);
        const QString error =
            write ? writeWindows1256File(path, u"نص"_s).error : readWindows1256File(path).error;
        // The sentence first, the system's own words kept after it as a detail.
        const QStringList lines = error.split(u"\r\n"_s);
        QCOMPARE(lines.value(0), sentence);
        QVERIFY(lines.size() == 2 && lines[1].startsWith(u'(') && lines[1].size() > 2);
    }

    void fullDiskSaysSo()
    {
        QFile full(u"/dev/full"_s);
        if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            QSKIP("no /dev/full here");
        QCOMPARE(full.write("x", 1), -1);
        QVERIFY(fileFailureReason(full, FileAction::Write).startsWith(u"لا توجد مساحة كافية على القرص."_s));
    }

    void dialogsKeepColourAndFilter()
    {
        QCOMPARE(qtFileDialogFilter(u"Text Files(*.txt)|*.txt|All Files(*.*)|*.*"_s),
                 u"Text Files (*.txt);;All Files (*)"_s);
        QCOMPARE(qtFileDialogFilter(u"Pages|*.htm;*.html"_s), u"Pages (*.htm *.html)"_s);
        QCOMPARE(qtFileDialogFilter(QString()), QString());
        ScriptedPlatform platform;
        CommonDialog dialog(platform);
        platform.colorAnswers << 255u << std::nullopt;
        dialog.setColor(7);
        dialog.showColor();
        dialog.showColor(); // cancelled: the colour stays
        QCOMPARE(dialog.color(), 255u);
        QCOMPARE(platform.colorDialogStarts, QList<quint32>({7u, 255u}));
    }
};

QTEST_APPLESS_MAIN(TestPlatform)
#include "tst_core_platform.moc"
