#include "catalogue_ui/conflict_dialog.h"

#include "ui/text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace stk {

namespace {

constexpr std::string_view changed_caption = "Article modifié ailleurs entre-temps";
constexpr std::string_view deleted_caption = "Article supprimé ailleurs entre-temps";
// The headers of the two columns of values, the spoken name of the mark, then the three choices.
constexpr std::string_view parts_caption =
    "Mes valeurs|Valeurs du catalogue|Différent|Garder les miennes|"
    "Prendre celles du catalogue|Continuer la modification";
constexpr qsizetype part_count = 6;
const QString mark = QStringLiteral("\u2260");  // not equal

}  // namespace

ConflictDialog::ConflictDialog(const CatalogueModel::Conflict& conflict, const QStringList& field_captions,
                               const CaptionOf& translate, QWidget* parent)
    : QDialog(parent), values_(new QTableWidget(stored_column_count, 3, this))
{
    using R = CatalogueModel::Resolution;
    const QStringList parts = caption_list(translate, parts_caption, part_count);
    const bool deleted = !conflict.theirs;
    const QString title = translate(deleted ? deleted_caption : changed_caption);
    setObjectName(QStringLiteral("catalogue_conflict"));
    setWindowTitle(title);
    auto* intro = new QLabel(title + QStringLiteral(": ") + ui::text_of(conflict.mine.reference), this);
    intro->setWordWrap(true);

    values_->setObjectName(QStringLiteral("conflict_values"));
    values_->setAccessibleName(title);
    values_->setHorizontalHeaderLabels({parts[0], parts[1], mark});
    values_->setVerticalHeaderLabels(field_captions.mid(0, stored_column_count));
    values_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    values_->setTabKeyNavigation(false);
    for (int row = 0; row < stored_column_count; ++row) {
        const auto column = static_cast<Column>(row);
        const QString mine = CatalogueModel::storedText(conflict.mine, column);
        const QString theirs = deleted ? QString() : CatalogueModel::storedText(*conflict.theirs, column);
        const bool differs = deleted || mine != theirs;
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(c == 0 ? mine : c == 1 ? theirs : differs ? mark : QString());
            if (c == 2 && differs)
                item->setData(Qt::AccessibleTextRole, parts[2]);
            if (differs) {
                QFont bold = values_->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setBackground(QColor(0xff, 0xf0, 0xb0));
                item->setForeground(Qt::black);
            }
            values_->setItem(row, c, item);
        }
    }
    values_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    values_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    values_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    values_->setMinimumHeight(values_->verticalHeader()->length() + values_->horizontalHeader()->height() + 4);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (R r : {R::keep_mine, R::take_theirs, R::keep_editing}) {
        if (r == R::keep_editing && (deleted || conflict.column < 0))
            continue;  // no edit to go on with
        auto* b = new QPushButton(parts[3 + static_cast<int>(r)], this);
        b->setAccessibleName(b->text());
        b->setAutoDefault(false);
        buttons_[static_cast<std::size_t>(r)] = b;
        row->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, r] {
            emit chosen(r);
            accept();
        });
    }
    // Escape decides nothing: the edit goes on, or the table shows the catalogue as it is.
    on_escape_ = button(R::keep_editing) ? R::keep_editing : R::take_theirs;
    button(on_escape_)->setDefault(true);
    button(on_escape_)->setFocus();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(values_, 1);
    layout->addLayout(row);
    resize(640, sizeHint().height());
}

void ConflictDialog::reject()
{
    emit chosen(on_escape_);
    QDialog::reject();
}

}  // namespace stk
