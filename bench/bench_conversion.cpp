// Conversion throughput on long, tag-dense posts, and the plain restart-loop
// conversion beside it for scale. `bench_conversion --write-post=FILE [CHARS]`
// writes the generated post (10 M characters unless told) as Windows-1256
// text instead, for timing zarvelo-preview as a whole process.

#include "literalconversion.h"
#include "platform/codepage.h"
#include "platform/textfile.h"
#include "postwriter.h"
#include "preview/conversion.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>

namespace {

const QString &post(qsizetype length)
{
    static std::map<qsizetype, QString> posts;
    auto found = posts.find(length);
    if (found == posts.end())
        found = posts.emplace(length, PostWriter().post(length)).first;
    return found->second;
}

void report(benchmark::State &state, const QString &text, const QString &html)
{
    state.counters["Mchars/s"] = benchmark::Counter(double(text.size()) * double(state.iterations()) / 1e6,
                                                    benchmark::Counter::kIsRate);
    state.counters["chars per ]"] = double(text.size()) / double(text.count(QLatin1Char(']')));
    state.counters["growth"] = double(html.size()) / double(text.size());
}

// Each run builds its result in fresh memory, as a single preview does; on
// machines where fresh pages are dear the allocation weighs in.
void BM_Conversion(benchmark::State &state)
{
    const QString &text = post(state.range(0));
    QString html;
    for (auto _ : state) {
        html = zarvelo::convertMarkupToHtml(text);
        benchmark::DoNotOptimize(html.constData());
    }
    report(state, text, html);
}
BENCHMARK(BM_Conversion)->Arg(20'000)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// Each run writes over the memory of the one before: the conversion's own speed.
void BM_ConversionReusingMemory(benchmark::State &state)
{
    const QString &text = post(state.range(0));
    QString html;
    for (auto _ : state) {
        zarvelo::convertMarkupToHtml(text, html);
        benchmark::DoNotOptimize(html.constData());
    }
    report(state, text, html);
}
BENCHMARK(BM_ConversionReusingMemory)
    ->Arg(20'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);

// The same post as Windows-1256 bytes, converted as bytes into a block
// buffer that the sink only looks at: what zarvelo-preview does with such a post.
void BM_Windows1256Conversion(benchmark::State &state)
{
    const QString &text = post(state.range(0));
    const QByteArray bytes = zarvelo::encodeWindows1256(text).bytes;
    qsizetype written = 0;
    for (auto _ : state) {
        written = 0;
        zarvelo::convertWindows1256MarkupInBlocks(bytes, [&](QByteArrayView block) {
            written += block.size();
            benchmark::DoNotOptimize(block.data());
            return true;
        });
    }
    state.counters["Mchars/s"] = benchmark::Counter(double(text.size()) * double(state.iterations()) / 1e6,
                                                    benchmark::Counter::kIsRate);
    state.counters["growth"] = double(written) / double(text.size());
}
BENCHMARK(BM_Windows1256Conversion)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

void BM_LiteralConversion(benchmark::State &state)
{
    const QString &text = post(state.range(0));
    QString html;
    for (auto _ : state) {
        html = zarvelo::test::literalConversion(text);
        benchmark::DoNotOptimize(html.constData());
    }
    report(state, text, html);
}
BENCHMARK(BM_LiteralConversion)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    constexpr const char kWrite[] = "--write-post=";
    if (argc > 1 && std::strncmp(argv[1], kWrite, sizeof(kWrite) - 1) == 0) {
        const qsizetype length = argc > 2 ? QByteArray(argv[2]).toLongLong() : 10'000'000;
        const QString path = QString::fromLocal8Bit(argv[1] + sizeof(kWrite) - 1);
        const zarvelo::TextFileWrite written = zarvelo::writeWindows1256File(path, post(length));
        if (!written.ok)
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(written.error));
        return written.ok ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
