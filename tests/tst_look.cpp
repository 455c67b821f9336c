#include "coretest.h"
#include "modalwindow.h"
#include "platform/drawingstamp.h"
#include "platform/qtplatform.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "shell/form1table.h"
#include "shell/form3.h"
#include "shell/startup.h"
#include "ui/buttonpictures.h"
#include "ui/captionfit.h"
#include "ui/controlbuilder.h"
#include "ui/lookcache.h"

#include <QTest>
#include <QtWidgets>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

/** Saves a screenshot in the folder of the scale the windows are drawn at. */
bool screenshot(QWidget &widget, const QString &name)
{
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR");
    const QString folder = qEnvironmentVariable("ZARVELO_BINARY_DIR", QDir::currentPath()) + u"/screenshots"_s
        + (scale.isEmpty() ? QString() : u"/scale-"_s + scale);
    return QDir().mkpath(folder) && widget.grab().save(folder + u'/' + name + u".png"_s);
}

/** The caption of a control and the width its style leaves for it. */
std::pair<QString, int> captionAndRoom(QWidget *widget)
{
    const auto margin = [widget](QStyle::PixelMetric metric) {
        return 2 * widget->style()->pixelMetric(metric, nullptr, widget);
    };
    if (auto *check = qobject_cast<QCheckBox *>(widget))
        return {check->text(), checkBoxCaptionWidth(check)};
    if (auto *button = qobject_cast<QPushButton *>(widget))
        return {button->text(), button->width() - margin(QStyle::PM_ButtonMargin)};
    if (auto *frame = qobject_cast<QGroupBox *>(widget))
        return {frame->title(), frame->width() - margin(QStyle::PM_LayoutLeftMargin)};
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return {combo->currentText(), combo->isEditable() ? combo->lineEdit()->width() : combo->width()};
    if (auto *label = qobject_cast<QLabel *>(widget))
        return {label->text(), label->contentsRect().width()};
    return {};
}

/** Every caption of window (or the control itself) cut at its box's sides or its top and bottom. */
QStringList captionsCut(QWidget *window)
{
    QStringList cut;
    const QList<QWidget *> widgets = window->findChildren<QWidget *>() << window;
    for (QWidget *widget : widgets) {
        const auto [text, room] = captionAndRoom(widget);
        const auto *label = qobject_cast<QLabel *>(widget);
        const QFontMetrics metrics(widget->font());
        for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts)) {
            const bool tooWide = label && label->wordWrap() ? label->heightForWidth(room) > label->height()
                                                            : metrics.horizontalAdvance(line) > room;
            if (tooWide || metrics.height() > widget->height() + 2) // ascent and descent may take a hair
                cut << window->objectName() + u' ' + widget->objectName() + u' ' + line;
        }
    }
    return cut;
}

} // namespace

