#include "editing/posteditor.h"
#include "platform/codepage.h"
#include "scriptedplatform.h"
#include "shell/commondialog.h"
#include "shell/form1.h"
#include "shell/postfiles.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvelo;

namespace {

const QString kFilter = QStringLiteral("Text Files(*.txt)|*.txt|All Files(*.*)|*.*");
const QString kDesignText = QStringLiteral("بسم الله الرحمن الرحيم");

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

/** A main window on the scripted platform, with its file commands. */
struct Fixture
{
    test::ScriptedPlatform platform;
    Form1 form{platform};
    PostFiles &files = *form.findChild<PostFiles *>(QStringLiteral("PostFiles"));
    QTemporaryDir dir;

    QString path(const QString &name) const { return dir.filePath(name); }
    void run(const char *command) { form.menuAction(QString::fromLatin1(command))->trigger(); }
};

} // namespace

class TestPostFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void roundTripIsByteExact_data();
    void roundTripIsByteExact();
    void loadLimit_data();
    void loadLimit();
    void newPost();
    void cancelledDialogs();
    void saveAndSaveAs();
    void failingWriteKeepsEverything_data();
    void failingWriteKeepsEverything();
    void unreadableFile();
    void charactersTheCodePageCannotHold();
    void exitEndsAtOnce();
    void shortcutSaves();
};

void TestPostFiles::initTestCase()
{
    QApplication::setLayoutDirection(Qt::RightToLeft);
}

void TestPostFiles::roundTripIsByteExact_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("arabic, latin, CR LF") << QStringLiteral("سلام Hi\r\nمرحبا")
                                          << QByteArray("\xD3\xE1\xC7\xE3 Hi\r\n\xE3\xD1\xCD\xC8\xC7");
    QTest::newRow("lone LF") << QStringLiteral("a\nب\n") << QByteArray("a\n\xC8\n");
    QTest::newRow("lone CR and tab") << QStringLiteral("a\rb\tc") << QByteArray("a\rb\tc");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("tatweel and latin-1") << QStringLiteral("ـظع 12 é") << QByteArray("\xDC\xD9\xDA 12 \xE9");
}

void TestPostFiles::roundTripIsByteExact()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    Fixture f;
    const QString path = f.path(QStringLiteral("post.txt"));
    f.form.editor().setText(text);
    f.platform.saveAnswers << path;
    f.run("SAVE");
    QCOMPARE(fileBytes(path), bytes);
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Zarvelo  ") + path);

    f.run("NEWPOST");
    f.platform.openAnswers << path;
    f.run("OPEN");
    QCOMPARE(f.form.editor().text(), text);
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Zarvelo  ") + path);
    QCOMPARE(f.files.CurrentFileName(), path);
    QVERIFY(f.platform.messages.isEmpty());

    // And a file written elsewhere comes in the same way, and goes out unchanged.
    const QString other = f.path(QStringLiteral("other.txt"));
    writeBytes(other, bytes);
    f.platform.openAnswers << other;
    f.run("OPEN");
    QCOMPARE(f.form.editor().text(), text);
    f.run("SAVE");
    QCOMPARE(fileBytes(other), bytes);
    QCOMPARE(f.platform.unexpectedCalls, 0);
}

void TestPostFiles::loadLimit_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("loaded");
    QTest::addColumn<bool>("message");
    QTest::newRow("20000") << 20000 << 20000 << false;
    QTest::newRow("20001") << 20001 << 20001 << true;
    QTest::newRow("25000") << 25000 << 20001 << true;
}

void TestPostFiles::loadLimit()
{
    QFETCH(int, length);
    QFETCH(int, loaded);
    QFETCH(bool, message);
    Fixture f;
    const QString path = f.path(QStringLiteral("long.txt"));
    QByteArray bytes;
    for (int i = 0; i < length; ++i)
        bytes += i % 50 == 48 ? '\r' : i % 50 == 49 ? '\n' : char(0xC7 + i % 20);
    writeBytes(path, bytes);
    f.platform.openAnswers << path;
    f.run("OPEN");

    QCOMPARE(f.form.editor().textLength(), qsizetype(loaded));
    QCOMPARE(f.form.editor().text(), decodeWindows1256(bytes.left(loaded)));
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Zarvelo  ") + path);
    QCOMPARE(f.platform.messages.size(), message ? 1 : 0);
    if (!message) {
        QCOMPARE(f.files.CurrentFileName(), path);
        return;
    }
    QCOMPARE(f.platform.messages[0].title, QStringLiteral("خطأ"));
    QCOMPARE(f.platform.messages[0].icon, MessageIcon::Information);
    QCOMPARE(f.platform.messages[0].text,
             QStringLiteral("الملف كبير جداً\r\nيمكنك تقسيم الملف لتفادي الأخطاء"));

    // The cut copy must never replace the whole file through a plain Save:
    // Save asks for a name, offering the file's path.
    QCOMPARE(f.files.CurrentFileName(), QString());
    f.run("SAVE");
    QCOMPARE(f.platform.fileDialogs.size(), 2);
    QVERIFY(f.platform.fileDialogs[1].save);
    QCOMPARE(f.platform.fileDialogs[1].initialFileName, path);
    QCOMPARE(fileBytes(path), bytes);
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Zarvelo  ") + path);
}

