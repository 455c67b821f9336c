#include "platform/codepage.h"
#include "preview/previewcommand.h"
#include "scriptedplatform.h"
#include "ui/posteditor.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvelo;

namespace {

const QString kHead = QStringLiteral(
    "<html dir=rtl><meta charset=windows-1256><title>معاينة مشاركة - برنامج Zarvelo</title><body "
    "bgcolor=#E8E8FF><p align=right>"
    "<table cellspacing=0 width=99% border=1 bordercolor=#0000A0><tr>"
    "<td style='border-bottom-color: #C0C0C0' align=right background=bk.gif><img src=logo.gif></td></tr><tr>"
    "<td style='padding-right: 10; padding-top: 20; padding-left: 10 ; padding-bottom: 20' align=right>");
const QString kTail = QStringLiteral("</td></tr></p></body></html>");

QByteArray cp1256(const QString &text)
{
    return encodeWindows1256(text).bytes;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "?";
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void preview_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("message"); // %1 the page's path; ending in a mark: any reason follows
        // Path and reason are set apart from the Arabic around them.
        const QString notWritten =
            QStringLiteral("تعذّر حفظ صفحة المعاينة في الملف:\n\u2068%1\u2069\n\nالسبب: \u2068");
        QTest::newRow("written and opened") << ""
                                            << "";
        QTest::newRow("the write is refused") << "refused" << notWritten + "Permission denied\u2069";
        // Tests may run as root, who writes anywhere: a file where the folder should be stops even root.
        QTest::newRow("the folder is a file") << "file" << notWritten;
        QTest::newRow("the browser does not start")
            << "browser"
            << "تعذّر فتح صفحة المعاينة في متصفح الإنترنت:\n\u2068%1\u2069\n\nالسبب: \u2068no browser\u2069";
    }

    void preview()
    {
        QFETCH(QString, failure);
        QFETCH(QString, message);
        test::ScriptedPlatform platform;
        platform.folder = m_dir.filePath(failure.isEmpty() ? QStringLiteral("folder with spaces") : failure);
        const QString path = platform.folder + QStringLiteral("/perview.html");
        platform.failWritesTo = failure == QLatin1String("refused") ? path : QString();
        platform.browserStarts = failure != QLatin1String("browser");
        QFile blocker(platform.folder);
        QVERIFY(failure == "file" ? blocker.open(QIODevice::WriteOnly) : QDir().mkpath(platform.folder));
        QWidget window;
        auto *editor = new PostEditor(&window);
        auto *other = new QLineEdit(&window);
        PreviewCommand command(*editor, platform);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        const QString post = QStringLiteral("مرحبا [b]x[/B]\r\ns 😀 \u0109");
        editor->setText(post);
        command.Command9_Click();

        QCOMPARE(editor->text(), post);
        QTRY_VERIFY(editor->hasFocus());
        const bool opened = failure.isEmpty() || !platform.browserStarts; // once, with the page's path
        QCOMPARE(platform.browserOpens, opened ? QStringList{path} : QStringList());
        QCOMPARE(platform.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            const QString text = platform.messages[0].text, start = message.arg(path);
            const bool reason = text.size() > start.size() + 1; // more than the closing mark
            QVERIFY2(message.endsWith(u'\u2068') ? text.startsWith(start) && reason : text == start,
                     qPrintable(text));
            return;
        }
        // The code page holds neither the emoji nor "ĉ": they go in as character references.
        QCOMPARE(fileBytes(path),
                 cp1256(kHead + QStringLiteral("مرحبا <b>x</b><br>\ns &#128512; &#265;") + kTail));
        // A second, shorter page replaces the first whole.
        editor->setText(QString());
        command.Command9_Click();
        QCOMPARE(fileBytes(path), cp1256(kHead + kTail));
    }

