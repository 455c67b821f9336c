#include "coretest.h"
#include "platform/commondialog.h"
#include "scriptedplatform.h"
#include "shell/postfiles.h"
#include "ui/posteditor.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

/** The file commands in an empty folder; a new post is the placeholder alone, as with no settings read. */
struct Fixture
{
    test::ScriptedPlatform platform;
    PostEditor editor;
    CommonDialog dialog{platform};
    PostFiles files{editor, platform, dialog, [this] { editor.setText(u"بسم الله الرحمن الرحيم"_s); }};
    QString title = u"Zarvelo"_s;
    QTemporaryDir dir;

    QMetaObject::Connection titled =
        QObject::connect(&files, &PostFiles::titleChanged, [this](const QString &t) { title = t; });
    QString path(const QString &name) const { return dir.filePath(name); }
    QString local(QString text) const { return text.remove(dir.path() + u'/'); }
    /** Runs a file command; a file name answers its dialog, none cancels it. */
    void run(void (PostFiles::*command)(), const QString &answer = {})
    {
        dialog.setFilter(u"Colours|*.x"_s); // as the colour dialog, sharing it, may leave it
        if (!answer.isEmpty())
            (command == &PostFiles::OPEN ? platform.openAnswers : platform.saveAnswers) << path(answer);
        (files.*command)();
    }
    QString state() const { return local(title + u'|' + files.CurrentFileName() + u'|' + editor.text()); }
    /** File dialogs, messages "title|text", questions "title|text|default/escape"; odd filters show. */
    QStringList asked() const
    {
        QStringList all;
        for (const auto &d : platform.fileDialogs)
            all << (d.filter == u"Text Files(*.txt)|*.txt|All Files(*.*)|*.*"_s ? u""_s : d.filter)
                    + (d.save ? u"save "_s : u"open "_s) + local(d.initialFileName);
        for (const auto &m : platform.messages)
            all << (m.icon == MessageIcon::Information ? u""_s : u"icon "_s) + local(m.title + u'|' + m.text);
        for (const auto &q : platform.questions)
            all << local(q.title + u'|' + q.text + u'|' + q.answers.value(q.defaultAnswer) + u'/'
                         + q.answers.value(q.escapeAnswer));
        return all;
    }
};

} // namespace

