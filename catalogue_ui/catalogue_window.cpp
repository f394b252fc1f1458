#include "catalogue_ui/catalogue_window.h"

#include "ui/text.h"

#include "catalogue/article_csv.h"
#include "catalogue_ui/conflict_dialog.h"
#include "catalogue_ui/shared_catalogue_dialog.h"
#include "csv/csv.h"
#include "store/stream_file.h"
#include "store/trad_table.h"

#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace stk {

namespace {

// The captions in French; the column headers of the six parameters are the
// calculator's own captions.
constexpr std::string_view title_caption = "Catalogue des articles";
constexpr std::string_view filter_caption = "Filtrer";
constexpr std::string_view add_caption = "Ajouter";
constexpr std::string_view duplicate_caption = "Dupliquer";
constexpr std::string_view delete_caption = "Supprimer";
constexpr std::string_view undo_caption = "Annuler la suppression";
constexpr std::string_view new_article_caption = "Nouvel article";
constexpr std::string_view shared_caption = "Catalogue partagé…";
// What the window is doing, then the button that reconnects.
constexpr std::string_view progress_caption = "Hors ligne|Connexion…|Chargement des articles… %1|Reconnecter";
enum Progress { offline_text, connecting_text, loading_text, reconnect_text, progress_count };

// How often a shown catalogue asks whether anyone changed it, besides when it becomes active.
constexpr int refresh_interval_ms = 15000;

constexpr std::array<std::string_view, column_count> header_captions{"Référence",
                                                                     "Désignation",
                                                                     info(Field::dat).caption,
                                                                     info(Field::pst).caption,
                                                                     info(Field::uut).caption,
                                                                     info(Field::dvt).caption,
                                                                     info(Field::crt).caption,
                                                                     info(Field::nbt).caption,
                                                                     "Stock actuel",
                                                                     "Stock de Sécurité",
                                                                     "Total",
                                                                     "Économie"};

const QKeySequence add_key(Qt::CTRL | Qt::Key_N);
const QKeySequence duplicate_key(Qt::CTRL | Qt::Key_D);

// A table that tells whether a cell is being edited.
class EditAwareTable : public QTableView {
public:
    using QTableView::QTableView;
    bool editing() const { return state() == QAbstractItemView::EditingState; }
};

}  // namespace

