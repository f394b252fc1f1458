// What the model tests share: a model, what it reported, and a fake clock for the flasher.
#pragma once

#include "form/layout.h"
#include "form/window_model.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace stk::test {

inline std::size_t pos_of(std::string_view name, int index = ui::no_index)
{
    return static_cast<std::size_t>(ui::find_control(name, index));
}

// Records what the model reports, and runs the flasher's timer on a clock of its own:
// advance() lets time pass, and the flasher ticks each time its interval has elapsed.
class Recorder : public ModelObserver {
public:
    explicit Recorder(WindowModel& model) : model_(model) { model_.set_observer(this); }
    ~Recorder() { model_.set_observer(nullptr); }

    void changed(Change what, std::size_t pos) override
    {
        reports.emplace_back(what, pos);
        if (what == Change::flasher)
            waited_ = 0;  // a started timer counts from now
    }

    void advance(int ms)
    {
        for (waited_ += ms; model_.flash_interval() > 0 && waited_ >= model_.flash_interval();) {
            waited_ -= model_.flash_interval();
            const int before = waited_;
            model_.flash_tick();
            waited_ = before;
        }
    }

    std::vector<std::pair<Change, std::size_t>> reports;

private:
    WindowModel& model_;
    int waited_ = 0;
};

inline void type_worked_example(WindowModel& model)
{
    for (const auto& [field, text] : worked::typed)
        model.set_field_text(field, text);
}

// The input fields that are highlighted, by control name.
inline std::vector<std::string> highlighted_fields(const WindowModel& model)
{
    std::vector<std::string> names;
    for (const FieldInfo& f : fields)
        if (model.highlighted(f.field))
            names.emplace_back(f.name);
    return names;
}

// A model with the worked example typed in, "." as decimal separator.
struct WorkedModel : ::testing::Test {
    WindowModel model{"."};
    Recorder recorder{model};
    void SetUp() override { type_worked_example(model); }
};

// The test name of a case that carries its own name, and how the test list and failures print it.
inline constexpr auto case_name = [](const auto& info) { return std::string(info.param.name); };
namespace {
template <class Case>
requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
}  // namespace

}  // namespace stk::test
