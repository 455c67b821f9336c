#include "platform/commondialog.h"
#include "scriptedplatform.h"
#include "shell/postfiles.h"
#include "ui/posteditor.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

/** The file commands over an editor and a common dialog, with an empty folder. */
struct Fixture
{
    test::ScriptedPlatform platform;
    PostEditor editor;
    CommonDialog dialog{platform};
    PostFiles files{editor, platform, dialog, [this] { editor.setText(u"template"_s); }};
    QString title = u"Zarvelo"_s;
    QTemporaryDir dir;

    Fixture()
    {
        QObject::connect(&files, &PostFiles::titleChanged, [this](const QString &t) { title = t; });
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    QString local(QString text) const { return text.remove(dir.path() + u'/'); }
    /** Runs a command; a file name answers its dialog, none cancels it. */
    void run(void (PostFiles::*command)(), const QString &answer = {})
    {
        dialog.setFilter(u"Colours|*.x"_s); // as the colour dialog, sharing it, may leave it
        if (!answer.isEmpty())
            (command == &PostFiles::OPEN ? platform.openAnswers : platform.saveAnswers) << path(answer);
        (files.*command)();
    }
    QString state() const { return local(title + u'|' + files.CurrentFileName() + u'|' + editor.text()); }
    /** The file dialogs, each with the path it offered, then the message boxes, each as "title|text".
        A filter other than the posts' own, or an icon other than information, shows. */
    QStringList asked() const
    {
        QStringList all;
        for (const auto &d : platform.fileDialogs)
            all << (d.filter == u"Text Files(*.txt)|*.txt|All Files(*.*)|*.*"_s ? u""_s : d.filter)
                    + (d.save ? u"save "_s : u"open "_s) + local(d.initialFileName);
        for (const auto &m : platform.messages)
            all << (m.icon == MessageIcon::Information ? u""_s : u"icon "_s) + local(m.title + u'|' + m.text);
        return all;
    }
};

/** Files this process writes may grow to `bytes` only; a longer write fails, even for root. */
struct FileSizeLimit
{
    rlimit saved{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{bytes, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

} // namespace

class TestPostFiles : public QObject
{
    Q_OBJECT

private slots:
    void savedAndOpenedAgain_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reopened"); // null: the text itself
        QTest::addColumn<QStringList>("said");
        const QString line = u"سطر Line\r\n"_s, page = line.repeated(2000); // 20000 characters
        const QByteArray lineBytes("\xD3\xD8\xD1 Line\r\n"), pageBytes = lineBytes.repeated(2000);
        const QStringList none, tooLong{u"خطأ|الملف كبير جداً\r\nيمكنك تقسيم الملف لتفادي الأخطاء"_s};
        QTest::newRow("arabic, latin, CR LF")
            << u"سلام Hi\r\nمع"_s << QByteArray("\xD3\xE1\xC7\xE3 Hi\r\n\xE3\xDA") << QString() << none;
        QTest::newRow("LF CR tatweel") << u"\nـ\n\ré"_s << QByteArray("\n\xDC\n\r\xE9") << QString() << none;
        QTest::newRow("zero bytes") << QString() << QByteArray() << QString() << none;
        QTest::newRow("emoji as references")
            << u"سلام 😀 ✓\r\nok"_s << QByteArray("\xD3\xE1\xC7\xE3 &#128512; &#10003;\r\nok")
            << u"سلام &#128512; &#10003;\r\nok"_s
            << QStringList{u"Zarvelo|تم حفظ الملف.\r\nعدد الحروف التي لا يحملها ترميز الملف العربي فكُتبت "
                           "رموزاً رقمية (مثل &#128512;) تعرضها المنتديات والمتصفحات كما هي: 2"_s};
        QTest::newRow("20000") << page << pageBytes << QString() << none;
        QTest::newRow("20001") << page + u'ب' << pageBytes + "\xC8" << QString() << tooLong;
        QTest::newRow("25000") << line.repeated(2500) << lineBytes.repeated(2500) << page + u'س' << tooLong;
        QTest::newRow("cut in CR LF") << QString(20000, u'a') + u"\r\nb"_s << QByteArray(20000, 'a') + "\r\nb"
                                      << QString(20000, u'a') + u'\r' << tooLong;
    }
    void savedAndOpenedAgain()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reopened);
        QFETCH(QStringList, said);
        Fixture f;
        f.editor.setText(text);
        f.run(&PostFiles::SAVE, u"post"_s);
        QCOMPARE(fileBytes(f.path(u"post"_s)), bytes);
        f.run(&PostFiles::NEWPOST);
        f.run(&PostFiles::OPEN, u"post"_s);
        QCOMPARE(f.editor.text(), reopened.isNull() ? text : reopened);
        // A file past the load limit is no current file: its cut copy never replaces it through a plain Save.
        const bool cut = text.size() > 20000;
        QCOMPARE(f.state().section(u'|', 0, 1), u"Zarvelo  post|"_s + (cut ? u""_s : u"post"_s));
        f.run(&PostFiles::SAVE);
        QCOMPARE(f.asked(), QStringList({"save ", "open post", "save post"}).first(cut ? 3 : 2) + said);
        QCOMPARE(fileBytes(f.path(u"post"_s)), bytes);
    }

