// Benchmarks of the live chart: one 600 x 300 chart with 240 samples.
//   bench_chart                      all benchmarks
//   bench_chart --benchmark_filter=Memory
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateTime>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <memory>
#include <vector>

#include "chartview.h"
#include "qchartviewer.h"
#include "qchartviewerlabel.h"
#include "zqchart.h"

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 300;

double sample(long i)
{
    return 23.5 + 1.5 * std::sin(i / 20.0) + 0.2 * std::sin(i * 1.7);
}

// A shown host label of 600 x 300 with its chart, filled with 240 samples.
struct LiveChart
{
    QWidget window;
    QChartViewerLabel* host;
    std::unique_ptr<ChartView> chart;
    double t0 = chartTime2(QDateTime::currentSecsSinceEpoch());
    long n = 0;

    LiveChart()
    {
        window.resize(kWidth + 20, kHeight + 20);
        host = new QChartViewerLabel(&window);
        host->setGeometry(10, 10, kWidth, kHeight);
        chart = std::make_unique<ChartView>(host, 1, nullptr);
        // Every setData renders at once instead of waiting for the 20 ms update interval.
        chart->viewer()->setUpdateInterval(0);
        window.show();
        QApplication::processEvents();
        for (int i = 0; i < ChartView::SampleCount; ++i)
            next();
    }
    void next()
    {
        chart->setData(t0 + n + 0.25, sample(n));
        ++n;
    }
};

double medianMs(std::vector<double>& v)
{
    if (v.empty())
        return 0;
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

long rssKb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4;
}

using Clock = std::chrono::steady_clock;

void BM_SetDataToPixmap(benchmark::State& state)
{
    LiveChart live;
    std::vector<double> times;
    for (auto _ : state) {
        const auto start = Clock::now();
        live.next();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    if (live.chart->viewer()->pixmap(Qt::ReturnByValue).isNull())
        state.SkipWithError("no pixmap on the viewer");
    state.counters["median_ms"] = medianMs(times);
}
BENCHMARK(BM_SetDataToPixmap)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_TrackCursorMove(benchmark::State& state)
{
    LiveChart live;
    QChartViewer* viewer = live.chart->viewer();
    std::vector<double> times;
    int x = 45;
    for (auto _ : state) {
        auto* chart = dynamic_cast<XYChart*>(viewer->getChart());
        const auto start = Clock::now();
        // What a committed mouse move over the plot area does: dynamic layer, then display.
        live.chart->trackLineLegend(chart, x);
        viewer->updateDisplay();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        x = x >= 585 ? 45 : x + 7;
    }
    state.counters["median_ms"] = medianMs(times);
}
BENCHMARK(BM_TrackCursorMove)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_MemoryOver100kSamples(benchmark::State& state)
{
    for (auto _ : state) {
        LiveChart live;
        for (int i = 0; i < 1000; ++i)   // warm up caches and allocator pools
            live.next();
        const long before = rssKb();
        for (int i = 0; i < 100000; ++i)
            live.next();
        const long after = rssKb();
        state.counters["rss_before_kb"] = double(before);
        state.counters["rss_after_kb"] = double(after);
        state.counters["rss_growth_kb"] = double(after - before);
    }
}
BENCHMARK(BM_MemoryOver100kSamples)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
