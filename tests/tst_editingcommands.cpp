#include "editing/editingcommands.h"
#include "editing/posteditor.h"
#include "editing/tagtables.h"
#include "scriptedplatform.h"
#include "shell/commondialog.h"
#include "shell/form1.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace zarvelo;

namespace {

const QString kPlaceholder = QStringLiteral("نــــوع الـخــــــــط");

/** A main window on the scripted platform, its post set and nothing to undo. */
struct Window
{
    test::ScriptedPlatform platform;
    Form1 form{platform};

    explicit Window(const QString &text = QStringLiteral("abc"), qsizetype start = 0, qsizetype length = 3)
    {
        editor().setText(text);
        editor().document()->clearUndoRedoStacks();
        editor().select(start, length);
    }
    PostEditor &editor() { return form.editor(); }
    EditingCommands &commands() { return form.editingCommands(); }
    void click(const QString &name)
    {
        QPushButton *button = form.control<QPushButton>(name);
        QVERIFY2(button, qPrintable(name));
        button->click();
    }
    /** Picks an entry of a list the way a user does: chosen, then activated. */
    void pick(const QString &name, const QString &entry)
    {
        auto *combo = form.control<QComboBox>(name);
        const int index = combo->findText(entry);
        QVERIFY2(index >= 0, qPrintable(entry));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    QString comboText(const QString &name) { return form.control<QComboBox>(name)->currentText(); }
    void ctrlZ() { QTest::keyClick(&editor(), Qt::Key_Z, Qt::ControlModifier); }
};

} // namespace

#define COMPARE_SELECTION(w, start, length)                \
    do {                                                   \
        QCOMPARE((w).editor().selStart(), qsizetype(start));   \
        QCOMPARE((w).editor().selLength(), qsizetype(length)); \
    } while (false)

class TestEditingCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void tagsWrapTheSelection_data();
    void tagsWrapTheSelection();
    void tagsNest();
    void nothingSelectedAsksNothingAndChangesNothing_data();
    void nothingSelectedAsksNothingAndChangesNothing();
    void promptedTags_data();
    void promptedTags();
    void fontList();
    void sizeList();
    void colour_data();
    void colour();
    void presets_data();
    void presets();
    void phrases();
    void copyThePost();
    void flipDirection();
    void focusOnlyOnSuccess();
};

void TestEditingCommands::tagsWrapTheSelection_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("start");
    QTest::addColumn<qsizetype>("length");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<qsizetype>("added");

    const QString line = QStringLiteral("one abc two");
    const QList<std::tuple<const char *, int>> tags{
        {"B", 7}, {"I", 7}, {"U", 7}, {"LEFT", 13}, {"CENTER", 17}, {"RIGHT", 15}, {"CODE", 13}, {"HTML", 13}, {"PHP", 11}};
    for (int i = 0; i < tags.size(); ++i) {
        const auto [tag, added] = tags[i];
        const QString name = QString::fromLatin1(tag);
        QTest::addRow("%s in a line", tag)
            << i << line << qsizetype(4) << qsizetype(3)
            << QStringLiteral("one [%1]abc[/%1] two").arg(name) << qsizetype(added);
    }
    QTest::newRow("several lines as one piece")
        << 0 << QStringLiteral("a\r\nbc\r\nd") << qsizetype(1) << qsizetype(6)
        << QStringLiteral("a[B]\r\nbc\r\n[/B]d") << qsizetype(7);
    QTest::newRow("only spaces") << 1 << QStringLiteral("a   b") << qsizetype(1) << qsizetype(3)
                                 << QStringLiteral("a[I]   [/I]b") << qsizetype(7);
    QTest::newRow("from position 0") << 2 << QStringLiteral("abc def") << qsizetype(0) << qsizetype(3)
                                     << QStringLiteral("[U]abc[/U] def") << qsizetype(7);
    QTest::newRow("to the end of the post") << 8 << QStringLiteral("x\r\necho 1;") << qsizetype(3)
                                            << qsizetype(7) << QStringLiteral("x\r\n[PHP]echo 1;[/PHP]")
                                            << qsizetype(11);
    QTest::newRow("the whole post") << 4 << QStringLiteral("abc") << qsizetype(0) << qsizetype(3)
                                    << QStringLiteral("[CENTER]abc[/CENTER]") << qsizetype(17);
    QTest::newRow("Arabic text") << 0 << QStringLiteral("بسم الله") << qsizetype(4) << qsizetype(4)
                                 << QStringLiteral("بسم [B]الله[/B]") << qsizetype(7);

    // Far past the 16-bit limit, on lines of CR LF, with a selection longer
    // than 32 767 characters too.
    const QString lines = QStringLiteral("0123456789abcdefghijklmnopqrstu\r\n").repeated(2000); // 66 000
    QTest::newRow("start past 32 767") << 0 << lines + QStringLiteral("word") << lines.size() << qsizetype(4)
                                       << lines + QStringLiteral("[B]word[/B]") << qsizetype(7);
    QTest::newRow("length past 32 767")
        << 0 << QStringLiteral("x") + lines << qsizetype(1) << lines.size()
        << QStringLiteral("x[B]") + lines + QStringLiteral("[/B]") << qsizetype(7);
}

