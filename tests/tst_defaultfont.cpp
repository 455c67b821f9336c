#include "defaultfont/defaultfont.h"
#include "editing/editingcommands.h"
#include "defaultfont/defaultfonttemplate.h"
#include "defaultfont/frmdefaultfont.h"
#include "defaultfont/settingsfile.h"
#include "editing/posteditor.h"
#include "platform/textfile.h"
#include "scriptedplatform.h"
#include "shell/commondialog.h"
#include "shell/controlbuilder.h"
#include "shell/form1.h"
#include "shell/form1table.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace zarvelo;

Q_DECLARE_METATYPE(DefaultFontSettings)

namespace {

const QString kMarker = QStringLiteral("لا تغيير");
const QString kYes = QStringLiteral("نعم");
const QString kCentre = QStringLiteral("توسيط");
constexpr quint32 kRed = 255;
constexpr quint32 kBlue = 16711680;
const QColor kNavyColor(0, 0, 64);
const QColor kLightBlueColor(213, 230, 250);

DefaultFontSettings example()
{
    return {"0", "Tahoma", kCentre, "4", kYes, " 16711680"};
}

DefaultFontSettings allMarkers(const QString &disabled)
{
    return {disabled, kMarker, kMarker, kMarker, kMarker, kMarker};
}

void writeSettings(const QString &text, const QString &name = QStringLiteral("setting.vbe"))
{
    QVERIFY(writeWindows1256File(name, text).ok);
}

void writeSettings(const DefaultFontSettings &settings)
{
    writeSettings(settingsFileText(settings));
}

QString settingsOnDisk()
{
    return readWindows1256File(QStringLiteral("setting.vbe")).text;
}

QString label(const Form1 &form, const char *name)
{
    return form.control<QLabel>(QString::fromLatin1(name))->text();
}

template <typename T>
T *child(QWidget &window, const char *name)
{
    return window.findChild<T *>(QString::fromLatin1(name));
}

/**
 * Runs open(), answering every settings window it opens: look() gathers what
 * the test needs from the first one (and may press its buttons), then the
 * window is closed unless look() closed it. A repeating timer does the
 * closing, so a window opened unexpectedly, or twice, never hangs the test;
 * checks stay outside the modal loop. Returns how many windows opened.
 */
int runSettingsWindows(const std::function<void()> &open,
                       const std::function<void(frmdefaultfont &)> &look = {})
{
    int openings = 0;
    QPointer<frmdefaultfont> last;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto *window = qobject_cast<frmdefaultfont *>(QApplication::activeModalWidget());
        if (!window || window == last)
            return;
        last = window;
        if (++openings == 1 && look)
            look(*window);
        if (window->isVisible())
            window->reject();
    });
    closer.start();
    open();
    QCoreApplication::processEvents();
    closer.stop();
    return openings;
}

int openFromMenu(Form1 &form, const std::function<void(frmdefaultfont &)> &look = {})
{
    return runSettingsWindows([&] { form.menuAction(QStringLiteral("DEFAULTFONT"))->trigger(); }, look);
}

} // namespace

class TestDefaultFont : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUpWithoutSettingsEnds_data();
    void startUpWithoutSettingsEnds();
    void startUpAppliesTheTemplate_data();
    void startUpAppliesTheTemplate();
    void templateReplacesThePostAsOneUndoStep();

    void panelShowsTheRecord_data();
    void panelShowsTheRecord();
    void swatchSwapsWithTheMarker();
    void panelClicksOpenTheWindow_data();
    void panelClicksOpenTheWindow();
    void disabledPanelTakesNoClicks();

    void settingsWindowControls();
    void settingsWindowStartsFromTheFile_data();
    void settingsWindowStartsFromTheFile();
    void offSwitchGreysNineInputs();
    void colorButton_data();
    void colorButton();
    void colorDialogStartsBlackAtEveryOpening();
    void okWritesFileRecordAndPanel_data();
    void okWritesFileRecordAndPanel();
    void cancelAndCloseBoxLeaveEverything_data();
    void cancelAndCloseBoxLeaveEverything();

    void unreadableFileKeepsTheProgramRunning_data();
    void unreadableFileKeepsTheProgramRunning();
    void failedWriteKeepsTheWindowOpen();
    void unencodableValueIsRefused();

    void renderToPng();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_oldCurrent;
};

void TestDefaultFont::initTestCase()
{
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QApplication::setStyle(QStringLiteral("Fusion"));
    qRegisterMetaType<DefaultFontSettings>();
}

