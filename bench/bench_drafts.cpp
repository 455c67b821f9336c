// Keeping a 20 000-character post as a draft. The keeper's part, on the input
// path, must stay well under what a typist would notice (5 ms): it reads the
// editor's exact text and hands it on. The atomic replacement of the file
// waits for the disk, so it runs on the keeper's writing thread.

#include "drafts/draftkeeper.h"
#include "drafts/draftstore.h"
#include "scriptedplatform.h"
#include "ui/posteditor.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "windowbenchmain.h"

#include <benchmark/benchmark.h>

namespace {

/** 20 000 characters of Arabic and Latin lines with every kind of line break. */
QString post()
{
    const QString line = QStringLiteral("بسم الله الرحمن الرحيم - [B]the quick brown fox[/B]\r\n\n\r");
    QString text;
    while (text.size() + line.size() <= 20000)
        text += line;
    return text + QString(20000 - text.size(), u'x');
}

// The folder is made in the working folder, on the disk drafts really go to,
// not in a memory file system.
const QString kFolderTemplate = QStringLiteral("/bench-drafts-XXXXXX");

void BM_WriteDraft(benchmark::State &state)
{
    const QTemporaryDir dir(QDir::currentPath() + kFolderTemplate);
    zarvelo::DraftStore store(dir.path());
    const QString id = store.newId(), text = post();
    for (auto _ : state) {
        if (!store.write(id, text, QStringLiteral("/home/user/post.txt")).ok) {
            state.SkipWithError("the draft could not be written");
            break;
        }
    }
    state.counters["post_chars"] = double(text.size());
}

void BM_KeepEditorPost(benchmark::State &state)
{
    const QTemporaryDir dir(QDir::currentPath() + kFolderTemplate);
    zarvelo::DraftStore store(dir.path());
    zarvelo::test::ScriptedPlatform platform;
    zarvelo::PostEditor editor;
    zarvelo::DraftKeeper keeper(
        editor, platform, store, [] { return QString(); }, [] { return QString(); });
    editor.setText(post());
    for (auto _ : state) {
        state.PauseTiming();
        editor.setSelStart(state.iterations() % 2 ? 0 : editor.textLength()); // each keep has a change
        editor.setSelText(QStringLiteral("x"));
        state.ResumeTiming();
        keeper.keepNow();
        state.PauseTiming();
        keeper.waitForWrites();
        state.ResumeTiming();
    }
    if (!platform.messages.isEmpty() || store.list().size() != 1)
        state.SkipWithError("the draft was not kept");
}

} // namespace

BENCHMARK(BM_WriteDraft)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeepEditorPost)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    return zarvelo::bench::runWindowBenchmarks(argc, argv);
}