    void fileCommandsFailuresAndCancels()
    {
        Fixture f;
        f.editor.setText(u"a longer post"_s);
        f.run(&PostFiles::SAVE); // a new post asks: cancelled, nothing is written
        QCOMPARE(f.state(), u"Zarvelo||a longer post"_s);
        f.run(&PostFiles::SAVE, u"one.txt"_s);
        f.editor.setText(u"one"_s);
        f.run(&PostFiles::SAVE); // the current file: no dialog, replaced whole
        f.editor.setText(u"two"_s);
        f.run(&PostFiles::SAVEAS, u"typed"_s); // no extension is added
        f.editor.setText(u"three"_s);
        f.run(&PostFiles::OPEN, u"gone.txt"_s);
        f.platform.failWritesTo = f.path(u"typed"_s);
        f.run(&PostFiles::SAVE);
        f.run(&PostFiles::SAVEAS, u"one.txt/x"_s); // a file as folder fails even for root
        QCOMPARE(f.state(), u"Zarvelo  typed|typed|three"_s);
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList({"one.txt", "typed"}));
        QVERIFY(fileBytes(f.path(u"one.txt"_s)) == "one" && fileBytes(f.path(u"typed"_s)) == "two");

        f.run(&PostFiles::SAVEAS); // cancelled: the title keeps the path, but the next Save asks
        f.run(&PostFiles::SAVE);
        f.run(&PostFiles::OPEN);
        QCOMPARE(f.state(), u"Zarvelo  typed||three"_s);
        f.run(&PostFiles::NEWPOST);
        QCOMPARE(f.state(), u"Zarvelo||template"_s);
        f.run(&PostFiles::EXIT);
        QCOMPARE(f.platform.endedWith, QList<int>{0});
        const QStringList asked = f.asked(); // each failure names the path and why
        QCOMPARE(asked.size(), 11);          // nothing more: a new post and the end ask nothing
        QCOMPARE(asked.first(8),
                 QStringList({"save ", "save ", "save one.txt", "open typed", "save gone.txt",
                              "save one.txt/x", "save one.txt/x", "open one.txt/x"}));
        QVERIFY(asked[8].startsWith(u"خطأ|تعذّر فتح الملف:\r\ngone.txt\r\n"_s) && !asked[8].endsWith(u'\n'));
        QCOMPARE(asked[9], u"خطأ|تعذّر حفظ المشاركة في الملف:\r\ntyped\r\nPermission denied"_s);
        QVERIFY(asked[10].startsWith(u"خطأ|تعذّر حفظ المشاركة في الملف:\r\none.txt/x\r\n"_s)
                && !asked[10].endsWith(u'\n'));
    }

    void saveReplacesTheFileWholeOrNotAtAll()
    {
        // A second name for the saved post sees what becomes of the old file.
        Fixture f;
        f.editor.setText(u"old post"_s);
        f.run(&PostFiles::SAVE, u"post.txt"_s);
        const QString post = f.path(u"post.txt"_s), link = f.path(u"link.txt"_s);
        QCOMPARE(::link(QFile::encodeName(post).constData(), QFile::encodeName(link).constData()), 0);
        f.editor.setText(u"the new and longer post"_s);
        {
            const FileSizeLimit limit(4); // the write fails after its first bytes
            f.run(&PostFiles::SAVE);
        }
        QCOMPARE(f.platform.messages.size(), 1);
        QVERIFY(f.platform.messages[0].text.startsWith(u"تعذّر حفظ المشاركة في الملف:"_s));
        QCOMPARE(fileBytes(post), "old post");
        QCOMPARE(fileBytes(link), "old post");
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList({"link.txt", "post.txt"}));
        // Saved, the post is a new file: the old one is replaced, never written into.
        f.run(&PostFiles::SAVE);
        QCOMPARE(fileBytes(post), "the new and longer post");
        QCOMPARE(fileBytes(link), "old post");
    }
};

QTEST_MAIN(TestPostFiles)
#include "tst_postfiles.moc"
