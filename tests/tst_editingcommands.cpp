#include "editing/editingcommands.h"
#include "platform/commondialog.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "ui/posteditor.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zarvelo;
using Selection = std::pair<qsizetype, qsizetype>;

namespace {

const QString kPlaceholder = QStringLiteral("نــــوع الـخــــــــط");

/** A main window, shown, on the scripted platform, its post set and nothing to undo. */
struct Window
{
    test::ScriptedPlatform platform;
    Form1 form{platform};

    explicit Window(const QString &text, qsizetype start, qsizetype length)
    {
        editor().setText(text);
        editor().document()->clearUndoRedoStacks();
        editor().select(start, length);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.control<QPushButton>(QStringLiteral("Command9"))->setFocus();
    }
    PostEditor &editor() { return form.editor(); }
    EditingCommands &commands() { return *form.findChild<EditingCommands *>(); }
    Selection selection() { return {editor().selStart(), editor().selLength()}; }
    /** Clicks a button, or picks an entry ("Combo1=Arial") as a user does: chosen, then activated. */
    void use(const QString &control)
    {
        auto *combo = form.control<QComboBox>(control.section(u'=', 0, 0));
        if (!combo)
            return form.control<QPushButton>(control)->click();
        const int index = combo->findText(control.section(u'=', 1));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    QString comboText(const QString &name) { return form.control<QComboBox>(name)->currentText(); }
    void ctrlZ() { QTest::keyClick(&editor(), Qt::Key_Z, Qt::ControlModifier); }
};

void row(const QByteArray &name, const QString &control, const QString &text, Selection before,
         const QString &answer, const QString &expected, Selection after = {})
{
    QTest::newRow(name.constData()) << control << text << before << answer << expected << after;
}

} // namespace

class TestEditingCommands : public QObject
{
    Q_OBJECT

private slots:
    void command_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Selection>("before");
        QTest::addColumn<QString>("answer");   // to the input box, or a colour number; null: cancelled
        QTest::addColumn<QString>("expected"); // null: nothing may change
        QTest::addColumn<Selection>("after");

        const std::pair<const char *, int> tags[] = {{"B", 7},     {"I", 7},       {"U", 7},
                                                     {"LEFT", 13}, {"CENTER", 17}, {"RIGHT", 15},
                                                     {"CODE", 13}, {"HTML", 13},   {"PHP", 11}};
        for (int i = 0; i < 9; ++i) {
            const QString button = QStringLiteral("cmdBOLD_%1").arg(i);
            row(button.toLatin1(), button, "one abc two", {4, 3}, {},
                QStringLiteral("one [%1]abc[/%1] two").arg(tags[i].first), {4, 3 + tags[i].second});
        }
        row("several lines", "cmdBOLD_0", "a\r\nbc\r\nd", {1, 6}, {}, "a[B]\r\nbc\r\n[/B]d", {1, 13});
        row("to the end", "cmdBOLD_8", "x\r\necho 1;", {3, 7}, {}, "x\r\n[PHP]echo 1;[/PHP]", {3, 18});
        row("nested", "cmdBOLD_1", "[B]abc[/B]", {0, 10}, {}, "[I][B]abc[/B][/I]", {0, 17});
        const QString lines = QStringLiteral("0123456789abcdefghijklmnopqrstu\r\n").repeated(2000);
        row("start past 32 767", "cmdBOLD_0", lines + "word", {lines.size(), 4}, {}, lines + "[B]word[/B]",
            {lines.size(), 11});
        row("length past 32 767", "cmdBOLD_0", "x" + lines, {1, lines.size()}, {}, "x[B]" + lines + "[/B]",
            {1, lines.size() + 7});

        const QString go = QStringLiteral("go site now");
        row("image at the caret", "cmdPROM_0", go, {3, 0}, "A", "go [img]A[/img]site now", {3, 12});
        row("image replaces the selection", "cmdPROM_0", go, {3, 4}, "p.gif", "go [img]p.gif[/img] now",
            {3, 16});
        row("image cancelled", "cmdPROM_0", go, {3, 4}, QString(), QString());
        row("link", "cmdPROM_1", go, {3, 4}, "A", "go [URL=A]site[/URL] now", {3, 17});
        row("quote", "cmdPROM_2", go, {3, 1}, "N", "go [QUOTE=N]s[/QUOTE]ite now", {3, 18});
        row("quote, empty answer", "cmdPROM_2", go, {3, 1}, "", QString());

