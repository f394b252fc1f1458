// Shared helpers of the window tests.
#pragma once

#include "ui/da_stk_secu.h"

#include <QLineEdit>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <sstream>
#include <string_view>

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

}  // namespace stk::test