CatalogueWindow::CatalogueWindow(QWidget* parent)
    : QDialog(parent), model_(new CatalogueModel(this)), filter_label_(new QLabel(this)), filter_(new QLineEdit(this)),
      table_(new EditAwareTable(this)), add_(new QPushButton(this)), duplicate_(new QPushButton(this)),
      delete_(new QPushButton(this)), undo_(new QPushButton(this)), import_(new QPushButton(this)),
      export_(new QPushButton(this)), state_(new QLabel(this)), progress_(new QLabel(this)),
      shared_(new QPushButton(this)), reconnect_(new QPushButton(this)), refresh_timer_(new QTimer(this))
{
    setObjectName(QStringLiteral("catalogue"));
    filter_->setObjectName(QStringLiteral("catalogue_filter"));
    table_->setObjectName(QStringLiteral("catalogue_table"));
    add_->setObjectName(QStringLiteral("catalogue_add"));
    duplicate_->setObjectName(QStringLiteral("catalogue_duplicate"));
    delete_->setObjectName(QStringLiteral("catalogue_delete"));
    undo_->setObjectName(QStringLiteral("catalogue_undo"));
    import_->setObjectName(QStringLiteral("catalogue_import"));
    export_->setObjectName(QStringLiteral("catalogue_export"));
    state_->setObjectName(QStringLiteral("catalogue_state"));
    progress_->setObjectName(QStringLiteral("catalogue_progress"));
    shared_->setObjectName(QStringLiteral("catalogue_shared"));
    reconnect_->setObjectName(QStringLiteral("catalogue_reconnect"));

    filter_label_->setBuddy(filter_);
    filter_->setClearButtonEnabled(true);

    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    table_->setTabKeyNavigation(false);  // Tab leaves the table for the buttons
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->setVisible(false);
    // Fixed sizes: the view never measures rows it does not show.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSortingEnabled(true);
    table_->sortByColumn(static_cast<int>(Column::reference), Qt::AscendingOrder);

    state_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    state_->setWordWrap(true);  // a long reason (a server's message) does not widen the window
    state_->setStyleSheet(QStringLiteral("color: #a00000;"));

    auto* top = new QHBoxLayout;
    top->addWidget(filter_label_);
    top->addWidget(filter_, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {add_, duplicate_, delete_, undo_}) {
        b->setAutoDefault(false);  // Enter belongs to the table
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    for (QPushButton* b : {import_, export_, shared_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(state_, 1);
    bottom->addWidget(progress_);
    bottom->addWidget(reconnect_);
    reconnect_->setAutoDefault(false);
    reconnect_->hide();
    layout->addLayout(bottom);
    setTabOrder(filter_, table_);
    setTabOrder(table_, add_);
    setTabOrder(add_, duplicate_);
    setTabOrder(duplicate_, delete_);
    setTabOrder(delete_, undo_);
    setTabOrder(undo_, import_);
    setTabOrder(import_, export_);
    setTabOrder(export_, shared_);
    setTabOrder(shared_, reconnect_);

    // Shortcuts of their own: a button's caption would replace its shortcut.
    auto* add = new QShortcut(add_key, this);
    auto* duplicate = new QShortcut(duplicate_key, this);
    auto* undo = new QShortcut(QKeySequence::Undo, this);
    connect(add, &QShortcut::activated, this, &CatalogueWindow::addArticle);
    connect(duplicate, &QShortcut::activated, this, &CatalogueWindow::duplicateArticle);
    connect(undo, &QShortcut::activated, this, &CatalogueWindow::undoDelete);
    auto* insert = new QShortcut(QKeySequence(Qt::Key_Insert), table_, nullptr, nullptr, Qt::WidgetShortcut);
    auto* remove = new QShortcut(QKeySequence::Delete, table_, nullptr, nullptr, Qt::WidgetShortcut);
    // Sorting from the keyboard: Alt+Up and Alt+Down sort on the current column.
    auto* ascending = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Up), table_, nullptr, nullptr, Qt::WidgetShortcut);
    auto* descending =
        new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Down), table_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(ascending, &QShortcut::activated, this, [this] { sortOnCurrentColumn(Qt::AscendingOrder); });
    connect(descending, &QShortcut::activated, this, [this] { sortOnCurrentColumn(Qt::DescendingOrder); });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(insert, &QShortcut::activated, this, &CatalogueWindow::addArticle);
    connect(remove, &QShortcut::activated, this, &CatalogueWindow::deleteArticle);
    connect(find, &QShortcut::activated, this, [this] {
        filter_->setFocus(Qt::ShortcutFocusReason);
        filter_->selectAll();
    });

    connect(add_, &QPushButton::clicked, this, &CatalogueWindow::addArticle);
    connect(duplicate_, &QPushButton::clicked, this, &CatalogueWindow::duplicateArticle);
    connect(delete_, &QPushButton::clicked, this, &CatalogueWindow::deleteArticle);
    connect(undo_, &QPushButton::clicked, this, &CatalogueWindow::undoDelete);
    connect(import_, &QPushButton::clicked, this, &CatalogueWindow::importCsvAsk);
    connect(export_, &QPushButton::clicked, this, &CatalogueWindow::exportCsvAsk);
    connect(shared_, &QPushButton::clicked, this, &CatalogueWindow::askSharedCatalogue);
    connect(reconnect_, &QPushButton::clicked, this, &CatalogueWindow::reconnect);
    connect(model_, &CatalogueModel::stateChanged, this, &CatalogueWindow::showModelState);
    connect(model_, &CatalogueModel::articlesReady, this, &CatalogueWindow::showLoadedWhenIdle);
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, &CatalogueWindow::rememberCurrent);
    connect(model_, &QAbstractItemModel::modelReset, this, &CatalogueWindow::restoreCurrent);
    // Articles read while a cell was being edited are shown once the edit is over.
    connect(table_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this] { QTimer::singleShot(0, this, &CatalogueWindow::showLoadedWhenIdle); });
    refresh_timer_->setInterval(refresh_interval_ms);
    connect(refresh_timer_, &QTimer::timeout, model_, &CatalogueModel::refreshIfChanged);
    connect(filter_, &QLineEdit::textChanged, model_, &CatalogueModel::setFilter);
    connect(table_, &QTableView::activated, this, &CatalogueWindow::chooseArticle);
    connect(model_, &CatalogueModel::failed, this, &CatalogueWindow::showFailure);
    connect(model_, &CatalogueModel::filterCleared, this, [this] {
        const QSignalBlocker quiet(filter_);
        filter_->clear();
    });
    connect(model_, &CatalogueModel::changed, this, &CatalogueWindow::updateButtons);
    // Asked once the edit that met the conflict has finished.
    connect(model_, &CatalogueModel::conflictFound, this, &CatalogueWindow::showConflict, Qt::QueuedConnection);
    connect(model_, &QAbstractItemModel::modelReset, this, &CatalogueWindow::updateButtons);
    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this, &CatalogueWindow::updateButtons);

    applyCaptions();
    updateButtons();
    resize(1260, 560);
}

