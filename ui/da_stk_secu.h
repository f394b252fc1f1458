// The calculator's one window.
#pragma once

#include "analysis/form.h"
#include "analysis/sensitivity.h"
#include "engine/fields.h"
#include "engine/presentation.h"
#include "store/form.h"
#include "store/session.h"
#include "ui/layout.h"

#include <QColor>
#include <QWidget>
#include <array>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QTimer;

namespace stk {

namespace ui {
class ResultsChart;
struct ChartNames;
}  // namespace ui

class da_stk_secu : public QWidget, public ControlWalk, public AnalysisForm {
    Q_OBJECT
public:
    // `folder` holds the parameter and translation files; what cannot be read
    // or saved there is reported on `diag`, one line each.
    explicit da_stk_secu(std::filesystem::path folder, std::ostream& diag = std::cerr, QWidget* parent = nullptr);
    ~da_stk_secu() override;

    // The walk over all controls, in the control order.
    std::size_t control_count() const override;
    std::string control_name(std::size_t pos) const override;
    bool is_text_box(std::size_t pos) const override;
    bool has_caption(std::size_t pos) const override;
    std::string text(std::size_t pos) const override;
    void set_text(std::size_t pos, std::string_view text) override;
    std::string caption(std::size_t pos) const override;
    void set_caption(std::size_t pos, std::string_view caption) override;
    bool has_tip(std::size_t pos) const override;
    std::string tip(std::size_t pos) const override;
    void set_tip(std::size_t pos, std::string_view tip) override;
    std::string title() const override;
    void set_title(std::string_view title) override;

    // The window as the analysis tools see it.
    std::string decimal_separator() const override;
    std::string field_text(Field f) const override;
    void set_field_text(Field f, std::string_view text) override;
    std::string result_text(Line line, int level) const override;
    std::string recommended_text() const override;
    void set_highlight(Field f, bool highlighted) override;
    void set_timer_interval(int ms) override;
    std::string assistant_text(AssistantField f) const override;
    void set_assistant_text(AssistantField f, std::string_view text) override;
    void show_assistant(bool shown) override;
    void enable_frames(bool enabled) override;

    // Reads the eight fields, writes the results table, the recommended stock
    // and the chart.
    void calc() override;

    // Opens a URL or a mailto: text with the desktop's default program.
    static bool WebEmailOpen(const QString& UrlMailto);

    // A control by name, or null (the timer is not a widget: see timer()).
    QWidget* control(std::string_view name, int index = ui::no_index) const;
    QTimer* timer() const { return Timer1_; }

signals:
    // The shut-down sequence has run; the window is closing.
    void unloaded();

public slots:
    void Command4_Click();
    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void ln_Click(int Index);
    void Picture2_Click();
    void validation_Click();
    void site_web_Click();
    void email_sup_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();

    void build();
    void find_controls();
    void wire();
    void set_tab_order();
    void stack();
    void name_text_boxes();
    void name_text_box(std::size_t pos);
    ui::ChartNames chart_names() const;
    QString caption_of(const ui::Ref& ref) const;
    QString caption_text(std::size_t pos) const;
    QLineEdit* box(std::size_t pos) const;
    QLineEdit* box(std::string_view name, int index = ui::no_index) const;

    std::vector<QObject*> objects_;  // one per control, in the control order
    std::array<QLineEdit*, field_count> inputs_{};
    std::array<std::array<QLineEdit*, level_count>, line_count> results_{};
    QLineEdit* recommended_ = nullptr;
    std::array<QLineEdit*, 3> assistant_{};  // vp, npi, jt
    std::array<QGroupBox*, 4> frames_{};     // Frame1 to Frame4
    QGroupBox* aide_r_ = nullptr;
    QTimer* Timer1_ = nullptr;
    std::unique_ptr<ui::ResultsChart> chart_;
    QColor normal_background_;
    bool unloaded_ = false;

    std::filesystem::path folder_;
    std::ostream& diag_;
    Store store_;              // parameter and translation tables
    Sensitivity sensitivity_;  // the analysis's answer and the flasher's ticks
};

}  // namespace stk
