// One refill and repaint of the results chart, offscreen. With --demo FOLDER
// it writes the chart for a few examples as pictures, one below the other;
// with --show SECONDS it shows them in a window instead (for a screenshot).
#include "bench_window.h"
#include "ui/bar_chart.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QVBoxLayout>
#include <cstring>
#include <iostream>
#include <memory>
#include <vector>

namespace {

using stk::ChartValues;
using stk::ui::ChartNames;

constexpr int chart_width = 589, chart_height = 255;  // the window's chart, in pixels

// The worked example of the README's picture; level 0 is cut.
const ChartValues worked{{{26549.06, 534.3407, 216.9994, 0.07472568, 0.001140828},
                          {26549.06, 574.3407, 296.9994, 120.0747, 160.0011},
                          {26549.06, 788.3407, 674.9994, 662.0747, 866.0012}}};
// The same article with a dearer stock-out: the axis moves.
const ChartValues dearer{{{53098.12, 1068.681, 433.9988, 0.1494514, 0.002281656},
                          {53098.12, 1108.681, 513.9988, 120.1495, 160.0023},
                          {53098.12, 1322.681, 891.9988, 662.1495, 866.0023}}};
// Costs of the same order at every level: nothing is cut.
const ChartValues even{{{1800, 950, 420, 130, 40}, {1800, 1010, 540, 310, 280}, {1800, 1240, 930, 860, 1010}}};

const ChartNames french{{"Risque", "Risque + Coût direct", "Total"}, "Stock de Sécurité"};
const ChartNames english{{"Risk", "Risk + Direct cost", "Total"}, "Safety stock"};

// A window holding one chart at the size the main window gives it.
template <class Chart>
struct Shown {
    QWidget window;
    Chart chart{&window};
    Shown()
    {
        window.resize(chart_width, chart_height);
        chart.view()->setGeometry(0, 0, chart_width, chart_height);
        chart.refill(worked, french);
        window.show();
        QCoreApplication::processEvents();
    }
};

template <class Chart>
void refill_and_repaint(benchmark::State& state, const ChartValues& a, const ChartValues& b)
{
    Shown<Chart> shown;
    bool flip = false;
    for (auto _ : state) {
        shown.chart.refill(flip ? a : b, french);
        // As after a keystroke: the event loop lays the chart out and paints what changed.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        flip = !flip;
    }
}

// Values that keep the axis, then values that move it.
void BM_BarChartRefillRepaint(benchmark::State& state) { refill_and_repaint<stk::ui::BarChart>(state, worked, even); }
void BM_BarChartRefillRepaintSameAxis(benchmark::State& state)
{
    ChartValues nearly = worked;
    nearly[0][1] += 1;
    refill_and_repaint<stk::ui::BarChart>(state, worked, nearly);
}
void BM_BarChartConstruct(benchmark::State& state)
{
    for (auto _ : state) {
        Shown<stk::ui::BarChart> shown;
        shown.window.repaint();
    }
}
BENCHMARK(BM_BarChartRefillRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BarChartRefillRepaintSameAxis)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BarChartConstruct)->Unit(benchmark::kMicrosecond);

struct Example {
    const char* name;
    const ChartValues& values;
    const ChartNames& names;
};

ChartNames long_names()
{
    ChartNames names = french;
    names.series[1] = QString(5000, QChar('x')).prepend(QStringLiteral("Risque + Coût direct, "));
    names.levels = QString(5000, QChar('y')).prepend(QStringLiteral("Stock de Sécurité, "));
    return names;
}

// The chart of each example, one row each.
struct Page {
    std::unique_ptr<QWidget> widget = std::make_unique<QWidget>();
    std::vector<std::unique_ptr<stk::ui::BarChart>> painted;
    QWidget* first_row = nullptr;
};

std::unique_ptr<Page> one_below_the_other()
{
    static const ChartNames long_captions = long_names();
    const Example examples[] = {
        {"worked", worked, french}, {"dearer", dearer, english}, {"even", even, french}, {"long", even, long_captions}};
    auto page = std::make_unique<Page>();
    auto* rows = new QVBoxLayout(page->widget.get());
    rows->setSpacing(4);
    rows->setContentsMargins(4, 4, 4, 4);
    for (const Example& e : examples) {
        auto* row = new QWidget(page->widget.get());
        row->setFixedSize(chart_width, chart_height);
        // The chart's view belongs to the row.
        page->painted.push_back(std::make_unique<stk::ui::BarChart>(row));
        page->painted.back()->view()->setGeometry(0, 0, chart_width, chart_height);
        page->painted.back()->refill(e.values, e.names);
        rows->addWidget(row);
        if (!page->first_row)
            page->first_row = row;
    }
    return page;
}

int demo(const QString& folder)
{
    QDir().mkpath(folder);
    const auto page = one_below_the_other();
    page->widget->show();
    QCoreApplication::processEvents();
    const bool saved =
        page->widget->grab().save(folder + "/charts.png") &&
        page->first_row->grab(QRect(0, 0, chart_width, chart_height)).save(folder + "/chart_painted.png");
    std::cout << (saved ? "wrote " : "could not write ") << folder.toStdString()
              << "/charts.png and chart_painted.png\n";
    return saved ? 0 : 1;
}

int show(int seconds)
{
    const auto page = one_below_the_other();
    page->widget->setWindowTitle(QStringLiteral("The results chart"));
    page->widget->move(0, 0);
    page->widget->show();
    QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv)
{
    const bool demo_mode = argc == 3 && std::strcmp(argv[1], "--demo") == 0;
    const bool show_mode = argc == 3 && std::strcmp(argv[1], "--show") == 0;
    if (!demo_mode && !show_mode)
        return stk::bench::run_offscreen(argc, argv);
    if (demo_mode && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return demo_mode ? demo(QString::fromLocal8Bit(argv[2])) : show(std::max(1, std::atoi(argv[2])));
}