void TestDefaultFont::init()
{
    // The settings file is found in the current working directory.
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_oldCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestDefaultFont::cleanup()
{
    QDir::setCurrent(m_oldCurrent);
    m_dir.reset();
}

void TestDefaultFont::startUpWithoutSettingsEnds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("no file") << QString() << QString();
    QTest::newRow("five lines") << "setting.vbe" << QStringLiteral("\"0\"\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n");
    QTest::newRow("empty file") << "setting.vbe" << QString();
    QTest::newRow("another name") << "settings.vbe" << settingsFileText(example());
}

void TestDefaultFont::startUpWithoutSettingsEnds()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    if (!name.isEmpty())
        writeSettings(text, name);
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(!form.formLoad());
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages[0].text, QStringLiteral("هناك عطل في البرنامج\r\n\r\nتأكد من وجود الملف:\r\n\r\nsetting.vbe"));
    QCOMPARE(platform.messages[0].title, QStringLiteral("Zarvelo"));
    QCOMPARE(platform.messages[0].icon, MessageIcon::None);
    QCOMPARE(platform.endedWith, QList<int>{1});
    // Nothing after the failed read ran: no template, no window.
    QCOMPARE(form.editor().text(), form1DesignText());
    QVERIFY(!form.isVisible());
}

void TestDefaultFont::startUpAppliesTheTemplate_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<DefaultFontSettings>("settings");
    QTest::addColumn<QString>("colorHex");
    QTest::newRow("example") << "setting.vbe" << example() << "0000FF";
    QTest::newRow("installed file") << "setting.vbe" << allMarkers("0") << "";
    QTest::newRow("off") << "setting.vbe" << DefaultFontSettings{"1", "Arial", kCentre, "2", kYes, " 255"} << "";
    QTest::newRow("capitals") << "SETTING.VBE" << example() << "0000FF";
}

void TestDefaultFont::startUpAppliesTheTemplate()
{
    QFETCH(QString, name);
    QFETCH(DefaultFontSettings, settings);
    QFETCH(QString, colorHex);
    writeSettings(settingsFileText(settings), name);
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    QVERIFY(platform.messages.isEmpty());
    QVERIFY(platform.endedWith.isEmpty());
    QVERIFY(form.defaultFont().settings() == settings);
    QCOMPARE(label(form, "Label10"), panelFontName(settings.FontName));

    const DefaultFontTemplate post = buildDefaultFontTemplate(settings);
    QCOMPARE(form.editor().text(), post.text);
    QCOMPARE(form.editor().selStart(), post.selStart);
    QCOMPARE(form.editor().selLength(), 22);
    QCOMPARE(form.editor().selText(), form1DesignText());
    QCOMPARE(form.editingCommands().colorHex(), colorHex);

    // The editor has the focus, so the first keystrokes replace the placeholder.
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), &form.editor());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
    QCOMPARE(form.editor().text(), QString(post.text).replace(post.selStart, 22, QStringLiteral("abc")));
}

void TestDefaultFont::templateReplacesThePostAsOneUndoStep()
{
    writeSettings(example());
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    const QString once = form.editor().text();
    QCOMPARE(once.size(), 109);
    QCOMPARE(form.editor().selStart(), 50);

    form.editor().setText(QStringLiteral("a post never saved\r\nline two"));
    form.defaultFont().APPLYDEFAULTFONT();
    QCOMPARE(form.editor().text(), once);
    form.defaultFont().APPLYDEFAULTFONT();
    QCOMPARE(form.editor().text(), once); // replaced, not wrapped again
    QCOMPARE(form.editor().selStart(), 50);
    form.editor().undo();
    QCOMPARE(form.editor().text(), once);
    form.editor().undo();
    QCOMPARE(form.editor().text(), QStringLiteral("a post never saved\r\nline two"));
}

void TestDefaultFont::panelShowsTheRecord_data()
{
    QTest::addColumn<DefaultFontSettings>("settings");
    QTest::addColumn<QString>("fontName");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("example") << example() << "Tahoma" << true;
    QTest::newRow("15 characters whole") << DefaultFontSettings{"0", "Times New Roman", "x", "7", kYes, kMarker}
                                          << "Times New Roman" << true;
    QTest::newRow("cut to 15 and ..") << DefaultFontSettings{"0", "Microsoft Sans Serif", kCentre, "1", kMarker, " 255"}
                                      << "Microsoft Sans .." << true;
    QTest::newRow("marker") << allMarkers("0") << kMarker << true;
    QTest::newRow("off") << DefaultFontSettings{"1", "Simplified Arabic", kCentre, "3", kYes, " 65280"}
                         << "Simplified Arab.." << false;
    QTest::newRow("hand-edited 2 is off") << allMarkers("2") << kMarker << false;
}