void TestEditingCommands::tagsWrapTheSelection()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(qsizetype, start);
    QFETCH(qsizetype, length);
    QFETCH(QString, expected);
    QFETCH(qsizetype, added);

    Window w(text, start, length);
    w.click(QStringLiteral("cmdBOLD_%1").arg(index));
    QCOMPARE(w.editor().text(), expected);
    COMPARE_SELECTION(w, start, length + added);
    QCOMPARE(w.commands().savedSelStart(), start);
    QCOMPARE(w.commands().savedSelLength(), length);
    QCOMPARE(w.platform.dialogCount(), 0);

    // One Ctrl+Z takes the whole command back, selection included.
    w.ctrlZ();
    QCOMPARE(w.editor().text(), text);
    COMPARE_SELECTION(w, start, length);
}

void TestEditingCommands::tagsNest()
{
    Window w;
    w.click(QStringLiteral("cmdBOLD_0"));
    w.click(QStringLiteral("cmdBOLD_1"));
    QCOMPARE(w.editor().text(), QStringLiteral("[I][B]abc[/B][/I]"));
    COMPARE_SELECTION(w, 0, 17);
    w.click(QStringLiteral("cmdBOLD_1"));
    QCOMPARE(w.editor().text(), QStringLiteral("[I][I][B]abc[/B][/I][/I]"));
    // Each command is its own undo step.
    w.ctrlZ();
    QCOMPARE(w.editor().text(), QStringLiteral("[I][B]abc[/B][/I]"));
    COMPARE_SELECTION(w, 0, 17);

    // Tags already in the selection are wrapped as they are.
    Window tagged(QStringLiteral("[I]x[/I]"), 0, 8);
    tagged.click(QStringLiteral("cmdBOLD_0"));
    QCOMPARE(tagged.editor().text(), QStringLiteral("[B][I]x[/I][/B]"));
}

void TestEditingCommands::nothingSelectedAsksNothingAndChangesNothing_data()
{
    QTest::addColumn<QString>("control");
    for (int i = 0; i < 9; ++i)
        QTest::addRow("cmdBOLD_%d", i) << QStringLiteral("cmdBOLD_%1").arg(i);
    QTest::newRow("link") << QStringLiteral("cmdPROM_1");
    QTest::newRow("quote") << QStringLiteral("cmdPROM_2");
    QTest::newRow("colour") << QStringLiteral("Command1");
    for (int i = 3; i <= 8; ++i)
        QTest::addRow("Command%d", i) << QStringLiteral("Command%1").arg(i);
    QTest::newRow("font list") << QStringLiteral("Combo1");
    QTest::newRow("size list") << QStringLiteral("Combo3");
}

