#include "drafts/draftkeeper.h"
#include "drafts/draftstore.h"
#include "platform/commondialog.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "shell/postfiles.h"
#include "ui/posteditor.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

/** The user's data folder, pointed at a fresh temporary folder before the window is built. */
struct DataHome
{
    QTemporaryDir dir;
    explicit DataHome(const QString &below) { qputenv("XDG_DATA_HOME", dir.filePath(below).toLocal8Bit()); }
};

/** A main window on the scripted platform, its drafts in a folder of their own. */
struct Fixture : DataHome
{
    test::ScriptedPlatform platform;
    Form1 form{platform};
    PostFiles &files = *form.findChild<PostFiles *>(u"PostFiles"_s);
    DraftKeeper &keeper = *form.findChild<DraftKeeper *>(u"DraftKeeper"_s);
    PostEditor &editor = form.editor();
    DraftStore store{DraftStore::defaultFolder()};

    explicit Fixture(const QString &below = u"data"_s)
        : DataHome(below)
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
    /** Keeps a pending change and waits until its file is written and any failure told. */
    void keep()
    {
        keeper.keepNow();
        keeper.waitForWrites();
        QCoreApplication::processEvents();
    }
    QString state() const
    {
        return form.windowTitle() + u'|' + files.CurrentFileName() + u'|' + editor.text();
    }
    /** Opens the drafts window, lets act look and press, and closes it if act did not. */
    template <typename Act>
    bool inDraftsWindow(Act act)
    {
        bool seen = false;
        QTimer::singleShot(0, &form, [&] {
            auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!window || window->windowTitle() != u"المسودات"_s)
                return;
            seen = true;
            act(*window, *window->findChild<QTreeWidget *>(u"DraftList"_s));
            if (window->isVisible())
                window->reject();
        });
        form.menuAction(u"DRAFTS"_s)->trigger();
        return seen;
    }
};

QPushButton &button(QDialog &window, const char *name)
{
    return *window.findChild<QPushButton *>(QLatin1String(name));
}

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
        // The untouched template and an empty post are never kept.
        f.editor.setText(QString());
        f.keep();
        f.files.NEWPOST();
        f.keep();
        QCOMPARE(f.texts(), QStringList{u"Hello"_s});
    }

    void commandsKeepThePostAtOnce_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("startsAnother");
        QTest::newRow("new post") << u"NEWPOST"_s << true;
        QTest::newRow("open") << u"OPEN"_s << true;
        QTest::newRow("exit") << u"EXIT"_s << false;
        QTest::newRow("closing the window") << u"close"_s << false;
    }
    void commandsKeepThePostAtOnce()
    {
        QFETCH(QString, command);
        QFETCH(bool, startsAnother);
        Fixture f;
        const QString opened = f.dir.filePath(u"opened.txt"_s);
        QVERIFY(f.platform.writeTextFile(opened, u"من ملف"_s, TextEncoding::Windows1256).ok);
        f.platform.openAnswers << opened;
        f.editor.setText(u"first post\r\n"_s);
        if (command == u"close"_s)
            f.form.close();
        else
            f.form.menuAction(command)->trigger();
        QCOMPARE(f.texts(), QStringList{u"first post\r\n"_s});
        if (!startsAnother)
            return;
        // The new post, untouched, is not kept; changed, it is a second draft.
        f.keep();
        QCOMPARE(f.texts().size(), 1);
        f.editor.setSelText(u"more"_s);
        f.keep();
        QCOMPARE(f.texts(), (QStringList{f.editor.text(), u"first post\r\n"_s}));
        QCOMPARE(f.store.list().front().fileName, command == u"OPEN"_s ? opened : QString());
    }

    void restoreIsOneUndoStep_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("title");
        QTest::newRow("saved to a file") << u"/posts/old.txt"_s << u"Zarvelo  /posts/old.txt"_s;
        QTest::newRow("never saved") << QString() << u"Zarvelo"_s;
    }
    void restoreIsOneUndoStep()
    {
        QFETCH(QString, file);
        QFETCH(QString, title);
        Fixture f;
        f.platform.saveAnswers << f.dir.filePath(u"newer.txt"_s);
        f.editor.setText(u"newer text"_s);
        f.files.SAVE();
        f.keep();
        QCOMPARE(f.store.list().front().fileName, f.dir.filePath(u"newer.txt"_s)); // saving is recorded
        const QString old = u"a\r\nb\nc\rd 😀 中文 ש"_s;
        QVERIFY(f.store.write(f.store.newId(), old, file).ok);
        int rows = 0;
        QString shown; // what the drafts window's view shows of the chosen draft
        QVERIFY(f.inDraftsWindow([&](QDialog &window, QTreeWidget &list) {
            rows = list.topLevelItemCount();
            shown = window.findChild<PostEditor *>(u"DraftView"_s)->text();
            button(window, "cmdRESTORE").click();
        }));
        QVERIFY(rows == 2 && f.platform.messages.isEmpty());
        QCOMPARE(shown, old);
        QCOMPARE(f.state(), title + u'|' + file + u'|' + old);
        // The restored post, unchanged, is not kept twice.
        f.keep();
        QCOMPARE(f.texts().size(), 2);
        f.editor.undoWithSelection();
        QCOMPARE(f.editor.text(), u"newer text"_s);
    }

    void damagedDraftsAreListedAndDeleted()
    {
        Fixture f;
        QVERIFY(f.store.write(f.store.newId(), u"sound"_s, QString()).ok);
        QFile bad(f.store.folder() + u"/bad.draft"_s);
        QVERIFY(bad.open(QIODevice::WriteOnly)
                && bad.write(
                    encodeDraft(QDateTime::currentDateTimeUtc().addDays(1), QString(), u"cut"_s).chopped(1)));
        bad.close();
        const QString before = f.state();
        QStringList firstLines;
        bool restorable = true;
        QVERIFY(f.inDraftsWindow([&](QDialog &window, QTreeWidget &list) {
            for (int row = 0; row < list.topLevelItemCount(); ++row)
                firstLines << list.topLevelItem(row)->text(2);
            restorable = button(window, "cmdRESTORE").isEnabled();
            button(window, "cmdRESTORE").click(); // does nothing on a damaged draft
            button(window, "cmdDELETE").click();
            firstLines << list.topLevelItem(0)->text(2);
            button(window, "cmdCLOSE").click();
        }));
        QVERIFY2(firstLines.size() == 3 && firstLines[0].startsWith(u"مسودة تالفة: "_s),
                 qPrintable(firstLines[0]));
        QCOMPARE(firstLines.mid(1), (QStringList{u"\u200Esound"_s, u"\u200Esound"_s}));
        QVERIFY(!restorable && !bad.exists());
        QCOMPARE(f.state(), before);
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
            QVERIFY(!button(window, "cmdRESTORE").isEnabled());
        }));
    }
};

QTEST_MAIN(TestDrafts)
#include "tst_drafts.moc"