void TestDefaultFont::panelShowsTheRecord()
{
    QFETCH(DefaultFontSettings, settings);
    QFETCH(QString, fontName);
    QFETCH(bool, enabled);
    writeSettings(settings);
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    QCOMPARE(label(form, "Label10"), fontName);
    QCOMPARE(label(form, "Label4"), settings.Bold);
    QCOMPARE(label(form, "Label5"), settings.Alignment);
    QCOMPARE(label(form, "Label9"), settings.FontSize);
    QCOMPARE(form.control<QWidget>(QStringLiteral("Frame2"))->isEnabled(), enabled);
    for (int i = 2; i <= 10; ++i) {
        auto *shown = form.control<QLabel>(QStringLiteral("Label%1").arg(i));
        QCOMPARE(shown->isEnabled(), enabled);
        QVERIFY2(shown->sizeHint().width() <= shown->width(), qPrintable(shown->text())); // not cut
    }
    // The menu item stays available whatever the panel's state.
    QVERIFY(form.menuAction(QStringLiteral("DEFAULTFONT"))->isEnabled());
}

void TestDefaultFont::swatchSwapsWithTheMarker()
{
    writeSettings(example());
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    auto *swatch = form.control<QLabel>(QStringLiteral("Label7"));
    auto checkSwatch = [&](const QColor &ground) {
        QCOMPARE(swatch->text(), QString());
        QCOMPARE(swatch->frameShape(), QFrame::Box);
        QCOMPARE(swatch->geometry(), twipsRect(360, 1160, 375, 230));
        QCOMPARE(swatch->palette().color(QPalette::Window), ground);
    };
    auto checkMarker = [&] {
        QCOMPARE(swatch->text(), kMarker);
        QCOMPARE(swatch->frameShape(), QFrame::NoFrame);
        QCOMPARE(swatch->geometry(), twipsRect(120, 1160, 615, 230));
        QCOMPARE(swatch->palette().color(QPalette::Window), kNavyColor);
        QCOMPARE(swatch->palette().color(QPalette::WindowText), kLightBlueColor);
    };
    checkSwatch(QColor(0, 0, 255));

    DefaultFontSettings settings = example();
    settings.FontColor = kMarker;
    QVERIFY(form.defaultFont().saveSettings(settings));
    checkMarker();
    settings.FontColor = QStringLiteral(" 32768"); // green 128
    QVERIFY(form.defaultFont().saveSettings(settings));
    checkSwatch(QColor(0, 128, 0));
    settings.FontColor = kMarker;
    QVERIFY(form.defaultFont().saveSettings(settings));
    checkMarker();
}

void TestDefaultFont::panelClicksOpenTheWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Frame2") << "Frame2";
    for (int i = 2; i <= 10; ++i)
        QTest::newRow(qPrintable(QStringLiteral("Label%1").arg(i))) << QStringLiteral("Label%1").arg(i);
}

void TestDefaultFont::panelClicksOpenTheWindow()
{
    QFETCH(QString, name);
    writeSettings(example());
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QWidget *target = form.control<QWidget>(name);
    bool ownedByForm = false;
    const int openings = runSettingsWindows([&] { QTest::mouseClick(target, Qt::LeftButton); },
                                            [&](frmdefaultfont &window) {
                                                ownedByForm = window.parentWidget() == &form && window.isModal();
                                            });
    QCOMPARE(openings, 1); // once: a label's click does not reach the frame too
    QVERIFY(ownedByForm);
    // Closed means gone.
    QVERIFY(!form.findChild<frmdefaultfont *>());
}

void TestDefaultFont::disabledPanelTakesNoClicks()
{
    writeSettings(allMarkers("1"));
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (const char *name : {"Frame2", "Label2", "Label4", "Label7", "Label10"}) {
        QWidget *target = form.control<QWidget>(QString::fromLatin1(name));
        QCOMPARE(runSettingsWindows([&] { QTest::mouseClick(target, Qt::LeftButton); }), 0);
    }
    QCOMPARE(openFromMenu(form), 1);
}