        row("font", "Combo1=Tahoma", "x abc", {2, 3}, {}, "x [FONT='Tahoma']abc[/FONT]", {2, 25});
        row("size", "Combo3=3", "abc", {0, 3}, {}, "[SIZE=3]abc[/SIZE]", {0, 18});
        row("colour cancelled", "Command1", "abc", {0, 3}, QString(), QString());
        row("black, taken for a cancel", "Command1", "abc", {0, 3}, "0", QString());
        row("red", "Command1", "abc", {0, 3}, "255", "[COLOR=#FF0000]abc[/COLOR]", {0, 26});

        const QString end = QStringLiteral("abc[/B][/SIZE][/FONT] >");
        row("Command3", "Command3", "< abc >", {2, 3}, {}, "< [FONT='Andalus'][SIZE=7][B]" + end, {2, 48});
        row("Command6", "Command6", "< abc >", {2, 3}, {}, "< [FONT='Tahoma'][SIZE=4]abc[/SIZE][/FONT] >",
            {2, 40});
        row("the last preset", "Command8", "< abc >", {2, 3}, {},
            "< [FONT='Monotype Koufi'][SIZE=6][B]" + end, {2, 55});

        // A phrase follows the selection, which stays selected with it.
        row("phrase at the caret", "Command2_3", "x", {1, 0}, {}, "x ألف شكر لك أخي الكريم", {1, 22});
        row("phrase after a selection", "Command2_0", "abc def", {0, 3}, {},
            "abc السلام عليكم و رحمة الله و بركاته def", {0, 37});
        row("phrase into an empty post", "Command2_5", "", {0, 0}, {}, " ها ها هو هههههههههه", {0, 20});
        row("copy, line breaks as held", "Command12", "سطر\r\nline\nlone\rcr\r\n", {5, 4}, {}, QString());
        // With nothing selected: the select-first message and nothing else, though answers wait.
        for (const char *control : {"cmdBOLD_0", "cmdBOLD_8", "cmdPROM_1", "cmdPROM_2", "Command1",
                                    "Combo1=Arial", "Combo3=2", "Command3", "Command6", "Command8"})
            row(QByteArray(control) + ", nothing selected", control, "abc def", {4, 0}, "255", QString());
    }

    void command()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(Selection, before);
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        QFETCH(Selection, after);

        Window w(text, before.first, before.second);
        w.commands().setColorHex(QStringLiteral("before"));
        w.form.findChild<CommonDialog *>()->setColor(
            0x00FF00); // an earlier dialog's colour is not where the next starts
        const bool prompted = control.startsWith(QLatin1String("cmdPROM"));
        const bool colour = control == QLatin1String("Command1");
        const bool copy = control == QLatin1String("Command12");
        const bool refused = before.second == 0 && expected.isNull();
        if (prompted)
            w.platform.inputAnswers << answer;
        if (colour)
            w.platform.colorAnswers << (answer.isNull() ? std::nullopt : std::optional(answer.toUInt()));
        w.use(control);