void TestEditingCommands::nothingSelectedAsksNothingAndChangesNothing()
{
    QFETCH(QString, control);
    Window w(QStringLiteral("abc def"), 4, 0);
    // Answers that would be taken if a dialog came before the check.
    w.platform.inputAnswers << QStringLiteral("A");
    w.platform.colorAnswers << 255u;

    if (control.startsWith(QLatin1String("Combo")))
        w.pick(control, control == QLatin1String("Combo1") ? QStringLiteral("Arial") : QStringLiteral("2"));
    else
        w.click(control);

    QCOMPARE(w.platform.messages.size(), 1);
    QCOMPARE(w.platform.messages[0].text, QStringLiteral("من فضلك ظلل النص أولاً"));
    QCOMPARE(w.platform.messages[0].title, QStringLiteral("Zarvelo"));
    QCOMPARE(w.platform.messages[0].icon, MessageIcon::None);
    QVERIFY(w.platform.inputPrompts.isEmpty());
    QVERIFY(w.platform.colorDialogStarts.isEmpty());
    QCOMPARE(w.editor().text(), QStringLiteral("abc def"));
    COMPARE_SELECTION(w, 4, 0);
    QVERIFY(!w.editor().document()->isUndoAvailable());
}

void TestEditingCommands::promptedTags_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<qsizetype>("start");
    QTest::addColumn<qsizetype>("length");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("expected"); // "" when nothing may change
    QTest::addColumn<qsizetype>("newLength");

    QTest::newRow("image at the caret") << 0 << qsizetype(3) << qsizetype(0) << QStringLiteral("A")
                                        << QStringLiteral("go [img]A[/img]site now") << qsizetype(12);
    QTest::newRow("image replaces the selection")
        << 0 << qsizetype(3) << qsizetype(4) << QStringLiteral("http://x/p.gif")
        << QStringLiteral("go [img]http://x/p.gif[/img] now") << qsizetype(25);
    QTest::newRow("image cancelled") << 0 << qsizetype(3) << qsizetype(4) << QString() << QString() << qsizetype(0);
    QTest::newRow("link") << 1 << qsizetype(3) << qsizetype(4) << QStringLiteral("A")
                          << QStringLiteral("go [URL=A]site[/URL] now") << qsizetype(17);
    QTest::newRow("link of spaces") << 1 << qsizetype(3) << qsizetype(4) << QStringLiteral("   ")
                                    << QStringLiteral("go [URL=   ]site[/URL] now") << qsizetype(19);
    QTest::newRow("link with a bracket") << 1 << qsizetype(3) << qsizetype(4) << QStringLiteral("a]b")
                                         << QStringLiteral("go [URL=a]b]site[/URL] now") << qsizetype(19);
    QTest::newRow("link cancelled") << 1 << qsizetype(3) << qsizetype(4) << QString() << QString() << qsizetype(0);
    QTest::newRow("quote") << 2 << qsizetype(3) << qsizetype(1) << QStringLiteral("N")
                           << QStringLiteral("go [QUOTE=N]s[/QUOTE]ite now") << qsizetype(18);
    QTest::newRow("quote cancelled") << 2 << qsizetype(3) << qsizetype(1) << QString() << QString() << qsizetype(0);
}

void TestEditingCommands::promptedTags()
{
    QFETCH(int, index);
    QFETCH(qsizetype, start);
    QFETCH(qsizetype, length);
    QFETCH(QString, answer);
    QFETCH(QString, expected);
    QFETCH(qsizetype, newLength);

    const QString text = QStringLiteral("go site now");
    Window w(text, start, length);
    w.commands().setColorHex(QStringLiteral("untouched"));
    w.platform.inputAnswers << answer;
    w.click(QStringLiteral("cmdPROM_%1").arg(index));

    const QStringList prompts{QStringLiteral("من فضلك ادخل رابط الصورة"), QStringLiteral("من فضلك ادخل الرابط"),
                              QStringLiteral("من فضلك ادخل اسم المقتبس منه")};
    QCOMPARE(w.platform.inputPrompts, QStringList{prompts[index]});
    QCOMPARE(w.platform.lastInputTitle, QStringLiteral("Zarvelo"));
    QCOMPARE(w.platform.messages.size(), 0);
    QCOMPARE(w.commands().promptAnswer(), answer);
    QCOMPARE(w.commands().colorHex(), QStringLiteral("untouched"));
    if (expected.isEmpty()) {
        QCOMPARE(w.editor().text(), text);
        COMPARE_SELECTION(w, start, length);
        QVERIFY(!w.editor().document()->isUndoAvailable());
        return;
    }
    QCOMPARE(w.editor().text(), expected);
    COMPARE_SELECTION(w, start, newLength);
    w.ctrlZ();
    QCOMPARE(w.editor().text(), text);
    COMPARE_SELECTION(w, start, length);
}