void TestDefaultFont::settingsWindowControls()
{
    writeSettings(example());
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());

    QString title;
    QSize size;
    bool fixed = false, okDefault = false, enterSaved = false;
    QStringList fonts, alignments, sizes, tabOrder, captions, clipped;
    QColor windowGround, labelText, labelGround, buttonFace, comboGround;
    openFromMenu(form, [&](frmdefaultfont &window) {
        title = window.windowTitle();
        size = window.size();
        fixed = window.minimumSize() == window.maximumSize();
        for (int i = 0; i < child<QComboBox>(window, "Combo1")->count(); ++i)
            fonts << child<QComboBox>(window, "Combo1")->itemText(i);
        for (int i = 0; i < child<QComboBox>(window, "Combo2")->count(); ++i)
            alignments << child<QComboBox>(window, "Combo2")->itemText(i);
        for (int i = 0; i < child<QComboBox>(window, "Combo3")->count(); ++i)
            sizes << child<QComboBox>(window, "Combo3")->itemText(i);
        QWidget *widget = child<QWidget>(window, "Combo1");
        for (int i = 0; i < 8 && widget; ++i) {
            tabOrder << widget->objectName();
            do
                widget = widget->nextInFocusChain();
            while (widget && (widget->focusPolicy() & Qt::TabFocus) == 0);
        }
        for (const char *name : {"Label2", "Label3", "Label4", "Label1", "Check1", "Check2", "Command1",
                                 "Command2", "Command3"})
            captions << (qobject_cast<QAbstractButton *>(child<QWidget>(window, name))
                             ? child<QAbstractButton>(window, name)->text()
                             : child<QLabel>(window, name)->text());
        windowGround = window.palette().color(QPalette::Window);
        labelText = child<QWidget>(window, "Label3")->palette().color(QPalette::WindowText);
        labelGround = child<QWidget>(window, "Check1")->palette().color(QPalette::Window);
        comboGround = child<QWidget>(window, "Combo2")->palette().color(QPalette::Button);
        buttonFace = child<QWidget>(window, "Command3")->palette().color(QPalette::Button);
        okDefault = child<QPushButton>(window, "Command2")->isDefault();
        // Labels draw their whole width; a check box's caption has the room
        // beside its indicator.
        for (QLabel *caption : window.findChildren<QLabel *>())
            if (caption->sizeHint().width() > caption->width())
                clipped << caption->objectName();
        for (QCheckBox *box : window.findChildren<QCheckBox *>()) {
            QStyleOptionButton option;
            option.initFrom(box);
            option.text = box->text();
            const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
            if (box->fontMetrics().horizontalAdvance(box->text()) > room.width())
                clipped << box->objectName();
        }
        // Enter presses OK: the file is written again and the window closes.
        QFile::remove(QStringLiteral("setting.vbe"));
        QTest::keyClick(&window, Qt::Key_Return);
        enterSaved = window.isHidden() && QFile::exists(QStringLiteral("setting.vbe"));
    });
    QCOMPARE(title, QStringLiteral("إعدادات الخط الإفتراضي"));
    QCOMPARE(size, QSize(204, 162));
    QVERIFY(fixed);
    QCOMPARE(fonts, form1FontNames() << kMarker);
    QCOMPARE(fonts.size(), 16);
    QCOMPARE(alignments, QStringList({kCentre, QStringLiteral("يمين"), QStringLiteral("يسار"), kMarker}));
    QCOMPARE(sizes, QStringList({"1", "2", "3", "4", "5", "6", "7", kMarker}));
    QCOMPARE(tabOrder, QStringList({"Combo1", "Combo2", "Check2", "Combo3", "Command1", "Check1", "Command2",
                                    "Command3"}));
    QCOMPARE(captions, QStringList({QStringLiteral("نوع الخط"), QStringLiteral("المحاذاة"),
                                    QStringLiteral("الحــجــم"), QStringLiteral("اللون"),
                                    QStringLiteral("عدم تمكين خاصية الخط الإفتراضي"), QStringLiteral("عـريــض"),
                                    QString(), QStringLiteral("موافق"), QStringLiteral("إلغاء")}));
    QCOMPARE(windowGround, kNavyColor);
    QCOMPARE(labelText, kLightBlueColor);
    QCOMPARE(labelGround, kNavyColor);
    QCOMPARE(comboGround, kNavyColor);
    QCOMPARE(buttonFace, kLightBlueColor);
    QVERIFY(okDefault);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(" "))); // every caption reads whole
    QVERIFY(enterSaved);
    QCOMPARE(settingsOnDisk(), settingsFileText(example()));
}

