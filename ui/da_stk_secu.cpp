#include "ui/da_stk_secu.h"

#include "ui/build.h"
#include "ui/results_chart.h"
#include "ui/theme.h"
#include "ui/widgets.h"

#include <QChartView>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <algorithm>

namespace stk {
namespace {

const ui::ControlDef& def_at(std::size_t pos) { return ui::controls()[pos]; }

QString qtext(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The property of a control that holds its whole caption, once one is set.
constexpr const char* whole_caption = "wholeCaption";

std::size_t position(std::string_view name, int index = ui::no_index)
{
    return static_cast<std::size_t>(ui::find_control(name, index));
}

}  // namespace

da_stk_secu::da_stk_secu(std::filesystem::path folder, std::ostream& diag, QWidget* parent)
    : QWidget(parent), folder_(std::move(folder)), diag_(diag)
{
    setWindowTitle(QStringLiteral("Vexa - Calcul Stock de Sécurité pour Equipements de Maintenance"));
    setWindowIcon(ui::window_icon());
    setFixedSize(ui::pixels(ui::client_width), ui::pixels(ui::client_height));
    setFont(ui::font_for(ui::FontRole::normal));
    // Text boxes are flat, with a thin single-line border; a highlighted one is light orange.
    setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #808080; padding: 0px; }"
                                 "QLineEdit[highlighted=\"true\"] { background: %1; }")
                      .arg(ui::highlight_colour.name()));
    build();
    find_controls();
    wire();
    set_tab_order();
    stack();
    name_text_boxes();
    aide_r_->hide();
    Form_Load();
}

da_stk_secu::~da_stk_secu() = default;

void da_stk_secu::build()
{
    auto* text_filter = new ui::NoCarriageReturn(this);
    for (const ui::ControlDef& def : ui::controls()) {
        QWidget* parent = def.container.empty() ? this : control(def.container);
        QObject* object = nullptr;
        if (def.kind == ui::Kind::timer) {
            Timer1_ = new QTimer(this);
            Timer1_->setTimerType(Qt::PreciseTimer);  // the flasher's ticks keep their interval
            object = Timer1_;
        } else if (def.kind == ui::Kind::chart) {
            chart_ = std::make_unique<ui::ResultsChart>(parent);
            ui::place(chart_->view(), def);
            object = chart_->view();
        } else {
            object = ui::make_widget(def, parent, text_filter);
        }
        object->setObjectName(ui::object_name(def));
        objects_.push_back(object);
    }
}

void da_stk_secu::find_controls()
{
    for (const FieldInfo& f : fields)
        inputs_[static_cast<std::size_t>(f.field)] = box(f.name);
    for (std::size_t line = 0; line < line_count; ++line)
        for (int level = 0; level < level_count; ++level)
            results_[line][static_cast<std::size_t>(level)] = box(line_names[line], level);
    recommended_ = box("sst", 5);
    assistant_ = {box("vp"), box("npi"), box("jt")};
    for (int i = 0; i < 4; ++i)
        frames_[static_cast<std::size_t>(i)] = qobject_cast<QGroupBox*>(control("Frame" + std::to_string(i + 1)));
    aide_r_ = qobject_cast<QGroupBox*>(control("aide_r"));
    chart_->view()->setAccessibleName(QStringLiteral("Graphique des coûts par stock de sécurité"));
    normal_background_ = inputs_[0]->palette().color(QPalette::Base);
}

// The keyboard visits the text boxes, buttons and the chart by tab index.
void da_stk_secu::set_tab_order()
{
    std::vector<std::pair<int, QWidget*>> order;
    for (std::size_t pos = 0; pos < objects_.size(); ++pos) {
        const ui::ControlDef& def = def_at(pos);
        const bool focusable =
            def.kind == ui::Kind::text_box || def.kind == ui::Kind::button || def.kind == ui::Kind::chart;
        if (focusable && def.tab != ui::no_tab)
            order.emplace_back(def.tab, qobject_cast<QWidget*>(objects_[pos]));
    }
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    // The links and the flags act as buttons: the keyboard reaches them last.
    for (const auto& [name, index] : {std::pair<std::string_view, int>{"site_web", ui::no_index},
                                      {"email_sup", ui::no_index},
                                      {"ln", 0},
                                      {"ln", 1},
                                      {"ln", 2}})
        order.emplace_back(0, control(name, index));
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1].second, order[i].second);
}