void TestEditingCommands::fontList()
{
    Window w(QStringLiteral("x abc"), 2, 3);
    w.pick(QStringLiteral("Combo1"), QStringLiteral("Tahoma"));
    QCOMPARE(w.editor().text(), QStringLiteral("x [FONT='Tahoma']abc[/FONT]"));
    COMPARE_SELECTION(w, 2, 6 + 16 + 3);
    QCOMPARE(w.comboText(QStringLiteral("Combo1")), kPlaceholder);

    // Setting the list by code is no pick: nothing happens.
    w.form.control<QComboBox>(QStringLiteral("Combo1"))->setCurrentIndex(2);
    QCOMPARE(w.editor().text(), QStringLiteral("x [FONT='Tahoma']abc[/FONT]"));

    // The same entry picked again still works, and nests.
    w.pick(QStringLiteral("Combo1"), QStringLiteral("Times New Roman"));
    QCOMPARE(w.editor().text(), QStringLiteral("x [FONT='Times New Roman'][FONT='Tahoma']abc[/FONT][/FONT]"));
    w.ctrlZ();
    QCOMPARE(w.editor().text(), QStringLiteral("x [FONT='Tahoma']abc[/FONT]"));
    COMPARE_SELECTION(w, 2, 25);

    w.editor().setSelStart(0);
    w.pick(QStringLiteral("Combo1"), QStringLiteral("Arial"));
    QCOMPARE(w.platform.messages.size(), 1);
    QCOMPARE(w.comboText(QStringLiteral("Combo1")), QStringLiteral("نوع الخط"));

    // After the message the list works as before.
    w.editor().select(0, 1);
    w.pick(QStringLiteral("Combo1"), QStringLiteral("Arial"));
    QVERIFY(w.editor().text().startsWith(QLatin1String("[FONT='Arial']x[/FONT] ")));
    QCOMPARE(w.comboText(QStringLiteral("Combo1")), kPlaceholder);
}

void TestEditingCommands::sizeList()
{
    Window w;
    w.pick(QStringLiteral("Combo3"), QStringLiteral("3"));
    QCOMPARE(w.editor().text(), QStringLiteral("[SIZE=3]abc[/SIZE]"));
    COMPARE_SELECTION(w, 0, 18);
    QCOMPARE(w.comboText(QStringLiteral("Combo3")), QStringLiteral("3"));
    w.ctrlZ();
    QCOMPARE(w.editor().text(), QStringLiteral("abc"));
    COMPARE_SELECTION(w, 0, 3);

    w.editor().setSelStart(1);
    w.pick(QStringLiteral("Combo3"), QStringLiteral("7"));
    QCOMPARE(w.platform.messages.size(), 1);
    QCOMPARE(w.comboText(QStringLiteral("Combo3")), QStringLiteral("7"));
}

void TestEditingCommands::colour_data()
{
    QTest::addColumn<std::optional<quint32>>("answer");
    QTest::addColumn<QString>("expected"); // "" when nothing may change
    QTest::addColumn<QString>("hex");
    QTest::newRow("cancelled") << std::optional<quint32>() << QString() << QStringLiteral("before");
    QTest::newRow("black") << std::optional<quint32>(0) << QString() << QStringLiteral("before");
    QTest::newRow("red") << std::optional<quint32>(255) << QStringLiteral("[COLOR=#FF0000]abc[/COLOR]")
                         << QStringLiteral("FF0000");
    QTest::newRow("bytes reordered") << std::optional<quint32>(0x123456)
                                     << QStringLiteral("[COLOR=#563412]abc[/COLOR]") << QStringLiteral("563412");
}

