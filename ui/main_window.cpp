#include "ui/main_window.h"

#include "ui/bar_chart.h"
#include "ui/commands.h"
#include "ui/make_widget.h"
#include "ui/text.h"
#include "ui/theme.h"
#include "ui/widgets.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace stk {
namespace {

const ui::ControlDef& def_at(std::size_t pos) { return ui::controls()[pos]; }

std::size_t position(std::string_view name, int index = ui::no_index)
{
    return static_cast<std::size_t>(ui::find_control(name, index));
}

std::string utf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Makes a font the application's while it lives, and gives back the one before.
// The window's controls are made with the window's font as the application's: a
// text box lays its first, empty text out in the application's font before its
// own reaches it, and the desktop's font would be set up for that alone.
class ApplicationFontFor {
public:
    explicit ApplicationFontFor(const QFont& font) : before_(QGuiApplication::font())
    {
        QGuiApplication::setFont(font);
    }
    ~ApplicationFontFor() { QGuiApplication::setFont(before_); }
    ApplicationFontFor(const ApplicationFontFor&) = delete;
    ApplicationFontFor& operator=(const ApplicationFontFor&) = delete;

private:
    QFont before_;
};

}  // namespace

MainWindow::MainWindow(std::filesystem::path folder, Diagnostics diag, QWidget* parent)
    : QMainWindow(parent), model_(QLocale().decimalPoint().toStdString()), client_(new QWidget(this)),
      folder_(std::move(folder)), diag_(diag)
{
    setCentralWidget(client_);
    setWindowTitle(ui::text_of(model_.title()));
    setWindowIcon(ui::window_icon());
    setFixedSize(ui::pixels(ui::client_width), ui::pixels(ui::client_height));
    setFont(ui::font_for(ui::FontRole::normal));
    build();
    find_controls();
    wire();
    set_tab_order();
    stack();
    name_text_boxes();
    aide_r_->hide();
    model_.set_observer(&repaint_);
    model_.load_session(folder_, diag_);
    commands_ = new ui::WindowCommands(*this);
}

MainWindow::~MainWindow() { model_.set_observer(nullptr); }

// Once the application's font has been set, even back to the desktop's, the
// toolkit no longer takes the desktop's new font when the desktop changes it;
// the window takes it instead, for the dialogs and windows opened from then on.
void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ThemeChange)
        QGuiApplication::setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    QMainWindow::changeEvent(event);
}

void MainWindow::build()
{
    const ApplicationFontFor making_controls(font());
    auto* text_filter = new ui::NoCarriageReturn(this);
    for (const ui::ControlDef& def : ui::controls()) {
        QWidget* parent = def.container.empty() ? client_ : control(def.container);
        QObject* object = nullptr;
        if (def.kind == ui::Kind::timer) {
            flasher_ = new QTimer(this);
            flasher_->setTimerType(Qt::PreciseTimer);  // the flasher's ticks keep their interval
            object = flasher_;
        } else if (def.kind == ui::Kind::chart) {
            chart_ = std::make_unique<ui::BarChart>(parent);
            ui::place(chart_->view(), def);
            object = chart_->view();
        } else {
            object = ui::make_widget(def, parent, text_filter);
        }
        object->setObjectName(ui::object_name(def));
        objects_.push_back(object);
    }
}

void MainWindow::find_controls()
{
    for (std::size_t line = 0; line < line_count; ++line)
        for (int level = 0; level < level_count; ++level)
            results_[line][static_cast<std::size_t>(level)] = box(position(line_names[line], level));
    recommended_ = box(position("sst", 5));
    for (int i = 0; i < 4; ++i)
        frames_[static_cast<std::size_t>(i)] = qobject_cast<QGroupBox*>(control("Frame" + std::to_string(i + 1)));
    aide_r_ = qobject_cast<QGroupBox*>(control("aide_r"));
    chart_->view()->setAccessibleName(ui::text_of(model_.tip(position("g"))));
    normal_background_ = box(position("cct"))->palette().color(QPalette::Base);
}

