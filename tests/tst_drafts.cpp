#include "coretest.h"
#include "drafts/draftkeeper.h"
#include "drafts/draftstore.h"
#include "drafts/keptpostbar.h"
#include "drafts/runrecord.h"
#include "featuretest.h"
#include "modalwindow.h"
#include "shell/postfiles.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

/** A main window on the scripted platform, its drafts in a fresh folder of their own. */
struct Fixture
{
    QTemporaryDir dir;
    bool home; // the data folder is set before the window is built
    test::ScriptedPlatform platform;
    Form1 form{platform};
    PostFiles &files = *form.findChild<PostFiles *>(u"PostFiles"_s);
    DraftKeeper &keeper = *form.findChild<DraftKeeper *>(u"DraftKeeper"_s);
    PostEditor &editor = form.editor();
    DraftStore store{DraftStore::defaultFolder()};

    explicit Fixture(const QString &below = u"data"_s)
        : home(qputenv("XDG_DATA_HOME", dir.filePath(below).toLocal8Bit()))
    {
        files.NEWPOST();
    }
    QStringList texts() const
    {
        QStringList all;
        for (const Draft &draft : store.list())
            all << (draft.damaged ? u"damaged"_s : draft.text);
        return all;
    }
    /** Keeps a pending change, waits until its file is written and any failure told, lists the drafts. */
    QStringList keep()
    {
        keeper.keepNow();
        keeper.waitForWrites();
        QCoreApplication::processEvents();
        return texts();
    }
    QString state() const
    {
        return form.windowTitle() + u'|' + files.CurrentFileName() + u'|' + editor.text();
    }
    static QPushButton &button(QDialog &w, const char *name) { return *w.findChild<QPushButton *>(name); }
    /** Opens the drafts window, lets act look and press in it, and closes it if act did not. */
    template <typename Act>
    bool inDraftsWindow(Act act)
    {
        QString title;
        const auto look = [&](QDialog &w) {
            if ((title = w.windowTitle()) == u"المسودات"_s)
                act(w, *w.findChild<QTreeWidget *>(u"DraftList"_s));
        };
        return test::inModal([&] { form.menu().DRAFTS->trigger(); }, look) == 1 && title == u"المسودات"_s;
    }
};

} // namespace

class TestDrafts : public QObject
{
    Q_OBJECT

    QTemporaryDir m_settingsFolder;

private slots:
    void initTestCase()
    {
        QVERIFY(QDir::setCurrent(m_settingsFolder.path()));
        QVERIFY(test::writeFile(u"setting.vbe"_s, u"0,لا تغيير,لا تغيير,لا تغيير,نعم,لا تغيير"_s.toUtf8()));
    }

    void typingIsKeptSoon()
    {
        Fixture f;
        QTest::keyClicks(&f.editor, u"Hello"_s);
        const QString before = f.state();
        QVERIFY(f.texts().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(f.texts(), QStringList{f.editor.text()}, 2000);
        QCOMPARE(f.state(), before); // keeping changes neither title, file nor text
        f.editor.setText(QString()); // an empty post is never kept
        QCOMPARE(f.keep(), QStringList{u"Hello"_s});
    }

    void commandsKeepThePostUnderItsOwnFile_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("goesOn"); // the program goes on with a next post
        QTest::newRow("open") << u"OPEN"_s << true;
        QTest::newRow("restore") << u"restore"_s << true;
        QTest::newRow("exit") << u"EXIT"_s << false;
    }

    void commandsKeepThePostUnderItsOwnFile()
    {
        QFETCH(QString, command);
        QFETCH(bool, goesOn);
        Fixture f;
        const QString first = f.dir.filePath(u"first.txt"_s);
        const QString opened = f.dir.filePath(u"opened.txt"_s);
        QVERIFY(f.platform.writeTextFile(opened, u"من ملف"_s, TextEncoding::Windows1256).ok);
        QVERIFY(f.store.write(f.store.newId(), u"older"_s, QString()).ok);
        f.platform.openAnswers << opened;
        f.platform.saveAnswers << first;
        f.editor.setText(u"first post\r\n"_s);
        f.files.SAVE();
        if (command == u"OPEN"_s)
            f.form.menu().OPEN->trigger();
        else if (command == u"EXIT"_s)
            f.form.menu().EXIT->trigger();
        else
            QVERIFY(f.inDraftsWindow([](QDialog &window, QTreeWidget &) {
                Fixture::button(window, "cmdRESTORE").click(); // the older draft: the post is not kept yet
            }));
        // On disk before the command went on, and named after the post's own file.
        QCOMPARE(f.texts(), QStringList({"first post\r\n", "older"}));
        QCOMPARE(f.store.list().front().fileName, first);
        if (!goesOn)
            return;
        // The next post, untouched, is not kept; changed, it is a draft of its own.
        QCOMPARE(f.keep().size(), 2);
        f.editor.setSelText(u"more"_s);
        QCOMPARE(f.keep().size(), 3);
    }

    void restoreIsOneUndoStepAndDamagedDraftsCanOnlyGo_data()
    {
        QTest::addColumn<QString>("file"); // the restored draft's file
        QTest::addColumn<QString>("title");
        QTest::newRow("saved") << u"/posts/old.txt"_s << u"Zarvelo  /posts/old.txt"_s;
        // A draft never saved to a file leaves the restored post without the file of the one before.
        QTest::newRow("never saved") << QString() << u"Zarvelo"_s;
    }