// Earlier in the control order is drawn in front.
void da_stk_secu::stack()
{
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it)
        if (auto* widget = qobject_cast<QWidget*>(*it))
            widget->raise();
}

// Each text box is announced by its caption, results boxes with their stock
// level; a caption label is the buddy of its single field.
void da_stk_secu::name_text_boxes()
{
    for (std::size_t pos = 0; pos < objects_.size(); ++pos) {
        const ui::ControlDef& def = def_at(pos);
        if (def.kind != ui::Kind::text_box)
            continue;
        name_text_box(pos);
        auto* label = qobject_cast<QLabel*>(control(def.label.name, def.label.index));
        if (label && def.index == ui::no_index)
            label->setBuddy(box(pos));
    }
}

void da_stk_secu::name_text_box(std::size_t pos)
{
    const ui::ControlDef& def = def_at(pos);
    QString name = caption_of(def.label);
    if (def.index != ui::no_index && def.index < level_count)
        name += QStringLiteral(", stock %1").arg(def.index);
    box(pos)->setAccessibleName(name);
}

ui::ChartNames da_stk_secu::chart_names() const
{
    const auto label_of = [](std::string_view line) { return def_at(position(line, 0)).label; };
    const QString risk = caption_of(label_of("rt"));
    return {{risk, risk + QStringLiteral(" + ") + caption_of(label_of("cdt")), caption_of(label_of("tt"))},
            caption_of(label_of("sst"))};
}

QString da_stk_secu::caption_of(const ui::Ref& ref) const { return caption_text(position(ref.name, ref.index)); }

QWidget* da_stk_secu::control(std::string_view name, int index) const
{
    const int pos = ui::find_control(name, index);
    return pos < 0 || static_cast<std::size_t>(pos) >= objects_.size()
               ? nullptr
               : qobject_cast<QWidget*>(objects_[static_cast<std::size_t>(pos)]);
}

QLineEdit* da_stk_secu::box(std::size_t pos) const
{
    return def_at(pos).kind == ui::Kind::text_box ? static_cast<QLineEdit*>(objects_[pos]) : nullptr;
}

QLineEdit* da_stk_secu::box(std::string_view name, int index) const { return box(position(name, index)); }

// The walk over all controls.

std::size_t da_stk_secu::control_count() const { return objects_.size(); }

std::string da_stk_secu::control_name(std::size_t pos) const { return std::string(def_at(pos).name); }

bool da_stk_secu::is_text_box(std::size_t pos) const { return def_at(pos).kind == ui::Kind::text_box; }

bool da_stk_secu::has_caption(std::size_t pos) const
{
    const ui::Kind kind = def_at(pos).kind;
    return kind == ui::Kind::label || kind == ui::Kind::link || kind == ui::Kind::frame || kind == ui::Kind::button;
}

std::string da_stk_secu::text(std::size_t pos) const
{
    const QLineEdit* edit = box(pos);
    return edit ? edit->text().toStdString() : std::string();
}

void da_stk_secu::set_text(std::size_t pos, std::string_view text)
{
    if (QLineEdit* edit = box(pos))
        edit->setText(qtext(text));
}

std::string da_stk_secu::caption(std::size_t pos) const { return caption_text(pos).toStdString(); }

// A control shows the part of its caption that its width can hold, so that
// drawing it does not cost more for a longer caption; the whole caption is kept.
QString da_stk_secu::caption_text(std::size_t pos) const
{
    if (!has_caption(pos))
        return {};
    QObject* object = objects_[pos];
    if (const QVariant whole = object->property(whole_caption); whole.isValid())
        return whole.toString();
    if (auto* label = qobject_cast<QLabel*>(object))
        return label->text();
    if (auto* frame = qobject_cast<QGroupBox*>(object))
        return frame->title();
    if (auto* button = qobject_cast<QPushButton*>(object))
        return button->text();
    return {};
}

