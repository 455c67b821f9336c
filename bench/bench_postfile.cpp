// Opening a post file with the load limit: a long Windows-1256 file is read
// no further than the limit, a long UTF-8 one is read through (its validity
// and length need every byte) without being held whole.

#include "platform/textfile.h"
#include "shell/postfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString writeFile(const QTemporaryDir &dir, const char *name, const QByteArray &bytes)
{
    QString path = dir.filePath(QLatin1String(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

void openPost(benchmark::State &state, const QByteArray &bytes)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "post.txt", bytes);
    for (auto _ : state) {
        const zarvelo::TextFileRead read = zarvelo::readPostFile(path, zarvelo::kPostLoadLimit + 1);
        benchmark::DoNotOptimize(read.text.constData());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// 8.6 million characters: 8.6 MB in Windows-1256, 12 MB in UTF-8.
const QString kText = QStringLiteral("مرحبا بكم في المنتدى Hello forum [B]x[/B]\r\n").repeated(200000);

void BM_OpenWindows1256_8600KB(benchmark::State &state)
{
    QList<char32_t> unencodable;
    openPost(state, zarvelo::encodeText(kText, zarvelo::TextEncoding::Windows1256, &unencodable));
}
BENCHMARK(BM_OpenWindows1256_8600KB)->Unit(benchmark::kMillisecond);

void BM_OpenUtf8_12MB(benchmark::State &state)
{
    openPost(state, kText.toUtf8());
}
BENCHMARK(BM_OpenUtf8_12MB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
