// What the window's events run.
#include "ui/da_stk_secu.h"

#include "analysis/assistant.h"
#include "analysis/flasher.h"
#include "analysis/sensitivity.h"
#include "store/session.h"

#include "ui/results_chart.h"
#include "ui/widgets.h"

#include <QByteArray>
#include <QChartView>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace stk {
namespace {

// The order in which a calculation writes each column of the results table.
constexpr std::array<Line, line_count> write_order{Line::sst, Line::tt, Line::cdt, Line::cgt, Line::rt};

QString qtext(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void da_stk_secu::wire()
{
    for (QLineEdit* input : inputs_)
        connect(input, &QLineEdit::textChanged, this, &da_stk_secu::calc);
    const auto on_click = [this](std::string_view name, int index, auto slot) {
        connect(qobject_cast<QPushButton*>(control(name, index)), &QPushButton::clicked, this, slot);
    };
    on_click("Command4", ui::no_index, &da_stk_secu::Command4_Click);
    on_click("Command1", ui::no_index, &da_stk_secu::Command1_Click);
    on_click("Command2", ui::no_index, &da_stk_secu::Command2_Click);
    on_click("Command3", ui::no_index, &da_stk_secu::Command3_Click);
    on_click("Picture2", ui::no_index, &da_stk_secu::Picture2_Click);
    on_click("validation", ui::no_index, &da_stk_secu::validation_Click);
    connect(Timer1_, &QTimer::timeout, this, &da_stk_secu::Timer1_Timer);
    for (int index = 0; index < 3; ++index)
        connect(qobject_cast<ui::ClickLabel*>(control("ln", index)), &ui::ClickLabel::clicked, this,
                [this, index] { ln_Click(index); });
    connect(qobject_cast<ui::ClickLabel*>(control("site_web")), &ui::ClickLabel::clicked, this,
            &da_stk_secu::site_web_Click);
    connect(qobject_cast<ui::ClickLabel*>(control("email_sup")), &ui::ClickLabel::clicked, this,
            &da_stk_secu::email_sup_Click);
}

void da_stk_secu::calc()
{
    std::array<QByteArray, field_count> utf8;
    FieldTexts texts;
    for (const FieldInfo& f : fields) {
        QByteArray& text = utf8[static_cast<std::size_t>(f.field)];
        text = inputs_[static_cast<std::size_t>(f.field)]->text().toUtf8();
        texts[f.field] = std::string_view(text.constData(), static_cast<std::size_t>(text.size()));
    }
    const Presentation shown = present(stk::calc(texts), decimal_separator());
    for (int level = 0; level < level_count; ++level)
        for (Line line : write_order) {
            QLineEdit* cell = results_[static_cast<std::size_t>(line)][static_cast<std::size_t>(level)];
            cell->setText(qtext(shown.cell(line, level)));
            cell->setCursorPosition(0);  // a text wider than its box shows its first digits
        }
    recommended_->setText(qtext(shown.recommended));
    chart_->refill(shown.chart, chart_names());
}

// Start-up: restores the text boxes, translates the captions and calculates.
void da_stk_secu::Form_Load() { stk::Form_Load(store_, *this, folder_, diag_); }

// Shut-down: saves the text boxes, then writes the parameter and translation files.
void da_stk_secu::Form_Unload() { stk::Form_Unload(store_, *this, folder_, diag_); }

void da_stk_secu::closeEvent(QCloseEvent* event)
{
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
        emit unloaded();
    }
    event->accept();
}

// The most-sensitive-parameter analysis.
void da_stk_secu::Command4_Click() { stk::Command4_Click(*this, sensitivity_); }

// One tick of the highlight flasher.
void da_stk_secu::Timer1_Timer() { stk::Timer1_Timer(*this, sensitivity_); }

// The stock-out-cost assistant: open, cancel, confirm.
void da_stk_secu::Command1_Click() { stk::Command1_Click(*this); }
void da_stk_secu::Command2_Click() { stk::Command2_Click(*this); }
void da_stk_secu::Command3_Click() { stk::Command3_Click(*this); }

// Stores language Index and translates the captions.
void da_stk_secu::ln_Click(int Index) { stk::ln_Click(store_, *this, Index); }

// Clear: every text box of the window becomes empty, in the control order.
void da_stk_secu::Picture2_Click()
{
    for (std::size_t pos = 0; pos < control_count(); ++pos)
        if (is_text_box(pos))
            set_text(pos, {});
}

// Quit: the same shut-down as the close box.
void da_stk_secu::validation_Click() { close(); }

void da_stk_secu::site_web_Click()
{
    WebEmailOpen(QStringLiteral("http://") + qobject_cast<QLabel*>(control("site_web"))->text());
}

void da_stk_secu::email_sup_Click() { WebEmailOpen(qobject_cast<QLabel*>(control("email_sup"))->toolTip()); }

bool da_stk_secu::WebEmailOpen(const QString& UrlMailto)
{
    // Only spaces are trimmed; tabs and other blanks stay.
    qsizetype first = 0, end = UrlMailto.size();
    while (first < end && UrlMailto[first] == u' ')
        ++first;
    while (end > first && UrlMailto[end - 1] == u' ')
        --end;
    return QDesktopServices::openUrl(QUrl(UrlMailto.mid(first, end - first)));
}

}  // namespace stk
