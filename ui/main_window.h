// The calculator's one window: a view of its WindowModel. It builds the
// widgets from the layout table, hands edits and clicks to the model and
// repaints what the model says changed.
#pragma once

#include "form/layout.h"
#include "form/window_model.h"

#include <QColor>
#include <QMainWindow>
#include <array>
#include <filesystem>
#include <memory>
#include <vector>

class QGroupBox;
class QLineEdit;
class QTimer;

namespace stk {

namespace ui {
class BarChart;
class WindowCommands;
struct ChartNames;
}  // namespace ui

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `folder` holds the parameter and translation files; what cannot be read
    // or saved there is reported on `diag`, one line each.
    explicit MainWindow(std::filesystem::path folder, Diagnostics diag = Diagnostics::standard_error(),
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    WindowModel& model() { return model_; }
    const WindowModel& model() const { return model_; }

    // A control by name, or null (the timer is not a widget: see timer()).
    QWidget* control(std::string_view name, int index = ui::no_index) const;
    QTimer* timer() const { return flasher_; }
    // The folder of the parameter and translation files (and of the catalogue).
    const std::filesystem::path& folder() const { return folder_; }
    ui::WindowCommands& commands() const { return *commands_; }

signals:
    // The shut-down sequence has run; the window is closing.
    void unloaded();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Repaints what the model reports.
    class Repaint : public ModelObserver {
    public:
        explicit Repaint(MainWindow& window) : window_(window) {}
        void changed(Change what, std::size_t pos) override { window_.repaint(what, pos); }

    private:
        MainWindow& window_;
    };

    void build();
    void find_controls();
    void wire();
    void set_tab_order();
    void stack();
    void name_text_boxes();
    void name_text_box(std::size_t pos);
    void repaint(Change what, std::size_t pos);
    void show_text(std::size_t pos);
    void show_caption(std::size_t pos);
    void show_tip(std::size_t pos);
    void show_results();
    void show_highlight(std::size_t pos);
    void text_edited(std::size_t pos, const QString& text);
    void open_link(std::string_view name);
    ui::ChartNames chart_names() const;
    QString caption_of(const ui::Ref& ref) const;
    QLineEdit* box(std::size_t pos) const;

    WindowModel model_;
    Repaint repaint_{*this};
    std::vector<QObject*> objects_;  // one per control, in the control order
    QWidget* client_ = nullptr;      // the client area that holds the controls
    std::array<std::array<QLineEdit*, level_count>, line_count> results_{};
    QLineEdit* recommended_ = nullptr;
    std::array<QGroupBox*, 4> frames_{};  // Frame1 to Frame4
    QGroupBox* aide_r_ = nullptr;
    QTimer* flasher_ = nullptr;
    std::unique_ptr<ui::BarChart> chart_;
    QColor normal_background_;
    bool repainting_ = false;                     // text changes are the model's own, not the user's
    std::size_t edited_ = ui::controls().size();  // the text box the user is editing, which shows its text already
    bool unloaded_ = false;

    std::filesystem::path folder_;
    Diagnostics diag_;
    ui::WindowCommands* commands_ = nullptr;  // the menu button, the shortcuts and the chart's menu
};

}  // namespace stk
