// The window as the analysis tools see it.
#pragma once

#include "engine/fields.h"
#include "engine/presentation.h"

#include <string>
#include <string_view>

namespace stk {

// The three fields of the stock-out-cost assistant panel `aide_r`.
enum class AssistantField { vp, npi, jt };

class AnalysisForm {
public:
    virtual ~AnalysisForm() = default;

    // The decimal separator of the user's locale, as num_text and dbl_text take it.
    virtual std::string decimal_separator() const = 0;

    virtual std::string field_text(Field f) const = 0;
    // Setting an input field raises its change notification before it returns,
    // so the window recalculates.
    virtual void set_field_text(Field f, std::string_view text) = 0;

    // The text of a results box, level 0 to 4.
    virtual std::string result_text(Line line, int level) const = 0;
    // The text of the recommended safety stock `sst(5)`.
    virtual std::string recommended_text() const = 0;

    // Background of one of the five parameter fields (dat, pst, uut, dvt, crt):
    // the highlight colour or the normal window-background colour.
    virtual void set_highlight(Field f, bool highlighted) = 0;
    // Interval of `Timer1` in milliseconds; 0 stops it.
    virtual void set_timer_interval(int ms) = 0;

    // The window's full calculation: results table, recommended stock and chart.
    virtual void calc() = 0;

    virtual std::string assistant_text(AssistantField f) const = 0;
    // Assistant fields have no change handler.
    virtual void set_assistant_text(AssistantField f, std::string_view text) = 0;
    virtual void show_assistant(bool shown) = 0;
    // Enables or disables `Frame1`, `Frame2`, `Frame3`, `Frame4`, in that order.
    virtual void enable_frames(bool enabled) = 0;
};

}  // namespace stk
