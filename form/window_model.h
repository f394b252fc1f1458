// The calculator window's state, without any widget: the texts of its text
// boxes, its captions and title, the highlights, the flasher, the assistant
// panel and the chosen language. Its operations are the user's commands; after
// each change it tells its one observer what changed, and the view repaints it.
#pragma once

#include "analysis/sensitivity.h"
#include "engine/chart_scale.h"
#include "engine/fields.h"
#include "engine/presentation.h"
#include "store/session.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stk {

// What changed. `pos` names the control (its position in ui::controls()) for
// a text, a caption or a highlight; it is unused otherwise.
enum class Change {
    text,             // a text box's text
    caption,          // a label's, link's, frame's or button's caption
    tip,              // a picture button's tooltip and name, or the chart's name
    title,            // the window title
    results,          // the results table, the recommended stock and the chart
    highlight,        // an input field's background (highlighted or normal)
    flasher,          // the flasher's timer was (re)started or stopped
    assistant_panel,  // the assistant panel shown or hidden, the frames locked or unlocked
};

class ModelObserver {
public:
    virtual void changed(Change what, std::size_t pos) = 0;

protected:
    ~ModelObserver() = default;
};

// The three fields of the stock-out-cost assistant panel `aide_r`.
enum class AssistantField { vp, npi, jt };

class WindowModel {
public:
    // `decimal_separator` is that of the user's locale: results are written with it.
    explicit WindowModel(std::string decimal_separator);
    ~WindowModel();
    WindowModel(const WindowModel&) = delete;
    WindowModel& operator=(const WindowModel&) = delete;

    // The one observer, or none.
    void set_observer(ModelObserver* observer) { observer_ = observer; }

    // What the window shows. Positions are those of ui::controls().
    const std::string& text(std::size_t pos) const { return texts_[pos]; }
    const std::string& caption(std::size_t pos) const { return captions_[pos]; }
    // A picture button's tooltip (also its accessible name), the chart's accessible name; empty for others.
    const std::string& tip(std::size_t pos) const { return tips_[pos]; }
    const std::string& title() const { return title_; }
    const std::string& field_text(Field f) const { return texts_[field_pos_[index(f)]]; }
    const std::string& result_text(Line line, int level) const;
    const std::string& recommended_text() const { return texts_[recommended_pos_]; }
    const std::string& assistant_text(AssistantField f) const { return texts_[assistant_pos_[index(f)]]; }
    // The chart's values of the last calculation.
    const ChartValues& chart_values() const { return chart_; }
    bool highlighted(Field f) const { return highlighted_[index(f)]; }
    // Whether the control at `pos` is a highlighted input field.
    bool highlighted_at(std::size_t pos) const;
    // The flasher's interval in milliseconds while it runs, 0 when stopped.
    int flash_interval() const { return flash_interval_; }
    bool assistant_shown() const { return assistant_shown_; }
    bool frames_enabled() const { return !assistant_shown_; }
    // The language column of the captions (0 French, 1 English, 2 Portuguese), none when unreadable.
    std::optional<std::size_t> language() const;
    const std::string& decimal_separator() const { return separator_; }
    // The answer of the last most-sensitive-parameter analysis; none before it or when it found nothing.
    std::optional<Field> most_sensitive_field() const { return sensitive_field(sensitivity_.isens); }
    // The translation table of the captions.
    TradTable& translations() { return store_.tab_trad; }
    const TradTable& translations() const { return store_.tab_trad; }

    // Sets a text box as typing does; a change of an input field recalculates.
    void set_text(std::size_t pos, std::string_view text);
    void set_field_text(Field f, std::string_view text) { set_text(field_pos_[index(f)], text); }
    // The six article parameters at once, with one calculation.
    void set_fields(const std::array<std::string_view, article_fields.size()>& texts);
    void set_caption(std::size_t pos, std::string_view caption);
    void set_tip(std::size_t pos, std::string_view tip);
    void set_title(std::string_view title);

    // Reads the eight fields and writes the results table, the recommended stock and the chart.
    void recalculate();
    // Empties every text box in the control order.
    void clear_all();
    // The most-sensitive-parameter analysis: highlights the winner, starts the
    // flasher and recalculates. Field texts never change.
    void analyse_sensitivity();
    // One tick of the flasher: the field blinks on even ticks; the seventh stops it.
    void flash_tick();
    // The stock-out-cost assistant: open (locks the frames), cancel, confirm
    // (writes the estimate into crt, which recalculates).
    void open_assistant();
    void cancel_assistant();
    void confirm_assistant();
    // Stores language `index` and translates the captions and the title.
    void switch_language(int index);
    // Reads the two files of `folder`, restores the text boxes, translates and
    // calculates once, from all the restored fields (the results the file
    // holds are replaced); failures are reported on `diag`, one line each.
    void load_session(const std::filesystem::path& folder, Diagnostics diag);
    // Writes every text box and the captions into the two files of `folder`.
    void save_session(const std::filesystem::path& folder, Diagnostics diag);

private:
    class Walk;
    template <class E>
    static constexpr std::size_t index(E e)
    {
        return static_cast<std::size_t>(e);
    }
    void notify(Change what, std::size_t pos = 0);
    void set_highlight(Field f, bool on);
    void show_normal();
    void set_flash_interval(int ms);
    void close_assistant();

    std::string separator_;
    ModelObserver* observer_ = nullptr;
    std::vector<std::string> texts_;     // by control position; empty for a control that is no text box
    std::vector<std::string> captions_;  // by control position; empty for a control without a caption
    std::vector<std::string> tips_;      // by control position; empty for a control without a tip
    std::vector<char> is_input_;         // by control position: one of the eight input fields
    std::string title_;
    std::array<std::size_t, field_count> field_pos_{};
    std::array<std::array<std::size_t, level_count>, line_count> result_pos_{};
    std::size_t recommended_pos_ = 0;
    std::array<std::size_t, 3> assistant_pos_{};
    ChartValues chart_{};
    std::array<bool, field_count> highlighted_{};
    int flash_interval_ = 0;
    bool assistant_shown_ = false;
    bool restoring_ = false;  // the fields are being restored: one calculation follows them all
    Sensitivity sensitivity_;
    Store store_;
};

}  // namespace stk
