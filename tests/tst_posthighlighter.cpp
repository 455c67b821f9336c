#include "highlight/posthighlighter.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "ui/highlightlayer.h"
#include "ui/posteditor.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <cmath>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

/** The format drawn at a document position. */
QTextCharFormat formatAt(PostEditor &editor, int documentPosition)
{
    const QTextBlock block = editor.document()->findBlock(documentPosition);
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (documentPosition - block.position() >= range.start
            && documentPosition - block.position() < range.start + range.length)
            return range.format;
    }
    return {};
}

/** Underlines whole paragraphs and keeps the markup it was given. */
struct UnderlineLayer final : HighlightLayer
{
    QList<QTextLayout::FormatRange> lastMarkup;
    void decorate(const QString &text, const QList<QTextLayout::FormatRange> &markup,
                  QList<QTextLayout::FormatRange> &formats) override
    {
        lastMarkup = markup;
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        formats.append({0, int(text.size()), underline});
    }
};

} // namespace

class TestPostHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void marksFollowEditsAndLayersDrawOverThem()
    {
        PostEditor editor;
        PostHighlighter highlighter(editor.document());
        editor.setText(u"[COLOR=red]\r\nx\r\ny[/COLOR][/B]"_s);
        auto fromEnd = [&](int back) {
            return formatAt(editor, editor.document()->characterCount() - 1 - back);
        };
        auto wavy = [&](int back) {
            return fromEnd(back).underlineStyle() == QTextCharFormat::WaveUnderline;
        };
        QVERIFY(!wavy(10) && wavy(2)); // "[/COLOR]" closes, "[/B]" closes nothing
        QCOMPARE(formatAt(editor, 7).foreground().color(), PostHighlighter::valueColor());
        editor.select(0, 11); // the opening, two paragraphs before its closing
        editor.setSelText(QString());
        QVERIFY(wavy(10));
        editor.undoWithSelection();
        QVERIFY(!wavy(10));

        // Adding a layer draws every paragraph again, which is no change of the post.
        UnderlineLayer layer;
        QSignalSpy changes(editor.document(), &QTextDocument::contentsChange);
        QSignalSpy edits(&editor, &PostEditor::textChanged);
        const bool modified = editor.document()->isModified();
        highlighter.addLayer(&layer);
        QVERIFY(changes.isEmpty() && edits.isEmpty() && editor.document()->isModified() == modified);
        // The last paragraph's markup was handed to the layer, and its colour is kept under the underline.
        QVERIFY(layer.lastMarkup.size() == 2 && layer.lastMarkup[0].start == 1
                && layer.lastMarkup[0].length == 8);
        QVERIFY(fromEnd(13).fontUnderline() && fromEnd(12).fontUnderline());
        QCOMPARE(fromEnd(12).foreground().color(), PostHighlighter::tagColor());
        highlighter.removeLayer(&layer);
        QVERIFY(!fromEnd(12).fontUnderline() && !fromEnd(13).fontUnderline());
    }

    void drawingChangesNothing()
    {
        // The same start and edits give the same text, selection and undo steps with and without it.
        QTemporaryDir dir;
        QVERIFY(QFile::copy(qEnvironmentVariable("ZARVELO_SOURCE_DIR") + u"/data/setting.vbe"_s,
                            dir.filePath(u"setting.vbe"_s))
                && QDir::setCurrent(dir.path()));
        QStringList runs;
        for (const bool highlighted : {false, true}) {
            test::ScriptedPlatform platform;
            Form1 form(platform);
            PostEditor &editor = form.editor();
            QCOMPARE(editor.document()->findChild<PostHighlighter *>(), &form.highlighter());
            if (!highlighted)
                form.highlighter().setDocument(nullptr);
            QVERIFY(form.formLoad());
            QSignalSpy edits(&editor, &PostEditor::textChanged);
            form.show();
            QCoreApplication::processEvents();
            QVERIFY(editor.selLength() > 0); // the template's placeholder stays selected
            const auto state = [&] {
                return u"%1+%2 undo %3 edits %4: "_s.arg(editor.selStart())
                    .arg(editor.selLength())
                    .arg(editor.document()->availableUndoSteps())
                    .arg(edits.size());
            };
            QString run = state();
            editor.setText(u"[QUOTE=Ali]a\r\nb\nc\r[/QUOTE][/B]"_s);
            editor.select(3, 4);
            editor.setSelText(u"[B]x[/B]"_s);
            QTest::keyClicks(&editor, u"[I]y"_s);
            run += state() + editor.text();
            editor.undoWithSelection();
            runs << run + state() + editor.text();
        }
        QCOMPARE(runs[1], runs[0]);
    }

    void coloursReadableOnTheEditor()
    {
        auto luminance = [](const QColor &c) {
            auto channel = [](double v) {
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
        };
        const double background = luminance(PostEditor().palette().color(QPalette::Base));
        for (const QColor &color : {PostHighlighter::tagColor(), PostHighlighter::valueColor()})
            QVERIFY2((background + 0.05) / (luminance(color) + 0.05) >= 4.5, qPrintable(color.name()));
    }
};

QTEST_MAIN(TestPostHighlighter)
#include "tst_posthighlighter.moc"
