// How long the main window takes from nothing to shown: building its controls
// and menus, the load step (settings file, panel, template) and the first
// layout and paint. The process start itself (loading Qt) comes on top.
#include "scriptedplatform.h"
#include "shell/form1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The window keeps its post as drafts: in a folder of the run's own, never the user's.
    const QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QApplication::setStyle(QStringLiteral("Fusion"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
