// Someone else changed or deleted the article the user has just changed: the
// user's values beside the catalogue's, field by field, those that differ
// marked, and the choice between keeping the user's, taking the catalogue's
// and going on with the edit. Nothing is stored until the user chooses.
#pragma once

#include "catalogue_ui/caption_list.h"
#include "catalogue_ui/catalogue_model.h"

#include <QDialog>
#include <QStringList>

#include <array>

class QPushButton;
class QTableWidget;

namespace stk {

class ConflictDialog : public QDialog {
    Q_OBJECT

public:
    // `field_captions`: the names of the stored fields, reference to stock on
    // hand, as the table's headers show them.
    ConflictDialog(const CatalogueModel::Conflict& conflict, const QStringList& field_captions,
                   const CaptionOf& translate, QWidget* parent = nullptr);

    QTableWidget* values() const { return values_; }
    // The button of a choice; none for going on with the edit when there is no edit to go on with.
    QPushButton* button(CatalogueModel::Resolution r) const { return buttons_[static_cast<std::size_t>(r)]; }

signals:
    void chosen(stk::CatalogueModel::Resolution resolution);

private:
    void reject() override;

    QTableWidget* values_;
    std::array<QPushButton*, 3> buttons_{};
    CatalogueModel::Resolution on_escape_;
};

}  // namespace stk
