#include "editing/posteditor.h"
#include "platform/codepage.h"
#include "preview/conversion.h"
#include "preview/previewpage.h"
#include "scriptedplatform.h"
#include "shell/form1.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvelo;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

QByteArray pageBytes(const QString &body)
{
    return encodeWindows1256(previewPageText(body)).bytes;
}

void preview(Form1 &form)
{
    form.control<QPushButton>(QStringLiteral("Command9"))->click();
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pageHeadAndTail();
    void pageFileHoldsThePostAsWindows1256();
    void secondPreviewReplacesTheFileWhole();
    void opensThePageOnceAndFocusesTheEditor();
    void failuresAreReported_data();
    void failuresAreReported();
    void commandLine_data();
    void commandLine();

private:
    QTemporaryDir m_dir;
};

void TestPreview::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestPreview::pageHeadAndTail()
{
    const QString head = previewPageHead().toString();
    QVERIFY(head.startsWith(QStringLiteral("<html dir=rtl><title>معاينة مشاركة - برنامج Zarvelo</title>"
                                            "<body bgcolor=#E8E8FF><p align=right>")));
    QVERIFY(head.contains(QLatin1String("background=bk.gif><img src=logo.gif></td></tr>")));
    QVERIFY(head.endsWith(QLatin1String("padding-left: 10 ; padding-bottom: 20' align=right>")));
    QCOMPARE(previewPageTail(), QStringView(u"</td></tr></p></body></html>"));
    QCOMPARE(previewPageTail().size(), 28);
    QCOMPARE(previewPageText(u""), head + previewPageTail().toString());
    QCOMPARE(previewFileName(), QStringLiteral("perview.html"));
}

void TestPreview::pageFileHoldsThePostAsWindows1256()
{
    test::ScriptedPlatform platform;
    platform.folder = m_dir.filePath(QStringLiteral("folder with spaces"));
    QVERIFY(QDir().mkpath(platform.folder));
    Form1 form(platform);
    const QString post = QStringLiteral("مرحبا [b]x[/B]\r\nsmile 😀 \u0109");
    form.editor().setText(post);
    preview(form);

    const QByteArray bytes = fileBytes(platform.folder + QStringLiteral("/perview.html"));
    // The code page holds neither the emoji nor "ĉ": they go in as character references.
    QCOMPARE(bytes, pageBytes(QStringLiteral("مرحبا <b>x</b><br>\nsmile &#128512; &#265;")));
    QVERIFY(bytes.contains("<td style='padding-right: 10; padding-top: 20; padding-left: 10 ; padding-bottom: 20' "
                           "align=right>\xE3\xD1\xCD\xC8\xC7 <b>x</b><br>\nsmile"));
    QVERIFY(bytes.endsWith("</html>"));
    QVERIFY(!bytes.contains('\r'));
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(form.Text2, previewPageText(QStringLiteral("مرحبا <b>x</b><br>\nsmile 😀 \u0109")));
    QCOMPARE(form.editor().text(), post);
    QVERIFY(platform.messages.isEmpty());
}

void TestPreview::secondPreviewReplacesTheFileWhole()
{
    test::ScriptedPlatform platform;
    platform.folder = m_dir.path();
    Form1 form(platform);
    form.editor().setText(QStringLiteral("[QUOTE=Ali]a long first post[/QUOTE]").repeated(50));
    preview(form);
    const QString path = m_dir.filePath(QStringLiteral("perview.html"));
    QVERIFY(fileBytes(path).size() > 10000);

    form.editor().setText(QString());
    preview(form);
    QCOMPARE(fileBytes(path), pageBytes(QString()));
    QCOMPARE(platform.browserOpens, QStringList({path, path}));
}

void TestPreview::opensThePageOnceAndFocusesTheEditor()
{
    test::ScriptedPlatform platform;
    platform.folder = m_dir.path();
    Form1 form(platform);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.control<QComboBox>(QStringLiteral("Combo1"))->setFocus();
    QTRY_VERIFY(!form.editor().hasFocus());
    form.editor().setText(QStringLiteral("x"));
    preview(form);
    QCOMPARE(platform.browserOpens, QStringList{m_dir.filePath(QStringLiteral("perview.html"))});
    QTRY_VERIFY(form.editor().hasFocus());
    QCOMPARE(platform.dialogCount(), 0);
}

void TestPreview::failuresAreReported_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("reason");  // empty: any reason the system gives
    QTest::addColumn<int>("browserOpens");
    QTest::newRow("the write is refused") << "refused" << "Permission denied" << 0;
    QTest::newRow("the folder is a file") << "file" << "" << 0;
    QTest::newRow("the folder is missing") << "missing" << "" << 0;
    QTest::newRow("the browser does not start") << "browser" << "no browser" << 1;
}

