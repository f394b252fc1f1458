#include "on_demand/on_demand_commands.h"

#include "catalogue/catalogue.h"
#include "catalogue_ui/catalogue_window.h"
#include "catalogue_ui/shared_catalogue_dialog.h"
#include "report/report.h"
#include "ui/text.h"

#include <QBuffer>
#include <QPainter>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSvgGenerator>
#include <QWidget>

namespace stk {
namespace {

class CatalogueLink : public ui::CatalogueAccess {
public:
    CatalogueLink(QWidget* parent, const ui::CatalogueOpening& opening) : window_(new CatalogueWindow(parent))
    {
        window_->retranslate(*opening.trad, opening.language);
        window_->setLocalFile(catalogue_path(opening.folder));
        window_->openLocation(opening.location.isEmpty() ? QString::fromStdString(CatalogueChoice::load().location)
                                                         : opening.location);
        chosen_ = QObject::connect(window_, &CatalogueWindow::articleChosen, window_, opening.chosen);
    }
    // The window belongs to its parent; it no longer tells whoever held this.
    ~CatalogueLink() override { QObject::disconnect(chosen_); }

    QWidget* widget() override { return window_; }
    void retranslate(TradTable& trad, std::optional<std::size_t> column) override
    {
        if (window_)
            window_->retranslate(trad, column);
    }
    void askSharedCatalogue() override { window_->askSharedCatalogue(); }
    void setCompanyParameters(const QString& cct, const QString& tst) override
    {
        window_->setCompanyParameters(cct, tst);
    }
    bool isOpen() const override { return window_->model()->isOpen(); }
    std::optional<QString> descriptionOf(const QString& reference) const override
    {
        const auto article = window_->model()->findArticle(reference);
        if (!article)
            return std::nullopt;
        return ui::text_of(article->description);
    }
    bool storeParameters(const QString& reference, const QStringList& params) override
    {
        return window_->model()->storeParameters(reference, params);
    }
    bool hasConflict() const override { return window_->model()->conflict().has_value(); }
    QString stateLine() const override { return window_->stateLine(); }
    QString progressLine() const override { return window_->progressLine(); }

private:
    QPointer<CatalogueWindow> window_;
    QMetaObject::Connection chosen_;
};

class LinkedCommands : public ui::OnDemandCommands {
public:
    bool exportPdf(const QString& path, const ReportData& data, std::string& error) override
    {
        return export_pdf(path, data, error);
    }

    void printReport(QWidget* parent, const QString& title, const ReportData& data) override
    {
        QPrinter printer(QPrinter::HighResolution);
        prepare_printer(printer, data);
        QPrintPreviewDialog preview(&printer, parent);
        preview.setWindowTitle(title);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&data](QPrinter* target) { print_report(*target, data); });
        preview.exec();
    }

    QByteArray chartSvg(QWidget* chart) override
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(chart->size());
        generator.setViewBox(QRect(QPoint(0, 0), chart->size()));
        generator.setTitle(chart->accessibleName());
        QPainter painter(&generator);
        chart->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
        painter.end();
        return bytes;
    }

    std::unique_ptr<ui::CatalogueAccess> openCatalogue(QWidget* parent, const ui::CatalogueOpening& opening) override
    {
        return std::make_unique<CatalogueLink>(parent, opening);
    }
};

}  // namespace

ui::OnDemandCommands& linked_on_demand_commands()
{
    static LinkedCommands commands;
    return commands;
}

}  // namespace stk
