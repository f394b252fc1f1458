#include "ui/range_tips.h"

#include "analysis/decision_ranges.h"
#include "analysis/range_text.h"
#include "report/report_content.h"
#include "ui/main_window.h"
#include "ui/text.h"

#include <QEvent>
#include <QLineEdit>

namespace stk::ui {

RangeTips::RangeTips(MainWindow& window) : QObject(&window), window_(window)
{
    for (const FieldInfo& f : fields)
        window.control(f.name)->installEventFilter(this);
}

bool RangeTips::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::ToolTip || event->type() == QEvent::FocusIn)
        refresh();
    return false;  // the field shows its (new) tooltip as usual
}

void RangeTips::refresh()
{
    const WindowModel& model = window_.model();
    std::array<std::string, field_count> now;
    for (const FieldInfo& f : fields)
        now[static_cast<std::size_t>(f.field)] = model.field_text(f.field);
    if (computed_ && now == computed_for_ && language_ == model.language())
        return;
    computed_ = true;
    computed_for_ = now;
    language_ = model.language();

    FieldTexts texts;
    for (const FieldInfo& f : fields)
        texts[f.field] = computed_for_[static_cast<std::size_t>(f.field)];
    const Translate translate = translator(model.translations(), language_);
    std::array<std::string, field_count> units;
    for (const FieldInfo& f : fields)
        units[static_cast<std::size_t>(f.field)] = translate(f.unit);
    const auto described = range_descriptions(decision_ranges(texts), units, model.decimal_separator(), translate);
    for (const FieldInfo& f : fields) {
        QWidget* field = window_.control(f.name);
        const QString text = text_of(described[static_cast<std::size_t>(f.field)]);
        field->setToolTip(text);
        field->setAccessibleDescription(text);
    }
}

}  // namespace stk::ui