void TestPreview::failuresAreReported()
{
    QFETCH(QString, failure);
    QFETCH(QString, reason);
    QFETCH(int, browserOpens);
    test::ScriptedPlatform platform;
    platform.folder = m_dir.filePath(failure);
    QVERIFY(QDir().mkpath(m_dir.path()));
    if (failure == QLatin1String("refused")) {
        platform.failWritesTo = platform.folder + QStringLiteral("/perview.html");
    } else if (failure == QLatin1String("file")) {
        // Tests run as root, who may write anywhere: a file standing where
        // the folder should be stops even root.
        QFile blocker(platform.folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else if (failure == QLatin1String("missing")) {
        platform.folder += QStringLiteral("/no/such/folder");
    } else {
        QVERIFY(QDir().mkpath(platform.folder));
        platform.browserStarts = false;
    }
    Form1 form(platform);
    const QString post = QStringLiteral("[b]نص[/b]\r\n");
    form.editor().setText(post);
    preview(form);

    const QString path = platform.folder + QStringLiteral("/perview.html");
    QCOMPARE(platform.messages.size(), 1);
    const test::ScriptedPlatform::Message &message = platform.messages.first();
    QCOMPARE(message.title, QStringLiteral("Zarvelo"));
    QVERIFY2(message.text.contains(path), qPrintable(message.text));
    const QString given = message.text.section(QStringLiteral("السبب: "), 1);
    QVERIFY2(!given.trimmed().isEmpty(), qPrintable(message.text));
    if (!reason.isEmpty())
        QCOMPARE(given, reason);
    QCOMPARE(platform.browserOpens.size(), browserOpens);
    QCOMPARE(form.editor().text(), post);
    QCOMPARE(platform.unexpectedCalls, 0);
}

void TestPreview::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments"); // "POST" stands for the post file
    QTest::addColumn<bool>("fromStandardInput");
    QTest::addColumn<QString>("output");        // "PAGE" or "BODY" of the post
    QTest::addColumn<int>("exitCode");
    QTest::newRow("a post file, whole page") << QStringList{"POST"} << false << "PAGE" << 0;
    QTest::newRow("a post file, body only") << QStringList{"--body", "POST"} << false << "BODY" << 0;
    QTest::newRow("standard input") << QStringList{} << true << "PAGE" << 0;
    QTest::newRow("standard input named -") << QStringList{"--body", "-"} << true << "BODY" << 0;
    QTest::newRow("help") << QStringList{"--help"} << false << "" << 0;
    QTest::newRow("a missing file") << QStringList{"MISSING"} << false << "" << 1;
    QTest::newRow("a folder for a file") << QStringList{"FOLDER"} << false << "" << 1;
    QTest::newRow("an unknown option") << QStringList{"--page"} << false << "" << 2;
}

void TestPreview::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, fromStandardInput);
    QFETCH(QString, output);
    QFETCH(int, exitCode);
    const QString program = qEnvironmentVariable("ZARVELO_BINARY_DIR") + QStringLiteral("/zarvelo-preview");
    QVERIFY2(QFile::exists(program), qPrintable(program + QStringLiteral(" is not built")));

    const QByteArray post = "[b]\xE3\xD1\xCD\xC8\xC7[/b]\r\n[QUOTE=Ali]hi[/QUOTE]";
    const QString body = QStringLiteral("<b>مرحبا</b><br>\n") + namedQuoteOpening().toString()
                         + QStringLiteral("Ali") + namedQuoteNameClose().toString() + QStringLiteral("hi</div></td></tr></table></div>");
    const QString postFile = m_dir.filePath(QStringLiteral("post.txt"));
    QFile file(postFile);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(post) == post.size());
    file.close();
    arguments.replaceInStrings(QStringLiteral("POST"), postFile);
    arguments.replaceInStrings(QStringLiteral("MISSING"), m_dir.filePath(QStringLiteral("no such post.txt")));
    arguments.replaceInStrings(QStringLiteral("FOLDER"), m_dir.path());

    QProcess process;
    process.start(program, arguments);
    QVERIFY(process.waitForStarted());
    if (fromStandardInput)
        process.write(post);
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished());
    const QByteArray out = process.readAllStandardOutput();
    const QByteArray err = process.readAllStandardError();
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    if (output == QLatin1String("PAGE"))
        QCOMPARE(out, pageBytes(body));
    else if (output == QLatin1String("BODY"))
        QCOMPARE(out, encodeWindows1256(body).bytes);
    else if (exitCode == 0)
        QVERIFY(out.contains("Usage: zarvelo-preview [--body] [FILE]"));
    if (exitCode == 0) {
        QVERIFY2(err.isEmpty(), err.constData());
    } else {
        QVERIFY(out.isEmpty());
        QVERIFY2(err.count('\n') == 1 && err.endsWith('\n'), err.constData());
        QVERIFY2(err.startsWith("zarvelo-preview: "), err.constData());
        if (!arguments.first().startsWith(QLatin1Char('-')))
            QVERIFY2(err.contains(arguments.first().toLocal8Bit()), err.constData());
    }
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