QString CatalogueWindow::caption(std::string_view french) const
{
    if (!trad_)
        return ui::text_of(french);
    return ui::text_of(trad_->translate(french, language_).value_or(std::string(french)));
}

void CatalogueWindow::retranslate(TradTable& trad, std::optional<std::size_t> column)
{
    trad_ = &trad;
    language_ = column;
    applyCaptions();
}

void CatalogueWindow::applyCaptions()
{
    filter_label_->setText(caption(filter_caption));
    filter_->setAccessibleName(caption(filter_caption));
    table_->setAccessibleName(caption(title_caption));
    const auto button = [&](QPushButton* b, std::string_view french) {
        const QString text = caption(french);
        b->setText(text);
        b->setAccessibleName(text);
    };
    button(add_, add_caption);
    button(duplicate_, duplicate_caption);
    button(delete_, delete_caption);
    button(undo_, undo_caption);
    button(import_, "Importer CSV…");
    button(export_, "Exporter CSV…");
    button(shared_, shared_caption);
    reconnect_->setText(caption_list([this](std::string_view f) { return caption(f); }, progress_caption,
                                     progress_count)[reconnect_text]);
    reconnect_->setAccessibleName(reconnect_->text());
    showModelState();
    add_->setToolTip(add_key.toString(QKeySequence::NativeText) + QStringLiteral(", ") +
                     QKeySequence(Qt::Key_Insert).toString(QKeySequence::NativeText));
    duplicate_->setToolTip(duplicate_key.toString(QKeySequence::NativeText));
    delete_->setToolTip(QKeySequence(QKeySequence::Delete).toString(QKeySequence::NativeText));
    undo_->setToolTip(QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText));
    filter_->setToolTip(QKeySequence(QKeySequence::Find).toString(QKeySequence::NativeText));

    std::array<QString, column_count> headers;
    for (std::size_t c = 0; c < column_count; ++c)
        headers[c] = caption(header_captions[c]);
    model_->setCaptions(headers, [this](std::string_view french) { return caption(french); });
    // Widths that fit the numbers; captions go on two lines, and whole in their tooltips.
    const QFontMetrics metrics(table_->horizontalHeader()->font());
    for (std::size_t c = 0; c < column_count; ++c) {
        const QString shown = model_->headerData(static_cast<int>(c), Qt::Horizontal).toString();
        int widest = 0;
        for (const QString& line : shown.split(u'\n'))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        table_->setColumnWidth(static_cast<int>(c), std::clamp(widest + 20, 70, 140));
    }
    table_->setColumnWidth(static_cast<int>(Column::reference), 120);
    table_->setColumnWidth(static_cast<int>(Column::description), 220);
}

bool CatalogueWindow::openCatalogue(const std::filesystem::path& file)
{
    local_file_ = file;
    state_->clear();
    const bool ok = model_->open(file);
    if (ok && model_->rowCount() > 0)
        selectRow(0);
    return ok;
}

void CatalogueWindow::openLocation(const QString& where)
{
    if (where.isEmpty())
        openCatalogue(local_file_);
    else {
        state_->clear();
        model_->openLocation(where);
    }
}

void CatalogueWindow::reconnect() { model_->reconnect(); }

void CatalogueWindow::askSharedCatalogue()
{
    CatalogueChoice choice = CatalogueChoice::load();
    auto* dialog = new SharedCatalogueDialog(
        choice.server, [this](std::string_view f) { return caption(f); }, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &SharedCatalogueDialog::locationChosen, this, [this, dialog](const QString& where) {
        CatalogueChoice chosen{dialog->settings(), where.toStdString()};
        chosen.save();
        openLocation(where);
    });
    dialog->open();
}

QString CatalogueWindow::progressLine() const { return progress_->text(); }

// The window follows the catalogue: open, being reached, read, or lost.
void CatalogueWindow::showModelState()
{
    const QStringList texts =
        caption_list([this](std::string_view f) { return caption(f); }, progress_caption, progress_count);
    QString progress;
    if (model_->isConnecting())
        progress = texts[connecting_text];
    else if (model_->isOffline())
        progress = texts[offline_text];
    else if (model_->isLoading())
        progress = QString(texts[loading_text])
                       .replace(QStringLiteral("%1"), QLocale().toString(qulonglong(model_->loadedCount())));
    progress_->setText(progress);
    progress_->setAccessibleName(progress);
    reconnect_->setVisible(model_->isOffline());
    // The server, as the catalogue gives it (without any password), once reached.
    const QString where = model_->shownLocation();
    setWindowTitle(caption(title_caption) +
                   (is_server_location(where.toStdString()) ? QStringLiteral(" — ") + where : QString()));
    if (!model_->isOpen())
        state_->setText(model_->failureLine());
    for (QWidget* w : std::initializer_list<QWidget*>{filter_, table_})
        w->setEnabled(model_->isOpen());
    updateButtons();
}

