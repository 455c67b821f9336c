#include "coretest.h"
#include "platform/commondialog.h"
#include "scriptedplatform.h"
#include "shell/postfiles.h"
#include "ui/posteditor.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

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

/** What Save says of a post too long to open whole, and Open of that file. */
QStringList tooLong(const char *length)
{
    return {u"Zarvelo|تم حفظ المشاركة، وطولها \u2068%1\u2069 حرفاً.\r\nعند فتح هذا الملف لن يحمل "
            "البرنامج منه إلا أول \u206820001\u2069 حرفاً."_s.arg(QLatin1String(length)),
            u"خطأ|الملف كبير جداً\r\nيمكنك تقسيم الملف لتفادي الأخطاء"_s};
}

/** tooLong, then the question before a save over the file that was opened cut. */
QStringList cut(const char *length)
{
    return tooLong(length)
        << u"Zarvelo|هذا الملف فُتح مقطوعاً: المحرر لا يحمل إلا أول \u206820001\u2069 حرفاً من حروفه "
           "البالغة \u2068%1\u2069.\r\n\u2066post\u2069\r\nالحفظ فيه يحذف بقية الملف. هل تريد الحفظ فيه "
           "مع ذلك؟|لا/لا"_s.arg(QLatin1String(length));
}

} // namespace