void TestDefaultFont::settingsWindowStartsFromTheFile_data()
{
    QTest::addColumn<DefaultFontSettings>("settings");
    QTest::addColumn<QStringList>("shown"); // Combo1, Combo2, Combo3
    QTest::addColumn<bool>("off");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("colorCaption");
    QTest::newRow("example") << example() << QStringList{"Tahoma", kCentre, "4"} << false << true << "";
    QTest::newRow("off 1") << DefaultFontSettings{"1", "Arial", "يسار", "7", kMarker, kMarker}
                           << QStringList{"Arial", "يسار", "7"} << true << false << kMarker;
    QTest::newRow("hand-edited 2 shows unticked") << allMarkers("2") << QStringList{kMarker, kMarker, kMarker}
                                                  << false << false << kMarker;
    QTest::newRow("hand-edited values match no item")
        << DefaultFontSettings{"0", "Comic", "middle", "9", "yes", " 255"} << QStringList{"", "", ""} << false
        << true << "";
}

void TestDefaultFont::settingsWindowStartsFromTheFile()
{
    QFETCH(DefaultFontSettings, settings);
    QFETCH(QStringList, shown);
    QFETCH(bool, off);
    QFETCH(bool, bold);
    QFETCH(QString, colorCaption);
    writeSettings(allMarkers("0"));
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    // Changed behind the program's back: the window reads the file again.
    writeSettings(settings);

    QStringList seen;
    bool offTicked = false, boldTicked = false, inputsEnabled = false;
    QString caption;
    DefaultFontSettings wouldWrite;
    openFromMenu(form, [&](frmdefaultfont &window) {
        for (const char *name : {"Combo1", "Combo2", "Combo3"})
            seen << child<QComboBox>(window, name)->currentText();
        offTicked = child<QCheckBox>(window, "Check1")->isChecked();
        boldTicked = child<QCheckBox>(window, "Check2")->isChecked();
        inputsEnabled = child<QWidget>(window, "Combo1")->isEnabled();
        caption = child<QPushButton>(window, "Command1")->text();
        wouldWrite = window.chosenSettings();
    });
    QCOMPARE(seen, shown);
    QCOMPARE(offTicked, off);
    QCOMPARE(inputsEnabled, !off);
    QCOMPARE(boldTicked, bold);
    QCOMPARE(caption, colorCaption);
    // OK without a change writes back what was read; "2" becomes "0", and a
    // value no item matches is kept rather than emptied.
    DefaultFontSettings expected = settings;
    if (expected.Disabled == QLatin1String("2"))
        expected.Disabled = QStringLiteral("0");
    if (expected.Bold == QLatin1String("yes"))
        expected.Bold = kYes;
    QVERIFY(wouldWrite == expected);
}

void TestDefaultFont::offSwitchGreysNineInputs()
{
    writeSettings(example());
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    const QStringList nine{"Combo1", "Combo2", "Combo3", "Label1", "Label2", "Label3", "Label4", "Check2", "Command1"};
    QList<QList<bool>> states; // per step: the nine, then Check1, OK, Cancel
    openFromMenu(form, [&](frmdefaultfont &window) {
        auto record = [&] {
            QList<bool> enabled;
            for (const QString &name : nine)
                enabled << window.findChild<QWidget *>(name)->isEnabled();
            for (const char *name : {"Check1", "Command2", "Command3"})
                enabled << child<QWidget>(window, name)->isEnabled();
            states << enabled;
        };
        record();
        child<QCheckBox>(window, "Check1")->click();
        record();
        child<QCheckBox>(window, "Check1")->click();
        record();
    });
    QCOMPARE(states.size(), 3);
    const QList<bool> on(12, true);
    QList<bool> off(9, false);
    off << true << true << true;
    QCOMPARE(states[0], on);
    QCOMPARE(states[1], off);
    QCOMPARE(states[2], on);
}

