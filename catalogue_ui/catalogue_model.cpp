#include "catalogue_ui/catalogue_model.h"

#include "ui/text.h"

#include <QLocale>
#include <QThread>

#include <memory>

#include <cstdlib>

namespace stk {

namespace {

// The texts kept at most; scrolling through a larger catalogue starts over.
constexpr qsizetype text_cache_limit = 4096;

// A caption of several words on two lines, cut at the space nearest its middle,
// so that narrow number columns keep it whole.
QString two_lines(const QString& caption)
{
    if (caption.size() < 12)
        return caption;
    qsizetype best = -1;
    for (qsizetype i = caption.indexOf(u' '); i >= 0; i = caption.indexOf(u' ', i + 1))
        if (best < 0 || std::abs(i - caption.size() / 2) < std::abs(best - caption.size() / 2))
            best = i;
    if (best < 0)
        return caption;
    QString out = caption;
    out[best] = u'\n';
    return out;
}

}  // namespace

CatalogueModel::CatalogueModel(QObject* parent)
    : QAbstractTableModel(parent), translate_([](std::string_view s) { return ui::text_of(s); })
{
    separator_ = QLocale().decimalPoint();
    separator_utf8_ = separator_.toStdString();
    for (std::size_t c = 0; c < column_count; ++c)
        headers_[c] = QString::number(c + 1);
}

QString CatalogueModel::storedText(const ArticleData& a, Column c)
{
    switch (c) {
    case Column::reference:
        return ui::text_of(a.reference);
    case Column::description:
        return ui::text_of(a.description);
    case Column::stock:
        return a.stock ? QString::number(*a.stock) : QString();
    default:
        const auto field = column_field(c);
        return field ? ui::text_of(a.param(*field)) : QString();
    }
}

bool CatalogueModel::open(const std::filesystem::path& file)
{
    location_ = QString::fromStdString(file.string());
    ++generation_;
    connecting_ = false;
    return adopt(Catalogue::open(file));
}

void CatalogueModel::openLocation(const QString& where)
{
    const std::string location = where.toStdString();
    if (!is_server_location(location)) {
        open(std::filesystem::path(location));
        return;
    }
    location_ = where;
    close();
    failure_line_.clear();
    offline_ = false;
    connecting_ = true;
    const unsigned generation = ++generation_;
    emit stateChanged();
    // libpq's connect timeout bounds the wait; the window goes on meanwhile.
    auto opened = std::make_shared<std::optional<Result<Catalogue>>>();
    QThread* worker = QThread::create([opened, location] { opened->emplace(Catalogue::open_location(location)); });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &QThread::finished, this, [this, opened, generation] {
        if (generation != generation_ || !opened->has_value())
            return;  // another location was asked for meanwhile
        connecting_ = false;
        adopt(std::move(**opened));
    });
    worker->start();
}

QString CatalogueModel::shownLocation() const
{
    return catalogue_ ? QString::fromStdString(catalogue_->location()) : QString();
}

QString CatalogueModel::lineOf(const Failure& f) const
{
    return translate_(problem_caption(f.problem)) +
           (f.detail.empty() ? QString() : QStringLiteral(": ") + ui::text_of(f.detail));
}

void CatalogueModel::close()
{
    beginResetModel();
    catalogue_.reset();
    loader_.reset();
    table_.set_articles({});
    texts_.clear();
    draft_.reset();
    conflict_.reset();
    endResetModel();
}

bool CatalogueModel::adopt(Result<Catalogue> opened)
{
    close();
    failure_line_.clear();
    offline_ = !opened && opened.failure->problem == Problem::offline;
    if (!opened) {
        failure_line_ = lineOf(*opened.failure);
        emit stateChanged();
        return false;
    }
    catalogue_.emplace(std::move(*opened.value));
    const bool shown = startLoading(false);
    emit stateChanged();
    return shown;
}

