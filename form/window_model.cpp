#include "form/window_model.h"

#include "analysis/assistant.h"
#include "analysis/flasher.h"
#include "form/layout.h"
#include "store/control_walk.h"

#include <algorithm>
#include <iterator>

namespace stk {
namespace {

constexpr std::string_view window_title = "Vexa - Calcul Stock de Sécurité pour Equipements de Maintenance";
// The chart's name for screen readers.
constexpr std::string_view chart_name = "Graphique des coûts par stock de sécurité";

// The order in which a calculation writes each column of the results table.
constexpr std::array<Line, line_count> write_order{Line::sst, Line::tt, Line::cdt, Line::cgt, Line::rt};

std::size_t position(std::string_view name, int index = ui::no_index)
{
    return static_cast<std::size_t>(ui::find_control(name, index));
}

bool has_caption(ui::Kind kind)
{
    return kind == ui::Kind::label || kind == ui::Kind::link || kind == ui::Kind::frame || kind == ui::Kind::button;
}

// Picture buttons and the chart have a name that is translated like a caption:
// the buttons show it as their tooltip, and screen readers read it for both.
bool has_tip(const ui::ControlDef& def)
{
    return (def.kind == ui::Kind::button && !def.picture.empty()) || def.kind == ui::Kind::chart;
}

}  // namespace

// The model as the start-up, shut-down and translation walks of the store see it.
class WindowModel::Walk : public ControlWalk {
public:
    explicit Walk(WindowModel& model) : model_(model) {}