class TestPostFiles : public QObject
{
    Q_OBJECT

private slots:
    void savedAndOpenedAgain_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("answers"); // to the questions, in order; No keeps a cut file
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reopened"); // empty: the text itself
        QTest::addColumn<QStringList>("said");
        const QString line = u"سطر Line\r\n"_s;
        const QString page = line.repeated(2000);
        const QByteArray lineBytes("\xD3\xD8\xD1 Line\r\n");
        const QString emoji = u"سلام 😀 ✓ ١٢\r\nok"_s;
        const QStringList unencodable{
            u"Zarvelo|في المشاركة \u20684\u2069 من الحروف لا يحملها الترميز العربي Windows-1256 (مثل "
            "\u2068&#128512;\u2069).\r\nاحفظها بترميز UTF-8 لتبقى الحروف كلها كما هي، أو بالترميز العربي "
            "وتُكتب تلك الحروف رموزاً رقمية.|حفظ بترميز UTF-8/إلغاء"_s};
        QTest::newRow("arabic, CR LF, LF CR, tatweel")
            << u"سلام Hi\r\nمع\nـ\n\ré"_s << QList<int>()
            << QByteArray("\xD3\xE1\xC7\xE3 Hi\r\n\xE3\xDA\n\xDC\n\r\xE9") << QString() << QStringList();
        QTest::newRow("zero bytes") << QString() << QList<int>() << QByteArray() << QString()
                                    << QStringList();
        QTest::newRow("references") << emoji << QList<int>{1}
                                    << QByteArray("\xD3\xE1\xC7\xE3 &#128512; &#10003; &#1633;&#1634;\r\nok")
                                    << u"سلام &#128512; &#10003; &#1633;&#1634;\r\nok"_s << unencodable;
        QTest::newRow("utf-8, kept") << emoji << QList<int>{0} << emoji.toUtf8() << QString() << unencodable;
        QTest::newRow("20000") << page << QList<int>() << lineBytes.repeated(2000) << QString()
                               << QStringList();
        QTest::newRow("20001, whole again")
            << page + u'ب' << QList<int>() << lineBytes.repeated(2000) + "\xC8" << QString()
            << tooLong("20001");
        QTest::newRow("25000, cut") << line.repeated(2500) << QList<int>{1} << lineBytes.repeated(2500)
                                    << page + u'س' << cut("25000");
        QTest::newRow("cut in CR LF")
            << QString(20000, u'a') + u"\r\nb"_s << QList<int>{1} << QByteArray(20000, 'a') + "\r\nb"
            << QString(20000, u'a') + u'\r' << cut("20003");
    }

    void savedAndOpenedAgain()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, answers);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reopened);
        QFETCH(QStringList, said);
        Fixture f;
        f.platform.questionAnswers << answers;
        f.editor.setText(text);
        f.run(&PostFiles::SAVE, u"post"_s);
        QCOMPARE(test::contents(f.path(u"post"_s)), bytes);
        f.run(&PostFiles::NEWPOST);
        f.run(&PostFiles::OPEN, u"post"_s);
        QCOMPARE(f.state(), u"Zarvelo  post|post|"_s + (reopened.isEmpty() ? text : reopened));
        f.run(&PostFiles::SAVE); // unchanged: the same bytes
        QCOMPARE(test::contents(f.path(u"post"_s)), bytes);
        QCOMPARE(f.asked(), QStringList({"save ", "open post"}) + said);
    }

    void cancelsChangeNothing()
    {
        Fixture f;
        f.editor.setText(u"a post"_s);
        f.run(&PostFiles::SAVE); // a new post asks: cancelled, nothing is written
        QCOMPARE(f.state(), u"Zarvelo||a post"_s);
        f.run(&PostFiles::SAVE, u"one.txt"_s);
        f.run(&PostFiles::SAVEAS);
        f.run(&PostFiles::OPEN);
        QCOMPARE(f.state(), u"Zarvelo  one.txt|one.txt|a post"_s);
        f.editor.setText(u"two"_s);
        f.run(&PostFiles::SAVE); // still the title's file, without asking, and replaced whole
        QCOMPARE(test::contents(f.path(u"one.txt"_s)), QByteArray("two"));
        f.run(&PostFiles::NEWPOST);
        QCOMPARE(f.state(), u"Zarvelo||بسم الله الرحمن الرحيم"_s);
        QCOMPARE(f.asked(), QStringList({"save ", "save ", "save one.txt", "open one.txt"}));
    }

    void failuresKeepTheFileAndSayWhy()
    {
        Fixture f;
        f.editor.setText(u"two"_s);
        f.run(&PostFiles::SAVEAS, u"typed"_s); // no extension is added
        f.editor.setText(u"three"_s);
        f.run(&PostFiles::OPEN, u"gone.txt"_s);
        f.platform.failWritesTo = f.path(u"typed"_s);
        f.run(&PostFiles::SAVE);
        f.run(&PostFiles::SAVEAS, u"typed/x"_s); // a file as folder fails even for root
        QCOMPARE(f.state(), u"Zarvelo  typed|typed|three"_s);
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList{u"typed"_s});
        QCOMPARE(test::contents(f.path(u"typed"_s)), QByteArray("two"));
        const QStringList asked = f.asked();
        QCOMPARE(asked.first(3), QStringList({"save ", "open typed", "save gone.txt"}));
        QCOMPARE(asked.size(), 6);
        // Each failure names the path and why, isolated so that the Arabic line cannot reorder them.
        QVERIFY(asked[3].startsWith(u"خطأ|تعذّر فتح الملف:\r\n\u2066gone.txt\u2069\r\n\u2068"_s));
        QCOMPARE(asked[4],
                 u"خطأ|تعذّر حفظ المشاركة في الملف:\r\n\u2066typed\u2069\r\n\u2068Permission denied\u2069"_s);
        QVERIFY(asked[5].startsWith(u"خطأ|تعذّر حفظ المشاركة في الملف:\r\n\u2066typed/x\u2069\r\n"_s));
    }

    void fileWithNulAsksFirst()
    {
        Fixture f;
        QVERIFY(test::writeFile(f.path(u"bin"_s), QByteArray("a\0b", 3)));
        f.run(&PostFiles::OPEN, u"bin"_s); // the question closed: kept out
        QCOMPARE(f.state(), u"Zarvelo||"_s);
        QCOMPARE(f.asked().value(1),
                 u"Zarvelo|هذا الملف فيه بايتات صفرية، فلا يبدو ملف نص:\r\n\u2066bin\u2069\r\n"
                 "قد تظهر في المحرر رموز لا معنى لها. هل تريد فتحه كنص مع ذلك؟|إلغاء/إلغاء"_s);
    }

    void undoBringsBackTheFileOfTheText_data()
    {
        QTest::addColumn<QString>("firstFile"); // the typed post's own file; empty: none
        QTest::addColumn<QString>("undone");
        QTest::newRow("new post") << QString() << u"Zarvelo||typed"_s;
        QTest::newRow("saved post") << u"first.txt"_s << u"Zarvelo  first.txt|first.txt|typed"_s;
    }

    void undoBringsBackTheFileOfTheText()
    {
        QFETCH(QString, firstFile);
        QFETCH(QString, undone);
        Fixture f;
        QVERIFY(f.platform.writeFile(f.path(u"opened.txt"_s), "opened").ok);
        if (!firstFile.isEmpty())
            f.run(&PostFiles::SAVE, firstFile);
        QTest::keyClicks(&f.editor, u"typed"_s);
        f.run(&PostFiles::OPEN, u"opened.txt"_s);
        QTest::keyClick(&f.editor, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.state(), undone);
        f.run(&PostFiles::SAVE); // to the typed post's own file, or asks (cancelled)
        QCOMPARE(test::contents(f.path(u"opened.txt"_s)), QByteArray("opened"));
        if (!firstFile.isEmpty())
            QCOMPARE(test::contents(f.path(firstFile)), QByteArray("typed"));
        QTest::keyClick(&f.editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.state(), u"Zarvelo  opened.txt|opened.txt|opened"_s);
    }

    void linuxLineBreaksKept_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("held");
        QTest::addColumn<QByteArray>("afterEnter"); // saved after Enter at the end
        QTest::newRow("LF") << QByteArray("\xD3\xD8\xD1\nline\n") << u"سطر\r\nline\r\n"_s
                            << QByteArray("\xD3\xD8\xD1\nline\n\n");
        QTest::newRow("CR, UTF-8") << u"ـ😀\r\r"_s.toUtf8() << u"ـ😀\r\n\r\n"_s << u"ـ😀\r\r\r"_s.toUtf8();
    }

    void linuxLineBreaksKept()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, held);
        QFETCH(QByteArray, afterEnter);
        Fixture f;
        QVERIFY(test::writeFile(f.path(u"post"_s), bytes));
        f.run(&PostFiles::OPEN, u"post"_s);
        QCOMPARE(f.editor.text(), held);
        f.run(&PostFiles::SAVE);
        QCOMPARE(test::contents(f.path(u"post"_s)), bytes);
        f.editor.setSelStart(f.editor.textLength());
        QTest::keyClick(&f.editor, Qt::Key_Return);
        f.run(&PostFiles::SAVE);
        QCOMPARE(test::contents(f.path(u"post"_s)), afterEnter);
    }

    void anotherProgramsChangeIsNeverLost_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("bytes"); // the post's file afterwards
        QTest::addColumn<QString>("question");
        const QString changed =
            u"Zarvelo|تغيّر هذا الملف على القرص بعد أن فتحه البرنامج أو حفظه آخر مرة، ربما "
            "ببرنامج آخر:\r\n\u2066post\u2069\r\nالكتابة فوقه تمحو ما فيه الآن. هل تريد "
            "الكتابة فوقه؟|إلغاء/إلغاء"_s;
        const QString deleted = u"Zarvelo|لم يعد هذا الملف موجوداً على القرص، ربما حذفه أو نقله برنامج "
                                "آخر:\r\n\u2066post\u2069\r\nهل تريد كتابته من جديد؟|إلغاء/إلغاء"_s;
        QTest::newRow("appended, cancelled") << u"append"_s << 2 << QByteArray("mine\nother") << changed;
        QTest::newRow("renamed over, same size, overwritten")
            << u"rename"_s << 0 << QByteArray("ours") << changed;
        QTest::newRow("same size in place, saved elsewhere")
            << u"touch"_s << 1 << QByteArray("mine") << changed;
        QTest::newRow("deleted, written again") << u"delete"_s << 0 << QByteArray("ours") << deleted;
    }

    void anotherProgramsChangeIsNeverLost()
    {
        QFETCH(QString, change);
        QFETCH(int, answer);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, question);
        Fixture f;
        const QString post = f.path(u"post"_s);
        QVERIFY(test::writeFile(post, "mine"));
        f.run(&PostFiles::OPEN, u"post"_s);
        QFile file(post);
        if (change == u"append"_s)
            QVERIFY(file.open(QIODevice::Append) && file.write("\nother") == 6);
        if (change == u"rename"_s)
            QVERIFY(f.platform.writeFile(post, "abcd").ok);
        if (change == u"touch"_s)
            QVERIFY(file.open(QIODevice::ReadWrite) && file.write("mine") == 4
                    && file.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                        QFileDevice::FileModificationTime));
        if (change == u"delete"_s)
            QVERIFY(file.remove());
        file.close();
        f.editor.setText(u"ours"_s);
        f.platform.questionAnswers << answer;
        f.platform.saveAnswers << f.path(u"elsewhere"_s);
        f.run(&PostFiles::SAVE);
        QCOMPARE(test::contents(post), bytes);
        QCOMPARE(f.asked().mid(1), (answer == 1 ? QStringList{u"save post"_s} : QStringList()) << question);
        f.run(&PostFiles::SAVE); // written or cancelled, the file is as the post knows it now
        QCOMPARE(f.platform.questions.size(), answer == 2 ? 2 : 1);
        QCOMPARE(test::contents(f.path(u"elsewhere"_s)),
                 answer == 1 ? QByteArray("ours") : QByteArray("<unreadable>"));
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
        f.run(&PostFiles::SAVE);
        QCOMPARE(f.platform.questions.size(), 2);

        f.run(&PostFiles::NEWPOST);
        f.editor.setText(u"ـ😀"_s);
        f.platform.questionAnswers << 2 << 0; // cancel, then UTF-8
        f.run(&PostFiles::SAVEAS, u"new.txt"_s);
        QVERIFY(!QFile::exists(f.path(u"new.txt"_s)));
        QCOMPARE(f.files.CurrentFileName(), QString());
        f.run(&PostFiles::SAVE, u"new.txt"_s);
        f.editor.setText(u"ـ😀 ١"_s); // UTF-8 from now on: no more questions
        f.run(&PostFiles::SAVE);
        QCOMPARE(test::contents(f.path(u"new.txt"_s)), u"ـ😀 ١"_s.toUtf8());
        QCOMPARE(f.platform.questions.size(), 4);
    }
};

QTEST_MAIN(TestPostFiles)
#include "tst_postfiles.moc"