    void unwritableFolderFallsBackToCache()
    {
        // An installed program cannot write its own folder: the page and the two
        // pictures it shows go to the user's cache folder, and that page opens.
        test::ScriptedPlatform platform;
        platform.folder = m_dir.filePath(QStringLiteral("installed"));
        platform.cache = m_dir.filePath(QStringLiteral("cache/zarvelo"));
        platform.failWritesTo = platform.folder + QStringLiteral("/perview.html");
        QVERIFY(QDir().mkpath(platform.folder));
        for (const char *picture : {"bk.gif", "logo.gif"})
            writeFile(platform.folder + u'/' + QLatin1String(picture), picture);
        PostEditor editor;
        PreviewCommand command(editor, platform);
        editor.setText(QStringLiteral("[b]x[/b]"));
        command.Command9_Click();

        const QString page = platform.cache + QStringLiteral("/perview.html");
        QCOMPARE(platform.messages.size(), 0);
        QCOMPARE(platform.browserOpens, QStringList{page});
        QCOMPARE(fileBytes(page), cp1256(kHead + QStringLiteral("<b>x</b>") + kTail));
        for (const char *picture : {"bk.gif", "logo.gif"})
            QCOMPARE(fileBytes(platform.cache + u'/' + QLatin1String(picture)), QByteArray(picture));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("exitCode");
        const QString post =
            writeFile(m_dir.filePath(QStringLiteral("post.txt")), "[b]\xE3\xD1\xCD\xC8\xC7[/b]\r\n[i]hi[/I]");
        const QString body = QStringLiteral("<b>مرحبا</b><br>\n<i>hi</i>");
        QTest::newRow("a post file, whole page") << QStringList{post} << cp1256(kHead + body + kTail) << 0;
        QTest::newRow("a post file, body only") << QStringList{"--body", post} << cp1256(body) << 0;
        QTest::newRow("standard input") << QStringList{} << cp1256(kHead + body + kTail) << 0;
        QTest::newRow("standard input named -") << QStringList{"--body", "-"} << cp1256(body) << 0;
        // Longer than one block of the writer: no byte lost or doubled where blocks meet.
        const QString longPost =
            writeFile(m_dir.filePath(QStringLiteral("long.txt")), QByteArray("[b]\xE3[/b]").repeated(30000));
        QTest::newRow("a long post") << QStringList{"--body", longPost}
                                     << cp1256(QString("<b>م</b>").repeated(30000)) << 0;
        // UTF-8, read as the editor reads it: what the code page lacks becomes
        // references, and the pairs stay whole where the writer's blocks meet.
        const QString utf8Post = writeFile(
            m_dir.filePath(QStringLiteral("utf8.txt")),
            (u'x' + QStringLiteral("\U0001F600").repeated(40000) + QStringLiteral("[b]م")).toUtf8());
        QTest::newRow("a UTF-8 post")
            << QStringList{"--body", utf8Post}
            << cp1256(QStringLiteral("x") + QStringLiteral("&#128512;").repeated(40000)
                      + QStringLiteral("<b>م"))
            << 0;
        QTest::newRow("help") << QStringList{"--help"}
                              << QByteArray("Usage: zarvelo-preview [options] [FILE]") << 0;
        QTest::newRow("missing file")
            << QStringList{m_dir.filePath(QStringLiteral("none"))} << QByteArray() << 1;
        QTest::newRow("unknown option") << QStringList{"--bold"} << QByteArray() << 2;
        QTest::newRow("two files") << QStringList{"--body", post, post} << QByteArray() << 2;
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, output);
        QFETCH(int, exitCode);
        const QString post = m_dir.filePath(QStringLiteral("post.txt"));
        QProcess process;
        process.setStandardInputFile(arguments.contains(post) ? QProcess::nullDevice() : post);
        process.start(qEnvironmentVariable("ZARVELO_BINARY_DIR") + QStringLiteral("/zarvelo-preview"),
                      arguments);
        QVERIFY(process.waitForFinished());
        const QByteArray out = process.readAllStandardOutput(), err = process.readAllStandardError();
        QCOMPARE(process.exitCode(), exitCode);
        QCOMPARE(arguments.contains("--help") ? out.left(output.size()) : out, output); // help: first line
        // A failure is one line naming the program, and the file when one was given.
        QCOMPARE(err.isEmpty(), exitCode == 0);
        QVERIFY2(exitCode == 0 || (err.startsWith("zarvelo-preview: ") && err.count('\n') == 1),
                 err.constData());
        QVERIFY2(exitCode == 0 || arguments[0].startsWith('-') || err.contains(arguments[0].toLocal8Bit()),
                 err.constData());
    }

    void commandLineReportsAFailedWrite()
    {
        // The page goes out while the conversion goes on: a write that fails
        // half way must still end in failure, not in success.
        if (!QFile::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full here");
        const QString post = m_dir.filePath(QStringLiteral("long.txt"));
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(qEnvironmentVariable("ZARVELO_BINARY_DIR") + QStringLiteral("/zarvelo-preview"),
                      {QStringLiteral("--body"), post});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(process.readAllStandardError(),
                 QByteArray("zarvelo-preview: cannot write to standard output\n"));
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
