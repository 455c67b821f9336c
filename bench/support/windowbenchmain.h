#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>

namespace zarvelo::bench {

/**
 * The main of a benchmark that builds windows: Qt's offscreen platform unless
 * another is asked for, the program's application settings, and the user's
 * data and configuration folders (drafts, words, preferences) in a folder of
 * the run's own, never the user's. `setUp` runs after the application exists
 * and before the benchmarks, `tearDown` after them.
 */
inline int runWindowBenchmarks(int argc, char **argv, const std::function<void()> &setUp = {},
                               const std::function<void()> &tearDown = {})
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(QStringLiteral("config")).toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zarvelo"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QApplication::setStyle(QStringLiteral("Fusion"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (setUp)
        setUp();
    benchmark::RunSpecifiedBenchmarks();
    if (tearDown)
        tearDown();
    benchmark::Shutdown();
    return 0;
}

} // namespace zarvelo::bench
