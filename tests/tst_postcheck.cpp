#include "featuretest.h"
#include "livepreview/livepreviewwindow.h"
#include "postcheck/postcheckwindow.h"
#include "shell/livepreviewwiring.h"
#include "shell/postcheckwiring.h"

#include <QAbstractItemModel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeView>

namespace {

enum { TextColumn = 1, FixColumn = 3 };

void clickRow(PostCheckWindow &window, int row, int column)
{
    QTreeView &list = window.list();
    const QRect cell = list.visualRect(list.model()->index(row, column));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell.center());
}

QString cell(PostCheckWindow &window, int row, int column)
{
    return window.list().model()->index(row, column).data().toString();
}

// One problem of each kind, the post's length past a limit of 300 included.
const QString kEveryKind =
    u"[B]نص عريض لم يُغلق\r\nتحية [/I] للجميع\r\n[B][I]مائل عريض[/B][/I]\r\n"
    u"[U]أ[I]ب[/U]ج[/I] وفراغ [B][/B] هنا\r\n[COLOR=#GG0000]لون[/COLOR] [SIZE=9]حجم[/SIZE] "
    u"[FONT='Arial]خط[/FONT]\r\n[URL=http://a b]رابط[/URL] [URL=www.example.com]موقع[/URL] "
    u"[img]ftp://x/p.gif[/img]\r\n[QUOTE][QUOTE=علي][QUOTE][QUOTE]عميق[/QUOTE][/QUOTE]"
    u"[/QUOTE][/QUOTE]\r\nوهذا السطر يتجاوز حد المنتدى بأحرفه الأخيرة كلها."_s;

} // namespace

class TestPostCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setStyle(u"Fusion"_s);
        QVERIFY(m_dir.isValid());
        const QString data = qEnvironmentVariable("ZARVELO_SOURCE_DIR") + u"/data/setting.vbe"_s;
        QVERIFY(QFile::copy(data, m_dir.filePath(u"setting.vbe"_s)));
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }

    void checksThePostBesideTheEditor()
    {
        test::ScriptedPlatform platform;
        Form1 form(platform);
        form.formLoad();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        PostEditor &editor = form.editor();
        QAction &f7 = *form.menu().CHECKPOST;
        QCOMPARE(form.menu().tools->actions().last(), &f7);
        QCOMPARE(f7.text(), u"فحص المشاركة"_s);
        QCOMPARE(f7.shortcut(), QKeySequence(Qt::Key_F7));

        // A tool window that neither blocks nor takes the focus.
        f7.trigger();
        PostCheckWindow *window = form.findChild<PostCheckOpener *>()->window();
        QVERIFY(window && window->isVisible() && !window->isModal() && window->parentWidget() == &form);
        QCOMPARE(window->windowTitle(), u"فحص المشاركة"_s);
        QCOMPARE(QApplication::focusWidget(), &editor);
        QCOMPARE(window->summary(), u"لا مشكلات في المشاركة"_s);

        // It follows typing, each row with its line, its text and what is wrong.
        editor.setText(u"abc\r\n"_s);
        QTest::keyClicks(&editor, u"x [b]y"_s);
        QTRY_COMPARE(window->summary(), u"عدد المشكلات: 1"_s);
        QCOMPARE(QApplication::focusWidget(), &editor);
        QCOMPARE(cell(*window, 0, 0), u"2"_s);
        QCOMPARE(cell(*window, 0, TextColumn), u"\u2068\u2066[b]\u2069\u2069"_s);
        QCOMPARE(cell(*window, 0, 2), u"وسم مفتوح لا يُغلق، فكل ما بعده يأخذ تنسيقه"_s);
        QCOMPARE(cell(*window, 0, FixColumn), u"إصلاح"_s);

        // A click on a row selects its text; its button fixes it, one undo step.
        clickRow(*window, 0, TextColumn);
        QCOMPARE(editor.selText(), u"[b]"_s);
        QCOMPARE(QApplication::focusWidget(), &editor);
        clickRow(*window, 0, FixColumn);
        QCOMPARE(editor.text(), u"abc\r\nx [b]y[/b]"_s);
        QCOMPARE(window->summary(), u"لا مشكلات في المشاركة"_s);
        editor.undoWithSelection();
        QCOMPARE(editor.text(), u"abc\r\nx [b]y"_s);

        // Fix everything: one undo step too, and what has no fix stays listed.
        const QString faulty = u"[B][I]x[/B][/I] [/U]\r\n[URL=a.b]l[/URL] [SIZE=9]s[/SIZE]"_s;
        editor.setText(faulty);
        window->refresh();
        window->findChild<QPushButton *>(u"fixAll"_s)->click();
        QCOMPARE(editor.text(), u"[B][I]x[/I][/B] \r\n[URL=http://a.b]l[/URL] [SIZE=9]s[/SIZE]"_s);
        QCOMPARE(window->summary(), u"عدد المشكلات: 1"_s);
        QVERIFY(!window->findChild<QPushButton *>(u"fixAll"_s)->isEnabled());
        editor.undoWithSelection();
        QCOMPARE(editor.text(), faulty);
    }

    void limitsAreKeptAndGivenToTheLivePreview()
    {
        test::ScriptedPlatform platform;
        {
            Form1 form(platform);
            form.formLoad();
            form.menu().CHECKPOST->trigger();
            PostCheckWindow *window = form.findChild<PostCheckOpener *>()->window();
            window->findChild<QSpinBox *>(u"forumLimit"_s)->setValue(12);
            window->findChild<QSpinBox *>(u"quoteDepth"_s)->setValue(1);
        }
        Form1 form(platform);
        form.formLoad();
        QCOMPARE(form.findChild<PostCheckOpener *>()->limits().characters, 12);
        QCOMPARE(form.findChild<PostCheckOpener *>()->limits().quoteDepth, 1);
        form.editor().setText(u"[QUOTE][QUOTE]long enough[/QUOTE][/QUOTE]"_s);
        form.menu().LIVEPREVIEW->trigger();
        const QString counts =
            u"عدد الأحرف: \u206641 / 12\u2069    عدد الأسطر: 1    تنبيه: المشاركة أطول من حد المنتدى بـ 29 حرف"_s;
        QCOMPARE(form.findChild<LivePreviewOpener *>()->window()->statusText(), counts);
    }

    void screenshotBesideTheMainWindow()
    {
        test::ScriptedPlatform platform;
        Form1 form(platform);
        form.formLoad();
        form.show();
        form.editor().setText(kEveryKind);
        form.menu().CHECKPOST->trigger();
        PostCheckWindow *window = form.findChild<PostCheckOpener *>()->window();
        window->findChild<QSpinBox *>(u"forumLimit"_s)->setValue(300);
        window->findChild<QSpinBox *>(u"quoteDepth"_s)->setValue(3);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->summary(), u"عدد المشكلات: 13"_s);
        const QPixmap check = window->grab();
        const QPixmap main = form.grab();
        QImage both(check.width() + main.width() + 8, std::max(check.height(), main.height()),
                    QImage::Format_RGB32);
        both.fill(Qt::darkGray);
        QPainter painter(&both);
        painter.drawPixmap(0, 0, check);
        painter.drawPixmap(check.width() + 8, 0, main);
        painter.end();
        const QString folder =
            qEnvironmentVariable("ZARVELO_BINARY_DIR", QDir::currentPath()) + u"/screenshots"_s;
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(both.save(folder + u"/post-check-beside-main-window.png"_s));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestPostCheck)
#include "tst_postcheck.moc"
