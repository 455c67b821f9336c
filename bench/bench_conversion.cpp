// Conversion throughput on long, tag-dense posts, and the plain restart-loop
// conversion beside it for scale. `bench_conversion --write-post=FILE [CHARS]`
// writes the generated post (10 M characters unless told) as Windows-1256
// text instead, for timing zarvelo-preview as a whole process.

#include "literalconversion.h"
#include "platform/codepage.h"
#include "platform/textfile.h"
#include "preview/conversion.h"

#include <QRandomGenerator>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>

namespace {

/** Builds posts as forum posts look, only longer: paragraphs of Arabic and
    Latin words with inline tags in mixed case, ended by CR LF, now and then
    a named or plain quote or a code block around a paragraph. */
class PostWriter final
{
public:
    QString post(qsizetype length)
    {
        QString text;
        text.reserve(length + 4096);
        while (text.size() < length)
            paragraph(text);
        text.truncate(length);
        return text;
    }

private:
    void paragraph(QString &text)
    {
        static const QStringList blocks = {
            QStringLiteral("[QUOTE=Ali]|[/QUOTE]"), QStringLiteral("[QUOTE=محمد]|[/QUOTE]"),
            QStringLiteral("[QUOTE]|[/QUOTE]"),     QStringLiteral("[CODE]|[/CODE]"),
            QStringLiteral("[HTML]|[/HTML]"),       QStringLiteral("[PHP]|[/PHP]"),
        };
        const bool inBlock = m_random.bounded(5) == 0;
        const QStringList block = pick(blocks).split(QLatin1Char('|'));
        if (inBlock)
            text += mixCase(block[0]);
        const int items = 4 + int(m_random.bounded(8));
        for (int i = 0; i < items; ++i)
            item(text);
        if (inBlock)
            text += mixCase(block[1]);
        text += QStringLiteral("\r\n");
    }

    void item(QString &text)
    {
        static const QStringList words = {
            QStringLiteral("مرحبا"),   QStringLiteral("بكم"),   QStringLiteral("في"),
            QStringLiteral("المنتدى"), QStringLiteral("شكرا"),  QStringLiteral("على"),
            QStringLiteral("الموضوع"), QStringLiteral("hello"), QStringLiteral("forum"),
            QStringLiteral("Qt"),      QStringLiteral("code"),  QStringLiteral("a"),
        };
        static const QStringList inline_ = {
            QStringLiteral("[B]|[/B]"),
            QStringLiteral("[I]|[/I]"),
            QStringLiteral("[U]|[/U]"),
            QStringLiteral("[CENTER]|[/CENTER]"),
            QStringLiteral("[LEFT]|[/LEFT]"),
            QStringLiteral("[RIGHT]|[/RIGHT]"),
            QStringLiteral("[FONT='Arial']|[/FONT]"),
            QStringLiteral("[SIZE=4]|[/SIZE]"),
            QStringLiteral("[COLOR=#FF0000]|[/COLOR]"),
            QStringLiteral("[URL=http://example.org/]|[/URL]"),
            QStringLiteral("[img]|[/img]"),
        };
        if (m_random.bounded(2) == 0) {
            text += pick(words);
        } else {
            const QStringList tag = pick(inline_).split(QLatin1Char('|'));
            text += mixCase(tag[0]);
            text += pick(words);
            text += mixCase(tag[1]);
        }
        text += QLatin1Char(' ');
    }

    QString pick(const QStringList &list) { return list[qsizetype(m_random.bounded(quint32(list.size())))]; }

    QString mixCase(QString tag)
    {
        for (QChar &c : tag) {
            if (c.unicode() < 128 && c.isLetter() && m_random.bounded(2))
                c = c.isUpper() ? c.toLower() : c.toUpper();
        }
        return tag;
    }

    QRandomGenerator m_random{4242};
};

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
