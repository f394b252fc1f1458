#include "analysis/fake_form.h"

namespace stk::testing {

FakeForm::FakeForm(const Inputs& inputs, std::string separator) : separator_(std::move(separator))
{
    for (std::size_t i = 0; i < field_count; ++i)
        texts_[i] = inputs[i];
    calc();
    calc_count = 0;
}

void FakeForm::set_field_text(Field f, std::string_view text)
{
    texts_[index(f)] = text;
    calc();
}

std::string FakeForm::result_text(Line line, int level) const { return shown_.cell(line, level); }

void FakeForm::set_result_text(Line line, int level, std::string text)
{
    shown_.cells[static_cast<std::size_t>(line)][static_cast<std::size_t>(level)] = std::move(text);
}

void FakeForm::set_highlight(Field f, bool on)
{
    highlight_calls.emplace_back(f, on);
    highlight_[f] = on;
}

Presentation FakeForm::expected_results() const
{
    FieldTexts texts;
    for (const auto& f : fields)
        texts[f.field] = texts_[index(f.field)];
    return present(stk::calc(texts), separator_);
}

void FakeForm::calc()
{
    shown_ = expected_results();
    ++calc_count;
}

void FakeForm::clear()
{
    for (auto& t : texts_)
        t.clear();
    shown_ = Presentation{};
}

std::vector<Field> FakeForm::highlighted() const
{
    std::vector<Field> out;
    for (const auto& [f, on] : highlight_)
        if (on)
            out.push_back(f);
    return out;
}

}  // namespace stk::testing