void TestDefaultFont::colorButton_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QList<qint64>>("answers"); // -1: the dialog is cancelled
    QTest::addColumn<QString>("caption");
    QTest::addColumn<quint32>("ground");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QList<quint32>>("starts");
    const quint32 lightBlue = 16443093;
    using L = QList<qint64>;
    using S = QList<quint32>;
    QTest::newRow("saved colour, cancel at first click")
        << " 16711680" << L{-1} << kMarker << lightBlue << kMarker << S{0};
    QTest::newRow("saved colour, black") << " 16711680" << L{0} << kMarker << lightBlue << kMarker << S{0};
    QTest::newRow("saved colour, the same colour again")
        << " 16711680" << L{kBlue} << "" << kBlue << " 16711680" << S{0};
    QTest::newRow("no colour, red") << kMarker << L{kRed} << "" << kRed << " 255" << S{0};
    QTest::newRow("red, then cancel keeps red") << kMarker << L{kRed, -1} << "" << kRed << " 255" << S{0, kRed};
    QTest::newRow("red, then red again") << kMarker << L{kRed, kRed} << "" << kRed << " 255" << S{0, kRed};
    QTest::newRow("red, then black") << kMarker << L{kRed, 0} << kMarker << lightBlue << kMarker << S{0, kRed};
    QTest::newRow("red, then blue") << kMarker << L{kRed, kBlue} << "" << kBlue << " 16711680" << S{0, kRed};
    QTest::newRow("no colour, cancel") << kMarker << L{-1} << kMarker << lightBlue << kMarker << S{0};
}

void TestDefaultFont::colorButton()
{
    QFETCH(QString, saved);
    QFETCH(QList<qint64>, answers);
    QFETCH(QString, caption);
    QFETCH(quint32, ground);
    QFETCH(QString, stored);
    QFETCH(QList<quint32>, starts);
    DefaultFontSettings settings = example();
    settings.FontColor = saved;
    writeSettings(settings);
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    for (qint64 answer : answers)
        platform.colorAnswers.enqueue(answer < 0 ? std::nullopt : std::optional<quint32>(quint32(answer)));

    QString shownCaption;
    quint32 shownGround = 0;
    QColor face;
    openFromMenu(form, [&](frmdefaultfont &window) {
        auto *button = child<QPushButton>(window, "Command1");
        for (int i = 0; i < answers.size(); ++i)
            button->click();
        shownCaption = button->text();
        shownGround = window.colorButtonColor();
        face = button->palette().color(QPalette::Button);
        child<QPushButton>(window, "Command2")->click();
    });
    QCOMPARE(platform.colorDialogStarts, starts);
    QCOMPARE(platform.unexpectedCalls, 0);
    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownGround, ground);
    QCOMPARE(face, QColor(ground & 0xFF, (ground >> 8) & 0xFF, (ground >> 16) & 0xFF));
    QCOMPARE(form.defaultFont().settings().FontColor, stored);
    settings.FontColor = stored;
    QCOMPARE(settingsOnDisk(), settingsFileText(settings));
}

void TestDefaultFont::colorDialogStartsBlackAtEveryOpening()
{
    writeSettings(allMarkers("0"));
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    form.commonDialog().setColor(kBlue); // the main window's own dialog plays no part
    platform.colorAnswers.enqueue(kRed);
    platform.colorAnswers.enqueue(std::nullopt);
    for (int opening = 0; opening < 2; ++opening) {
        openFromMenu(form, [&](frmdefaultfont &window) {
            child<QPushButton>(window, "Command1")->click();
            child<QPushButton>(window, "Command2")->click();
        });
    }
    QCOMPARE(platform.colorDialogStarts, QList<quint32>({0, 0}));
    // The second opening showed red from the file; the cancel at its first
    // click returned the button to no colour.
    QCOMPARE(form.defaultFont().settings().FontColor, kMarker);
    QCOMPARE(form.commonDialog().color(), kBlue);
}

void TestDefaultFont::okWritesFileRecordAndPanel_data()
{
    QTest::addColumn<DefaultFontSettings>("start");
    QTest::addColumn<QStringList>("choose"); // Combo1, Combo2, Combo3 texts; "" leaves it
    QTest::addColumn<int>("bold");           // -1 leaves it
    QTest::addColumn<int>("off");
    QTest::addColumn<DefaultFontSettings>("expected");
    QTest::newRow("unchanged is written too") << example() << QStringList{"", "", ""} << -1 << -1 << example();
    QTest::newRow("everything to no change")
        << DefaultFontSettings{"0", "Arial", kCentre, "4", kYes, kMarker} << QStringList{kMarker, kMarker, kMarker}
        << 0 << 0 << allMarkers("0");
    QTest::newRow("switched off") << example() << QStringList{"", "", ""} << -1 << 1
                                  << DefaultFontSettings{"1", "Tahoma", kCentre, "4", kYes, " 16711680"};
    QTest::newRow("new choices") << allMarkers("0")
                                 << QStringList{"Microsoft Sans Serif", QStringLiteral("يمين"), "7"} << 1 << 0
                                 << DefaultFontSettings{"0", "Microsoft Sans Serif", QStringLiteral("يمين"), "7", kYes,
                                                        kMarker};
    QTest::newRow("2 unticked stores 0") << allMarkers("2") << QStringList{"", "", ""} << -1 << -1
                                         << allMarkers("0");
}

