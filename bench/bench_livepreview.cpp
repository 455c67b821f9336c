// (a) Converting and showing a 20 000-character post in the live preview,
// with the page laid out whole and its view painted: a post with a quote
// every twenty lines, and one with a quote every fourth line (each quote is a
// table inside the page's table, which Qt lays out twice).
// (b) One keystroke in the middle of a 1 MB post with the markup highlighting
// on, until the editor has drawn it; and the same without highlighting, for
// comparison: only the changed paragraph is highlighted again. Typed into a
// line of tags, the shifted colours make the editor repaint its whole view,
// which costs more than typing into plain words.

#include "highlight/posthighlighter.h"
#include "livepreview/livepreviewwindow.h"
#include "scriptedplatform.h"
#include "ui/posteditor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBrowser>

#include "windowbenchmain.h"

#include <benchmark/benchmark.h>

namespace {

using zarvelo::PostEditor;

/** Lines of marked-up Arabic and Latin text ending in CR LF, up to size
    characters, every quoteEvery-th line a named quote. */
QString post(qsizetype size, int quoteEvery = 20)
{
    const QString lines[] = {
        QStringLiteral("[B]بسم الله[/B] الرحمن الرحيم - the [I]quick[/I] brown fox\r\n"),
        QStringLiteral(
            "[COLOR=#FF0000]أحمر[/COLOR] [SIZE=4]كبير[/SIZE] [URL=https://example.com]رابط[/URL]\r\n"),
        QStringLiteral("[QUOTE=Ali]نص مقتبس من مشاركة سابقة في المنتدى[/QUOTE]\r\n"),
        QStringLiteral("سطر عادي بلا وسوم، كما يكتب أغلب المشاركة، and some plain words too\r\n"),
    };
    QString text;
    text.reserve(size);
    for (int i = 1; text.size() < size; ++i)
        text += lines[i % quoteEvery == 0 ? 2 : i % 2 ? 1 : i % 4 == 0 ? 0 : 3];
    text.truncate(size);
    return text;
}

void livePreview(benchmark::State &state, int quoteEvery)
{
    zarvelo::test::ScriptedPlatform platform;
    platform.folder = QStringLiteral(ZARVELO_SOURCE_DIR "/data");
    PostEditor editor;
    editor.setText(post(20000, quoteEvery));
    editor.show();
    zarvelo::LivePreviewWindow window(editor, platform, 20000, nullptr);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.refresh();
        window.browser().viewport()->repaint();
    }
}

void BM_LivePreview20k(benchmark::State &state)
{
    livePreview(state, 20);
}
BENCHMARK(BM_LivePreview20k)->Unit(benchmark::kMillisecond);

void BM_LivePreview20kQuoteHeavy(benchmark::State &state)
{
    livePreview(state, 4);
}
BENCHMARK(BM_LivePreview20kQuoteHeavy)->Unit(benchmark::kMillisecond);

void keystroke(benchmark::State &state, bool highlighted,
               const QString &where = QStringLiteral("plain words"))
{
    PostEditor editor;
    std::unique_ptr<zarvelo::PostHighlighter> highlighter;
    if (highlighted)
        highlighter = std::make_unique<zarvelo::PostHighlighter>(editor.document());
    editor.resize(800, 600);
    editor.show();
    editor.setText(post(1 << 20));
    // Near the middle: in the words of a plain line, where most writing
    // happens, or in a link's address, whose colours are drawn again.
    editor.setSelStart(editor.text().indexOf(where, editor.textLength() / 2) + 5);
    editor.centerCursor();
    QApplication::processEvents();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&editor, &press);
        QApplication::processEvents(); // the change is laid out and painted
        // Rubbed out untimed, so the paragraph keeps its length.
        state.PauseTiming();
        QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(&editor, &back);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_KeystrokeHighlighted1MB(benchmark::State &state)
{
    keystroke(state, true);
}
BENCHMARK(BM_KeystrokeHighlighted1MB)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeHighlightedInAddress1MB(benchmark::State &state)
{
    keystroke(state, true, QStringLiteral("https:"));
}
BENCHMARK(BM_KeystrokeHighlightedInAddress1MB)->Unit(benchmark::kMicrosecond);

void BM_KeystrokePlain1MB(benchmark::State &state)
{
    keystroke(state, false);
}
BENCHMARK(BM_KeystrokePlain1MB)->Unit(benchmark::kMicrosecond);

void BM_KeystrokePlainInAddress1MB(benchmark::State &state)
{
    keystroke(state, false, QStringLiteral("https:"));
}
BENCHMARK(BM_KeystrokePlainInAddress1MB)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return zarvelo::bench::runWindowBenchmarks(argc, argv);
}
