#include "ui/commands.h"

#include "engine/results_copy.h"
#include "store/safe_file.h"
#include "report/bar_chart_paint.h"
#include "ui/main_window.h"
#include "ui/on_demand.h"
#include "ui/range_tips.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QToolButton>

namespace stk::ui {
namespace {

std::string utf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

struct CommandDef {
    std::string_view caption;
    QKeySequence keys;
};

const std::array<CommandDef, WindowCommands::command_count>& command_defs()
{
    static const std::array<CommandDef, WindowCommands::command_count> defs{{
        {"Catalogue…", QKeySequence(Qt::CTRL | Qt::Key_K)},
        {"Catalogue partagé…", QKeySequence()},
        {"Enregistrer dans le catalogue…", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"Imprimer…", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"Exporter en PDF…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)},
        {"Copier les résultats", QKeySequence(Qt::CTRL | Qt::Key_C)},
    }};
    return defs;
}

constexpr std::array<std::string_view, 3> chart_captions{"Copier l'image", "Enregistrer en PNG…",
                                                         "Enregistrer en SVG…"};

// Writes `bytes` through a temporary file renamed over `path`.
std::string write_file(const QString& path, const QByteArray& bytes)
{
    return replace_file(std::filesystem::path(QFile::encodeName(path).toStdString()),
                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace

WindowCommands::WindowCommands(MainWindow& window) : QObject(&window), window_(window)
{
    QWidget* client = window.centralWidget();
    button_ = new QToolButton(client);
    button_->setObjectName(QStringLiteral("commands"));
    button_->setGeometry(pixels(menu_left), pixels(menu_top), pixels(menu_width), pixels(menu_height));
    button_->setPopupMode(QToolButton::InstantPopup);
    button_->setFocusPolicy(Qt::StrongFocus);
    menu_ = new QMenu(button_);
    button_->setMenu(menu_);
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        auto* action = new QAction(&window);
        action->setShortcut(command_defs()[i].keys);
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);  // the shortcut works wherever the focus is in the window
        menu_->addAction(action);
        actions_[i] = action;
    }
    connect(actions_[catalogue], &QAction::triggered, this, &WindowCommands::openCatalogue);
    connect(actions_[shared_catalogue], &QAction::triggered, this, &WindowCommands::askSharedCatalogue);
    connect(actions_[save_to_catalogue], &QAction::triggered, this, &WindowCommands::askSaveToCatalogue);
    connect(actions_[print], &QAction::triggered, this, &WindowCommands::printReport);
    connect(actions_[export_pdf], &QAction::triggered, this, &WindowCommands::askExportPdf);
    connect(actions_[copy_results], &QAction::triggered, this, &WindowCommands::copyResults);

    // The chart's own menu, by the right button or the menu key.
    QWidget* chart = window.control("g");
    chart->setContextMenuPolicy(Qt::CustomContextMenu);
    chart_menu_ = new QMenu(chart);
    for (QAction*& action : chart_actions_)
        action = chart_menu_->addAction(QString());
    connect(chart_actions_[0], &QAction::triggered, this, &WindowCommands::copyChart);
    connect(chart_actions_[1], &QAction::triggered, this, [this] { askSaveChart(false); });
    connect(chart_actions_[2], &QAction::triggered, this, [this] { askSaveChart(true); });
    connect(chart, &QWidget::customContextMenuRequested, this,
            [this, chart](const QPoint& at) { chart_menu_->popup(chart->mapToGlobal(at)); });

    // Shortcuts the text boxes would take for themselves reach the window.
    for (QLineEdit* edit : client->findChildren<QLineEdit*>())
        edit->installEventFilter(this);
    // The captions follow the language; the open catalogue follows the company parameters.
    for (int index = 0; index < 3; ++index)
        if (auto* flag = qobject_cast<ClickLabel*>(window.control("ln", index)))
            connect(flag, &ClickLabel::clicked, this, &WindowCommands::retranslate);
    for (const char* name : {"cct", "tst"})
        if (auto* edit = qobject_cast<QLineEdit*>(window.control(name)))
            connect(edit, &QLineEdit::textChanged, this, &WindowCommands::followCompany);
    // The most sensitive parameter belongs to the fields it was found for.
    if (auto* analyse = qobject_cast<QAbstractButton*>(window.control("Command4")))
        connect(analyse, &QAbstractButton::clicked, this, [this] {
            for (const FieldInfo& f : fields)
                analysed_texts_[static_cast<std::size_t>(f.field)] = window_.model().field_text(f.field);
            analysed_ = true;
        });
    new RangeTips(window);  // the decision ranges on the input fields
    retranslate();
}

WindowCommands::~WindowCommands() = default;

QString WindowCommands::caption(std::string_view french) const
{
    return text_of(translator(window_.model().translations(), window_.model().language())(french));
}

void WindowCommands::retranslate()
{
    const QString commands = caption("Commandes");
    button_->setText(commands);
    button_->setAccessibleName(commands);
    button_->setToolTip(commands);
    menu_->setAccessibleName(commands);
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        const QString text = caption(command_defs()[i].caption);
        actions_[i]->setText(text);
        const QString keys = actions_[i]->shortcut().toString(QKeySequence::NativeText);
        actions_[i]->setToolTip(keys.isEmpty() ? text : text + QStringLiteral(" (") + keys + u')');
    }
    for (std::size_t i = 0; i < chart_actions_.size(); ++i)
        chart_actions_[i]->setText(caption(chart_captions[i]));
    if (catalogue_)
        catalogue_->retranslate(window_.model().translations(), window_.model().language());
}

OnDemandCommands* WindowCommands::onDemand()
{
    QString why;
    OnDemandCommands* commands = on_demand(why);
    if (!commands)
        tell(caption("Commande indisponible\u00a0: %1").replace(QStringLiteral("%1"), why));
    return commands;
}

// A text box keeps Ctrl+C while it has selected text; the window's other
// shortcuts (Ctrl+K deletes to the end of the line in a text box) go to the window.
bool WindowCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        if (actions_[i]->shortcut() != pressed)
            continue;
        if (i == copy_results)
            if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && edit->hasSelectedText())
                return false;
        event->ignore();
        return true;
    }
    return false;
}