void TestPostFiles::newPost()
{
    Fixture f;
    const QString path = f.path(QStringLiteral("a.txt"));
    f.form.editor().setText(QStringLiteral("never saved"));
    f.platform.saveAnswers << path;
    f.run("SAVE");
    f.form.editor().setText(QStringLiteral("changed, not saved"));

    // With the template switched off (this window read no settings), a new
    // post is the placeholder alone, selected.
    f.run("NEWPOST");
    QCOMPARE(f.form.editor().text(), kDesignText);
    QCOMPARE(f.form.editor().selStart(), qsizetype(0));
    QCOMPARE(f.form.editor().selLength(), qsizetype(22));
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Zarvelo"));
    QCOMPARE(f.files.CurrentFileName(), QString());
    QCOMPARE(fileBytes(path), QByteArray("never saved")); // nothing written, nothing asked
    QCOMPARE(f.platform.dialogCount(), 1);

    // With settings read, the new post is the template around the placeholder.
    writeBytes(f.path(QStringLiteral("setting.vbe")),
               QByteArray("\"0\"\r\n\"Tahoma\"\r\n\"\xe1\xc7 \xca\xdb\xed\xed\xd1\"\r\n\"4\"\r\n"
                          "\"\xe1\xc7 \xca\xdb\xed\xed\xd1\"\r\n\"\xe1\xc7 \xca\xdb\xed\xed\xd1\"\r\n"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(f.dir.path());
    const bool loaded = f.form.formLoad();
    QDir::setCurrent(previous);
    QVERIFY(loaded);
    f.form.editor().setText(QStringLiteral("another post"));
    f.run("NEWPOST");
    QCOMPARE(f.form.editor().text(),
             QStringLiteral("[FONT='Tahoma'][SIZE=4]\r\n") + kDesignText + QStringLiteral("\r\n[/FONT][/SIZE]"));
    QCOMPARE(f.form.editor().selStart(), qsizetype(25));
    QCOMPARE(f.form.editor().selLength(), qsizetype(22));
}

void TestPostFiles::cancelledDialogs()
{
    Fixture f;
    const QString path = f.path(QStringLiteral("a.txt"));

    // Save on a new post, cancelled: nothing written, title kept, asked again.
    f.form.editor().setText(QStringLiteral("one"));
    f.run("SAVE");
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Zarvelo"));
    f.platform.saveAnswers << path;
    f.run("SAVE");
    QCOMPARE(f.platform.fileDialogs.size(), 2);
    QCOMPARE(fileBytes(path), QByteArray("one"));

    // Save As cancelled after a save: the title keeps the path, the next Save asks.
    f.form.editor().setText(QStringLiteral("two"));
    f.run("SAVEAS");
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Zarvelo  ") + path);
    QCOMPARE(f.files.CurrentFileName(), QString());
    QCOMPARE(fileBytes(path), QByteArray("one"));
    f.run("SAVE");
    QCOMPARE(f.platform.fileDialogs.size(), 4);
    QCOMPARE(fileBytes(path), QByteArray("one"));

    // Open cancelled: text and title stay.
    f.run("OPEN");
    QCOMPARE(f.form.editor().text(), QStringLiteral("two"));
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Zarvelo  ") + path);

    // Every dialog had the filter and offered the last path chosen.
    for (int i = 0; i < f.platform.fileDialogs.size(); ++i) {
        QCOMPARE(f.platform.fileDialogs[i].filter, kFilter);
        QCOMPARE(f.platform.fileDialogs[i].initialFileName, i < 2 ? QString() : path);
    }
    QVERIFY(!f.platform.fileDialogs[4].save);
    QVERIFY(f.platform.messages.isEmpty());
}

void TestPostFiles::saveAndSaveAs()
{
    Fixture f;
    const QString first = f.path(QStringLiteral("first.txt"));
    const QString typed = f.path(QStringLiteral("typed")); // no extension
    f.form.editor().setText(QStringLiteral("old"));
    f.platform.saveAnswers << first;
    f.run("SAVE");

    // The colour dialog shares the component and may leave another filter.
    f.form.commonDialog().setFilter(QStringLiteral("x|*.x"));
    f.form.editor().setText(QStringLiteral("new text, longer than before"));
    f.run("SAVE"); // the current file: written at once, replaced whole
    QCOMPARE(f.platform.fileDialogs.size(), 1);
    QCOMPARE(fileBytes(first), QByteArray("new text, longer than before"));
    f.form.editor().setText(QStringLiteral("short"));
    f.run("SAVE");
    QCOMPARE(fileBytes(first), QByteArray("short"));

    f.platform.saveAnswers << typed;
    f.form.editor().setText(QStringLiteral("as"));
    f.run("SAVEAS");
    QCOMPARE(f.platform.fileDialogs.size(), 2);
    QCOMPARE(f.platform.fileDialogs[1].filter, kFilter);
    QCOMPARE(f.platform.fileDialogs[1].initialFileName, first);
    QCOMPARE(fileBytes(typed), QByteArray("as"));
    QVERIFY(!QFile::exists(typed + QStringLiteral(".txt")));
    QCOMPARE(fileBytes(first), QByteArray("short"));
    QCOMPARE(f.files.CurrentFileName(), typed);
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Zarvelo  ") + typed);

    f.form.editor().setText(QStringLiteral("again"));
    f.run("SAVE");
    QCOMPARE(fileBytes(typed), QByteArray("again"));
    QCOMPARE(f.platform.dialogCount(), 2);
}

void TestPostFiles::failingWriteKeepsEverything_data()
{
    QTest::addColumn<bool>("scripted");
    QTest::newRow("refused by the platform") << true;
    QTest::newRow("parent is a regular file") << false;
}

void TestPostFiles::failingWriteKeepsEverything()
{
    QFETCH(bool, scripted);
    Fixture f;
    const QString good = f.path(QStringLiteral("good.txt"));
    f.form.editor().setText(QStringLiteral("kept"));
    f.platform.saveAnswers << good;
    f.run("SAVE");

    // A real failure: the file's folder is a file (a read-only folder would
    // not stop a test run as root).
    writeBytes(f.path(QStringLiteral("notafolder")), "x");
    const QString bad = scripted ? good : f.path(QStringLiteral("notafolder/post.txt"));
    f.platform.failWritesTo = scripted ? good : QString();
    f.form.editor().setText(QStringLiteral("lost?"));
    if (scripted)
        f.run("SAVE");
    else {
        f.platform.saveAnswers << bad;
        f.run("SAVEAS");
    }
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages[0].text.contains(bad));
    if (scripted)
        QVERIFY(f.platform.messages[0].text.contains(QStringLiteral("Permission denied")));
    QCOMPARE(f.platform.messages[0].text.split(QStringLiteral("\r\n")).size(), 3); // what, path, why
    QVERIFY(!f.platform.messages[0].text.split(QStringLiteral("\r\n")).last().isEmpty());
    QCOMPARE(fileBytes(good), QByteArray("kept"));
    QVERIFY(!QFile::exists(bad) || scripted);
    QCOMPARE(f.form.editor().text(), QStringLiteral("lost?"));
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Zarvelo  ") + good);
    QCOMPARE(f.files.CurrentFileName(), good);
    // Nothing was left behind beside the old file.
    QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files).size(), 2);
}