void da_stk_secu::set_caption(std::size_t pos, std::string_view caption)
{
    if (!has_caption(pos))
        return;
    QObject* object = objects_[pos];
    const QString whole = qtext(caption);
    const QString shown = ui::visible_part(whole, static_cast<QWidget*>(object)->width());
    if (auto* label = qobject_cast<QLabel*>(object))
        label->setText(shown);
    else if (auto* frame = qobject_cast<QGroupBox*>(object))
        frame->setTitle(shown);
    else if (auto* button = qobject_cast<QPushButton*>(object))
        button->setText(shown);
    else
        return;
    object->setProperty(whole_caption, whole);
    // Names built from captions follow them: the boxes this label heads, and the chart.
    const ui::ControlDef& changed = def_at(pos);
    for (std::size_t other = 0; other < objects_.size(); ++other) {
        const ui::Ref& label = def_at(other).label;
        if (def_at(other).kind == ui::Kind::text_box && label.name == changed.name && label.index == changed.index)
            name_text_box(other);
    }
    chart_->rename(chart_names());
}

// The picture buttons' tooltips, which are also their accessible names, and
// the chart's accessible name. The flags keep their languages' own names.
bool da_stk_secu::has_tip(std::size_t pos) const
{
    const ui::ControlDef& def = def_at(pos);
    return (def.kind == ui::Kind::button && !def.picture.empty()) || def.kind == ui::Kind::chart;
}

std::string da_stk_secu::tip(std::size_t pos) const
{
    if (!has_tip(pos))
        return {};
    const auto* widget = static_cast<const QWidget*>(objects_[pos]);
    return (def_at(pos).kind == ui::Kind::chart ? widget->accessibleName() : widget->toolTip()).toStdString();
}

void da_stk_secu::set_tip(std::size_t pos, std::string_view tip)
{
    if (!has_tip(pos))
        return;
    auto* widget = static_cast<QWidget*>(objects_[pos]);
    if (def_at(pos).kind != ui::Kind::chart)
        widget->setToolTip(qtext(tip));
    widget->setAccessibleName(qtext(tip));
}

std::string da_stk_secu::title() const { return windowTitle().toStdString(); }

void da_stk_secu::set_title(std::string_view title) { setWindowTitle(qtext(title)); }

// The window as the analysis tools see it.

std::string da_stk_secu::decimal_separator() const { return QLocale().decimalPoint().toStdString(); }

std::string da_stk_secu::field_text(Field f) const
{
    return inputs_[static_cast<std::size_t>(f)]->text().toStdString();
}

void da_stk_secu::set_field_text(Field f, std::string_view text)
{
    inputs_[static_cast<std::size_t>(f)]->setText(qtext(text));
}

std::string da_stk_secu::result_text(Line line, int level) const
{
    return results_[static_cast<std::size_t>(line)][static_cast<std::size_t>(level)]->text().toStdString();
}

std::string da_stk_secu::recommended_text() const { return recommended_->text().toStdString(); }

void da_stk_secu::set_highlight(Field f, bool highlighted)
{
    QLineEdit* edit = inputs_[static_cast<std::size_t>(f)];
    edit->setProperty("highlighted", highlighted);
    edit->style()->unpolish(edit);
    edit->style()->polish(edit);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, highlighted ? ui::highlight_colour : normal_background_);
    edit->setPalette(palette);
}

void da_stk_secu::set_timer_interval(int ms)
{
    if (ms > 0)
        Timer1_->start(ms);
    else
        Timer1_->stop();
}

std::string da_stk_secu::assistant_text(AssistantField f) const
{
    return assistant_[static_cast<std::size_t>(f)]->text().toStdString();
}

void da_stk_secu::set_assistant_text(AssistantField f, std::string_view text)
{
    assistant_[static_cast<std::size_t>(f)]->setText(qtext(text));
}

void da_stk_secu::show_assistant(bool shown) { aide_r_->setVisible(shown); }

void da_stk_secu::enable_frames(bool enabled)
{
    for (QGroupBox* frame : frames_)
        frame->setEnabled(enabled);
}

}  // namespace stk
