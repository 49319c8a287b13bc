#include <benchmark/benchmark.h>

#ifdef RUVIVUVAZ_BENCH_SHELL
#include <QApplication>
#endif

// Widget benchmarks need one application object; without a display they are
// drawn offscreen.
int main(int argc, char** argv) {
#ifdef RUVIVUVAZ_BENCH_SHELL
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
