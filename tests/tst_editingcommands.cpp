#include "platform/commondialog.h"
#include "platform/qtplatform.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "ui/posteditor.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace zarvelo;
using namespace Qt::StringLiterals;
using Selection = std::pair<qsizetype, qsizetype>;

namespace {

const QString kPlaceholder = u"نــــوع الـخــــــــط"_s;

struct Window
{
    test::ScriptedPlatform platform;
    Form1 form{platform};
    PostEditor &editor = form.editor();

    explicit Window(const QString &text, Selection selected)
    {
        editor.setText(text);
        editor.document()->clearUndoRedoStacks();
        editor.select(selected.first, selected.second);
    }
    /** Shows the window with the focus away from the editor; false when it never became active. */
    bool show()
    {
        form.show();
        const bool active = QTest::qWaitForWindowActive(&form);
        form.controls().Command9->setFocus();
        return active;
    }
    Selection selection() const { return {editor.selStart(), editor.selLength()}; }
    std::pair<QString, Selection> state() const { return {editor.text(), selection()}; }
    /** The control a row names by its design name ("cmdBOLD_3", "Combo1"). */
    QWidget *control(const QString &name) const { return form.centralWidget()->findChild<QWidget *>(name); }
    QComboBox *combo(const QString &name) const { return qobject_cast<QComboBox *>(control(name)); }
    /** Clicks a button, or picks an entry ("Combo1=Arial") as a user does: chosen, then activated. */
    void use(const QString &name)
    {
        QComboBox *list = combo(name.section(u'=', 0, 0));
        if (!list)
            return qobject_cast<QPushButton *>(control(name))->click();
        const int index = list->findText(name.section(u'=', 1));
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void ctrlZ() { QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier); }
    static void keys(QWidget *to, std::initializer_list<Qt::Key> keys)
    {
        to->setFocus();
        for (const Qt::Key key : keys)
            QTest::keyClick(to, key);
    }
};

} // namespace

class TestEditingCommands : public QObject
{
    Q_OBJECT

private slots:
    void commands_data()
    {
        // The answer goes to the input box, or is a colour number; a null answer cancels, a null expected
        // text means nothing may change.
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Selection>("before");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<Selection>("after");
        const QString go = u"go site now"_s;
        const QString end = u"abc[/B][/SIZE][/FONT] >"_s;
        const QString lines = u"0123456789abcdefghijklmnopqrstu\r\n"_s.repeated(2000);
        const qsizetype many = lines.size();
        auto row = [](const char *name, const char *control, const QString &text,
                      Selection before) -> QTestData & {
            return QTest::newRow(name) << QString::fromUtf8(control) << text << before;
        };
        // clang-format off
        row("start and length past 32 767", "cmdBOLD_0", lines + "word" + lines, {many, many + 4}) << QString() << lines + "[B]word" + lines + "[/B]" << Selection(many, many + 11);
        row("image at the caret", "cmdPROM_0", go, {3, 0}) << "A" << "go [img]A[/img]site now" << Selection(3, 12);
        row("image replaces the selection", "cmdPROM_0", go, {3, 4}) << "p.gif" << "go [img]p.gif[/img] now" << Selection(3, 16);
        row("image cancelled", "cmdPROM_0", go, {3, 4}) << QString() << QString() << Selection();
        row("link", "cmdPROM_1", go, {3, 4}) << "A" << "go [URL=A]site[/URL] now" << Selection(3, 17);
        row("quote", "cmdPROM_2", go, {3, 1}) << "N" << "go [QUOTE=N]s[/QUOTE]ite now" << Selection(3, 18);
        row("quote, empty answer", "cmdPROM_2", go, {3, 1}) << "" << QString() << Selection();
        row("font", "Combo1=Tahoma", "x abc", {2, 3}) << QString() << "x [FONT='Tahoma']abc[/FONT]" << Selection(2, 25);
        row("size", "Combo3=3", "abc", {0, 3}) << QString() << "[SIZE=3]abc[/SIZE]" << Selection(0, 18);
        row("colour cancelled", "Command1", "abc", {0, 3}) << QString() << QString() << Selection();
        row("black, taken for a cancel", "Command1", "abc", {0, 3}) << "0" << QString() << Selection();
        row("red", "Command1", "abc", {0, 3}) << "255" << "[COLOR=#FF0000]abc[/COLOR]" << Selection(0, 26);
        row("preset", "Command3", "< abc >", {2, 3}) << QString() << "< [FONT='Andalus'][SIZE=7][B]" + end << Selection(2, 48);
        // A phrase follows the selection, which stays selected with it.
        row("phrase after a selection", "Command2_0", "abc def", {0, 3}) << QString() << "abc السلام عليكم و رحمة الله و بركاته def" << Selection(0, 37);
        row("phrase into an empty post", "Command2_5", "", {0, 0}) << QString() << " ها ها هو هههههههههه" << Selection(0, 20);
        row("copy, line breaks as held", "Command12", "سطر\r\nline\nlone\rcr\r\n", {5, 4}) << QString() << QString() << Selection();
        // clang-format on
        const QStringList tags{u"B"_s,     u"I"_s,    u"U"_s,    u"LEFT"_s, u"CENTER"_s,
                               u"RIGHT"_s, u"CODE"_s, u"HTML"_s, u"PHP"_s};
        for (int i = 0; i < tags.size(); ++i) {
            const QByteArray control = "cmdBOLD_" + QByteArray::number(i);
            const QString wrapped = u"one [%1]abc[/%1] two"_s.arg(tags[i]);
            row(control.constData(), control.constData(), u"one abc two"_s, {4, 3})
                << QString() << wrapped << Selection(4, wrapped.size() - 8);
        }
        // With nothing selected: the select-first message and nothing else, though answers wait.
        for (const char *control : {"cmdBOLD_0", "cmdBOLD_8", "cmdPROM_1", "cmdPROM_2", "Command1",
                                    "Combo1=Arial", "Combo3=2", "Command3", "Command6", "Command8"}) {
            const QByteArray name = control + ", nothing selected"_ba;
            row(name.constData(), control, "abc def", {4, 0}) << "255" << QString() << Selection();
        }
    }

