#include "defaultfont/defaultfont.h"
#include "defaultfont/defaultfontrecord.h"
#include "featuretest.h"
#include "livepreview/livepreviewwindow.h"
#include "preview/conversion.h"
#include "preview/previewpage.h"
#include "shell/livepreviewwiring.h"

#include <QScrollBar>
#include <QTextBrowser>

class TestLivePreview : public QObject
{
    Q_OBJECT

private slots:
    void followsThePostBesideTheEditor()
    {
        QApplication::setStyle(u"Fusion"_s);
        const QString data = qEnvironmentVariable("ZARVELO_SOURCE_DIR") + u"/data"_s;
        QTemporaryDir dir; // the window's settings are read from the current folder
        QVERIFY(QFile::copy(data + u"/setting.vbe"_s, dir.filePath(u"setting.vbe"_s)));
        QVERIFY(QDir::setCurrent(dir.path()));
        test::ScriptedPlatform platform;
        platform.folder = data; // the page's pictures
        Form1 form(platform);
        form.formLoad();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        PostEditor &editor = form.editor();
        QAction &f5 = *form.menu().LIVEPREVIEW;
        const auto pageOfPost = [&] { return previewPageText(convertMarkupToHtml(editor.text())); };

        // Built on first use: a tool window that neither blocks nor takes the focus; closing only hides it.
        QVERIFY(!form.findChild<LivePreviewWindow *>());
        f5.trigger();
        QPointer<LivePreviewWindow> window = form.findChild<LivePreviewOpener *>()->window();
        QVERIFY(window && window->isVisible() && !window->isModal() && window->parentWidget() == &form);
        QCOMPARE(window->windowTitle(), u"معاينة مباشرة"_s);
        QCOMPARE(QApplication::focusWidget(), &editor);
        window->close();
        QVERIFY(window && !window->isVisible());
        f5.trigger();
        QVERIFY(form.findChild<LivePreviewOpener *>()->window() == window && window->isVisible());
        QTextBrowser &browser = window->browser();

        // It shows the template, its placeholder still selected, and follows typing and a new post.
        QCOMPARE(window->page(), pageOfPost());
        QVERIFY(editor.selLength() > 0);
        QTest::keyClicks(&editor, u"[B]live[/B]"_s);
        QTRY_VERIFY(window->page().contains(u"<b>live</b>"_s));
        QCOMPARE(window->page(), pageOfPost());
        QVERIFY(browser.toPlainText().contains(u"live"_s) && !browser.toPlainText().contains(u"[B]"_s));
        editor.setText(u"first"_s);
        APPLYDEFAULTFONT(form.findChild<DefaultFontRecord *>()->settings(), editor, {});
        QTRY_COMPARE(window->page(), pageOfPost());
        // F5 hides it; hidden, it keeps its old page; shown again, it has the newest.
        f5.trigger();
        QVERIFY(window && !window->isVisible());
        editor.setText(u"while hidden"_s);
        QTest::qWait(LivePreviewWindow::kDelayMs * 2);
        QVERIFY(!window->page().contains(u"while hidden"_s));
        f5.trigger();
        QVERIFY(browser.toPlainText().contains(u"while hidden"_s));
        for (const QString &picture : previewPictures()) {
            const QVariant loaded = browser.loadResource(QTextDocument::ImageResource, QUrl(picture));
            QVERIFY2(!QImage::fromData(loaded.toByteArray()).isNull(), qPrintable(picture));
        }

        // The counts are of the post's own text: breaks of three kinds, above the load limit.
        editor.setText(u"a\r\nb\nc\rd"_s + QString(20000, u'x'));
        window->refresh();
        const QString counts = u"عدد الأحرف: \u206620008 / 10000\u2069    عدد الأسطر: 4    تنبيه"_s;
        QCOMPARE(window->statusText().left(counts.size()), counts);

        // It scrolls near the caret.
        editor.setText(QStringList(400, u"line"_s).join(u"\r\n"_s));
        window->refresh();
        QScrollBar *bar = browser.verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum()); // the caret is at the end
        editor.setSelStart(200 * 6);            // the line in the middle
        QVERIFY(qAbs(bar->value() - bar->maximum() / 2) < bar->pageStep());
        editor.setSelStart(0);
        QCOMPARE(bar->value(), 0);
    }

    void linksOpenInTheUsersBrowser_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("opened"); // null: refused
        QTest::newRow("web link") << u"https://example.com/t?p=1"_s << u"https://example.com/t?p=1"_s;
        QTest::newRow("bare address") << u"www.example.com"_s << u"http://www.example.com"_s;
        QTest::newRow("a file") << u"file:///etc/passwd"_s << QString();
    }

    void linksOpenInTheUsersBrowser()
    {
        // Never inside the window; anything but a web link is refused.
        QFETCH(QString, link);
        QFETCH(QString, opened);
        test::ScriptedPlatform platform;
        QWidget owner;
        PostEditor editor(&owner);
        LivePreviewWindow window(editor, platform, 20000, &owner);
        emit window.browser().anchorClicked(QUrl(link));
        QCOMPARE(platform.urlOpens.value(0).toString(), opened);
        const QString refused = u"لا تفتح المعاينة المباشرة إلا روابط الإنترنت، وهذا الرابط ليس منها:\n"_s;
        QCOMPARE(platform.messages.value(0).text, opened.isEmpty() ? refused + link : QString());
        QVERIFY(window.browser().source().isEmpty());
    }
};

QTEST_MAIN(TestLivePreview)
#include "tst_livepreview.moc"
