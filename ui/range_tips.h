// The decision ranges on the eight input fields: each field's tooltip and
// accessible description say within which values of it the recommended stock
// stays the same, in the current language. Computed when a field is about to
// show its tooltip or takes the focus, and only when a field or the language
// changed since the last computation: never on the keystroke path.
#pragma once

#include "engine/fields.h"

#include <QObject>
#include <array>
#include <optional>
#include <string>

namespace stk {
class MainWindow;
}

namespace stk::ui {

class RangeTips : public QObject {
    Q_OBJECT
public:
    explicit RangeTips(MainWindow& window);

    // Computes the ranges if the fields or the language changed, and sets them.
    void refresh();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    MainWindow& window_;
    std::array<std::string, field_count> computed_for_;
    std::optional<std::size_t> language_;
    bool computed_ = false;
};

}  // namespace stk::ui
