// Checking a post: generated tag-dense posts of 20 000 characters and of
// 1 MB, with a fault now and then (a tag left open, a stray closing tag, two
// closing tags in the wrong order, a colour without its "#"), and fixing
// everything in the 20 000-character one.

#include "postcheck/postcheck.h"
#include "postwriter.h"

#include <benchmark/benchmark.h>

#include <map>

namespace {

const QString &post(qsizetype length)
{
    static std::map<qsizetype, QString> posts;
    auto found = posts.find(length);
    if (found != posts.end())
        return found->second;
    QString text = PostWriter().post(length);
    static const QString faults[] = {QStringLiteral("[B]"), QStringLiteral("[/I]"),
                                     QStringLiteral("[U][I]x[/U][/I]"),
                                     QStringLiteral("[COLOR=00FF00]y[/COLOR]")};
    // Where a line starts, so that no fault lands inside a tag.
    int k = 0;
    for (qsizetype at = text.indexOf(QLatin1String("\r\n"), 2000); at >= 0;
         at = text.indexOf(QLatin1String("\r\n"), at + 2000)) {
        text.insert(at, faults[k++ % 4]);
    }
    return posts.emplace(length, text.left(length)).first->second;
}

void BM_CheckPost(benchmark::State &state)
{
    const QString &text = post(state.range(0));
    qsizetype problems = 0;
    for (auto _ : state) {
        const zarvelo::PostCheck check = zarvelo::checkPost(text, {});
        problems = check.problems.size();
        benchmark::DoNotOptimize(check.problems.constData());
    }
    state.counters["problems"] = double(problems);
}
BENCHMARK(BM_CheckPost)->Arg(20'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_FixEverything(benchmark::State &state)
{
    const QString &text = post(state.range(0));
    for (auto _ : state) {
        const QList<zarvelo::PostEdit> edits = zarvelo::fixEverything(text, {});
        benchmark::DoNotOptimize(edits.constData());
    }
}
BENCHMARK(BM_FixEverything)->Arg(20'000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
