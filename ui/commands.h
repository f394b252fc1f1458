// The window's added commands: one small menu button in the free strip at the
// bottom of the client area lists them with their shortcuts, and the shortcuts
// work anywhere in the window. Catalogue (Ctrl+K), Save to catalogue (Ctrl+S),
// Print (Ctrl+P), Export PDF (Ctrl+Shift+P), Copy results (Ctrl+C when no
// field has selected text); the chart's context menu copies it as an image or
// saves it as PNG or SVG.
#pragma once

#include "report/report_data.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QAction;
class QMenu;
class QToolButton;

namespace stk {

class MainWindow;

namespace ui {

class CatalogueAccess;
class OnDemandCommands;

// Where the menu button sits, in twips: in the strip below the results frame,
// right of the two links, left of the clear button; no designed control is there.
inline constexpr int menu_left = 3300, menu_top = 6900, menu_width = 1650, menu_height = 360;

class WindowCommands : public QObject {
    Q_OBJECT
public:
    enum Command { catalogue, shared_catalogue, save_to_catalogue, print, export_pdf, copy_results, command_count };

    explicit WindowCommands(MainWindow& window);
    ~WindowCommands() override;

    QToolButton* menuButton() const { return button_; }
    QAction* action(Command c) const { return actions_[c]; }
    QMenu* chartMenu() const { return chart_menu_; }

    // The report of what the window shows now.
    ReportData reportData() const;

    // What the commands do once the user has answered their dialogs.
    bool exportPdfTo(const QString& path);
    bool saveChart(const QString& path, bool svg);
    void copyResults();
    void copyChart();
    // Stores the six article fields under `reference`; an existing article is
    // replaced only when `replace` says so. False when nothing was stored.
    bool storeInCatalogue(const QString& reference, bool replace);
    // The catalogue window (made when first needed), opened on the catalogue
    // given on the command line, else on the one the user chose last (the
    // shared one, or the file), else on the file of the window's folder.
    // Null, and the user is told why, when its library cannot be loaded.
    CatalogueAccess* catalogueAccess();
    // The catalogue given on the command line: a file path or a server's connection.
    void setCatalogueLocation(const QString& where) { location_ = where; }

    // The last one-line message shown to the user (empty: none).
    const QString& lastMessage() const { return message_; }

    // A French caption in the window's current language.
    QString caption(std::string_view french) const;

public slots:
    void openCatalogue();
    void askSharedCatalogue();
    void askSaveToCatalogue();
    void printReport();
    void askExportPdf();
    void askSaveChart(bool svg);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void retranslate();
    void loadArticle(const QString& reference, const QStringList& params);
    void followCompany();
    void tell(const QString& line);
    std::array<QString, 6> articleTexts() const;
    // The commands loaded on first use; null, and the user is told why, when they cannot be.
    OnDemandCommands* onDemand();

    MainWindow& window_;
    QToolButton* button_ = nullptr;
    QMenu* menu_ = nullptr;
    QMenu* chart_menu_ = nullptr;
    std::array<QAction*, command_count> actions_{};
    std::array<QAction*, 3> chart_actions_{};
    std::unique_ptr<CatalogueAccess> catalogue_;
    // The article the calculator holds, when it came from (or went to) the
    // catalogue and its six fields have not changed since.
    QString reference_, description_;
    std::array<QString, 6> article_texts_;
    // The field texts when the sensitivity analysis last ran.
    std::array<std::string, 8> analysed_texts_;
    bool analysed_ = false;
    QString message_;
    QString location_;
};

}  // namespace ui
}  // namespace stk