class TestLook : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QApplication::setLayoutDirection(Qt::RightToLeft);
        QApplication::setStyle(u"Fusion"_s);
        setUpArabicLook(*qobject_cast<QApplication *>(QCoreApplication::instance()));
        QVERIFY(QFile::copy(qEnvironmentVariable("ZARVELO_SOURCE_DIR") + u"/data/setting.vbe"_s,
                            m_dir.filePath(u"setting.vbe"_s)));
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }

    void designFontsHaveInstalledStandIns_data()
    {
        QTest::addColumn<QString>("design");
        QTest::addColumn<QStringList>("standIns");
        for (const FontStandIn &standIn : fontStandIns())
            QTest::newRow(standIn.designName) << QString::fromLatin1(standIn.designName) << standIn.families;
    }

    void designFontsHaveInstalledStandIns()
    {
        // A missing font package or a misspelt family would fall through to fontconfig's choice.
        QFETCH(QString, design);
        QFETCH(QStringList, standIns);
        const QString family = QFontInfo(QFont(design)).family().section(u" ["_s, 0, 0); // no foundry
        QVERIFY2(family == design || standIns.contains(family, Qt::CaseInsensitive), qPrintable(family));
    }

    void captionsFitAndWindowsAreShown()
    {
        test::ScriptedPlatform platform;
        Form1 form(platform);
        QVERIFY(form.formLoad());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QStringList cut = captionsCut(&form);
        // They fit at the sizes the windows give, not only once shrunk.
        for (std::size_t i = 0; i < form1Controls().size(); ++i) {
            const ControlDef &def = form1Controls()[i];
            if (form.controls().all[i]->font().pointSizeF()
                != (def.fontFamily ? def.fontPointSize : windowFont().pointSizeF()))
                cut << QLatin1String(def.name) + u" shrunk"_s;
        }
        QVERIFY(screenshot(form, u"form1"_s));
        form.resize(form.width() + 150, form.height()); // the banner shows in the gap
        QVERIFY(QTest::qWaitFor([&] { return form.controls().Label1->isVisible(); }));
        cut << captionsCut(form.controls().Label1);
        QVERIFY(screenshot(form, u"form1-wide"_s));
        QFile page(u"" ZARVELO_TEST_SOURCE_DIR "/tests/data/richtext/chromium.html"_s);
        QVERIFY(page.open(QIODevice::ReadOnly));
        platform.clipboardHolds = {QString::fromUtf8(page.readAll()), QString()};
        form.menu().PASTEMARKUP->trigger(); // a formatted Arabic page, pasted
        QVERIFY(screenshot(form, u"form1-pasted"_s));
        const auto grabModal = [&](QDialog &dialog) {
            cut << captionsCut(&dialog);
            if (dialog.font().pointSizeF() != windowFont().pointSizeF())
                cut << dialog.objectName() + u" shrunk"_s;
            if (!screenshot(dialog, dialog.objectName().toLower()))
                cut << dialog.objectName() + u" not saved"_s;
        };
        QVERIFY(test::inModal([&] { form.menu().DEFAULTFONT->trigger(); }, grabModal));
        QVERIFY(test::inModal([&] { form.menu().ABOUT->trigger(); }, grabModal));
        form.menu().find->trigger();
        auto *find = form.findChild<QWidget *>(u"Form2"_s);
        QVERIFY(find && QTest::qWaitForWindowExposed(find));
        cut << captionsCut(find);
        QVERIFY(screenshot(*find, u"form2"_s));
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u"; "_s)));
    }

    void aCaptionTooWideShrinksAlone()
    {
        // Another desktop's fonts may run wider than these: only the caption that does not fit shrinks.
        const QString text = u"عدم تمكين خاصية الخط الإفتراضي"_s;
        const int room = QFontMetrics(windowFont()).horizontalAdvance(text) * 9 / 10;
        QWidget window;
        window.setFont(windowFont());
        auto *wide = new QLabel(text, &window);
        auto *other = new QLabel(u"نعم"_s, &window);
        wide->setObjectName(u"wide"_s);
        other->setObjectName(u"other"_s);
        wide->setGeometry(0, 0, room, 20);
        other->setGeometry(0, 20, room, 20);
        fitEachCaption(&window);
        QVERIFY(QFontMetrics(wide->font()).horizontalAdvance(text) <= room);
        QVERIFY(wide->font().pointSizeF() < window.font().pointSizeF());
        QCOMPARE(other->font(), window.font());
    }

    void theDesktopFontStaysForMenusAndBoxes()
    {
        // The window font is only lent to Qt while the controls are built.
        const QFont desktop = QApplication::font();
        QVERIFY(desktop.family() != windowFont().family());
        test::ScriptedPlatform platform;
        Form1 form(platform);
        QCOMPARE(QApplication::font(), desktop);
        QCOMPARE(form.menu().tools->font(), desktop);
        QCOMPARE(form.controls().Combo3->font(), form.font());
    }

    void qtDialogsSpeakArabic()
    {
        QtPlatform platform;
        QStringList captions;
        bool saved = false;
        QVERIFY(test::inModal(
            [&] { platform.saveFileName(u"Text Files(*.txt)|*.txt"_s, m_dir.filePath(u"post.txt"_s)); },
            [&](QDialog &dialog) {
                for (const char *name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
                    captions << dialog.findChild<QLabel *>(QLatin1String(name))->text();
                saved = screenshot(dialog, u"filedialog"_s);
            }));
        QCOMPARE(captions.filter(QRegularExpression(u"\\p{Arabic}"_s)).size(), 3);
        QVERIFY(saved);
    }

    void picturesNeverBlank_data()
    {
        QTest::addColumn<QString>("button");
        for (int i = 0; i < 9; ++i)
            QTest::addRow("cmdBOLD_%d", i) << u"cmdBOLD_%1"_s.arg(i);
        for (int i = 0; i < 3; ++i)
            QTest::addRow("cmdPROM_%d", i) << u"cmdPROM_%1"_s.arg(i);
    }

    void picturesNeverBlank()
    {
        // Where no picture can be read (no SVG support), a drawn one stands in.
        QFETCH(QString, button);
        QTemporaryDir empty;
        const QSize size(21, 20);
        const QIcon drawn = buttonPicture(button, QFont(u"Tahoma"_s));
        const QIcon fallback = buttonPicture(button, QFont(u"Tahoma"_s), nullptr, empty.path());
        QVERIFY(drawsSomething(drawn, size) && drawsSomething(fallback, size));
        QVERIFY(drawn.pixmap(size).toImage() != fallback.pixmap(size).toImage());
    }

    void aboutWithoutItsBanner()
    {
        QTemporaryDir empty;
        Form3 about(nullptr, empty.filePath(u"banner.svg"_s));
        const auto *banner = about.findChild<QLabel *>(u"Image1"_s);
        QVERIFY(banner->pixmap().isNull() && banner->text().startsWith(QLatin1String("Zarvelo")));
        QVERIFY(Form3().findChild<QLabel *>(u"Image1"_s)->text().isEmpty());
    }

    void drawnLookIsKeptBetweenStarts()
    {
        QTemporaryDir cache;
        test::ScriptedPlatform platform;
        const QString file = cache.filePath(u"look"_s);
        // What a start shows: the drawn picture and every control's font.
        const auto shown = [&platform] {
            const Form1 form(platform);
            const QIcon icon = form.controls().presets[0]->icon();
            QStringList fonts;
            for (const QWidget *widget : form.findChildren<QWidget *>())
                fonts << widget->objectName() + u' ' + widget->font().toString();
            return std::pair(icon.pixmap(60, 40).toImage().convertToFormat(QImage::Format_ARGB32), fonts);
        };
        const auto kept = [&file](const QByteArray &stamp) {
            return LookCache(file, stamp).picture(u"Command3"_s).convertToFormat(QImage::Format_ARGB32);
        };
        // Drawn and measured afresh, then kept; the next start shows the same from what was kept.
        const auto [drawn, fonts] = shown();
        platform.cache = cache.path();
        QCOMPARE(shown(), std::pair(drawn, fonts));
        QVERIFY(drawsSomething(QIcon(QPixmap::fromImage(drawn)), drawn.size()));
        QCOMPARE(kept(drawingStamp()), drawn);
        QCOMPARE(shown(), std::pair(drawn, fonts));
        // What is kept is what is shown, without drawing or measuring again.
        QImage marked = drawn;
        marked.fill(Qt::red);
        LookCache changed(file, drawingStamp());
        changed.keepPicture(u"Command3"_s, marked);
        QByteArray measure = changed.measure(u"fit Label2"_s);
        QVERIFY(measure.endsWith("\n0"));
        changed.keepMeasure(u"fit Label2"_s, measure.chopped(1) + "7");
        QVERIFY(changed.save());
        const auto [markedShown, markedFonts] = shown();
        QCOMPARE(markedShown, marked);
        QCOMPARE(markedFonts.filter(QRegularExpression(u"^Label2 [^,]*,7,"_s)).size(), 1);
        // Under another stamp, or damaged, the file holds nothing and the next start replaces it.
        QVERIFY(kept("another stamp").isNull());
        QVERIFY(test::writeFile(file, test::contents(file).chopped(9)));
        QVERIFY(kept(drawingStamp()).isNull());
        QCOMPARE(shown(), std::pair(drawn, fonts));
        QCOMPARE(kept(drawingStamp()), drawn);
        // Where nothing can be written, only the keeping is lost.
        LookCache nowhere(u"/proc/zarvelo/pictures"_s, "stamp");
        nowhere.keepPicture(u"a"_s, marked);
        QVERIFY(!nowhere.save() && !nowhere.picture(u"a"_s).isNull());
        // The stamp follows the fonts: one more font changes it.
        const QByteArray before = drawingStamp();
        QVERIFY(QFontDatabase::addApplicationFont(u"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"_s) >= 0);
        QVERIFY(drawingStamp() != before);
        QFontDatabase::removeAllApplicationFonts();
    }
};

QTEST_MAIN(TestLook)
#include "tst_look.moc"