void TestDefaultFont::okWritesFileRecordAndPanel()
{
    QFETCH(DefaultFontSettings, start);
    QFETCH(QStringList, choose);
    QFETCH(int, bold);
    QFETCH(int, off);
    QFETCH(DefaultFontSettings, expected);
    writeSettings(start);
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    form.editor().setText(QStringLiteral("my post"));

    bool closed = false;
    openFromMenu(form, [&](frmdefaultfont &window) {
        const char *combos[] = {"Combo1", "Combo2", "Combo3"};
        for (int i = 0; i < 3; ++i)
            if (!choose[i].isEmpty())
                child<QComboBox>(window, combos[i])->setCurrentText(choose[i]);
        if (bold >= 0)
            child<QCheckBox>(window, "Check2")->setChecked(bold);
        if (off >= 0)
            child<QCheckBox>(window, "Check1")->setChecked(off);
        child<QPushButton>(window, "Command2")->click();
        closed = window.isHidden() && window.result() == QDialog::Accepted;
    });
    QVERIFY(closed);
    QCOMPARE(settingsOnDisk(), settingsFileText(expected));
    QVERIFY(form.defaultFont().settings() == expected);
    QVERIFY(platform.messages.isEmpty());
    // The panel shows the new values at once; the post is not touched.
    QCOMPARE(label(form, "Label10"), panelFontName(expected.FontName));
    QCOMPARE(label(form, "Label4"), expected.Bold);
    QCOMPARE(label(form, "Label5"), expected.Alignment);
    QCOMPARE(label(form, "Label9"), expected.FontSize);
    QCOMPARE(form.control<QWidget>(QStringLiteral("Frame2"))->isEnabled(), expected.Disabled == "0");
    QCOMPARE(form.editor().text(), QStringLiteral("my post"));
}

void TestDefaultFont::cancelAndCloseBoxLeaveEverything_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("cancel") << false;
    QTest::newRow("close box") << true;
}

void TestDefaultFont::cancelAndCloseBoxLeaveEverything()
{
    QFETCH(bool, closeBox);
    writeSettings(example());
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    const QString panelBefore = label(form, "Label10") + label(form, "Label4") + label(form, "Label5");
    platform.colorAnswers.enqueue(kRed);
    bool closed = false;
    openFromMenu(form, [&](frmdefaultfont &window) {
        child<QComboBox>(window, "Combo1")->setCurrentText("Arial");
        child<QComboBox>(window, "Combo2")->setCurrentText(kMarker);
        child<QComboBox>(window, "Combo3")->setCurrentText("1");
        child<QCheckBox>(window, "Check2")->setChecked(false);
        child<QCheckBox>(window, "Check1")->setChecked(true);
        child<QPushButton>(window, "Command1")->click();
        if (closeBox)
            window.close();
        else
            child<QPushButton>(window, "Command3")->click();
        closed = window.isHidden() && window.result() == QDialog::Rejected;
    });
    QVERIFY(closed);
    QCOMPARE(settingsOnDisk(), settingsFileText(example()));
    QVERIFY(form.defaultFont().settings() == example());
    QCOMPARE(label(form, "Label10") + label(form, "Label4") + label(form, "Label5"), panelBefore);
    QVERIFY(form.control<QWidget>(QStringLiteral("Frame2"))->isEnabled());
}

void TestDefaultFont::unreadableFileKeepsTheProgramRunning_data()
{
    QTest::addColumn<QString>("replacement"); // "-": the file is removed
    QTest::newRow("removed") << "-";
    QTest::newRow("cut to five lines") << QStringLiteral("\"1\"\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n");
}