class TestPostFiles : public QObject
{
    Q_OBJECT

private slots:
    void savedAndOpenedAgain()
    {
        const QString line = u"سطر Line\r\n"_s, page = line.repeated(2000), a20000(20000, u'a');
        const QByteArray lineBytes("\xD3\xD8\xD1 Line\r\n"), pageBytes = lineBytes.repeated(2000);
        const QString emoji = u"سلام 😀 ✓ ١٢\r\nok"_s;
        const auto tooLong = [](const char *length) {
            return QStringList{
                u"Zarvelo|تم حفظ المشاركة، وطولها \u2068%1\u2069 حرفاً.\r\nعند فتح هذا الملف لن يحمل "
                "البرنامج منه إلا أول \u206820001\u2069 حرفاً."_s.arg(length),
                u"خطأ|الملف كبير جداً\r\nيمكنك تقسيم الملف لتفادي الأخطاء"_s};
        };
        const QString cutQuestion =
            u"Zarvelo|هذا الملف فُتح مقطوعاً: المحرر لا يحمل إلا أول \u206820001\u2069 حرفاً من حروفه "
            "البالغة \u2068%1\u2069.\r\n\u2066post\u2069\r\nالحفظ فيه يحذف بقية الملف. هل تريد الحفظ فيه "
            "مع ذلك؟|لا/لا"_s;
        const auto cut = [&](const char *length) { return tooLong(length) << cutQuestion.arg(length); };
        const QStringList unencodable{
            u"Zarvelo|في المشاركة \u20684\u2069 من الحروف لا يحملها الترميز العربي Windows-1256 (مثل "
            "\u2068&#128512;\u2069).\r\nاحفظها بترميز UTF-8 لتبقى الحروف كلها كما هي، أو بالترميز العربي "
            "وتُكتب تلك الحروف رموزاً رقمية.|حفظ بترميز UTF-8/إلغاء"_s};
        // Answers go to the questions in order; a null reopened text is the text itself; No keeps a cut file.
        // clang-format off
        const struct { const char *name; QString text; QList<int> answers; QByteArray bytes; QString reopened;
                       QStringList said; } rows[] = {
            {"arabic, CR LF, LF CR, tatweel", u"سلام Hi\r\nمع\nـ\n\ré"_s, {}, "\xD3\xE1\xC7\xE3 Hi\r\n\xE3\xDA\n\xDC\n\r\xE9", {}, {}},
            {"zero bytes", {}, {}, {}, {}, {}},
            {"references", emoji, {1}, "\xD3\xE1\xC7\xE3 &#128512; &#10003; &#1633;&#1634;\r\nok",
             u"سلام &#128512; &#10003; &#1633;&#1634;\r\nok"_s, unencodable},
            {"utf-8, kept", emoji, {0}, emoji.toUtf8(), {}, unencodable},
            {"20000", page, {}, pageBytes, {}, {}},
            {"20001, whole again", page + u'ب', {}, pageBytes + "\xC8", {}, tooLong("20001")},
            {"25000, cut", line.repeated(2500), {1}, lineBytes.repeated(2500), page + u'س', cut("25000")},
            {"cut in CR LF", a20000 + u"\r\nb"_s, {1}, QByteArray(20000, 'a') + "\r\nb", a20000 + u'\r', cut("20003")},
        };
        // clang-format on
        for (const auto &row : rows) {
            Fixture f;
            f.platform.questionAnswers << row.answers;
            f.editor.setText(row.text);
            f.run(&PostFiles::SAVE, u"post"_s);
            const QByteArray saved = test::contents(f.path(u"post"_s));
            f.run(&PostFiles::NEWPOST);
            f.run(&PostFiles::OPEN, u"post"_s);
            const QString opened = f.state();
            f.run(&PostFiles::SAVE); // unchanged: the same bytes
            QVERIFY2(saved == row.bytes && test::contents(f.path(u"post"_s)) == row.bytes, row.name);
            const QString name = QLatin1String(row.name) + u": "_s;
            QCOMPARE(name + opened + u'\n' + f.asked().join(u'\n'),
                     name + u"Zarvelo  post|post|"_s + (row.reopened.isNull() ? row.text : row.reopened)
                         + (QStringList{"", "save ", "open post"} + row.said).join(u'\n'));
        }
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
        QVERIFY(test::contents(f.path(u"one.txt"_s)) == "one" && test::contents(f.path(u"typed"_s)) == "two");
        f.run(&PostFiles::SAVEAS); // cancelled: the title keeps the path, but the next Save asks
        f.run(&PostFiles::SAVE);
        f.run(&PostFiles::OPEN);
        QCOMPARE(f.state(), u"Zarvelo  typed||three"_s);
        f.run(&PostFiles::NEWPOST);
        QCOMPARE(f.state(), u"Zarvelo||بسم الله الرحمن الرحيم"_s);
        f.run(&PostFiles::EXIT);
        QCOMPARE(f.platform.endedWith, QList<int>{0});
        const QStringList asked = f.asked(); // nothing more: a new post and the end ask nothing
        QCOMPARE(asked.first(8),
                 QStringList({"save ", "save ", "save one.txt", "open typed", "save gone.txt",
                              "save one.txt/x", "save one.txt/x", "open one.txt/x"}));
        QCOMPARE(asked.size(), 11);
        // Each failure names the path and why, isolated so that the Arabic line cannot reorder them.
        QVERIFY(asked[8].startsWith(u"خطأ|تعذّر فتح الملف:\r\n\u2066gone.txt\u2069\r\n\u2068"_s)
                && asked[8].endsWith(u"\u2069"_s));
        QCOMPARE(asked[9],
                 u"خطأ|تعذّر حفظ المشاركة في الملف:\r\n\u2066typed\u2069\r\n\u2068Permission denied\u2069"_s);
        QVERIFY(asked[10].startsWith(u"خطأ|تعذّر حفظ المشاركة في الملف:\r\n\u2066one.txt/x\u2069\r\n"_s));
    }