void WindowCommands::tell(const QString& line)
{
    message_ = line;
    auto* box = new QMessageBox(QMessageBox::Warning, window_.windowTitle(), line, QMessageBox::Ok, &window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

std::array<QString, 6> WindowCommands::articleTexts() const
{
    std::array<QString, 6> texts;
    for (std::size_t i = 0; i < article_fields.size(); ++i)
        texts[i] = text_of(window_.model().field_text(article_fields[i]));
    return texts;
}

// Copy and the chart.

void WindowCommands::copyResults()
{
    const ReportContent content = reportData().content;
    TableCaptions captions;
    for (std::size_t line = 0; line < line_count; ++line)
        captions.lines[line] = content.line_captions[line];
    captions.money = content.money;
    auto* mime = new QMimeData;
    mime->setText(text_of(results_tsv(content.shown, captions)));
    mime->setHtml(text_of(results_html(content.shown, captions, content.separator)));
    QApplication::clipboard()->setMimeData(mime);
}

void WindowCommands::copyChart() { QApplication::clipboard()->setImage(window_.control("g")->grab().toImage()); }

bool WindowCommands::saveChart(const QString& path, bool svg)
{
    QWidget* chart = window_.control("g");
    QByteArray bytes;
    if (svg) {
        OnDemandCommands* commands = onDemand();
        if (!commands)
            return false;
        bytes = commands->chartSvg(chart);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        chart->grab().toImage().save(&buffer, "PNG");
    }
    const std::string error = bytes.isEmpty() ? std::string("nothing to write") : write_file(path, bytes);
    if (error.empty())
        return true;
    tell(caption("Impossible d'enregistrer\u00a0: %1").replace(QStringLiteral("%1"), path) + QStringLiteral(" (") +
         text_of(error) + u')');
    return false;
}

void WindowCommands::askSaveChart(bool svg)
{
    const QString filter = svg ? QStringLiteral("SVG (*.svg)") : QStringLiteral("PNG (*.png)");
    QString path = QFileDialog::getSaveFileName(&window_, caption(chart_captions[svg ? 2 : 1]), QString(), filter);
    if (path.isEmpty())
        return;
    const QString suffix = svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    saveChart(path, svg);
}

// The report.

ReportData WindowCommands::reportData() const
{
    const WindowModel& model = window_.model();
    ReportInputs in;
    for (const FieldInfo& f : fields)
        in.field_texts[static_cast<std::size_t>(f.field)] = model.field_text(f.field);
    in.separator = model.decimal_separator();
    in.translate = translator(window_.model().translations(), model.language());
    in.date = utf8(QLocale().toString(QDate::currentDate(), QLocale::LongFormat));
    if (!reference_.isEmpty() && articleTexts() == article_texts_) {
        in.reference = utf8(reference_);
        in.description = utf8(description_);
    }
    bool same_fields = analysed_;
    for (const FieldInfo& f : fields)
        same_fields = same_fields && analysed_texts_[static_cast<std::size_t>(f.field)] == model.field_text(f.field);
    if (same_fields)
        in.most_sensitive = model.most_sensitive_field();
    ReportData data{report_content(in), {}};
    // The chart as the window paints it, drawn as vectors.
    data.draw_chart = [chart = chart_content(data.content, window_.font())](QPainter& painter, const QRectF& area) {
        paint_bar_chart_in(painter, area, chart);
    };
    return data;
}

bool WindowCommands::exportPdfTo(const QString& path)
{
    OnDemandCommands* commands = onDemand();
    if (!commands)
        return false;
    std::string error;
    if (commands->exportPdf(path, reportData(), error))
        return true;
    tell(text_of(error));
    return false;
}

void WindowCommands::askExportPdf()
{
    QString path =
        QFileDialog::getSaveFileName(&window_, caption("Exporter en PDF…"), QString(), QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    exportPdfTo(path);
}

void WindowCommands::printReport()
{
    if (OnDemandCommands* commands = onDemand())
        commands->printReport(&window_, caption("Imprimer…"), reportData());
}

// The catalogue.

CatalogueAccess* WindowCommands::catalogueAccess()
{
    if (!catalogue_) {
        OnDemandCommands* commands = onDemand();
        if (!commands)
            return nullptr;
        CatalogueOpening opening;
        opening.trad = &window_.model().translations();
        opening.language = window_.model().language();
        opening.folder = window_.folder();
        opening.location = location_;
        opening.chosen = [this](const QString& reference, const QStringList& params) {
            loadArticle(reference, params);
        };
        catalogue_ = commands->openCatalogue(&window_, opening);
    }
    return catalogue_.get();
}

void WindowCommands::askSharedCatalogue()
{
    openCatalogue();
    if (catalogue_)
        catalogue_->askSharedCatalogue();
}

void WindowCommands::openCatalogue()
{
    CatalogueAccess* shown = catalogueAccess();
    if (!shown)
        return;
    shown->widget()->show();
    followCompany();
    shown->widget()->raise();
    shown->widget()->activateWindow();
}

// Only a shown catalogue follows the company parameters: a hidden one is
// brought up to date when it is shown again.
void WindowCommands::followCompany()
{
    if (catalogue_ && catalogue_->widget() && catalogue_->widget()->isVisible())
        catalogue_->setCompanyParameters(text_of(window_.model().field_text(Field::cct)),
                                         text_of(window_.model().field_text(Field::tst)));
}

void WindowCommands::loadArticle(const QString& reference, const QStringList& params)
{
    if (params.size() != static_cast<qsizetype>(article_fields.size()))
        return;
    std::array<std::string, 6> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = utf8(params[static_cast<qsizetype>(i)]);
    window_.model().set_fields({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]});
    reference_ = reference;
    description_ = catalogue_ ? catalogue_->descriptionOf(reference).value_or(QString()) : QString();
    article_texts_ = articleTexts();
}

bool WindowCommands::storeInCatalogue(const QString& reference, bool replace)
{
    CatalogueAccess* shown = catalogueAccess();
    if (!shown)
        return false;
    if (!shown->isOpen()) {
        // Why, or what it is doing: a server still being reached says "Connexion…".
        tell(shown->stateLine().isEmpty() ? shown->progressLine() : shown->stateLine());
        return false;
    }
    const auto existing = shown->descriptionOf(reference);
    if (existing && !replace)
        return false;
    QStringList params;
    for (const QString& text : articleTexts())
        params << text;
    if (!shown->storeParameters(reference, params)) {
        if (!shown->hasConflict())  // a conflict is the catalogue window's to show
            tell(shown->stateLine());
        return false;
    }
    reference_ = reference.trimmed();
    description_ = existing.value_or(QString());
    article_texts_ = articleTexts();
    return true;
}

void WindowCommands::askSaveToCatalogue()
{
    bool ok = false;
    const QString reference =
        QInputDialog::getText(&window_, caption("Enregistrer dans le catalogue…"), caption("Référence de l'article"),
                              QLineEdit::Normal, reference_, &ok)
            .trimmed();
    if (!ok || reference.isEmpty())
        return;
    CatalogueAccess* shown = catalogueAccess();
    if (!shown)
        return;
    bool replace = false;
    if (shown->isOpen() && shown->descriptionOf(reference)) {
        const auto answer = QMessageBox::question(
            &window_, caption("Enregistrer dans le catalogue…"),
            caption("Remplacer les paramètres de l'article %1\u00a0?").replace(QStringLiteral("%1"), reference));
        if (answer != QMessageBox::Yes)
            return;
        replace = true;
    }
    storeInCatalogue(reference, replace);
}

}  // namespace stk::ui