        const QStringList prompts{QStringLiteral("من فضلك ادخل رابط الصورة"),
                                  QStringLiteral("من فضلك ادخل الرابط"),
                                  QStringLiteral("من فضلك ادخل اسم المقتبس منه")};
        const bool asked = prompted && !refused;
        QCOMPARE(w.platform.inputPrompts,
                 asked ? QStringList{prompts[control.right(1).toInt()]} : QStringList());
        QCOMPARE(w.platform.lastInputTitle, asked ? QStringLiteral("Zarvelo") : QString());
        QCOMPARE(w.platform.colorDialogStarts, colour && !refused ? QList<quint32>{0} : QList<quint32>());
        QCOMPARE(w.platform.messages.size(), refused ? 1 : 0);
        QCOMPARE(w.platform.messages.value(0).text,
                 QString::fromUtf8(refused ? "من فضلك ظلل النص أولاً" : ""));
        QCOMPARE(w.platform.clipboard, copy ? QStringList{text} : QStringList());
        QCOMPARE(w.commands().colorHex(), colour && !expected.isNull() ? expected.mid(8, 6) : "before");
        // The focus goes to the editor on success only.
        QCOMPARE(QApplication::focusWidget() == &w.editor(), copy || !expected.isNull());
        // The font list shows its prompt text, the size list the size picked.
        const QString fontListText = refused ? QStringLiteral("نوع الخط") : kPlaceholder;
        if (control.startsWith(QLatin1String("Combo")))
            QCOMPARE(w.comboText(control.left(6)), control[5] == u'1' ? fontListText : control.mid(7));
        QCOMPARE(w.editor().text(), expected.isNull() ? text : expected);
        QCOMPARE(w.selection(), expected.isNull() ? before : after);
        if (expected.isNull())
            return;
        QCOMPARE(Selection(w.commands().savedSelStart(), w.commands().savedSelLength()), before);
        // One Ctrl+Z takes the whole command back, selection included.
        w.ctrlZ();
        QCOMPARE(w.editor().text(), text);
        QCOMPARE(w.selection(), before);
    }

    void listsPickOnlyWhenPickedAndKeepWorking()
    {
        Window w(QStringLiteral("x abc"), 2, 3);
        w.use(QStringLiteral("Combo1=Tahoma"));
        w.form.control<QComboBox>(QStringLiteral("Combo1"))->setCurrentIndex(2); // set by code: no pick
        w.use(QStringLiteral("Combo3=7"));
        QCOMPARE(w.editor().text(), QStringLiteral("x [SIZE=7][FONT='Tahoma']abc[/FONT][/SIZE]"));
        w.ctrlZ(); // each command is its own undo step
        QCOMPARE(w.editor().text(), QStringLiteral("x [FONT='Tahoma']abc[/FONT]"));
        w.editor().setSelStart(0);
        w.use(QStringLiteral("Combo1=Arial"));
        w.editor().select(0, 1); // after the select-first message the list works as before
        w.use(QStringLiteral("Combo1=Arial"));
        QCOMPARE(w.editor().text(), QStringLiteral("[FONT='Arial']x[/FONT] [FONT='Tahoma']abc[/FONT]"));
        QCOMPARE(w.comboText(QStringLiteral("Combo1")), kPlaceholder);
    }

    void listsByKeyboard()
    {
        Window w(QStringLiteral("x abc"), 2, 3);
        auto *fonts = w.form.control<QComboBox>(QStringLiteral("Combo1"));
        auto *sizes = w.form.control<QComboBox>(QStringLiteral("Combo3"));
        fonts->setFocus();
        QTest::keyClick(fonts, Qt::Key_Down);
        QTest::keyClick(fonts, Qt::Key_Down); // browsing the closed list applies nothing
        QCOMPARE(w.editor().text(), QStringLiteral("x abc"));
        QCOMPARE(fonts->currentText(), QStringLiteral("Arial")); // the list starts on its first entry
        QTest::keyClick(fonts, Qt::Key_Up);
        QTest::keyClick(fonts, Qt::Key_Return); // applies the entry moved to; the Return itself goes nowhere
        QCOMPARE(w.editor().text(), QStringLiteral("x [FONT='Andalus']abc[/FONT]"));
        QCOMPARE(w.selection(), Selection(2, 26));
        QVERIFY(w.editor().hasFocus());
        QCOMPARE(fonts->currentText(), kPlaceholder);

        fonts->setFocus(); // a typed name, even one on the list, runs nothing, Return included
        fonts->lineEdit()->selectAll();
        QTest::keyClicks(fonts, QStringLiteral("Tahoma"));
        QTest::keyClick(fonts, Qt::Key_Return);
        QTest::keyClick(fonts, Qt::Key_Return);
        QCOMPARE(w.editor().text(), QStringLiteral("x [FONT='Andalus']abc[/FONT]"));

        sizes->setFocus();
        QTest::keyClick(sizes, Qt::Key_Down);
        QTest::keyClick(sizes, Qt::Key_Return);
        QCOMPARE(w.editor().text(), QStringLiteral("x [SIZE=1][FONT='Andalus']abc[/FONT][/SIZE]"));
        sizes->setFocus();
        QTest::keyClick(sizes, Qt::Key_Return); // nothing moved since: nothing again
        QCOMPARE(w.editor().text().count(QStringLiteral("[SIZE=")), 1);

        // A pick in the open list is a pick, as ever.
        sizes->showPopup();
        QTest::keyClick(sizes->view(), Qt::Key_Down);
        QTest::keyClick(sizes->view(), Qt::Key_Return);
        QCOMPARE(w.editor().text(),
                 QStringLiteral("x [SIZE=2][SIZE=1][FONT='Andalus']abc[/FONT][/SIZE][/SIZE]"));
        QCOMPARE(w.platform.dialogCount(), 0);
    }

    void flipDirection()
    {
        Window w(QStringLiteral("abc def"), 4, 3);
        PostEditor &editor = w.editor();
        auto flip = [&] {
            w.use(QStringLiteral("Command13"));
            return std::pair(int(editor.alignment()), editor.rightToLeft());
        };
        QCOMPARE(flip(), std::pair(0, false)); // from right to left
        QCOMPARE(flip(), std::pair(1, true));
        editor.setAlignment(PostEditor::Center); // only the alignment decides
        QCOMPARE(flip(), std::pair(0, false));
        editor.setRightToLeft(true);
        QCOMPARE(flip(), std::pair(1, true));
        QVERIFY(editor.hasFocus());
    }
};

QTEST_MAIN(TestEditingCommands)
#include "tst_editingcommands.moc"