void TestPostFiles::unreadableFile()
{
    Fixture f;
    const QString good = f.path(QStringLiteral("good.txt"));
    const QString missing = f.path(QStringLiteral("missing.txt"));
    writeBytes(good, "text");
    f.platform.openAnswers << good << missing;
    f.run("OPEN");
    f.run("OPEN");
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages[0].text.contains(missing));
    QCOMPARE(f.form.editor().text(), QStringLiteral("text"));
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Zarvelo  ") + good);
    QCOMPARE(f.files.CurrentFileName(), good);
}

void TestPostFiles::charactersTheCodePageCannotHold()
{
    Fixture f;
    const QString path = f.path(QStringLiteral("emoji.txt"));
    const QString text = QStringLiteral("سلام 😀 ✓\r\nok");
    f.form.editor().setText(text);
    f.platform.saveAnswers << path;
    f.run("SAVE");
    QCOMPARE(fileBytes(path), QByteArray("\xD3\xE1\xC7\xE3 &#128512; &#10003;\r\nok"));
    QCOMPARE(f.form.editor().text(), text);
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Zarvelo  ") + path);
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages[0].text.endsWith(QStringLiteral(": 2")));
    QCOMPARE(f.platform.messages[0].title, QStringLiteral("Zarvelo"));

    // A post the code page holds whole says nothing.
    f.form.editor().setText(QStringLiteral("plain"));
    f.run("SAVE");
    QCOMPARE(f.platform.messages.size(), 1);
}

void TestPostFiles::exitEndsAtOnce()
{
    Fixture f;
    f.form.editor().setText(QStringLiteral("unsaved"));
    f.run("EXIT");
    QCOMPARE(f.platform.endedWith, QList<int>{0});
    QCOMPARE(f.platform.dialogCount(), 0);
}

void TestPostFiles::shortcutSaves()
{
    Fixture f;
    const QString path = f.path(QStringLiteral("key.txt"));
    f.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    f.form.editor().setText(QStringLiteral("by key"));
    f.platform.saveAnswers << path;
    QTest::keyClick(&f.form.editor(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fileBytes(path), QByteArray("by key"));
    QTest::keyClick(&f.form.editor(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Zarvelo"));
}

QTEST_MAIN(TestPostFiles)
#include "tst_postfiles.moc"
