// Paste with formatting: a 100 KB page of formatted Arabic, as a browser puts
// it on the clipboard, read and turned into markup. The paste must feel
// immediate: under 50 ms.

#include "richtext/markupfromhtml.h"

#include <QFile>

#include "windowbenchmain.h"

#include <benchmark/benchmark.h>

namespace {

/** The browser's copy of a page, its body repeated to 100 KB. */
QString page()
{
    QFile file(QStringLiteral(ZARVELO_SOURCE_DIR "/tests/data/richtext/chromium.html"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString copy = QString::fromUtf8(file.readAll());
    QString html;
    while (html.toUtf8().size() < 100 * 1024)
        html += copy;
    return html;
}

void BM_PasteWebPage(benchmark::State &state)
{
    const QString html = page();
    qsizetype length = 0;
    for (auto _ : state)
        length = zarvelo::markupFromHtml(html).value_or(QString()).size();
    if (length == 0)
        state.SkipWithError("the page gave no markup");
    state.counters["bytes"] = double(html.toUtf8().size());
}

} // namespace

BENCHMARK(BM_PasteWebPage)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return zarvelo::bench::runWindowBenchmarks(argc, argv);
}
