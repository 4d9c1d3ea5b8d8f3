// Entry point for the benchmarks that need Qt's event machinery but no
// window: a QGuiApplication on the offscreen platform (the text layout that
// fits a deck's text needs its font database) around Google Benchmark's
// usual run.

#include <benchmark/benchmark.h>

#include <QGuiApplication>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
