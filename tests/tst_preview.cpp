#include "coretest.h"
#include "platform/codepage.h"
#include "preview/previewcommand.h"
#include "scriptedplatform.h"
#include "ui/posteditor.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

const QString kHead =
    u"<html dir=rtl><meta charset=windows-1256><title>معاينة مشاركة - برنامج Zarvelo</title><body "
    "bgcolor=#E8E8FF><p align=right><table cellspacing=0 width=99% border=1 bordercolor=#0000A0><tr>"
    "<td style='border-bottom-color: #C0C0C0' align=right background=bk.gif><img src=logo.gif></td></tr><tr>"
    "<td style='padding-right: 10; padding-top: 20; padding-left: 10 ; padding-bottom: 20' align=right>"_s;
const QString kTail = u"</td></tr></p></body></html>"_s;

const auto cp1256 = [](const QString &text) { return encodeWindows1256(text).bytes; };

/** zarvelo-preview run to its end, its standard input read from a file: exit code, output, errors. */
std::tuple<int, QByteArray, QByteArray> run(const QStringList &args, const QString &input,
                                            const QString &output = {})
{
    QProcess process;
    process.setStandardInputFile(input);
    if (!output.isEmpty())
        process.setStandardOutputFile(output);
    process.start(qEnvironmentVariable("ZARVELO_BINARY_DIR") + u"/zarvelo-preview"_s, args);
    process.waitForFinished();
    return std::tuple(process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError());
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        // The last two pass a block of the writer: no byte lost or doubled, no pair split where blocks meet.
        QVERIFY(test::writeFile(path(u"post.txt"_s), "[b]\xE3\xD1\xCD\xC8\xC7[/b]\r\n[i]hi[/I]"));
        QVERIFY(test::writeFile(path(u"utf8.txt"_s),
                                (u'x' + u"\U0001F600"_s.repeated(40000) + u"[b]م"_s).toUtf8()));
        QVERIFY(test::writeFile(path(u"long.txt"_s), QByteArray("[b]\xE3[/b]").repeated(30000)));
    }

    void previewButton_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("message");
        // %1 is the page's path; a message ending in the opening isolate mark takes any reason.
        const QString notWritten = u"تعذّر حفظ صفحة المعاينة في الملف:\n\u2066%1\u2069\n\nالسبب: \u2068"_s;
        QTest::newRow("shown") << QString() << QString();
        QTest::newRow("write refused") << u"refused"_s << notWritten + u"Permission denied\u2069"_s;
        QTest::newRow("no browser")
            << u"browser"_s
            << u"تعذّر فتح صفحة المعاينة في متصفح الإنترنت:\n\u2066%1\u2069\n\nالسبب: \u2068no browser\u2069"_s;
        // An unwritable folder sends the page to the cache.
        QTest::newRow("cache") << u"cache"_s << QString();
    }

    void previewButton()
    {
        QFETCH(QString, failure);
        QFETCH(QString, message);
        test::ScriptedPlatform platform;
        const QString folder = path(failure.isEmpty() ? u"a folder"_s : failure);
        platform.folder = folder;
        const QString page = folder + u"/perview.html"_s;
        const bool cached = failure == u"cache";
        platform.cache = cached ? path(u"cache/zarvelo"_s) : QString();
        platform.failWritesTo = failure == u"refused" || cached ? page : QString();
        const QString shownPage = cached ? platform.cache + u"/perview.html"_s : page;
        platform.browserStarts = failure != u"browser";
        QVERIFY(QDir().mkpath(folder));
        for (const char *picture : {"bk.gif", "logo.gif"})
            QVERIFY(!cached || test::writeFile(folder + u'/' + QLatin1String(picture), picture));
        QWidget window;
        auto *editor = new PostEditor(&window);
        PreviewCommand command(*editor, platform);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        (new QLineEdit(&window))->setFocus();
        const QString post = u"مرحبا [b]x[/B]\r\ns 😀 \u0109"_s;
        editor->setText(post);
        command.Command9_Click();
        QCOMPARE(editor->text(), post);
        QTRY_VERIFY(editor->hasFocus());
        const bool opened = message.isEmpty() || failure == u"browser"; // once, with its path
        QCOMPARE(platform.browserOpens, opened ? QStringList{shownPage} : QStringList());
        QCOMPARE(platform.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            const QString text = platform.messages[0].text;
            const QString start = message.arg(page);
            QVERIFY2(text.startsWith(start), qPrintable(text));
            const QString reason = text.mid(start.size());
            QVERIFY2(message.endsWith(u'\u2068') ? reason.size() > 1 : reason.isEmpty(), qPrintable(text));
            return;
        }
        QCOMPARE(test::contents(shownPage),
                 cp1256(kHead + u"مرحبا <b>x</b><br>\ns &#128512; &#265;"_s + kTail));
        for (const char *picture : {"bk.gif", "logo.gif"})
            QVERIFY(!cached || test::contents(platform.cache + u'/' + QLatin1String(picture)) == picture);
        editor->setText(QString()); // a second, shorter page replaces the first whole
        command.Command9_Click();
        QCOMPARE(test::contents(shownPage), cp1256(kHead + kTail));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("exitCode");
        const QString body = u"<b>مرحبا</b><br>\n<i>hi</i>"_s;
        const QString post = path(u"post.txt"_s);
        QTest::newRow("long Windows-1256 body")
            << QStringList{u"--body"_s, path(u"long.txt"_s)} << cp1256(u"<b>م</b>"_s.repeated(30000)) << 0;
        QTest::newRow("file") << QStringList{post} << cp1256(kHead + body + kTail) << 0;
        QTest::newRow("standard input") << QStringList() << cp1256(kHead + body + kTail) << 0;
        QTest::newRow("long UTF-8 body") << QStringList{u"--body"_s, path(u"utf8.txt"_s)}
                                         << cp1256(u'x' + u"&#128512;"_s.repeated(40000) + u"<b>م"_s) << 0;
        QTest::newRow("missing file") << QStringList{path(u"none"_s)} << QByteArray() << 1;
        QTest::newRow("unknown option") << QStringList{u"--bold"_s} << QByteArray() << 2;
        QTest::newRow("two files") << QStringList{u"--body"_s, post, post} << QByteArray() << 2;
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, output);
        QFETCH(int, exitCode);
        const QString post = path(u"post.txt"_s);
        const auto [code, out, err] =
            run(arguments, arguments.contains(post) ? QProcess::nullDevice() : post);
        QCOMPARE(code, exitCode);
        QCOMPARE(out, output);
        if (exitCode == 0) {
            QCOMPARE(err, QByteArray());
            return;
        }
        // One line, naming the program and the file it could not read.
        QVERIFY2(err.startsWith("zarvelo-preview: "), err.constData());
        QCOMPARE(err.count('\n'), 1);
        QVERIFY2(arguments[0].startsWith(u'-') || err.contains(arguments[0].toLocal8Bit()), err.constData());
    }

    void failedWriteFails()
    {
        // The page goes out while the conversion goes on: a write that fails half way still fails.
        const auto [code, out, err] =
            run({u"--body"_s, path(u"long.txt"_s)}, QProcess::nullDevice(), u"/dev/full"_s);
        QCOMPARE(code, 1);
        QCOMPARE(err, QByteArray("zarvelo-preview: cannot write to standard output\n"));
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
