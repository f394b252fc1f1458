// What the window benchmarks share: a window with the worked example typed in,
// in a folder of its own, and a main that runs them offscreen.
#pragma once

#include "ui/da_stk_secu.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace stk::bench {

struct ShownWindow {
    QTemporaryDir dir;
    da_stk_secu w{dir.path().toStdString()};

    ShownWindow()
    {
        w.show();
        const std::pair<Field, const char*> example[] = {
            {Field::nbt, "3"},     {Field::dat, "4"},   {Field::pst, "200"}, {Field::uut, "2000"},
            {Field::dvt, "10000"}, {Field::crt, "500"}, {Field::cct, "50"},  {Field::tst, "2"}};
        for (const auto& [field, text] : example)
            w.set_field_text(field, text);
        QCoreApplication::processEvents();
    }
};

inline int run_offscreen(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace stk::bench
