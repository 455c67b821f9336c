#include "coretest.h"
#include "platform/codepage.h"
#include "preview/previewcommand.h"
#include "scriptedplatform.h"
#include "ui/posteditor.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QScopeGuard>
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
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void previewButton()
    {
        // %1 is the page's path; a message ending in the opening isolate mark takes any reason.
        const QString notWritten = u"تعذّر حفظ صفحة المعاينة في الملف:\n\u2066%1\u2069\n\nالسبب: \u2068"_s;
        const QString noBrowser =
            u"تعذّر فتح صفحة المعاينة في متصفح الإنترنت:\n\u2066%1\u2069\n\nالسبب: \u2068no browser\u2069"_s;
        // A file as the folder stops even root; an unwritable folder sends the page to the cache.
        // clang-format off
        const std::pair<QString, QString> rows[] = {{{}, {}}, {u"refused"_s, notWritten + u"Permission denied\u2069"_s},
            {u"file"_s, notWritten}, {u"browser"_s, noBrowser}, {u"cache"_s, {}}};
        // clang-format on
        for (const auto &row : rows) {
            const QString &failure = row.first, &message = row.second;
            const auto named = qScopeGuard([&] {
                if (QTest::currentTestFailed())
                    qWarning("with the failure \"%s\"", qPrintable(failure));
            });
            test::ScriptedPlatform platform;
            const QString &folder = platform.folder =
                m_dir.filePath(failure.isEmpty() ? u"a folder"_s : failure);
            const QString path = folder + u"/perview.html"_s;
            const bool cached = failure == u"cache";
            platform.cache = cached ? m_dir.filePath(u"cache/zarvelo"_s) : QString();
            platform.failWritesTo = failure == u"refused" || cached ? path : QString();
            const QString page = cached ? platform.cache + u"/perview.html"_s : path;
            platform.browserStarts = failure != u"browser";
            QVERIFY(failure == u"file" ? platform.writeFile(folder, {}).ok : QDir().mkpath(folder));
            for (const char *picture : {"bk.gif", "logo.gif"})
                QVERIFY(!cached || platform.writeFile(folder + u'/' + QLatin1String(picture), picture).ok);
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
            QCOMPARE(platform.browserOpens, opened ? QStringList{page} : QStringList());
            QCOMPARE(platform.messages.size(), message.isEmpty() ? 0 : 1);
            if (!message.isEmpty()) {
                const QString text = platform.messages[0].text, start = message.arg(path),
                              reason = text.mid(start.size());
                QVERIFY2(text.startsWith(start)
                             && (message.endsWith(u'\u2068') ? reason.size() > 1 : reason.isEmpty()),
                         qPrintable(text));
                continue;
            }
            QCOMPARE(test::contents(page),
                     cp1256(kHead + u"مرحبا <b>x</b><br>\ns &#128512; &#265;"_s + kTail));
            for (const char *picture : {"bk.gif", "logo.gif"})
                QVERIFY(!cached || test::contents(platform.cache + u'/' + QLatin1String(picture)) == picture);
            editor->setText(QString()); // a second, shorter page replaces the first whole
            command.Command9_Click();
            QCOMPARE(test::contents(page), cp1256(kHead + kTail));
        }
    }

    void commandLine()
    {
        const QString post = m_dir.filePath(u"post.txt"_s), utf8 = m_dir.filePath(u"utf8.txt"_s),
                      cp = m_dir.filePath(u"long.txt"_s), none = m_dir.filePath(u"none"_s);
        const QString body = u"<b>مرحبا</b><br>\n<i>hi</i>"_s;
        // The last two longer than one block of the writer: no byte lost or doubled, no pair split where
        // blocks meet.
        test::ScriptedPlatform disk;
        QVERIFY(disk.writeFile(post, "[b]\xE3\xD1\xCD\xC8\xC7[/b]\r\n[i]hi[/I]").ok
                && disk.writeFile(utf8, (u'x' + u"\U0001F600"_s.repeated(40000) + u"[b]م"_s).toUtf8()).ok
                && disk.writeFile(cp, QByteArray("[b]\xE3[/b]").repeated(30000)).ok);
        // clang-format off
        const struct { QStringList arguments; QByteArray output; int exitCode; } rows[] = {
            {{"--body", cp}, cp1256(u"<b>م</b>"_s.repeated(30000)), 0},
            {{post}, cp1256(kHead + body + kTail), 0}, {{}, cp1256(kHead + body + kTail), 0}, // standard input
            {{"--body", "-"}, cp1256(body), 0},
            {{"--body", utf8}, cp1256(u'x' + u"&#128512;"_s.repeated(40000) + u"<b>م"_s), 0},
            {{"--help"}, "Usage: zarvelo-preview [options] [FILE]", 0},
            {{none}, {}, 1}, {{"--bold"}, {}, 2}, {{"--body", post, post}, {}, 2}};
        // clang-format on
        for (const auto &row : rows) {
            const QString name = row.arguments.join(u' ').remove(m_dir.path());
            const auto [code, out, err] =
                run(row.arguments, row.arguments.contains(post) ? QProcess::nullDevice() : post);
            const bool help = row.arguments == QStringList{"--help"}; // its first line only
            QVERIFY2(code == row.exitCode && (help ? out.startsWith(row.output) : out == row.output),
                     qPrintable(name));
            QVERIFY2(row.exitCode == 0 ? err.isEmpty()
                                       : err.startsWith("zarvelo-preview: ") && err.count('\n') == 1
                             && (row.arguments[0].startsWith(u'-')
                                 || err.contains(row.arguments[0].toLocal8Bit())),
                     qPrintable(name + u": "_s + QString::fromLocal8Bit(err)));
        }
        // The page goes out while the conversion goes on: a write that fails half way still fails.
        for (const QString &input : {cp, utf8}) {
            const auto [code, out, err] = run({u"--body"_s, input}, QProcess::nullDevice(), u"/dev/full"_s);
            QVERIFY2(code == 1 && err == "zarvelo-preview: cannot write to standard output\n",
                     qPrintable(input));
        }
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
