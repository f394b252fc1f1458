// Shared helpers of the window tests.
#pragma once

#include "ui/da_stk_secu.h"

#include <QBarSeries>
#include <QChartView>
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
    da_stk_secu w{dir.path().toStdString(), diag};
};

// A test with a fresh window, and one with a case as its parameter.
struct Window : ::testing::Test, Fresh {};
template <class Case>
struct WindowWith : Window, ::testing::WithParamInterface<Case> {
};

inline QLineEdit* box(const da_stk_secu& w, std::string_view name, int index = ui::no_index)
{
    return qobject_cast<QLineEdit*>(w.control(name, index));
}

inline void click(da_stk_secu& w, std::string_view name, int index = ui::no_index)
{
    QTest::mouseClick(w.control(name, index), Qt::LeftButton);
}

// A control's position in the control walk.
inline std::size_t pos_of(std::string_view name, int index = ui::no_index)
{
    return static_cast<std::size_t>(ui::find_control(name, index));
}

inline QBarSeries* bars(const da_stk_secu& w)
{
    return qobject_cast<QBarSeries*>(qobject_cast<QChartView*>(w.control("g"))->chart()->series().at(0));
}

// The worked example, in the keyboard order of the article and company frames, typed key by key.
inline constexpr std::pair<std::string_view, const char*> worked_example[] = {
    {"nbt", "3"},     {"dat", "4"},   {"pst", "200"}, {"uut", "2000"},
    {"dvt", "10000"}, {"crt", "500"}, {"cct", "50"},  {"tst", "2"}};

inline void type_worked_example(da_stk_secu& w)
{
    for (const auto& [field, text] : worked_example)
        QTest::keyClicks(box(w, field), text);
}

// The texts of the eight input fields, indexed by Field, and the engine's calculation of them.
using Texts = std::array<std::string, field_count>;

inline Texts texts_of(const da_stk_secu& w)
{
    Texts texts;
    for (const FieldInfo& f : fields)
        texts[std::size_t(f.field)] = w.field_text(f.field);
    return texts;
}

inline Calculation calculate(const Texts& texts)
{
    FieldTexts views;
    for (const FieldInfo& f : fields)
        views[f.field] = texts[std::size_t(f.field)];
    return stk::calc(views);
}

// The results table and the recommended stock show a fresh calculation of `texts`.
inline ::testing::AssertionResult shows_results_of(const da_stk_secu& w, const Texts& texts)
{
    const Presentation expected = present(calculate(texts), QLocale().decimalPoint().toStdString());
    for (std::size_t line = 0; line < line_count; ++line)
        for (int level = 0; level < level_count; ++level)
            if (w.result_text(Line(line), level) != expected.cell(Line(line), level))
                return ::testing::AssertionFailure() << line_names[line] << "(" << level << ") differs";
    return w.recommended_text() == expected.recommended ? ::testing::AssertionSuccess()
                                                        : ::testing::AssertionFailure() << "sst(5) differs";
}

// The input fields in the highlight colour, in palette and on screen (a "?" marks a disagreement).
inline std::vector<std::string> highlighted_fields(const da_stk_secu& w)
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

// The test name of a case that carries its own name, and how the test list and failures print it.
inline constexpr auto case_name = [](const auto& info) { return std::string(info.param.name); };
namespace {
template <class Case>
requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
}  // namespace

}  // namespace stk::test