void TestEditingCommands::colour()
{
    QFETCH(std::optional<quint32>, answer);
    QFETCH(QString, expected);
    QFETCH(QString, hex);

    Window w;
    w.commands().setColorHex(QStringLiteral("before"));
    // A colour left from an earlier dialog does not become the start.
    w.form.commonDialog().setColor(0x00FF00);
    w.platform.colorAnswers << answer;
    w.click(QStringLiteral("Command1"));

    QCOMPARE(w.platform.colorDialogStarts, QList<quint32>{0});
    QCOMPARE(w.platform.messages.size(), 0);
    QCOMPARE(w.commands().colorHex(), hex);
    if (expected.isEmpty()) {
        QCOMPARE(w.editor().text(), QStringLiteral("abc"));
        COMPARE_SELECTION(w, 0, 3);
        return;
    }
    QCOMPARE(w.editor().text(), expected);
    COMPARE_SELECTION(w, 0, 26);
    w.ctrlZ();
    QCOMPARE(w.editor().text(), QStringLiteral("abc"));
    COMPARE_SELECTION(w, 0, 3);
}

void TestEditingCommands::presets_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<qsizetype>("count");
    QTest::newRow("Command3") << QStringLiteral("Command3")
                              << QStringLiteral("[FONT='Andalus'][SIZE=7][B]abc[/B][/SIZE][/FONT]") << qsizetype(45);
    QTest::newRow("Command4") << QStringLiteral("Command4")
                              << QStringLiteral("[FONT='MS Sans Serif'][SIZE=4][B]abc[/B][/SIZE][/FONT]")
                              << qsizetype(51);
    QTest::newRow("Command5") << QStringLiteral("Command5")
                              << QStringLiteral("[FONT='Arial'][SIZE=4][B]abc[/B][/SIZE][/FONT]") << qsizetype(43);
    QTest::newRow("Command6 without bold") << QStringLiteral("Command6")
                                           << QStringLiteral("[FONT='Tahoma'][SIZE=4]abc[/SIZE][/FONT]")
                                           << qsizetype(37);
    QTest::newRow("Command7") << QStringLiteral("Command7")
                              << QStringLiteral("[FONT='Akhbar MT'][SIZE=5][B]abc[/B][/SIZE][/FONT]") << qsizetype(47);
    QTest::newRow("Command8") << QStringLiteral("Command8")
                              << QStringLiteral("[FONT='Monotype Koufi'][SIZE=6][B]abc[/B][/SIZE][/FONT]")
                              << qsizetype(52);
}

void TestEditingCommands::presets()
{
    QFETCH(QString, button);
    QFETCH(QString, expected);
    QFETCH(qsizetype, count);

    Window w(QStringLiteral("< abc >"), 2, 3);
    w.click(button);
    QCOMPARE(w.editor().text(), QStringLiteral("< ") + expected + QStringLiteral(" >"));
    COMPARE_SELECTION(w, 2, 3 + count);

    // Applied again it wraps the whole first result.
    w.click(button);
    const qsizetype open = expected.indexOf(QLatin1String("abc"));
    const QString twice = expected.left(open) + expected + expected.mid(open + 3);
    QCOMPARE(w.editor().text(), QStringLiteral("< ") + twice + QStringLiteral(" >"));
    COMPARE_SELECTION(w, 2, 3 + 2 * count);

    w.ctrlZ();
    w.ctrlZ();
    QCOMPARE(w.editor().text(), QStringLiteral("< abc >"));
    COMPARE_SELECTION(w, 2, 3);
}

void TestEditingCommands::phrases()
{
    const QString thanks = QStringLiteral(" ألف شكر لك أخي الكريم");
    const QString greeting = QStringLiteral(" السلام عليكم و رحمة الله و بركاته");

    // At the caret after a word: the phrase's own space separates them.
    Window caret(QStringLiteral("x"), 1, 0);
    caret.click(QStringLiteral("Command2_3"));
    QCOMPARE(caret.editor().text(), QStringLiteral("x") + thanks);
    COMPARE_SELECTION(caret, 1, 22);
    QVERIFY(caret.platform.messages.isEmpty());
    // Pressed again, the first phrase is the selection and stays.
    caret.click(QStringLiteral("Command2_3"));
    QCOMPARE(caret.editor().text(), QStringLiteral("x") + thanks + thanks);
    COMPARE_SELECTION(caret, 1, 44);
    caret.ctrlZ();
    QCOMPARE(caret.editor().text(), QStringLiteral("x") + thanks);
    COMPARE_SELECTION(caret, 1, 22);

    // After a selection, which stays selected with the phrase.
    Window selected(QStringLiteral("abc def"), 0, 3);
    selected.click(QStringLiteral("Command2_0"));
    QCOMPARE(selected.editor().text(), QStringLiteral("abc") + greeting + QStringLiteral(" def"));
    COMPARE_SELECTION(selected, 0, 3 + 34);

    // Each button inserts its own phrase.
    const QList<qsizetype> lengths{34, 36, 23, 22, 83, 20};
    for (int i = 0; i < lengths.size(); ++i) {
        Window w(QStringLiteral("w"), 1, 0);
        w.click(QStringLiteral("Command2_%1").arg(i));
        QCOMPARE(w.editor().selText(), StockPhrase[i].toString());
        QCOMPARE(w.editor().selLength(), lengths[i]);
    }
}