void CatalogueWindow::showLoadedWhenIdle()
{
    if (model_->hasUnshownArticles() && !static_cast<const EditAwareTable*>(table_)->editing())
        model_->showLoadedArticles();
}

void CatalogueWindow::rememberCurrent()
{
    const Article* a = model_->articleAt(table_->currentIndex().row());
    current_id_ = a ? a->id : -1;
    current_column_ = std::max(0, table_->currentIndex().column());
    current_offset_ = table_->currentIndex().row() - table_->verticalScrollBar()->value();
}

void CatalogueWindow::restoreCurrent()
{
    const int row = model_->rowOf(current_id_);
    if (current_id_ < 0 || row < 0)
        return;
    table_->selectionModel()->setCurrentIndex(model_->index(row, current_column_),
                                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->verticalScrollBar()->setValue(row - current_offset_);
}

void CatalogueWindow::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        model_->refreshIfChanged();
}

void CatalogueWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    refresh_timer_->start();
}

void CatalogueWindow::hideEvent(QHideEvent* event)
{
    refresh_timer_->stop();
    QDialog::hideEvent(event);
}

void CatalogueWindow::setCompanyParameters(const QString& cct, const QString& tst) { model_->setCompany(cct, tst); }

QString CatalogueWindow::stateLine() const { return state_->text(); }

void CatalogueWindow::selectRow(int row, int column)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    const QModelIndex index = model_->index(row, column);
    table_->setCurrentIndex(index);
    table_->scrollTo(index);
}

void CatalogueWindow::clearState()
{
    if (model_->isOpen())
        state_->clear();
}

void CatalogueWindow::addArticle()
{
    if (!model_->isOpen())
        return;
    const int row = model_->addArticle(caption(new_article_caption));
    if (row < 0)
        return;
    clearState();
    selectRow(row);
    table_->setFocus(Qt::OtherFocusReason);
    table_->edit(model_->index(row, static_cast<int>(Column::reference)));
}

void CatalogueWindow::duplicateArticle()
{
    const int row = model_->duplicateArticle(table_->currentIndex().row());
    if (row < 0)
        return;
    clearState();
    selectRow(row);
}

void CatalogueWindow::deleteArticle()
{
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid() || !model_->removeArticle(current.row()))
        return;
    clearState();
    selectRow(std::min(current.row(), model_->rowCount() - 1), current.column());
    updateButtons();
}

void CatalogueWindow::undoDelete()
{
    const int row = model_->undoRemove();
    if (row < 0)
        return;
    clearState();
    selectRow(row);
    updateButtons();
}

void CatalogueWindow::sortOnCurrentColumn(Qt::SortOrder order)
{
    const int column = std::max(0, table_->currentIndex().column());
    table_->sortByColumn(column, order);
    table_->scrollTo(table_->currentIndex());
}

void CatalogueWindow::chooseArticle(const QModelIndex& index)
{
    const Article* a = model_->articleAt(index.row());
    if (!a)
        return;
    QStringList params;
    for (const std::string& p : a->params)
        params.push_back(ui::text_of(p));
    emit articleChosen(ui::text_of(a->reference), params);
}

void CatalogueWindow::showConflict()
{
    const auto& conflict = model_->conflict();
    if (!conflict)
        return;
    QStringList fields;
    for (int c = 0; c < stored_column_count; ++c)
        fields << caption(header_captions[static_cast<std::size_t>(c)]);
    auto* dialog = new ConflictDialog(
        *conflict, fields, [this](std::string_view french) { return caption(french); }, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &ConflictDialog::chosen, this, &CatalogueWindow::settleConflict);
    dialog->open();
}

void CatalogueWindow::settleConflict(CatalogueModel::Resolution resolution)
{
    const int column = model_->conflict() ? model_->conflict()->column : -1;
    const int row = model_->resolveConflict(resolution);
    updateButtons();
    if (row < 0)
        return;
    clearState();
    selectRow(row, std::max(column, 0));
    if (resolution == CatalogueModel::Resolution::keep_editing && column >= 0) {
        table_->setFocus(Qt::OtherFocusReason);
        table_->edit(model_->index(row, column));
    }
}