void TestDefaultFont::unreadableFileKeepsTheProgramRunning()
{
    QFETCH(QString, replacement);
    writeSettings(example());
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    form.editor().setText(QStringLiteral("a post worth keeping"));
    if (replacement == QLatin1String("-"))
        QVERIFY(QFile::remove(QStringLiteral("setting.vbe")));
    else
        writeSettings(replacement);

    const int openings = openFromMenu(form);
    QCOMPARE(openings, 0);
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages[0].text, settingsMissingMessage());
    QVERIFY(platform.endedWith.isEmpty());
    QCOMPARE(form.editor().text(), QStringLiteral("a post worth keeping"));
    QVERIFY(form.defaultFont().settings() == example());
    QCOMPARE(label(form, "Label10"), QStringLiteral("Tahoma"));
}

void TestDefaultFont::failedWriteKeepsTheWindowOpen()
{
    writeSettings(example());
    test::ScriptedPlatform platform;
    platform.failWritesTo = QStringLiteral("setting.vbe");
    Form1 form(platform);
    QVERIFY(form.formLoad());

    bool stillOpen = false;
    QString fontShown;
    openFromMenu(form, [&](frmdefaultfont &window) {
        child<QComboBox>(window, "Combo1")->setCurrentText("Verdana");
        child<QCheckBox>(window, "Check1")->setChecked(true);
        child<QPushButton>(window, "Command2")->click();
        stillOpen = window.isVisible();
        fontShown = child<QComboBox>(window, "Combo1")->currentText();
    });
    QVERIFY(stillOpen);
    QCOMPARE(fontShown, QStringLiteral("Verdana"));
    QCOMPARE(platform.messages.size(), 1);
    const QString path = QDir::toNativeSeparators(QDir::current().absoluteFilePath("setting.vbe"));
    QVERIFY2(platform.messages[0].text.contains(path), qPrintable(platform.messages[0].text));
    QVERIFY(platform.messages[0].text.contains(QStringLiteral("Permission denied")));
    QCOMPARE(platform.messages[0].title, QStringLiteral("Zarvelo"));
    QVERIFY(platform.endedWith.isEmpty());
    QCOMPARE(settingsOnDisk(), settingsFileText(example()));
    QVERIFY(form.defaultFont().settings() == example());
    QCOMPARE(label(form, "Label10"), QStringLiteral("Tahoma"));
    QVERIFY(form.control<QWidget>(QStringLiteral("Frame2"))->isEnabled());
}

void TestDefaultFont::unencodableValueIsRefused()
{
    writeSettings(example());
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    DefaultFontSettings settings = example();
    settings.FontName = QStringLiteral("Emoji \U0001F600");
    QVERIFY(!form.defaultFont().saveSettings(settings));
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages[0].text.contains(QStringLiteral("setting.vbe")));
    QCOMPARE(settingsOnDisk(), settingsFileText(example()));
    QVERIFY(form.defaultFont().settings() == example());
    QCOMPARE(label(form, "Label10"), QStringLiteral("Tahoma"));
}

void TestDefaultFont::renderToPng()
{
    const QString dir = QString::fromLocal8Bit(qgetenv("ZARVELO_BINARY_DIR"));
    writeSettings(DefaultFontSettings{"0", "Microsoft Sans Serif", kCentre, "4", kYes, " 16711680"});
    test::ScriptedPlatform platform;
    Form1 form(platform);
    QVERIFY(form.formLoad());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QPixmap panel = form.control<QWidget>(QStringLiteral("Frame2"))->grab();
    QVERIFY(!panel.isNull());
    QPixmap windowShot;
    openFromMenu(form, [&](frmdefaultfont &window) { windowShot = window.grab(); });
    QCOMPARE(windowShot.size(), QSize(204, 162));
    // The same panel without a colour and switched off.
    QVERIFY(form.defaultFont().saveSettings(allMarkers("1")));
    const QPixmap offPanel = form.control<QWidget>(QStringLiteral("Frame2"))->grab();
    QPixmap offWindowShot;
    openFromMenu(form, [&](frmdefaultfont &window) { offWindowShot = window.grab(); });
    if (!dir.isEmpty()) {
        const auto big = [](const QPixmap &p) { return p.scaled(p.size() * 3, Qt::KeepAspectRatio, Qt::FastTransformation); };
        QVERIFY(big(panel).save(dir + QStringLiteral("/defaultfont-panel.png")));
        QVERIFY(big(offPanel).save(dir + QStringLiteral("/defaultfont-panel-off.png")));
        QVERIFY(big(windowShot).save(dir + QStringLiteral("/frmdefaultfont.png")));
        QVERIFY(big(offWindowShot).save(dir + QStringLiteral("/frmdefaultfont-off.png")));
    }
}

QTEST_MAIN(TestDefaultFont)
#include "tst_defaultfont.moc"