    std::size_t control_count() const override { return ui::controls().size(); }
    std::string control_name(std::size_t pos) const override { return std::string(ui::controls()[pos].name); }
    bool is_text_box(std::size_t pos) const override { return ui::controls()[pos].kind == ui::Kind::text_box; }
    bool has_caption(std::size_t pos) const override { return stk::has_caption(ui::controls()[pos].kind); }
    std::string text(std::size_t pos) const override { return model_.text(pos); }
    void set_text(std::size_t pos, std::string_view text) override { model_.set_text(pos, text); }
    std::string caption(std::size_t pos) const override { return model_.caption(pos); }
    void set_caption(std::size_t pos, std::string_view caption) override { model_.set_caption(pos, caption); }
    std::string title() const override { return model_.title(); }
    void set_title(std::string_view title) override { model_.set_title(title); }
    bool has_tip(std::size_t pos) const override { return stk::has_tip(ui::controls()[pos]); }
    std::string tip(std::size_t pos) const override { return model_.tip(pos); }
    void set_tip(std::size_t pos, std::string_view tip) override { model_.set_tip(pos, tip); }
    void calc() override { model_.recalculate(); }

private:
    WindowModel& model_;
};

WindowModel::WindowModel(std::string decimal_separator) : separator_(std::move(decimal_separator)), title_(window_title)
{
    const auto controls = ui::controls();
    texts_.resize(controls.size());
    captions_.resize(controls.size());
    tips_.resize(controls.size());
    is_input_.resize(controls.size());
    for (std::size_t pos = 0; pos < controls.size(); ++pos) {
        if (has_caption(controls[pos].kind))
            captions_[pos] = controls[pos].caption;
        if (has_tip(controls[pos]))
            tips_[pos] = controls[pos].kind == ui::Kind::chart ? chart_name : controls[pos].tip;
    }
    for (const FieldInfo& f : fields) {
        field_pos_[index(f.field)] = position(f.name);
        is_input_[position(f.name)] = 1;
    }
    for (std::size_t line = 0; line < line_count; ++line)
        for (int level = 0; level < level_count; ++level)
            result_pos_[line][static_cast<std::size_t>(level)] = position(line_names[line], level);
    recommended_pos_ = position("sst", 5);
    assistant_pos_ = {position("vp"), position("npi"), position("jt")};
}

WindowModel::~WindowModel() = default;

const std::string& WindowModel::result_text(Line line, int level) const
{
    return texts_[result_pos_[index(line)][static_cast<std::size_t>(level)]];
}

bool WindowModel::highlighted_at(std::size_t pos) const
{
    for (std::size_t f = 0; f < field_count; ++f)
        if (field_pos_[f] == pos)
            return highlighted_[f];
    return false;
}

std::optional<std::size_t> WindowModel::language() const { return stk::language(store_.tab_param); }

void WindowModel::notify(Change what, std::size_t pos)
{
    if (observer_)
        observer_->changed(what, pos);
}

void WindowModel::set_text(std::size_t pos, std::string_view text)
{
    // A carriage return inside a value would split a record of the parameter file.
    std::string clean;
    if (text.find('\r') != std::string_view::npos) {
        std::remove_copy(text.begin(), text.end(), std::back_inserter(clean), '\r');
        text = clean;
    }
    if (texts_[pos] == text)
        return;
    texts_[pos] = text;
    notify(Change::text, pos);
    if (is_input_[pos] && !restoring_)
        recalculate();
}

void WindowModel::set_fields(const std::array<std::string_view, article_fields.size()>& texts)
{
    bool changed = false;
    for (std::size_t i = 0; i < article_fields.size(); ++i) {
        std::string& text = texts_[field_pos_[index(article_fields[i])]];
        if (text == texts[i])
            continue;
        text = texts[i];
        changed = true;
        notify(Change::text, field_pos_[index(article_fields[i])]);
    }
    if (changed)
        recalculate();
}

void WindowModel::set_caption(std::size_t pos, std::string_view caption)
{
    if (!has_caption(ui::controls()[pos].kind))
        return;
    captions_[pos] = caption;
    notify(Change::caption, pos);
}

void WindowModel::set_tip(std::size_t pos, std::string_view tip)
{
    if (!has_tip(ui::controls()[pos]))
        return;
    tips_[pos] = tip;
    notify(Change::tip, pos);
}

void WindowModel::set_title(std::string_view title)
{
    title_ = title;
    notify(Change::title);
}

void WindowModel::recalculate()
{
    FieldTexts texts;
    for (const FieldInfo& f : fields)
        texts[f.field] = field_text(f.field);
    Presentation shown = present(calc(texts), separator_);
    for (int level = 0; level < level_count; ++level)
        for (Line line : write_order)
            texts_[result_pos_[index(line)][static_cast<std::size_t>(level)]] =
                std::move(shown.cells[index(line)][static_cast<std::size_t>(level)]);
    texts_[recommended_pos_] = std::move(shown.recommended);
    chart_ = shown.chart;
    notify(Change::results);
}

void WindowModel::clear_all()
{
    for (std::size_t pos = 0; pos < texts_.size(); ++pos)
        if (ui::controls()[pos].kind == ui::Kind::text_box)
            set_text(pos, {});
}

void WindowModel::set_highlight(Field f, bool on)
{
    if (highlighted_[index(f)] == on)
        return;
    highlighted_[index(f)] = on;
    notify(Change::highlight, field_pos_[index(f)]);
}

void WindowModel::show_normal()
{
    for (Field f : sensitive_fields)
        set_highlight(f, false);
}

void WindowModel::set_flash_interval(int ms)
{
    flash_interval_ = ms;
    notify(Change::flasher);
}

void WindowModel::analyse_sensitivity()
{
    ShownCalculation shown{{}, recommended_text(), {}, separator_};
    for (const FieldInfo& f : fields)
        shown.fields[f.field] = field_text(f.field);
    for (int level = 0; level < level_count; ++level)
        shown.totals[static_cast<std::size_t>(level)] = result_text(Line::tt, level);
    sensitivity_.isens = most_sensitive(shown);

    show_normal();
    if (const auto f = sensitive_field(sensitivity_.isens))
        set_highlight(*f, true);
    sensitivity_.nclig = 0;
    set_flash_interval(flash_interval_ms);
    recalculate();
}

void WindowModel::flash_tick()
{
    show_normal();
    const FlashStep next = count_tick(sensitivity_);
    if (next.stop) {
        set_flash_interval(0);
        return;
    }
    if (next.blink)
        set_highlight(*next.blink, true);
}

void WindowModel::open_assistant()
{
    assistant_shown_ = true;
    notify(Change::assistant_panel);
}

void WindowModel::close_assistant()
{
    assistant_shown_ = false;
    notify(Change::assistant_panel);
}

void WindowModel::cancel_assistant() { close_assistant(); }

void WindowModel::confirm_assistant()
{
    close_assistant();
    const StockOutEstimate estimate =
        estimate_stock_out_cost(assistant_text(AssistantField::vp), assistant_text(AssistantField::npi),
                                assistant_text(AssistantField::jt), separator_);
    if (estimate.default_days)
        set_text(assistant_pos_[index(AssistantField::jt)], "200");
    if (estimate.crt)
        set_field_text(Field::crt, *estimate.crt);  // the change recalculates
}

void WindowModel::switch_language(int index)
{
    Walk walk(*this);
    choose_language(store_, walk, index);
}

void WindowModel::load_session(const std::filesystem::path& folder, Diagnostics diag)
{
    // The start-up's own calculation, at its end, sees every restored field.
    struct Restoring {
        bool& flag;
        explicit Restoring(bool& f) : flag(f) { flag = true; }
        ~Restoring() { flag = false; }
    } restoring(restoring_);
    Walk walk(*this);
    load_files(store_, walk, folder, diag);
}

void WindowModel::save_session(const std::filesystem::path& folder, Diagnostics diag)
{
    Walk walk(*this);
    save_files(store_, walk, folder, diag);
}

}  // namespace stk