// Edits and clicks go to the model; the model's changes come back through repaint().
void MainWindow::wire()
{
    for (std::size_t pos = 0; pos < objects_.size(); ++pos)
        if (QLineEdit* edit = box(pos))
            connect(edit, &QLineEdit::textChanged, this, [this, pos](const QString& text) { text_edited(pos, text); });
    const auto on_click = [this](std::string_view name, auto command) {
        connect(qobject_cast<QPushButton*>(control(name)), &QPushButton::clicked, this, command);
    };
    on_click("Command4", [this] { model_.analyse_sensitivity(); });
    on_click("Command1", [this] { model_.open_assistant(); });
    on_click("Command2", [this] { model_.cancel_assistant(); });
    on_click("Command3", [this] { model_.confirm_assistant(); });
    on_click("Picture2", [this] { model_.clear_all(); });
    on_click("validation", [this] { close(); });
    connect(flasher_, &QTimer::timeout, this, [this] { model_.flash_tick(); });
    for (int index = 0; index < 3; ++index)
        connect(qobject_cast<ui::ClickLabel*>(control("ln", index)), &ui::ClickLabel::clicked, this,
                [this, index] { model_.switch_language(index); });
    for (const std::string_view name : {"site_web", "email_sup"})
        connect(qobject_cast<ui::ClickText*>(control(name)), &ui::ClickText::clicked, this,
                [this, name] { open_link(name); });
}

// The keyboard visits the text boxes, buttons and the chart by tab index.
void MainWindow::set_tab_order()
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
void MainWindow::stack()
{
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it)
        if (auto* widget = qobject_cast<QWidget*>(*it))
            widget->raise();
}

// Each text box is announced by its caption, results boxes with their stock
// level; a caption label is the buddy of its single field.
void MainWindow::name_text_boxes()
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

void MainWindow::name_text_box(std::size_t pos)
{
    const ui::ControlDef& def = def_at(pos);
    QString name = caption_of(def.label);
    if (def.index != ui::no_index && def.index < level_count)
        name += QStringLiteral(", stock %1").arg(def.index);
    box(pos)->setAccessibleName(name);
}

ui::ChartNames MainWindow::chart_names() const
{
    const auto label_of = [](std::string_view line) { return def_at(position(line, 0)).label; };
    const QString risk = caption_of(label_of("rt"));
    return {{risk, risk + QStringLiteral(" + ") + caption_of(label_of("cdt")), caption_of(label_of("tt"))},
            caption_of(label_of("sst"))};
}

QString MainWindow::caption_of(const ui::Ref& ref) const
{
    return ui::text_of(model_.caption(position(ref.name, ref.index)));
}

QWidget* MainWindow::control(std::string_view name, int index) const
{
    const int pos = ui::find_control(name, index);
    return pos < 0 || static_cast<std::size_t>(pos) >= objects_.size()
               ? nullptr
               : qobject_cast<QWidget*>(objects_[static_cast<std::size_t>(pos)]);
}

QLineEdit* MainWindow::box(std::size_t pos) const
{
    return def_at(pos).kind == ui::Kind::text_box ? static_cast<QLineEdit*>(objects_[pos]) : nullptr;
}

// What the user types (or pastes) becomes the model's text.
void MainWindow::text_edited(std::size_t pos, const QString& text)
{
    if (repainting_)
        return;
    edited_ = pos;
    model_.set_text(pos, utf8(text));
    edited_ = ui::controls().size();
}

void MainWindow::open_link(std::string_view name)
{
    // The site is the link's caption; the e-mail address is in its tooltip.
    const QString address =
        name == "site_web" ? QStringLiteral("http://") + caption_of({name}) : control(name)->toolTip();
    // Only spaces are trimmed; tabs and other blanks stay.
    qsizetype first = 0, end = address.size();
    while (first < end && address[first] == u' ')
        ++first;
    while (end > first && address[end - 1] == u' ')
        --end;
    QDesktopServices::openUrl(QUrl(address.mid(first, end - first)));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!unloaded_) {
        unloaded_ = true;
        model_.save_session(folder_, diag_);
        emit unloaded();
    }
    event->accept();
}

