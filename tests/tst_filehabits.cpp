#include "coretest.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "shell/recentposts.h"
#include "shell/spellingswitch.h"
#include "ui/posteditor.h"

#include <QTest>
#include <QtWidgets>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

/** The recent posts menu as it opens: texts without marks, "-" a separator, "(off)" after one off. */
QStringList recentItems(const Form1 &form)
{
    emit form.menu().RECENT->aboutToShow();
    QStringList shown;
    for (const QAction *item : form.menu().RECENT->actions()) {
        QString text = item->isSeparator() ? u"-"_s : item->text();
        shown << text.remove(u'\u2068').remove(u'\u2069') + (item->isEnabled() ? u""_s : u"(off)"_s);
    }
    return shown;
}

} // namespace

class TestFileHabits : public QObject
{
    Q_OBJECT

private slots:
    void recentPosts()
    {
        RecentPosts(preferencesPath()).clear();
        QTemporaryDir dir;
        test::ScriptedPlatform platform;
        Form1 form(platform);
        for (int i = 1; i <= 12; ++i) {
            QVERIFY(test::writeFile(dir.filePath(u"%1&ب"_s.arg(i)), "post"));
            QVERIFY(form.openPost(dir.filePath(u"%1&ب"_s.arg(i))));
        }
        QVERIFY(form.openPost(dir.filePath(u"5&ب"_s))); // moves up, never twice
        QCOMPARE(recentItems(form).join(u','),
                 u"5&&ب,12&&ب,11&&ب,10&&ب,9&&ب,8&&ب,7&&ب,6&&ب,4&&ب,3&&ب,-,مسح القائمة"_s);
        QCOMPARE(form.menu().RECENT->actions()[1]->toolTip(), u"\u2066"_s + dir.filePath(u"12&ب\u2069"_s));
        platform.saveAnswers << dir.filePath(u"saved.txt"_s);
        form.menu().SAVEAS->trigger();
        QVERIFY(QFile::remove(dir.filePath(u"12&ب"_s)));
        recentItems(form);
        form.menu().RECENT->actions()[2]->trigger(); // gone: told, and left out
        QCOMPARE(recentItems(form).mid(0, 3), QStringList({"saved.txt", "5&&ب", "11&&ب"}));
        QVERIFY(platform.messages.value(0).text.startsWith(u"تعذّر فتح الملف:\r\n\u2066"_s + dir.path()));

        Form1 next(platform); // starts its dialogs in the last post's folder
        next.menu().OPEN->trigger();
        QCOMPARE(platform.fileDialogs.last().initialFileName, dir.path() + u'/');
        recentItems(next);
        next.menu().RECENT->actions().constLast()->trigger(); // empties every window's list
        QCOMPARE(recentItems(form), QStringList({"-", "مسح القائمة(off)"}));
    }

    void keys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text"); // of "abc" selected, after the keys
        QTest::addColumn<QString>("menu"); // open after the keys

        QTest::newRow("bold") << u"Ctrl+B"_s << u"[B]abc[/B]"_s << QString();
        QTest::newRow("italic") << u"Ctrl+I"_s << u"[I]abc[/I]"_s << QString();
        QTest::newRow("underline, one undo step") << u"Ctrl+U, Ctrl+Z"_s << u"abc"_s << QString();
        QTest::newRow("redo") << u"Ctrl+I, Ctrl+Z, Ctrl+Y"_s << u"[I]abc[/I]"_s << QString();
        QTest::newRow("Alt+F types nothing") << u"Alt+F"_s << u"abc"_s << QString();
        QTest::newRow("Alt+L, the key of م") << u"Alt+L"_s << u"abc"_s << u"&ملف"_s;
        QTest::newRow("F10") << u"F10"_s << u"abc"_s << u"&ملف"_s;
    }

    void keys()
    {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(QString, menu);
        test::ScriptedPlatform platform;
        Form1 form(platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.editor().setText(u"abc"_s);
        form.editor().select(0, 3);
        QTest::keySequence(&form.editor(), QKeySequence::fromString(keys));
        QCOMPARE(form.editor().text(), text);
        const QAction *open = form.menuBar()->activeAction();
        QCOMPARE(open && open->menu()->isVisible() ? open->text() : QString(), menu);
    }

    void drop_data()
    {
        QTest::addColumn<bool>("asFile");   // else as text
        QTest::addColumn<QString>("state"); // the title, "|", the post

        QTest::newRow("a file") << true << u"Zarvelo  <dir>/مشاركة.txt|سطر\r\n"_s;
        QTest::newRow("text") << false << u"Zarvelo|<dir>/مشاركة.txt"_s;
    }

    void drop()
    {
        QFETCH(bool, asFile);
        QFETCH(QString, state);
        QTemporaryDir dir;
        QVERIFY(test::writeFile(dir.filePath(u"مشاركة.txt"_s), "\xD3\xD8\xD1\r\n"));
        test::ScriptedPlatform platform;
        Form1 form(platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.editor().setText(QString());
        QMimeData data;
        data.setText(dir.filePath(u"مشاركة.txt"_s)); // as file managers give a file too
        if (asFile)
            data.setUrls({QUrl::fromLocalFile(data.text())});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(form.editor().viewport(), &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(form.editor().viewport(), &drop);
        QCoreApplication::processEvents();
        QString shown = form.windowTitle() + u'|' + form.editor().text();
        QCOMPARE(shown.replace(dir.path(), u"<dir>"_s), state);
    }
};

QTEST_MAIN(TestFileHabits)
#include "tst_filehabits.moc"
