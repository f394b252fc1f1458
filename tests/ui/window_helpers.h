// Shared helpers of the window tests.
#pragma once

#include "ui/da_stk_secu.h"

#include "engine/numtext.h"

#include <QColor>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace stk::test {

// A window with a folder of its own for its two files, and its reports.
struct Fresh {
    QTemporaryDir dir;
    std::ostringstream diag;
    da_stk_secu w{dir.path().toStdString(), diag};
};

inline QLineEdit* box(const da_stk_secu& w, std::string_view name, int index = ui::no_index)
{
    return qobject_cast<QLineEdit*>(w.control(name, index));
}

struct Typed {
    std::string_view field;
    const char* text;
};

// The worked example, in the keyboard order of the article and company frames.
inline constexpr Typed worked_example[] = {{"nbt", "3"},     {"dat", "4"},     {"pst", "200"}, {"uut", "2000"},
                                           {"dvt", "10000"}, {"crt", "500"},   {"cct", "50"},  {"tst", "2"}};

// Types the worked example key by key.
inline void type_worked_example(da_stk_secu& w)
{
    for (const Typed& t : worked_example)
        QTest::keyClicks(box(w, t.field), QString::fromLatin1(t.text));
}

// The texts of the eight input fields, indexed by Field.
using Texts = std::array<std::string, field_count>;

inline Texts texts_of(const da_stk_secu& w)
{
    Texts texts;
    for (const FieldInfo& f : fields)
        texts[static_cast<std::size_t>(f.field)] = box(w, f.name)->text().toStdString();
    return texts;
}

// The engine's calculation of these texts, without the window.
inline Calculation calculate(const Texts& texts)
{
    FieldTexts views;
    for (const FieldInfo& f : fields)
        views[f.field] = texts[static_cast<std::size_t>(f.field)];
    return stk::calc(views);
}

// The results table and the recommended stock show what a fresh calculation of
// `texts` shows.
inline ::testing::AssertionResult shows_results_of(const da_stk_secu& w, const Texts& texts)
{
    const Presentation expected = present(calculate(texts), QLocale().decimalPoint().toStdString());
    for (std::size_t line = 0; line < line_count; ++line)
        for (int level = 0; level < level_count; ++level) {
            const std::string shown = box(w, line_names[line], level)->text().toStdString();
            if (shown != expected.cell(static_cast<Line>(line), level))
                return ::testing::AssertionFailure() << line_names[line] << "(" << level << ") shows \"" << shown
                                                     << "\" instead of \"" << expected.cell(static_cast<Line>(line), level)
                                                     << "\"";
        }
    if (box(w, "sst", 5)->text().toStdString() != expected.recommended)
        return ::testing::AssertionFailure() << "sst(5) shows " << box(w, "sst", 5)->text().toStdString();
    return ::testing::AssertionSuccess();
}

inline const QColor highlight_colour{0xFF, 0xE0, 0xC0};

// The colour a text box paints beside its right border, clear of its text.
inline QColor painted(QLineEdit* edit)
{
    const QImage image = edit->grab().toImage();
    return image.pixelColor(image.width() - 4, image.height() / 2);
}

// The input fields shown in the highlight colour, in the form's order. A field
// whose palette and painted pixels disagree is listed with a question mark.
inline std::vector<std::string> highlighted_fields(const da_stk_secu& w)
{
    std::vector<std::string> names;
    for (const FieldInfo& f : fields) {
        QLineEdit* edit = box(w, f.name);
        const bool in_palette = edit->palette().color(QPalette::Base) == highlight_colour;
        const bool on_screen = painted(edit) == highlight_colour;
        if (in_palette && on_screen)
            names.emplace_back(f.name);
        else if (in_palette || on_screen)
            names.push_back(std::string(f.name) + "?");
    }
    return names;
}

// Sets the default locale for the life of the guard.
struct DefaultLocale {
    QLocale saved;
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(saved); }
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;
};

}  // namespace stk::test
