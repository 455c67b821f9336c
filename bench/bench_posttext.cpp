// Whole posts arriving in the main window's editor with the markup colours
// on: a 20 000-character post set at once (what Open, New and a restored
// draft do) and a 1 MB paste, both of tag-dense Arabic and English lines.
// Each is undone untimed, so every round starts from the same post.

#include "scriptedplatform.h"
#include "shell/form1.h"
#include "ui/posteditor.h"

#include <QApplication>
#include <QClipboard>

#include "windowbenchmain.h"

#include <benchmark/benchmark.h>

namespace {

using zarvelo::Form1;
using zarvelo::PostEditor;

/** About `size` characters of lines with tags in both scripts, ending in CR LF. */
QString taggedPost(qsizetype size)
{
    const QString lines[] = {
        QStringLiteral("[B]مرحبا[/B] في [URL=http://a.com/forum]منتدى[/URL] اليوم"),
        QStringLiteral("Hello [B]world[/B] then عربي at the end."),
        QStringLiteral("[COLOR=#FF0000][SIZE=4]تحذير:[/SIZE][/COLOR] اقرأ [QUOTE=أبو محمد]النص[/QUOTE]"),
        QStringLiteral("[FONT='Simplified Arabic']كتبت اليوم مقالة جديدة عن تاريخ المدينة[/FONT]"),
    };
    QString text;
    text.reserve(size + 200);
    for (int i = 0; text.size() < size; ++i)
        text += lines[i % std::size(lines)] + QLatin1String("\r\n");
    text.truncate(size);
    return text;
}

void BM_SetText20k(benchmark::State &state)
{
    zarvelo::test::ScriptedPlatform platform;
    Form1 form(platform);
    form.show();
    PostEditor &editor = form.editor();
    const QString post = taggedPost(20000);
    QApplication::processEvents();
    for (auto _ : state) {
        editor.setText(post);
        QApplication::processEvents(); // laid out and painted

        state.PauseTiming();
        if (editor.text() != post) {
            state.SkipWithError("the post did not arrive exactly");
            break;
        }
        editor.undoWithSelection();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SetText20k)->Unit(benchmark::kMillisecond);

void BM_Paste1MB(benchmark::State &state)
{
    zarvelo::test::ScriptedPlatform platform;
    Form1 form(platform);
    form.show();
    PostEditor &editor = form.editor();
    const QString post = taggedPost(1 << 20);
    QApplication::clipboard()->setText(post);
    QApplication::processEvents();
    for (auto _ : state) {
        editor.paste();
        QApplication::processEvents();

        state.PauseTiming();
        if (editor.textLength() < post.size()) {
            state.SkipWithError("the paste did not arrive");
            break;
        }
        editor.undoWithSelection();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Paste1MB)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return zarvelo::bench::runWindowBenchmarks(argc, argv);
}
