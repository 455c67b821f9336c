// Find and replace in a 1 MB post of Arabic lines with harakat, tatweel,
// tags, emoji and CR LF, holding 10 000 matches of the word sought: finding
// every match, and replacing them all in the main window's editor as one
// undo step (until the editor has taken the new text and drawn its
// highlights again, the matches' own included, with the spelling underline
// and without it).

#include "highlight/markupscan.h"
#include "scriptedplatform.h"
#include "search/replacewindow.h"
#include "search/textmatch.h"
#include "shell/form1.h"
#include "shell/spellingswitch.h"
#include "ui/posteditor.h"

#include <QApplication>
#include <QLineEdit>
#include <QSettings>

#include "windowbenchmain.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zarvelo;

constexpr int kMatches = 10000;

/** kMatches lines of about 105 characters, each with one "الإسْلامُ" written
    some way or other. */
const QString &megabytePost()
{
    static const QString post = [] {
        const QStringList forms{QStringLiteral("الإسْلامُ"), QStringLiteral("الإســلام"),
                                QStringLiteral("الاسلام"), QStringLiteral("الإسلام")};
        QString text;
        text.reserve(kMatches * 106);
        for (int i = 0; i < kMatches; ++i) {
            text += QStringLiteral("قال الأستاذُ إنّ ") + forms[i % forms.size()]
                + QStringLiteral(
                        " [B]دين[/B] السلام 👍 والمحبة، and peace to everyone who reads this post today\r\n");
        }
        return text;
    }();
    return post;
}

void BM_FindEveryMatch(benchmark::State &state)
{
    const bool skipTags = state.range(0) != 0;
    MatchOptions options;
    options.skipTags = skipTags;
    // The tags as the window reads them.
    const MarkupFinder tags = [](QStringView line, QList<TextRange> &stretches) {
        QList<IsolatedTag> found;
        findIsolatedTags(line, found);
        for (const IsolatedTag &tag : std::as_const(found))
            stretches.append({tag.start, tag.length});
    };
    qsizetype found = 0;
    for (auto _ : state) {
        const TextMatcher matcher(QStringLiteral("الإسلام"), options);
        found =
            matcher.findAll(megabytePost(), skipTags ? postMarkup(megabytePost(), tags) : QList<TextRange>())
                .size();
        benchmark::DoNotOptimize(found);
    }
    if (found != kMatches)
        state.SkipWithError("not every match was found");
    state.counters["post_chars"] = double(megabytePost().size());
    state.counters["matches"] = double(found);
}

void BM_ReplaceEveryMatch(benchmark::State &state)
{
    // With the spelling underline, on by default, and without it.
    QSettings(preferencesPath(), QSettings::IniFormat)
        .setValue(QStringLiteral("spelling/enabled"), state.range(0) != 0);
    test::ScriptedPlatform platform;
    Form1 form(platform);
    form.show();
    PostEditor &editor = form.editor();
    editor.setText(megabytePost());
    editor.document()->clearUndoRedoStacks();
    form.menu().REPLACE->trigger();
    auto *window = form.findChild<ReplaceWindowOpener *>()->window();
    window->findChild<QLineEdit *>(QStringLiteral("txtFIND"))->setText(QStringLiteral("الإسلام"));
    window->findChild<QLineEdit *>(QStringLiteral("txtREPLACE"))->setText(QStringLiteral("الدين"));
    QApplication::processEvents();

    for (auto _ : state) {
        state.PauseTiming();
        editor.setSelStart(0);
        platform.messages.clear();
        QApplication::processEvents();
        state.ResumeTiming();

        window->replaceAll();

        state.PauseTiming();
        const bool replaced = platform.messages.size() == 1
            && platform.messages.first().text == QStringLiteral("تم استبدال 10000");
        editor.undoWithSelection();
        if (!replaced || editor.text() != megabytePost()) {
            state.SkipWithError("the matches were not replaced, or one undo did not bring the post back");
            break;
        }
        state.ResumeTiming();
    }
    state.counters["post_chars"] = double(megabytePost().size());
}

} // namespace

BENCHMARK(BM_FindEveryMatch)->Arg(0)->Arg(1)->ArgName("skip_tags")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceEveryMatch)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("spelling")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

int main(int argc, char **argv)
{
    return zarvelo::bench::runWindowBenchmarks(argc, argv);
}
