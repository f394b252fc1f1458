// Shared helpers of the window tests.
#pragma once

#include "ui/bar_chart.h"
#include "ui/main_window.h"
#include "form/model_helpers.h"

#include <QAccessible>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sstream>

namespace stk::test {

// A window with a folder of its own for its two files, and its reports.
struct Fresh {
    QTemporaryDir dir;
    std::ostringstream diag;
    MainWindow w{dir.path().toStdString(), diag};
};

// A test with a fresh window, and one with a case as its parameter.
struct Window : ::testing::Test, Fresh {};
template <class Case>
struct WindowWith : Window, ::testing::WithParamInterface<Case> {
};

inline QLineEdit* box(const MainWindow& w, std::string_view name, int index = ui::no_index)
{
    return qobject_cast<QLineEdit*>(w.control(name, index));
}

inline void click(MainWindow& w, std::string_view name, int index = ui::no_index)
{
    QTest::mouseClick(w.control(name, index), Qt::LeftButton);
}

// The chart `g`, what it shows and what a screen reader hears of it.
inline ui::BarChartView* chart(const MainWindow& w) { return qobject_cast<ui::BarChartView*>(w.control("g")); }

inline QString read_aloud(QWidget* widget, QAccessible::Text kind)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(kind) : QStringLiteral("<no interface>");
}

// The worked example, typed key by key in the keyboard order of the article and company frames.
inline void type_worked_example(MainWindow& w)
{
    for (const auto& [field, text] : worked::typed)
        QTest::keyClicks(box(w, info(field).name), QString::fromUtf8(text.data(), qsizetype(text.size())));
}

// The results table and the recommended stock show what the model holds.
inline ::testing::AssertionResult shows_model_results(const MainWindow& w)
{
    for (std::size_t line = 0; line < line_count; ++line)
        for (int level = 0; level < level_count; ++level)
            if (box(w, line_names[line], level)->text().toStdString() != w.model().result_text(Line(line), level))
                return ::testing::AssertionFailure() << line_names[line] << "(" << level << ") differs";
    return box(w, "sst", 5)->text().toStdString() == w.model().recommended_text()
               ? ::testing::AssertionSuccess()
               : ::testing::AssertionFailure() << "sst(5) differs";
}

// The input fields in the highlight colour, in palette and on screen (a "?" marks a disagreement).
inline std::vector<std::string> highlighted_fields(const MainWindow& w)
{
    const QColor highlight(0xFF, 0xE0, 0xC0);
    std::vector<std::string> names;
    for (const FieldInfo& f : fields) {
        const QImage image = box(w, f.name)->grab().toImage();
        const bool on_screen = image.pixelColor(image.width() - 4, image.height() / 2) == highlight;
        const bool in_palette = box(w, f.name)->palette().color(QPalette::Base) == highlight;
        if (in_palette || on_screen)
            names.push_back(std::string(f.name) + (in_palette && on_screen ? "" : "?"));
    }
    return names;
}

// Sets the default locale for the life of the guard.
struct DefaultLocale {
    QLocale saved;
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(saved); }
};

}  // namespace stk::test
