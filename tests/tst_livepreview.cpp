#include "defaultfont/defaultfont.h"
#include "defaultfont/defaultfontrecord.h"
#include "livepreview/livepreviewwindow.h"
#include "preview/conversion.h"
#include "preview/previewpage.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "shell/livepreviewwiring.h"
#include "ui/posteditor.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

/** The main window after its load step, its pictures in the source's data folder. */
struct Fixture
{
    test::ScriptedPlatform platform;
    std::unique_ptr<Form1> form;

    Fixture()
    {
        platform.folder = qEnvironmentVariable("ZARVELO_SOURCE_DIR") + u"/data"_s;
        form = std::make_unique<Form1>(platform);
        form->formLoad();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    PostEditor &editor() { return form->editor(); }
    void pressF5() { form->menuAction(u"LIVEPREVIEW"_s)->trigger(); }
    LivePreviewWindow *preview() { return form->findChild<LivePreviewOpener *>()->window(); }
    QString shownBody() { return preview()->browser().toPlainText(); }
};

} // namespace

class TestLivePreview : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QApplication::setStyle(u"Fusion"_s);
        const QString settings = qEnvironmentVariable("ZARVELO_SOURCE_DIR") + u"/data/setting.vbe"_s;
        QVERIFY(QFile::copy(settings, m_dir.filePath(u"setting.vbe"_s)));
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }

    void createdOnFirstUseAndHiddenNotDestroyed()
    {
        Fixture f;
        QVERIFY(!f.preview() && !f.form->findChild<LivePreviewWindow *>());
        f.pressF5();
        QPointer<LivePreviewWindow> window = f.preview();
        QVERIFY(window && window->isVisible() && !window->isModal()
                && window->parentWidget() == f.form.get());
        QCOMPARE(window->windowTitle(), u"معاينة مباشرة"_s);
        QCOMPARE(QApplication::focusWidget(), &f.editor()); // typing goes on in the editor
        window->close();
        QVERIFY(window && !window->isVisible());
        f.pressF5();
        QVERIFY(f.preview() == window.data() && window->isVisible());
        f.pressF5();
        QVERIFY(window && !window->isVisible());
    }

    void showsThePreviewPageAndFollowsChanges()
    {
        Fixture f;
        f.pressF5();
        // At start it shows the template, whose placeholder is still selected.
        QCOMPARE(f.preview()->page(), previewPageText(convertMarkupToHtml(f.editor().text())));
        QVERIFY(f.editor().selLength() > 0);

        QTest::keyClicks(&f.editor(), u"[B]live[/B]"_s);
        QTRY_VERIFY(f.preview()->page().contains(u"<b>live</b>"_s));
        QCOMPARE(f.preview()->page(), previewPageText(convertMarkupToHtml(f.editor().text())));
        QVERIFY(f.shownBody().contains(u"live"_s) && !f.shownBody().contains(u"[B]"_s));

        f.editor().setText(u"first"_s);
        // A new post from the template.
        APPLYDEFAULTFONT(f.form->findChild<DefaultFontRecord *>()->settings(), f.editor(), {});
        QTRY_COMPARE(f.preview()->page(), previewPageText(convertMarkupToHtml(f.editor().text())));
        QVERIFY(!f.shownBody().contains(u"first"_s));

        // While hidden it keeps its old page; shown again, it has the newest.
        f.pressF5();
        f.editor().setText(u"while hidden"_s);
        QTest::qWait(LivePreviewWindow::kDelayMs * 2);
        QVERIFY(!f.preview()->page().contains(u"while hidden"_s));
        f.pressF5();
        QVERIFY(f.shownBody().contains(u"while hidden"_s));
        // The page's pictures come from the program's folder.
        for (const QString &picture : previewPictures()) {
            const QVariant loaded =
                f.preview()->browser().loadResource(QTextDocument::ImageResource, QUrl(picture));
            QVERIFY2(!QImage::fromData(loaded.toByteArray()).isNull(), qPrintable(picture));
        }
    }

    void countMatchesTextLength()
    {
        Fixture f;
        f.pressF5();
        f.editor().setText(u"a\r\nb\nc\rd"_s + QString(20000, u'x'));
        f.preview()->refresh();
        const QString status = f.preview()->statusText(); // breaks of three kinds, above the load limit
        QVERIFY2(status.contains(u"عدد الأحرف: 20008"_s) && status.contains(u"عدد الأسطر: 4"_s)
                     && status.contains(u"تنبيه"_s),
                 qPrintable(status));
    }

    void scrollsNearTheCaret()
    {
        Fixture f;
        f.pressF5();
        QStringList lines;
        for (int line = 0; line < 400; ++line)
            lines << u"line %1"_s.arg(line);
        f.editor().setText(lines.join(u"\r\n"_s));
        f.preview()->refresh();
        QScrollBar *bar = f.preview()->browser().verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum()); // the caret is at the end
        f.editor().setSelStart(f.editor().text().indexOf(u"line 200"_s));
        QVERIFY(qAbs(bar->value() - bar->maximum() / 2) < bar->pageStep());
        f.editor().setSelStart(0);
        QCOMPARE(bar->value(), 0);
    }

    void linksOpenInTheBrowser_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("opened");
        QTest::newRow("web") << u"https://example.com/t?p=1"_s << u"https://example.com/t?p=1"_s;
        QTest::newRow("site without scheme") << u"www.example.com"_s << u"http://www.example.com"_s;
        QTest::newRow("local file") << u"file:///etc/passwd"_s << QString();
    }

    void linksOpenInTheBrowser()
    {
        QFETCH(QString, link);
        QFETCH(QString, opened);
        Fixture f;
        f.pressF5();
        emit f.preview()->browser().anchorClicked(QUrl(link));
        QCOMPARE(f.platform.urlOpens.size(), opened.isEmpty() ? 0 : 1);
        QCOMPARE(f.platform.urlOpens.value(0).toString(), opened);
        QCOMPARE(f.platform.messages.size(), opened.isEmpty() ? 1 : 0);
        QVERIFY(f.preview()->browser().source().isEmpty()); // never followed inside
    }
};

QTEST_MAIN(TestLivePreview)
#include "tst_livepreview.moc"
