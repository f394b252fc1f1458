// A window for the analysis tests: field texts, result texts computed by the
// real engine, and a record of colours, timer settings and panel state.
#pragma once

#include "analysis/form.h"
#include "engine/model.h"

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace stk::testing {

using Inputs = std::array<const char*, field_count>;  // cct tst dat pst uut dvt crt nbt

// cc 50, ts 2, da 4, ps 200, uu 2000, dv 10000, cr 500, nb 3: recommended 3.
inline constexpr Inputs worked_example{"50", "2", "4", "200", "2000", "10000", "500", "3"};

class FakeForm : public AnalysisForm {
public:
    explicit FakeForm(const Inputs& inputs = worked_example, std::string separator = ".");

    std::string decimal_separator() const override { return separator_; }
    std::string field_text(Field f) const override { return texts_[index(f)]; }
    void set_field_text(Field f, std::string_view text) override;
    std::string result_text(Line line, int level) const override;
    std::string recommended_text() const override { return shown_.recommended; }
    void set_highlight(Field f, bool on) override;
    void set_timer_interval(int ms) override { intervals.push_back(ms); }
    void calc() override;
    std::string assistant_text(AssistantField f) const override { return assistant_.at(f); }
    void set_assistant_text(AssistantField f, std::string_view text) override { assistant_[f] = text; }
    void show_assistant(bool shown) override { assistant_shown = shown; }
    void enable_frames(bool enabled) override { frames_enabled = enabled; }

    // What a normal calculation of the current fields shows.
    Presentation expected_results() const;
    // The clear command: every text box empty, no calculation.
    void clear();
    void set_result_text(Line line, int level, std::string text);
    void set_recommended_text(std::string text) { shown_.recommended = std::move(text); }
    const Presentation& shown() const { return shown_; }
    // The fields shown in the highlight colour.
    std::vector<Field> highlighted() const;

    std::vector<std::pair<Field, bool>> highlight_calls;
    std::vector<int> intervals;
    int calc_count = 0;
    bool assistant_shown = false;
    bool frames_enabled = true;

private:
    static std::size_t index(Field f) { return static_cast<std::size_t>(f); }

    std::string separator_;
    std::array<std::string, field_count> texts_;
    Presentation shown_;
    std::map<Field, bool> highlight_;
    std::map<AssistantField, std::string> assistant_{
        {AssistantField::vp, ""}, {AssistantField::npi, ""}, {AssistantField::jt, ""}};
};

}  // namespace stk::testing