    void commands()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(Selection, before);
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        QFETCH(Selection, after);
        const QStringList prompts{u"من فضلك ادخل رابط الصورة"_s, u"من فضلك ادخل الرابط"_s,
                                  u"من فضلك ادخل اسم المقتبس منه"_s};
        Window w(text, before);
        QVERIFY(w.show());
        w.form.findChild<CommonDialog *>()->setColor(0x00FF00); // not where the next dialog starts
        const bool prompted = control.startsWith(u"cmdPROM");
        const bool colour = control == u"Command1";
        const bool copy = control == u"Command12";
        const bool changed = !expected.isNull();
        const bool refused = before.second == 0 && !changed;
        const bool asked = prompted && !refused;
        w.platform.inputAnswers << answer;
        w.platform.colorAnswers << (answer.isNull() ? std::nullopt : std::optional(answer.toUInt()));
        w.use(control);

        // One dialog at most: the input box, the colour dialog (from black) or the select-first message.
        QCOMPARE(w.platform.dialogCount(), asked || refused || colour ? 1 : 0);
        QCOMPARE(w.platform.inputPrompts.value(0) + w.platform.lastInputTitle,
                 asked ? prompts[control.right(1).toInt()] + u"Zarvelo"_s : QString());
        QCOMPARE(w.platform.colorDialogStarts.value(0, 1), colour && !refused ? 0u : 1u);
        QCOMPARE(w.platform.messages.value(0).text, refused ? u"من فضلك ظلل النص أولاً"_s : QString());
        QCOMPARE(w.platform.clipboard, copy ? QStringList{text} : QStringList());
        QCOMPARE(QApplication::focusWidget() == &w.editor, copy || changed); // on success only
        if (control.startsWith(u"Combo")) // the font list shows its prompt text, the size list the size
            QCOMPARE(w.combo(control.left(6))->currentText(),
                     control[5] == u'3' ? control.mid(7) : (refused ? u"نوع الخط"_s : kPlaceholder));
        QCOMPARE(w.state(), std::pair(changed ? expected : text, changed ? after : before));
        if (changed)
            w.ctrlZ(); // one step takes the whole command back, selection included
        QCOMPARE(w.state(), std::pair(text, before));
    }

    void listsApplyOnlyWhatIsPickedAndDirectionFlips()
    {
        Window w(u"x abc"_s, {2, 3});
        QVERIFY(w.show());
        QComboBox *fonts = w.combo(u"Combo1"_s);
        QComboBox *sizes = w.combo(u"Combo3"_s);
        w.keys(fonts, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}); // browsing the closed list applies nothing
        QCOMPARE(w.editor.text(), u"x abc"_s);
        QCOMPARE(fonts->currentText(), u"Arial"_s); // nothing chosen at start: Down reaches the first entry
        w.keys(fonts,
               {Qt::Key_Up, Qt::Key_Return}); // applies the entry moved to, and the Return goes nowhere
        QCOMPARE(w.state(), std::pair(u"x [FONT='Andalus']abc[/FONT]"_s, Selection(2, 26)));
        QVERIFY(w.editor.hasFocus());
        QCOMPARE(fonts->currentText(), kPlaceholder);

        fonts->setFocus(); // a typed name, even one on the list, runs nothing, Return included
        fonts->lineEdit()->selectAll();
        QTest::keyClicks(fonts, u"Tahoma"_s);
        w.keys(fonts, {Qt::Key_Return, Qt::Key_Return});
        w.keys(sizes, {Qt::Key_Down, Qt::Key_Return});
        QCOMPARE(w.editor.text(), u"x [SIZE=1][FONT='Andalus']abc[/FONT][/SIZE]"_s);
        w.keys(sizes, {Qt::Key_Return}); // nothing moved since: nothing again
        sizes->showPopup();              // a pick in the open list is a pick, as ever
        w.keys(sizes->view(), {Qt::Key_Down, Qt::Key_Return});
        QCOMPARE(w.editor.text(), u"x [SIZE=2][SIZE=1][FONT='Andalus']abc[/FONT][/SIZE][/SIZE]"_s);
        w.ctrlZ(); // each command is its own undo step
        QCOMPARE(w.editor.text(), u"x [SIZE=1][FONT='Andalus']abc[/FONT][/SIZE]"_s);

        w.form.controls().Command9->setFocus();
        auto flip = [&] { // only the alignment decides
            w.use(u"Command13"_s);
            return std::pair(int(w.editor.alignment()), w.editor.rightToLeft());
        };
        QCOMPARE(flip(), std::pair(0, false)); // from right to left
        QCOMPARE(flip(), std::pair(1, true));
        QVERIFY(w.editor.hasFocus());
        w.editor.setAlignment(PostEditor::Center);
        QCOMPARE(flip(), std::pair(0, false));
        w.editor.setRightToLeft(true);
        QCOMPARE(flip(), std::pair(1, true));
    }

    void pasteWithFormatting_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("expected"); // in place of "هنا", selected in "اكتب هنا\r\nثم"
        QTest::addColumn<Selection>("after");
        QTest::addColumn<bool>("told"); // why the formatting was lost
        QTest::newRow("HTML as markup")
            << u"<b>نص</b> <a href=\"http://a.b/\">رابط</a>"_s << u"نص رابط"_s
            << u"اكتب [B]نص[/B] [URL=http://a.b/]رابط[/URL]\r\nثم"_s << Selection(42, 0) << false;
        QTest::newRow("plain text, its breaks as they are")
            << QString() << u"سطر\nوآخر\r\n"_s << u"اكتب سطر\nوآخر\r\n\r\nثم"_s << Selection(15, 0) << false;
        QTest::newRow("a page too costly to read, as plain text")
            << u"<div>"_s.repeated(15000) << u"x"_s << u"اكتب x\r\nثم"_s << Selection(6, 0) << true;
    }

    void pasteWithFormatting()
    {
        QFETCH(QString, html);
        QFETCH(QString, plain);
        QFETCH(QString, expected);
        QFETCH(Selection, after);
        QFETCH(bool, told);
        Window w(u"اكتب هنا\r\nثم"_s, {5, 3});
        QVERIFY(w.show());
        w.platform.clipboardHolds = {html, plain};
        w.editor.setFocus();
        QTest::keyClick(&w.editor, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.state(), std::pair(expected, after));
        QCOMPARE(w.platform.messages.size(), told ? 1 : 0);
        w.ctrlZ();
        QCOMPARE(w.state(), std::pair(u"اكتب هنا\r\nثم"_s, Selection(5, 3)));
    }

    void copyFormattedAndTheContextMenu()
    {
        Window w(u"[B]مرحبا[/B]\r\nx"_s, {2, 3});
        QVERIFY(w.show());
        w.editor.setFocus();
        QTest::keyClick(&w.editor, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.platform.formattedCopies.size(), 1);
        QCOMPARE(w.platform.formattedCopies[0].html,
                 u"<html><head><meta charset=\"utf-8\"><meta name=\"generator\" content=\"Zarvelo\"></head>"
                 "<body><div dir=\"rtl\"><b>مرحبا</b><br>\nx</div></body></html>"_s);
        QCOMPARE(w.platform.formattedCopies[0].text, u"[B]مرحبا[/B]\r\nx"_s);
        QCOMPARE(w.selection(), Selection(2, 3));
        const QPoint at(5, 5);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, w.editor.viewport()->mapToGlobal(at));
        QApplication::sendEvent(w.editor.viewport(), &click);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().value(0), w.form.menu().PASTEMARKUP);
        menu->close();
    }

    void programClipboardInThisProcess()
    {
        QtPlatform platform;
        platform.setClipboardFormatted({u"<i>مائل</i>"_s, u"[I]مائل[/I]"_s});
        QVERIFY(platform.clipboardContents().html.contains(u"<i>مائل</i>"_s));
        QCOMPARE(platform.clipboardContents().text, u"[I]مائل[/I]"_s);
        platform.setClipboardText(u"نص"_s);
        QCOMPARE(platform.clipboardContents().html, QString());
    }
};

QTEST_MAIN(TestEditingCommands)
#include "tst_editingcommands.moc"
