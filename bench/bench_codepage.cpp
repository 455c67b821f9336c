// The Windows-1256 code page on a long page: decoding a post's bytes, and
// encoding a converted page with its character references, as the preview
// and zarvelo-preview do.
#include "platform/codepage.h"
#include "preview/conversion.h"

#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

/** Markup, HTML and Arabic words in about the proportions of a preview page. */
QString page(qsizetype length)
{
    static const QStringList pieces = {
        QStringLiteral("مرحبا "),     QStringLiteral("بكم في المنتدى "),
        QStringLiteral("hello "),     QStringLiteral("<font color=#FF0000>"),
        QStringLiteral("</font>"),    QStringLiteral("<b>"),
        QStringLiteral("</b><br>\n"), zarvelo::namedQuoteOpening().toString(),
    };
    QRandomGenerator random(77);
    QString text;
    while (text.size() < length)
        text += pieces[qsizetype(random.bounded(quint32(pieces.size())))];
    text.truncate(length);
    return text;
}

void report(benchmark::State &state, qsizetype chars)
{
    state.counters["Mchars/s"] =
        benchmark::Counter(double(chars) * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void BM_Decode(benchmark::State &state)
{
    const QByteArray bytes = zarvelo::encodeWindows1256(page(state.range(0))).bytes;
    for (auto _ : state)
        benchmark::DoNotOptimize(zarvelo::decodeWindows1256(bytes).constData());
    report(state, bytes.size());
}
BENCHMARK(BM_Decode)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// Into one block-sized buffer, as zarvelo-preview writes its output.
void BM_EncodeEscapingInBlocks(benchmark::State &state)
{
    const QString text = page(state.range(0));
    constexpr qsizetype kBlock = 64 * 1024;
    std::vector<char> buffer(size_t(kBlock * zarvelo::kMaxEscapedBytesPerUnit));
    for (auto _ : state) {
        for (qsizetype at = 0; at < text.size(); at += kBlock)
            benchmark::DoNotOptimize(zarvelo::encodeWindows1256EscapingUnencodable(
                QStringView(text).mid(at, kBlock), buffer.data()));
    }
    report(state, text.size());
}
BENCHMARK(BM_EncodeEscapingInBlocks)->Arg(1'000'000)->Arg(17'500'000)->Unit(benchmark::kMillisecond);

// A whole page into fresh memory, as the preview button writes it; one
// character in a thousand needs a reference.
void BM_EncodeEscapingPage(benchmark::State &state)
{
    QString text = page(state.range(0));
    for (qsizetype at = 500; at < text.size(); at += 1000)
        text[at] = QChar(0x4E2D);
    for (auto _ : state)
        benchmark::DoNotOptimize(zarvelo::encodeWindows1256EscapingUnencodable(text).constData());
    report(state, text.size());
}
BENCHMARK(BM_EncodeEscapingPage)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