void TestEditingCommands::copyThePost()
{
    const QString text = QStringLiteral("سطر\r\nline\nlone\rcr\r\n");
    Window w(text, 5, 4);
    w.click(QStringLiteral("Command12"));
    QCOMPARE(w.platform.clipboard, QStringList{text});
    QCOMPARE(w.editor().text(), text);
    COMPARE_SELECTION(w, 5, 4);
    QCOMPARE(w.platform.dialogCount(), 0);
}

void TestEditingCommands::flipDirection()
{
    Window w(QStringLiteral("abc def"), 4, 3);
    PostEditor &editor = w.editor();
    QCOMPARE(editor.alignment(), PostEditor::RightJustify);
    QVERIFY(editor.rightToLeft());

    w.click(QStringLiteral("Command13"));
    QCOMPARE(editor.alignment(), PostEditor::LeftJustify);
    QVERIFY(!editor.rightToLeft());
    w.click(QStringLiteral("Command13"));
    QCOMPARE(editor.alignment(), PostEditor::RightJustify);
    QVERIFY(editor.rightToLeft());

    // Only the alignment decides: centred goes left to right.
    editor.setAlignment(PostEditor::Center);
    w.click(QStringLiteral("Command13"));
    QCOMPARE(editor.alignment(), PostEditor::LeftJustify);
    QVERIFY(!editor.rightToLeft());
    // Left-justified but right to left still flips to the right-to-left state.
    editor.setRightToLeft(true);
    w.click(QStringLiteral("Command13"));
    QCOMPARE(editor.alignment(), PostEditor::RightJustify);
    QVERIFY(editor.rightToLeft());

    QCOMPARE(editor.text(), QStringLiteral("abc def"));
    COMPARE_SELECTION(w, 4, 3);
}

void TestEditingCommands::focusOnlyOnSuccess()
{
    Window w(QStringLiteral("abc"), 0, 0);
    w.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    QWidget *elsewhere = w.form.control<QPushButton>(QStringLiteral("Command9"));
    auto focusAfter = [&](const std::function<void()> &command) {
        elsewhere->setFocus();
        command();
        return QApplication::focusWidget();
    };
    auto click = [&](const char *name) { return [&w, name] { w.click(QString::fromLatin1(name)); }; };

    // Early ends leave the focus where it was.
    QCOMPARE(focusAfter(click("cmdBOLD_0")), elsewhere);
    w.editor().select(0, 3);
    w.platform.inputAnswers << QString();
    QCOMPARE(focusAfter(click("cmdPROM_1")), elsewhere);
    w.platform.colorAnswers << std::nullopt;
    QCOMPARE(focusAfter(click("Command1")), elsewhere);
    QCOMPARE(w.editor().text(), QStringLiteral("abc"));

    // Every success moves it to the editor.
    QWidget *editor = &w.editor();
    QCOMPARE(focusAfter(click("cmdBOLD_0")), editor);
    w.platform.inputAnswers << QStringLiteral("p");
    QCOMPARE(focusAfter(click("cmdPROM_0")), editor);
    QCOMPARE(focusAfter([&] { w.pick(QStringLiteral("Combo1"), QStringLiteral("Arial")); }), editor);
    QCOMPARE(focusAfter(click("Command2_5")), editor);
    QCOMPARE(focusAfter(click("Command12")), editor);
    QCOMPARE(focusAfter(click("Command13")), editor);
}

QTEST_MAIN(TestEditingCommands)
#include "tst_editingcommands.moc"
