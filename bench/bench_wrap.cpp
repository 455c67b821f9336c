// One bold wrap of a word at the end and at the start of a 1 MB post. The
// wrap must edit the document in place, so both cost about the same however
// long the post is.

#include "editing/editingcommands.h"
#include "platform/platform.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "ui/posteditor.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>

#include "windowbenchmain.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

using zarvelo::Form1;
using zarvelo::PostEditor;

// The bold command asks nothing when text is selected, so the scripted
// platform never has to answer.
using SilentPlatform = zarvelo::test::ScriptedPlatform;

const QString kWord = QStringLiteral("kalima");

/** About 1 MB of lines ending in CR LF, Arabic and Latin, with kWord first and last. */
const QString &megabytePost()
{
    static const QString post = [] {
        const QString line = QStringLiteral("بسم الله الرحمن الرحيم - the quick brown fox jumps over it\r\n");
        QString text = kWord + QLatin1Char(' ');
        text.reserve(1 << 20);
        while (text.size() + line.size() + kWord.size() < (1 << 20))
            text += line;
        return text + kWord;
    }();
    return post;
}

void wrapWord(benchmark::State &state, bool atEnd)
{
    SilentPlatform platform;
    Form1 form(platform);
    form.show();
    PostEditor &editor = form.editor();
    editor.setText(megabytePost());
    editor.document()->clearUndoRedoStacks();
    QApplication::processEvents();

    const qsizetype start = atEnd ? editor.textLength() - kWord.size() : 0;
    QPushButton *bold = form.controls().cmdBOLD[0];
    for (auto _ : state) {
        state.PauseTiming();
        editor.select(start, kWord.size());
        QApplication::processEvents(); // the window settles between clicks
        state.ResumeTiming();

        bold->click();

        state.PauseTiming();
        if (editor.selLength() != kWord.size() + 7) {
            state.SkipWithError("the word was not wrapped");
            break;
        }
        editor.undoWithSelection();
        state.ResumeTiming();
    }
    if (editor.textLength() != megabytePost().size())
        state.SkipWithError("undo did not bring the post back");
    state.counters["post_chars"] = double(editor.textLength());
}

void BM_BoldWrapAtEnd(benchmark::State &state)
{
    wrapWord(state, true);
}
void BM_BoldWrapAtStart(benchmark::State &state)
{
    wrapWord(state, false);
}

} // namespace

// Each iteration also lets the window repaint, untimed, which costs more than
// the wrap itself: a shorter minimum time keeps the whole run short.
BENCHMARK(BM_BoldWrapAtEnd)->Unit(benchmark::kMicrosecond)->MinTime(0.2);
BENCHMARK(BM_BoldWrapAtStart)->Unit(benchmark::kMicrosecond)->MinTime(0.2);

int main(int argc, char **argv)
{
    return zarvelo::bench::runWindowBenchmarks(argc, argv);
}
