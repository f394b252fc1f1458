// The commands whose libraries the window loads when one is first used:
// printing, the PDF report, the chart as SVG and the catalogue (Qt Print
// Support, Qt Svg, SQLite). The window starts without them; they come from a
// library installed with the program and stay loaded until it ends.
//
// The classes here are all abstract and inline: the window and the library
// share nothing but these declarations and Qt's own libraries.
#pragma once

#include "report/report_data.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace stk {

class TradTable;

namespace ui {

// The catalogue window, as the calculator's commands use it.
class CatalogueAccess {
public:
    virtual ~CatalogueAccess() = default;
    // The window itself (a child of the calculator's), to show and raise.
    virtual QWidget* widget() = 0;
    virtual void retranslate(TradTable& trad, std::optional<std::size_t> column) = 0;
    virtual void askSharedCatalogue() = 0;
    virtual void setCompanyParameters(const QString& cct, const QString& tst) = 0;
    virtual bool isOpen() const = 0;
    // The article's description; none when there is no such article.
    virtual std::optional<QString> descriptionOf(const QString& reference) const = 0;
    // Stores the six parameter texts under `reference`; false when nothing was stored.
    virtual bool storeParameters(const QString& reference, const QStringList& params) = 0;
    // The last store lost to a change made elsewhere: the window shows it.
    virtual bool hasConflict() const = 0;
    // Why something could not be done; what the window is doing (connecting…).
    virtual QString stateLine() const = 0;
    virtual QString progressLine() const = 0;
};

// Where the catalogue window opens and whom it tells of the chosen article.
struct CatalogueOpening {
    TradTable* trad = nullptr;
    std::optional<std::size_t> language;
    std::filesystem::path folder;  // the program's folder, which holds the catalogue file
    QString location;              // given on the command line; empty: the user's last choice
    // The chosen article's reference and six parameter texts.
    std::function<void(const QString&, const QStringList&)> chosen;
};

class OnDemandCommands {
public:
    virtual ~OnDemandCommands() = default;
    // Writes the report as a PDF file; false with one line in `error`.
    virtual bool exportPdf(const QString& path, const ReportData& data, std::string& error) = 0;
    // The print preview of the report, with its printer dialog.
    virtual void printReport(QWidget* parent, const QString& title, const ReportData& data) = 0;
    // The chart as an SVG document, drawn as vectors.
    virtual QByteArray chartSvg(QWidget* chart) = 0;
    virtual std::unique_ptr<CatalogueAccess> openCatalogue(QWidget* parent, const CatalogueOpening& opening) = 0;
};

// The name of the function the library exports: it returns the library's
// commands, which live until the program ends.
inline constexpr char on_demand_entry[] = "stk_secu_on_demand_commands";
using OnDemandEntry = OnDemandCommands* (*)();

// The library's file, beside the program or where it is installed.
QString on_demand_library_file();
// Loads `file` and returns its commands; null with one line in `why` when it cannot.
OnDemandCommands* load_on_demand(const QString& file, QString& why);
// The commands, loaded from on_demand_library_file() on the first call (or the
// ones given to provide_on_demand()); null with one line in `why`.
OnDemandCommands* on_demand(QString& why);
// For a program that links the commands in (the tests): no library is loaded.
void provide_on_demand(OnDemandCommands* commands);

}  // namespace ui
}  // namespace stk
