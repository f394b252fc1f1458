// What the window benchmarks share: a window with the worked example typed in,
// in a folder of its own, and a main that runs them offscreen.
#pragma once

#include "tests/worked_example.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace stk::bench {

// Sets a field's text box, as a keystroke does.
inline void type(MainWindow& w, Field field, const char* text)
{
    qobject_cast<QLineEdit*>(w.control(info(field).name))->setText(QString::fromUtf8(text));
}

struct ShownWindow {
    QTemporaryDir dir;
    MainWindow w{dir.path().toStdString()};

    ShownWindow()
    {
        w.show();
        for (const auto& [field, text] : worked::typed)
            type(w, field, std::string(text).c_str());
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