void CatalogueModel::goOffline(const Failure& f)
{
    close();
    offline_ = true;
    failure_line_ = lineOf(f);
    emit stateChanged();
}

bool CatalogueModel::reload()
{
    if (!catalogue_)
        return false;
    auto changes = catalogue_->change_count();
    auto articles = catalogue_->list();
    if (!articles || !changes) {
        const Failure f = articles ? *changes.failure : *articles.failure;
        report(f);
        if (f.problem == Problem::corrupt)
            close();
        return false;
    }
    beginResetModel();
    loader_.reset();
    ++generation_;
    seen_changes_ = *changes.value;
    table_.set_articles(std::move(*articles.value));
    texts_.clear();
    endResetModel();
    return true;
}

namespace {
// The first screen comes from one page, shown at once.
constexpr std::size_t first_page = 256;
}  // namespace

bool CatalogueModel::startLoading(bool refresh)
{
    auto changes = catalogue_->change_count();
    if (!changes) {
        report(*changes.failure);
        return false;
    }
    auto first = catalogue_->page({}, Catalogue::Order::reference, 0, first_page);
    if (!first) {
        report(*first.failure);
        return false;
    }
    const unsigned generation = ++generation_;
    loader_.emplace();
    loader_->changes = *changes.value;
    loader_->articles = std::move(*first.value);
    loader_->done = loader_->articles.size() < first_page;
    if (!refresh)
        showLoadedArticles();
    else if (loader_->done)
        emit articlesReady();
    if (loader_ && !loader_->done) {
        readRest(generation);
        emit stateChanged();
    }
    return true;
}

// The rest is read in one go on a worker thread with a connection of its own:
// the window stays responsive, and a server is not asked for page after page
// at ever larger offsets.
void CatalogueModel::readRest(unsigned generation)
{
    auto read = std::make_shared<std::optional<Result<std::vector<Article>>>>();
    const bool shared = catalogue_->is_shared();
    QThread* worker = QThread::create([read, shared, where = location_.toStdString(), file = catalogue_->path()] {
        auto own = shared ? Catalogue::connect(where) : Catalogue::open(file);
        if (own)
            read->emplace(own.value->list());
        else
            read->emplace(*own.failure);
    });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &QThread::finished, this, [this, read, generation] {
        if (generation != generation_ || !loader_ || !read->has_value())
            return;  // another reading or another catalogue meanwhile
        Result<std::vector<Article>>& all = **read;
        if (!all) {
            loader_.reset();
            report(*all.failure);
            emit stateChanged();
            return;
        }
        loader_->articles = std::move(*all.value);
        loader_->done = true;
        emit articlesReady();
    });
    worker->start();
}

std::size_t CatalogueModel::loadedCount() const { return loader_ ? loader_->articles.size() : table_.total_size(); }

bool CatalogueModel::hasUnshownArticles() const
{
    return loader_ && (loader_->done || loader_->articles.size() > loader_->shown);
}

void CatalogueModel::showLoadedArticles()
{
    if (!hasUnshownArticles())
        return;
    std::vector<Article> articles = loader_->done ? std::move(loader_->articles) : loader_->articles;
    if (!loader_->own.empty()) {
        std::erase_if(articles, [&](const Article& a) { return loader_->own.contains(a.id); });
        for (const auto& [id, article] : loader_->own)
            if (article)
                articles.push_back(*article);
    }
    beginResetModel();
    table_.set_articles(std::move(articles));
    texts_.clear();
    endResetModel();
    loader_->shown = loader_->articles.size();
    if (loader_->done) {
        seen_changes_ = loader_->changes;
        loader_.reset();
    }
    emit stateChanged();
}

void CatalogueModel::refreshIfChanged()
{
    if (!catalogue_ || loader_)
        return;
    auto changes = catalogue_->change_count();
    if (!changes)
        report(*changes.failure);
    else if (*changes.value != seen_changes_)
        startLoading(true);
}