// Repainting what the model changed.

void MainWindow::repaint(Change what, std::size_t pos)
{
    switch (what) {
    case Change::text:
        show_text(pos);
        break;
    case Change::caption:
        show_caption(pos);
        break;
    case Change::tip:
        show_tip(pos);
        break;
    case Change::title:
        setWindowTitle(ui::text_of(model_.title()));
        break;
    case Change::results:
        show_results();
        break;
    case Change::highlight:
        show_highlight(pos);
        break;
    case Change::flasher:
        if (model_.flash_interval() > 0)
            flasher_->start(model_.flash_interval());
        else
            flasher_->stop();
        break;
    case Change::assistant_panel:
        aide_r_->setVisible(model_.assistant_shown());
        for (QGroupBox* frame : frames_)
            frame->setEnabled(model_.frames_enabled());
        break;
    }
}

void MainWindow::show_text(std::size_t pos)
{
    if (pos == edited_)
        return;
    repainting_ = true;
    box(pos)->setText(ui::text_of(model_.text(pos)));
    repainting_ = false;
}

void MainWindow::show_results()
{
    repainting_ = true;
    for (std::size_t line = 0; line < line_count; ++line)
        for (int level = 0; level < level_count; ++level) {
            QLineEdit* cell = results_[line][static_cast<std::size_t>(level)];
            // An unchanged text is not laid out and drawn again.
            const QString text = ui::text_of(model_.result_text(Line(line), level));
            if (cell->text() != text)
                cell->setText(text);
            cell->setCursorPosition(0);  // a text wider than its box shows its first digits
        }
    const QString recommended = ui::text_of(model_.recommended_text());
    if (recommended_->text() != recommended)
        recommended_->setText(recommended);
    else
        recommended_->end(false);  // where setText leaves the cursor
    repainting_ = false;
    chart_->refill(model_.chart_values(), chart_names());
}

// A control shows the part of its caption that its width can hold, so that
// drawing it costs no more for a longer caption; the model keeps the whole caption.
void MainWindow::show_caption(std::size_t pos)
{
    QObject* object = objects_[pos];
    const QString caption = ui::visible_part(ui::text_of(model_.caption(pos)), static_cast<QWidget*>(object)->width());
    if (auto* label = qobject_cast<QLabel*>(object))
        label->setText(caption);
    else if (auto* link = qobject_cast<ui::ClickText*>(object))
        link->setText(caption);
    else if (auto* frame = qobject_cast<QGroupBox*>(object))
        frame->setTitle(caption);
    else if (auto* button = qobject_cast<QPushButton*>(object))
        button->setText(caption);
    // Names built from captions follow them: the boxes this label heads, and the chart.
    const ui::ControlDef& changed = def_at(pos);
    for (std::size_t other = 0; other < objects_.size(); ++other) {
        const ui::Ref& label = def_at(other).label;
        if (def_at(other).kind == ui::Kind::text_box && label.name == changed.name && label.index == changed.index)
            name_text_box(other);
    }
    chart_->rename(chart_names());
}

void MainWindow::show_tip(std::size_t pos)
{
    auto* widget = static_cast<QWidget*>(objects_[pos]);
    const QString tip = ui::text_of(model_.tip(pos));
    if (def_at(pos).kind != ui::Kind::chart)
        widget->setToolTip(tip);
    widget->setAccessibleName(tip);
}

void MainWindow::show_highlight(std::size_t pos)
{
    QLineEdit* edit = box(pos);
    const bool highlighted = model_.highlighted_at(pos);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, highlighted ? ui::highlight_colour : normal_background_);
    edit->setPalette(palette);
}

}  // namespace stk
