#include "drafts/draftkeeper.h"
#include "drafts/draftstore.h"
#include "featuretest.h"
#include "modalwindow.h"
#include "shell/postfiles.h"

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

private slots:
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

    void commandsKeepThePostAtOnce()
    {
        for (const QString &command : {u"NEWPOST"_s, u"OPEN"_s, u"EXIT"_s, u"close"_s}) {
            Fixture f;
            const QString opened = f.dir.filePath(u"opened.txt"_s);
            QVERIFY(f.platform.writeTextFile(opened, u"من ملف"_s, TextEncoding::Windows1256).ok);
            f.platform.openAnswers << opened;
            f.editor.setText(u"first post\r\n"_s);
            if (command == u"close"_s)
                f.form.close();
            else
                (command == u"NEWPOST"_s    ? f.form.menu().NEWPOST
                     : command == u"OPEN"_s ? f.form.menu().OPEN
                                            : f.form.menu().EXIT)
                    ->trigger();
            QVERIFY2(f.texts() == QStringList{u"first post\r\n"_s}, qPrintable(command));
            if (command == u"EXIT"_s || command == u"close"_s)
                continue;
            // The new post, untouched, is not kept; changed, it is a second draft with its file.
            QVERIFY2(f.keep().size() == 1, qPrintable(command));
            f.editor.setSelText(u"more"_s);
            QVERIFY2(f.keep() == (QStringList{f.editor.text(), u"first post\r\n"_s})
                         && f.store.list().front().fileName == (command == u"OPEN"_s ? opened : QString()),
                     qPrintable(command));
        }
    }

    void restoreIsOneUndoStepAndDamagedDraftsCanOnlyGo()
    {
        // A draft never saved to a file leaves the restored post without the file of the one before.
        for (const auto &[file, title] : {std::pair(u"/posts/old.txt"_s, u"Zarvelo  /posts/old.txt"_s),
                                          std::pair(QString(), u"Zarvelo"_s)}) {
            Fixture f;
            const QString newer = f.dir.filePath(u"newer.txt"_s), old = u"a\r\nb\nc\rd 😀 中文 ש"_s;
            f.platform.saveAnswers << newer;
            f.editor.setText(u"newer text"_s);
            f.files.SAVE();
            f.keep();
            QCOMPARE(f.store.list().front().fileName, newer); // saving is recorded
            QVERIFY(f.store.write(f.store.newId(), old, file).ok);
            QFile bad(f.store.folder() + u"/bad.draft"_s); // cut short, and the newest
            const QByteArray cut =
                encodeDraft(QDateTime::currentDateTimeUtc().addDays(1), {}, u"cut"_s).chopped(1);
            QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write(cut) == cut.size());
            bad.close();
            QVERIFY(f.inDraftsWindow([&](QDialog &window, QTreeWidget &list) {
                QCOMPARE(list.topLevelItemCount(), 3);
                QCOMPARE(list.topLevelItem(0)->text(2).left(13), u"مسودة تالفة: "_s);
                QVERIFY(!Fixture::button(window, "cmdRESTORE").isEnabled());
                Fixture::button(window, "cmdDELETE").click();
                QCOMPARE(list.topLevelItem(0)->text(2), u"\u200Ea"_s);
                QCOMPARE(window.findChild<PostEditor *>(u"DraftView"_s)->text(), old);
                Fixture::button(window, "cmdRESTORE").click();
            }));
            QVERIFY(!bad.exists() && f.platform.messages.isEmpty());
            QCOMPARE(f.state(), title + u'|' + file + u'|' + old);
            QCOMPARE(f.keep().size(), 2); // the restored post, unchanged, is not kept twice
            f.editor.undoWithSelection();
            QCOMPARE(f.editor.text(), u"newer text"_s);
        }
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