    void restoreIsOneUndoStepAndDamagedDraftsCanOnlyGo()
    {
        QFETCH(QString, file);
        QFETCH(QString, title);
        Fixture f;
        const QString newer = f.dir.filePath(u"newer.txt"_s);
        const QString old = u"a\r\nb\nc\rd 😀 中文 ש"_s;
        f.platform.saveAnswers << newer;
        f.editor.setText(u"newer text"_s);
        f.files.SAVE();
        f.keep();
        QVERIFY(f.store.write(f.store.newId(), old, file).ok);
        const QString bad = f.store.folder() + u"/bad.draft"_s; // cut short, and the newest
        QVERIFY(test::writeFile(
            bad, encodeDraft(QDateTime::currentDateTimeUtc().addDays(1), {}, u"cut"_s).chopped(1)));
        QVERIFY(f.inDraftsWindow([&](QDialog &window, QTreeWidget &list) {
            QCOMPARE(list.topLevelItemCount(), 3);
            QCOMPARE(list.topLevelItem(0)->text(2).left(13), u"مسودة تالفة: "_s);
            QVERIFY(!Fixture::button(window, "cmdRESTORE").isEnabled());
            Fixture::button(window, "cmdDELETE").click();
            QCOMPARE(list.topLevelItem(0)->text(2), u"\u200Ea"_s);
            QCOMPARE(list.topLevelItem(0)->text(3), file.isEmpty() ? QString() : u"\u2066old.txt\u2069"_s);
            QCOMPARE(list.topLevelItem(0)->toolTip(3),
                     file.isEmpty() ? QString() : u"\u2066/posts/old.txt\u2069"_s);
            QCOMPARE(window.findChild<PostEditor *>(u"DraftView"_s)->text(), old);
            Fixture::button(window, "cmdRESTORE").click();
        }));
        QVERIFY(!QFile::exists(bad));
        QCOMPARE(f.platform.messages.size(), 0);
        QCOMPARE(f.state(), title + u'|' + file + u'|' + old);
        QCOMPARE(f.keep().size(), 2); // the restored post, unchanged, is not kept twice
        f.editor.undoWithSelection(); // the text and its file come back together
        QCOMPARE(f.state(), u"Zarvelo  "_s + newer + u"|"_s + newer + u"|newer text"_s);
    }

    void crashedRunsUnsavedPostIsOffered_data()
    {
        QTest::addColumn<bool>("crashed"); // its record is left, held by no program
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<bool>("offered");
        QTest::newRow("crashed, unsaved") << true << true << true;
        QTest::newRow("crashed after saving") << true << false << false;
        QTest::newRow("ended through its window") << false << true << false;
    }

    void crashedRunsUnsavedPostIsOffered()
    {
        QFETCH(bool, crashed);
        QFETCH(bool, unsaved);
        QFETCH(bool, offered);
        Fixture f;
        QVERIFY(QDir().mkpath(f.store.folder()));
        const QString kept = u"[B]\r\nما بقي 😀\r\n[/B]"_s;
        QVERIFY(test::writeFile(
            f.store.folder() + u"/crashed.draft"_s,
            encodeDraft(QDateTime::currentDateTimeUtc(), u"/posts/kept.txt"_s, kept, u"crashed"_s, unsaved)));
        if (crashed)
            QVERIFY(test::writeFile(f.store.folder() + u"/crashed.run"_s, {}));
        QVERIFY(f.form.formLoad());
        const auto &bar = *f.form.findChild<KeptPostBar *>(u"KeptPostBar"_s);
        QCOMPARE(bar.isVisibleTo(&f.form), offered);
        QCOMPARE(f.editor.selText(), u"بسم الله الرحمن الرحيم"_s); // the new post as it always starts
        QCOMPARE(f.editor.y(), offered ? bar.geometry().bottom() + 1 : 104);
        if (offered) {
            QCOMPARE(bar.findChild<QLabel *>()->text(),
                     u"انتهى البرنامج في المرة السابقة دون أن يُغلق، واحتُفظ بمشاركة لم "
                     "تُحفظ في ملف: \u2068ما بقي 😀\u2069"_s);
            f.form.grab().save(u"" ZARVELO_TEST_BINARY_DIR "/kept-post-bar.png"_s);
            bar.findChild<QPushButton *>(u"cmdRESTOREKEPT"_s)->click();
            QCOMPARE(f.state(), u"Zarvelo  /posts/kept.txt|/posts/kept.txt|"_s + kept);
            f.editor.undoWithSelection();
            QCOMPARE(f.editor.text(), u"[B]\r\nبسم الله الرحمن الرحيم\r\n[/B]"_s);
        }
        f.form.close(); // an orderly end leaves nothing for the next start to claim
        QCOMPARE(RunRecord::claimEndedRuns(f.store.folder()), QStringList());
    }

    void unwritableFolderIsToldOnce()
    {
        Fixture f(u"file/below"_s);
        QVERIFY(QFile(f.dir.filePath(u"file"_s)).open(QIODevice::WriteOnly));
        f.editor.setText(u"one"_s);
        f.keep();
        f.editor.setSelText(u" two"_s);
        f.keep();
        f.files.NEWPOST();
        QCOMPARE(f.platform.messages.size(), 1);
        QVERIFY(f.platform.messages[0].text.contains(f.store.folder()));
        QVERIFY(f.inDraftsWindow([](QDialog &window, QTreeWidget &list) {
            QCOMPARE(list.topLevelItemCount(), 0);
            QVERIFY(!Fixture::button(window, "cmdRESTORE").isEnabled());
        }));
    }
};

QTEST_MAIN(TestDrafts)
#include "tst_drafts.moc"