void CatalogueModel::noteOwnChange()
{
    if (!catalogue_)
        return;
    auto changes = catalogue_->change_count();
    std::int64_t& seen = loader_ ? loader_->changes : seen_changes_;
    if (changes && *changes.value == seen + 1)
        seen = *changes.value;
}

void CatalogueModel::setCompany(const QString& cct, const QString& tst)
{
    const QByteArray c = cct.toUtf8(), t = tst.toUtf8();
    const auto recompute = [&] {
        table_.set_company(std::string_view(c.constData(), static_cast<std::size_t>(c.size())),
                           std::string_view(t.constData(), static_cast<std::size_t>(t.size())));
        texts_.clear();
    };
    if (is_number_column(table_.sort_column()) && table_.sort_column() != Column::stock) {
        relayout(recompute);
    } else {
        recompute();
        if (rowCount() > 0)
            emit dataChanged(index(0, static_cast<int>(Column::recommended)),
                             index(rowCount() - 1, static_cast<int>(Column::saving)), {Qt::DisplayRole});
    }
}

void CatalogueModel::setFilter(const QString& text)
{
    const std::string filter = text.toStdString();
    if (filter == table_.filter())
        return;
    beginResetModel();
    table_.set_filter(filter);
    endResetModel();
}

void CatalogueModel::setCaptions(const std::array<QString, column_count>& headers,
                                 std::function<QString(std::string_view)> translate)
{
    headers_ = headers;
    translate_ = std::move(translate);
    emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(column_count) - 1);
}

int CatalogueModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(table_.size());
}

int CatalogueModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(column_count);
}

const std::array<QString, column_count>& CatalogueModel::rowTexts(int row) const
{
    const Article& a = table_.article(static_cast<std::size_t>(row));
    auto it = texts_.constFind(a.id);
    if (it != texts_.constEnd())
        return *it;
    if (texts_.size() >= text_cache_limit)
        texts_.clear();
    ++formatted_;
    return *texts_.insert(a.id, formatRow(static_cast<std::size_t>(row)));
}

QVariant CatalogueModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const auto column = static_cast<Column>(index.column());
    switch (role) {
    case Qt::EditRole:
        // Until the cell is stored, its editor starts from the user's text, even after an Escape.
        if (draft_ && draft_->column == index.column() && draft_->id == table_.article(index.row()).id)
            return draft_->text;
        [[fallthrough]];
    case Qt::DisplayRole:
        return rowTexts(index.row())[static_cast<std::size_t>(index.column())];
    case Qt::TextAlignmentRole:
        if (column == Column::reference || column == Column::description)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant CatalogueModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < columnCount()) {
        const QString& caption = headers_[static_cast<std::size_t>(section)];
        if (role == Qt::DisplayRole)
            return two_lines(caption);
        if (role == Qt::ToolTipRole)
            return caption;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignCenter);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags CatalogueModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() <= static_cast<int>(Column::stock))
        f |= Qt::ItemIsEditable;
    return f;
}

bool CatalogueModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!catalogue_ || role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    Article edited = table_.article(static_cast<std::size_t>(index.row()));
    const QString text = value.toString();
    draft_.reset();
    const auto column = static_cast<Column>(index.column());
    if (text == rowTexts(index.row())[static_cast<std::size_t>(index.column())])
        return true;  // nothing changed: nothing stored
    if (column == Column::reference) {
        edited.reference = text.toStdString();
    } else if (column == Column::description) {
        edited.description = text.toStdString();
    } else if (column == Column::stock) {
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty()) {
            edited.stock.reset();
        } else {
            bool digits = true;
            for (QChar ch : trimmed)
                digits = digits && ch >= u'0' && ch <= u'9';
            bool whole = false;
            const qlonglong n = trimmed.toLongLong(&whole, 10);
            if (!digits || !whole) {
                report(Failure{Problem::stock_invalid, text.toStdString()});
                return false;
            }
            edited.stock = n;
        }
    } else {
        edited.param(*column_field(column)) = text.toStdString();
    }
    return store(edited, index.column()) >= 0;
}

void CatalogueModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount())
        return;
    relayout([&] { table_.sort(static_cast<Column>(column), order == Qt::DescendingOrder); });
}

// A change that may move rows: the selection and the current cell follow their articles.
void CatalogueModel::relayout(const std::function<void()>& change)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::int64_t> ids;
    ids.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& i : before)
        ids.push_back(i.row() < rowCount() ? table_.article(static_cast<std::size_t>(i.row())).id : -1);
    change();
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype k = 0; k < before.size(); ++k) {
        const int row = rowOf(ids[static_cast<std::size_t>(k)]);
        after.push_back(row < 0 ? QModelIndex() : index(row, before[k].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

const Article* CatalogueModel::articleAt(int row) const
{
    return row >= 0 && row < rowCount() ? &table_.article(static_cast<std::size_t>(row)) : nullptr;
}

int CatalogueModel::rowOf(std::int64_t id) const
{
    const auto row = table_.row_of(id);
    return row ? static_cast<int>(*row) : -1;
}

void CatalogueModel::report(const Failure& f)
{
    if (f.problem == Problem::offline)
        goOffline(f);  // nothing stale is shown as current
    emit failed(lineOf(f));
}

void CatalogueModel::put(const Article& a)
{
    if (loader_)
        loader_->own[a.id] = a;
    texts_.remove(a.id);
    if (rowOf(a.id) < 0 || !table_.matches_filter(a)) {
        // A new, restored or edited article is shown even when the filter
        // would hide it: the user is working on it.
        beginResetModel();
        table_.put(a);
        const bool hidden = !table_.row_of(a.id);
        if (hidden)
            table_.set_filter({});
        endResetModel();
        if (hidden)
            emit filterCleared();
        return;
    }
    relayout([&] { table_.put(a); });
    const int row = rowOf(a.id);
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int CatalogueModel::addArticle(const QString& base)
{
    if (!catalogue_)
        return -1;
    ArticleData a;
    const std::string name = base.trimmed().toStdString();
    for (int n = 1;; ++n) {
        a.reference = n == 1 ? name : name + " (" + std::to_string(n) + ")";
        auto added = catalogue_->add(a);
        if (added || added.failure->problem != Problem::reference_taken || n > 100000)
            return accept(added);
    }
}

int CatalogueModel::duplicateArticle(int row)
{
    const Article* a = articleAt(row);
    if (!catalogue_ || !a)
        return -1;
    return accept(catalogue_->duplicate(a->id));
}

bool CatalogueModel::removeArticle(int row)
{
    const Article* a = articleAt(row);
    if (!catalogue_ || !a)
        return false;
    const std::int64_t id = a->id;
    if (auto failure = catalogue_->remove(id)) {
        report(*failure);
        return false;
    }
    erase(id);
    noteOwnChange();
    emit changed();
    return true;
}

int CatalogueModel::undoRemove()
{
    if (!catalogue_)
        return -1;
    return accept(catalogue_->undo_remove());
}

std::optional<Article> CatalogueModel::findArticle(const QString& reference)
{
    if (!catalogue_)
        return std::nullopt;
    auto found = catalogue_->get(reference.toStdString());
    if (found)
        return *found.value;
    if (found.failure->problem != Problem::not_found && found.failure->problem != Problem::reference_empty)
        report(*found.failure);
    return std::nullopt;
}

bool CatalogueModel::storeParameters(const QString& reference, const QStringList& params)
{
    if (!catalogue_ || params.size() != static_cast<qsizetype>(article_param_count))
        return false;
    std::optional<Article> existing = findArticle(reference);
    Article a = existing.value_or(Article{});
    if (!existing)
        a.reference = reference.toStdString();
    for (std::size_t i = 0; i < article_param_count; ++i)
        a.params[i] = params[static_cast<qsizetype>(i)].toStdString();
    return (existing ? store(a, -1) : accept(catalogue_->add(a))) >= 0;
}

std::optional<ImportPlan> CatalogueModel::previewImport(const std::vector<ArticleData>& articles)
{
    if (!catalogue_)
        return std::nullopt;
    auto plan = catalogue_->preview_import(articles);
    if (!plan) {
        report(*plan.failure);
        return std::nullopt;
    }
    return *plan.value;
}

bool CatalogueModel::commitImport(const std::vector<ArticleData>& articles, const ImportPlan& previewed)
{
    if (!catalogue_)
        return false;
    auto done = catalogue_->commit_import(articles, previewed);
    if (!done) {
        report(*done.failure);
        return false;
    }
    const bool shown = reload();
    emit changed();
    return shown;
}

void CatalogueModel::visitShownRows(const std::function<void(const std::array<QString, column_count>&)>& visit) const
{
    for (std::size_t row = 0; row < table_.size(); ++row)
        visit(formatRow(row));
}

std::array<QString, column_count> CatalogueModel::formatRow(std::size_t row) const
{
    std::array<QString, column_count> texts;
    for (std::size_t c = 0; c < column_count; ++c)
        texts[c] = ui::text_of(table_.text(row, static_cast<Column>(c), separator_utf8_));
    return texts;
}

int CatalogueModel::accept(const Result<Article>& stored)
{
    if (!stored) {
        report(*stored.failure);
        return -1;
    }
    put(*stored.value);
    noteOwnChange();
    emit changed();
    return rowOf(stored.value->id);
}

void CatalogueModel::erase(std::int64_t id)
{
    if (loader_)
        loader_->own[id] = std::nullopt;
    texts_.remove(id);
    const int row = rowOf(id);
    if (row < 0) {
        table_.erase(id);  // hidden by the filter
        return;
    }
    beginRemoveRows({}, row, row);
    table_.erase(id);
    endRemoveRows();
}

int CatalogueModel::store(const Article& edited, int column)
{
    auto stored = catalogue_->update(edited);
    if (stored ||
        (stored.failure->problem != Problem::changed_elsewhere && stored.failure->problem != Problem::not_found))
        return accept(stored);
    auto current = catalogue_->get(edited.id);
    if (!current && current.failure->problem != Problem::not_found)
        return accept(current);  // says why
    Conflict c{edited, std::nullopt, column};
    if (current) {
        // The fields the user changed from the version shown, over the catalogue's current article.
        const std::optional<std::size_t> row = table_.row_of(edited.id);
        const Article* base = row ? &table_.article(*row) : nullptr;
        c.theirs = *current.value;
        c.mine = *current.value;
        if (!base || edited.reference != base->reference)
            c.mine.reference = edited.reference;
        if (!base || edited.description != base->description)
            c.mine.description = edited.description;
        for (std::size_t i = 0; i < article_param_count; ++i)
            if (!base || edited.params[i] != base->params[i])
                c.mine.params[i] = edited.params[i];
        if (!base || edited.stock != base->stock)
            c.mine.stock = edited.stock;
    }
    conflict_ = std::move(c);
    emit conflictFound();
    return -1;
}

int CatalogueModel::resolveConflict(Resolution r)
{
    if (!catalogue_ || !conflict_)
        return -1;
    const Conflict c = std::move(*conflict_);
    conflict_.reset();
    if (!c.theirs) {
        erase(c.mine.id);
        return r == Resolution::keep_mine ? accept(catalogue_->add(c.mine)) : -1;
    }
    // The table shows the catalogue's article: a further change elsewhere is told against it.
    put(*c.theirs);
    if (r == Resolution::keep_mine)
        return store(c.mine, c.column);
    if (r == Resolution::keep_editing && c.column >= 0)
        draft_ = Draft{c.theirs->id, c.column, storedText(c.mine, static_cast<Column>(c.column))};
    return rowOf(c.theirs->id);
}

}  // namespace stk