    void cutCopyAndEncodingQuestions()
    {
        Fixture f;
        QVERIFY(QDir(f.dir.path()).mkdir(u"sub"_s));
        QVERIFY(f.platform.writeFile(f.path(u"long.txt"_s), QByteArray(25000, 'x')).ok);
        QVERIFY(QFile::link(f.path(u"long.txt"_s), f.path(u"link.txt"_s)));
        f.run(&PostFiles::OPEN, u"link.txt"_s);
        f.platform.questionAnswers << 1 << 0; // No, then Yes
        // The same file by another name asks too; No keeps it.
        f.run(&PostFiles::SAVEAS, u"sub/../long.txt"_s);
        QCOMPARE(f.state().section(u'|', 0, 1), u"Zarvelo  link.txt|link.txt"_s);
        QCOMPARE(test::contents(f.path(u"long.txt"_s)), QByteArray(25000, 'x'));
        f.run(&PostFiles::SAVE); // Yes: written through the link; the file then matches the post
        QCOMPARE(test::contents(f.path(u"long.txt"_s)), QByteArray(20001, 'x'));
        QVERIFY(QFileInfo(f.path(u"link.txt"_s)).isSymLink());
        f.run(&PostFiles::SAVE);
        QCOMPARE(f.platform.questions.size(), 2);

        f.run(&PostFiles::NEWPOST);
        f.editor.setText(u"ـ😀"_s);
        f.platform.questionAnswers << 2 << 0; // cancel, then UTF-8
        f.run(&PostFiles::SAVEAS, u"new.txt"_s);
        QVERIFY(!QFile::exists(f.path(u"new.txt"_s)) && f.files.CurrentFileName().isEmpty());
        f.run(&PostFiles::SAVE, u"new.txt"_s);
        f.editor.setText(u"ـ😀 ١"_s); // UTF-8 from now on: no more questions
        f.run(&PostFiles::SAVE);
        QCOMPARE(test::contents(f.path(u"new.txt"_s)), u"ـ😀 ١"_s.toUtf8());
        QCOMPARE(f.platform.questions.size(), 4);
    }

    void saveReplacesTheFileWholeOrNotAtAll()
    {
        Fixture f; // a second name for the saved post sees what becomes of the old file
        f.editor.setText(u"old post"_s);
        f.run(&PostFiles::SAVE, u"post.txt"_s);
        const QString post = f.path(u"post.txt"_s), link = f.path(u"link.txt"_s);
        QCOMPARE(::link(QFile::encodeName(post).constData(), QFile::encodeName(link).constData()), 0);
        f.editor.setText(u"the new and longer post"_s);
        std::signal(SIGXFSZ, SIG_IGN); // files may grow to 4 bytes only: the write fails, even for root
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit small{4, saved.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        f.run(&PostFiles::SAVE);
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(f.platform.messages.size() == 1
                && f.platform.messages[0].text.startsWith(u"تعذّر حفظ المشاركة في الملف:"_s));
        QVERIFY(test::contents(post) == "old post" && test::contents(link) == "old post");
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList({"link.txt", "post.txt"}));
        f.run(&PostFiles::SAVE); // saved, the post is a new file: the old one is replaced, never written into
        QVERIFY(test::contents(post) == "the new and longer post" && test::contents(link) == "old post");
    }
};

QTEST_MAIN(TestPostFiles)
#include "tst_postfiles.moc"
