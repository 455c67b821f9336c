// How long the main window takes from nothing to shown: building its controls
// and menus, the load step (settings file, panel, template) and the first
// layout and paint. The process start itself (loading Qt) comes on top.
#include "scriptedplatform.h"
#include "shell/form1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "windowbenchmain.h"

#include <benchmark/benchmark.h>

namespace {

void BM_OpenMainWindow(benchmark::State &state)
{
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(ZARVELO_SOURCE_DIR "/data/setting.vbe"),
                dir.filePath(QStringLiteral("setting.vbe")));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    for (auto _ : state) {
        zarvelo::test::ScriptedPlatform platform;
        zarvelo::Form1 form(platform);
        if (!form.formLoad())
            state.SkipWithError("the load step failed");
        form.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form.grab());
    }
    QDir::setCurrent(previous);
}
BENCHMARK(BM_OpenMainWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return zarvelo::bench::runWindowBenchmarks(argc, argv);
}
