#include "highlight/posthighlighter.h"
#include "platform/textfile.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "ui/highlightlayer.h"
#include "ui/posteditor.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <cmath>

using namespace zarvelo;
using namespace Qt::StringLiterals;

namespace {

/** The formats drawn at a post position (the editor's paragraphs hold CR LF as one break). */
QTextCharFormat formatAt(PostEditor &editor, int documentPosition)
{
    const QTextBlock block = editor.document()->findBlock(documentPosition);
    const int inBlock = documentPosition - block.position();
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (inBlock >= range.start && inBlock < range.start + range.length)
            return range.format;
    }
    return {};
}

bool wavy(PostEditor &editor, int documentPosition)
{
    return formatAt(editor, documentPosition).underlineStyle() == QTextCharFormat::WaveUnderline;
}

double luminance(const QColor &color)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF())
        + 0.0722 * channel(color.blueF());
}

/** Underlines every word character and records the markup it was given. */
struct WordLayer final : HighlightLayer
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
    void unmatchedClosingTagsMarked_data()
    {
        QTest::addColumn<QString>("post");
        QTest::addColumn<QString>("marked"); // one mark a character, paragraph breaks left out; '!' wavy
        QTest::newRow("matched") << u"[B]a[/B]"_s << u"........"_s;
        QTest::newRow("stray") << u"a[/B]"_s << u".!!!!"_s;
        QTest::newRow("one too many") << u"[i]a[/I][/i]"_s << u"........!!!!"_s;
        QTest::newRow("over paragraphs") << u"[U]\r\n[/U]\r\n[/U]"_s << u".......!!!!"_s;
        QTest::newRow("after a lone LF") << u"[/B]\n[B]"_s << u"!!!!...."_s;
    }

    void unmatchedClosingTagsMarked()
    {
        QFETCH(QString, post);
        QFETCH(QString, marked);
        PostEditor editor;
        PostHighlighter highlighter(editor.document());
        editor.setText(post);
        QCoreApplication::processEvents(); // the highlighter's first run is queued
        QString drawn;
        for (int at = 0; at < editor.document()->characterCount() - 1; ++at) {
            if (editor.document()->characterAt(at) != QChar::ParagraphSeparator)
                drawn += wavy(editor, at) ? u'!' : u'.';
        }
        QCOMPARE(drawn, marked);
    }

    void openingRemovedMarksLaterParagraphs()
    {
        PostEditor editor;
        PostHighlighter highlighter(editor.document());
        editor.setText(u"[COLOR=red]\r\nx\r\ny[/COLOR]"_s);
        QCoreApplication::processEvents(); // the highlighter's first run is queued
        auto closing = [&] { return editor.document()->lastBlock().position() + 1; };
        QVERIFY(!wavy(editor, closing()));
        QCOMPARE(formatAt(editor, 7).foreground().color(), PostHighlighter::valueColor());
        editor.select(0, 11); // the opening tag
        editor.setSelText(QString());
        QVERIFY(wavy(editor, closing()));
        editor.undo();
        QVERIFY(!wavy(editor, closing()));
    }

    void drawingChangesNothing()
    {
        // The same edits with and without the highlighter give the same text,
        // positions, undo steps and saved bytes.
        QTemporaryDir dir;
        QList<QByteArray> saved;
        QList<QList<qsizetype>> states;
        for (const bool highlighted : {false, true}) {
            PostEditor editor;
            std::unique_ptr<PostHighlighter> highlighter;
            if (highlighted)
                highlighter = std::make_unique<PostHighlighter>(editor.document());
            editor.setText(u"[QUOTE=Ali]a\r\nb\nc\r[/QUOTE][/B]"_s);
            editor.select(3, 4);
            editor.setSelText(u"[B]x[/B]"_s);
            QTest::keyClicks(&editor, u"[I]y"_s);
            editor.select(2, 5);
            QList<qsizetype> state{editor.selStart(), editor.selLength(), editor.textLength(),
                                   editor.document()->availableUndoSteps()};
            editor.undo();
            state << editor.selStart() << editor.selLength() << editor.document()->availableUndoSteps();
            states << state;
            const QString file = dir.filePath(QString::number(saved.size()));
            QVERIFY(writeWindows1256File(file, editor.text()).ok);
            QFile read(file);
            QVERIFY(read.open(QIODevice::ReadOnly));
            saved << read.readAll();
        }
        QCOMPARE(states[1], states[0]);
        QCOMPARE(saved[1], saved[0]);
    }

    void startUpUnchanged()
    {
        // The template's placeholder stays selected, with the same undo
        // history, whether or not the highlighter draws.
        QTemporaryDir dir;
        QVERIFY(QFile::copy(qEnvironmentVariable("ZARVELO_SOURCE_DIR") + u"/data/setting.vbe"_s,
                            dir.filePath(u"setting.vbe"_s)));
        QVERIFY(QDir::setCurrent(dir.path()));
        QList<QList<qsizetype>> starts;
        for (const bool highlighted : {false, true}) {
            test::ScriptedPlatform platform;
            Form1 form(platform);
            QCOMPARE(form.editor().document()->findChild<PostHighlighter *>(), &form.highlighter());
            if (!highlighted)
                form.highlighter().setDocument(nullptr);
            QVERIFY(form.formLoad());
            form.show();
            QCoreApplication::processEvents();
            PostEditor &editor = form.editor();
            QVERIFY(editor.selLength() > 0);
            starts << QList<qsizetype>{editor.selStart(), editor.selLength(), editor.textLength(),
                                       editor.document()->availableUndoSteps(),
                                       editor.document()->isModified()};
        }
        QCOMPARE(starts[1], starts[0]);
    }

    void layersDrawOverTheMarkup()
    {
        PostEditor editor;
        PostHighlighter highlighter(editor.document());
        editor.setText(u"[B]a"_s);
        QCoreApplication::processEvents(); // the highlighter's first run is queued
        WordLayer layer;
        highlighter.addLayer(&layer);
        QCOMPARE(layer.lastMarkup.size(), 1);
        QCOMPARE(layer.lastMarkup[0].length, 3);
        const QTextCharFormat tag = formatAt(editor, 1);
        QVERIFY(tag.fontUnderline());
        QCOMPARE(tag.foreground().color(), PostHighlighter::tagColor()); // the colour stays under the mark
        QVERIFY(formatAt(editor, 3).fontUnderline());
        highlighter.removeLayer(&layer);
        QVERIFY(!formatAt(editor, 1).fontUnderline() && !formatAt(editor, 3).fontUnderline());
    }

    void coloursReadableOnTheEditor()
    {
        PostEditor editor;
        const double background = luminance(editor.palette().color(QPalette::Base));
        for (const QColor &color : {PostHighlighter::tagColor(), PostHighlighter::valueColor()}) {
            const double ratio = (background + 0.05) / (luminance(color) + 0.05);
            QVERIFY2(ratio >= 4.5, qPrintable(color.name() + u" "_s + QString::number(ratio)));
        }
    }
};

QTEST_MAIN(TestPostHighlighter)
#include "tst_posthighlighter.moc"