void CatalogueWindow::showFailure(const QString& line) { state_->setText(line); }

void CatalogueWindow::updateButtons()
{
    const bool online = model_->isOpen();
    const bool current = online && table_->currentIndex().isValid();
    shared_->setEnabled(!model_->isConnecting());
    add_->setEnabled(online);
    duplicate_->setEnabled(current);
    delete_->setEnabled(current);
    undo_->setEnabled(online && model_->canUndoRemove());
    import_->setEnabled(online);
    export_->setEnabled(online);
}

// CSV import and export.

std::optional<CatalogueWindow::CsvImport> CatalogueWindow::previewCsvImport(const QString& file)
{
    std::string error;
    auto read = read_article_csv(std::filesystem::path(QFile::encodeName(file).toStdString()), error);
    if (!read) {
        showFailure(ui::text_of(error));
        return std::nullopt;
    }
    CsvImport import{std::move(read->articles), std::move(read->lines), {}};
    const auto plan = model_->previewImport(import.articles);  // says why on the state line when it cannot
    if (!plan)
        return std::nullopt;
    import.plan = *plan;
    return import;
}

QString CatalogueWindow::importSummary(const CsvImport& import) const
{
    QString text = caption("Import\u00a0: %1 ajouté(s), %2 mis à jour, %3 refusé(s)")
                       .replace(QStringLiteral("%1"), QString::number(import.plan.added))
                       .replace(QStringLiteral("%2"), QString::number(import.plan.updated))
                       .replace(QStringLiteral("%3"), QString::number(import.plan.refused.size()));
    for (const ImportPlan::Refusal& refusal : import.plan.refused) {
        const std::string& reference = import.articles.at(refusal.index).reference;
        QString where = QString::number(import.lines.at(refusal.index));
        if (!reference.empty())
            where += QStringLiteral(" (") + ui::text_of(reference) + u')';
        QString why = caption(problem_caption(refusal.why.problem));
        if (!refusal.why.detail.empty() && refusal.why.detail != reference)
            why += QStringLiteral(": ") + ui::text_of(refusal.why.detail);
        text += u'\n' + caption("%1\u00a0: %2").replace(QStringLiteral("%1"), where).replace(QStringLiteral("%2"), why);
    }
    return text;
}

bool CatalogueWindow::commitCsvImport(const CsvImport& import)
{
    if (!model_->commitImport(import.articles, import.plan))
        return false;
    clearState();
    return true;
}

void CatalogueWindow::importCsvAsk()
{
    const QString file = QFileDialog::getOpenFileName(this, caption("Importer CSV…"), QString(),
                                                      QStringLiteral("CSV (*.csv *.txt);;* (*)"));
    if (file.isEmpty())
        return;
    const auto import = previewCsvImport(file);
    if (!import)
        return;
    const QString summary = importSummary(*import);
    QMessageBox ask(QMessageBox::Question, caption("Importer CSV…"), summary.section(u'\n', 0, 0),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    if (!import->plan.refused.empty())
        ask.setDetailedText(summary.section(u'\n', 1));
    ask.setDefaultButton(QMessageBox::Cancel);
    if (ask.exec() == QMessageBox::Ok)
        commitCsvImport(*import);
}

bool CatalogueWindow::exportCsv(const QString& file)
{
    // A decimal comma goes with semicolons between the fields, as spreadsheets expect.
    const csv::Format format{QLocale().decimalPoint() == QStringLiteral(",") ? ';' : ',', csv::Encoding::utf8, true};
    csv::Writer writer(format);
    writer.start();
    for (std::string_view french : header_captions)
        writer.text(caption(french).toStdString());
    writer.end_row();
    std::string error;
    auto out = StreamFile::create(std::filesystem::path(QFile::encodeName(file).toStdString()), error);
    bool written = out != nullptr;
    model_->visitShownRows([&](const std::array<QString, column_count>& texts) {
        for (const QString& text : texts)
            writer.text(text.toStdString());
        writer.end_row();
        if (written && writer.buffer().size() > (1u << 16)) {
            written = out->write(writer.buffer(), error);
            writer.buffer().clear();
        }
    });
    written = written && out->write(writer.buffer(), error) && out->commit(error);
    if (!written)
        showFailure(ui::text_of(error));
    return written;
}

void CatalogueWindow::exportCsvAsk()
{
    QString file =
        QFileDialog::getSaveFileName(this, caption("Exporter CSV…"), QString(), QStringLiteral("CSV (*.csv)"));
    if (file.isEmpty())
        return;
    if (!file.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        file += QStringLiteral(".csv");
    if (exportCsv(file))
        clearState();
}

}  // namespace stk
