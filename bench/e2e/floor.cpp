// The floor of the end-to-end benchmark: a bare Qt 6 window with 40 line edits,
// one of which copies its text into another as it changes. Nothing the
// calculator does beyond this can be cheaper than this window.
#include "floor_layout.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>
#include <array>

int main(int argc, char* argv[])
{
    namespace f = stk::e2e::floor;
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("floor"));
    window.setFixedSize(f::window_width, f::window_height);
    std::array<QLineEdit*, f::field_count> fields{};
    for (int i = 0; i < f::field_count; ++i) {
        fields[std::size_t(i)] = new QLineEdit(QString::fromLatin1(f::initial_text), &window);
        fields[std::size_t(i)]->setGeometry(f::field_left(i), f::field_top(i), f::field_width, f::field_height);
    }
    QObject::connect(fields[f::source_field], &QLineEdit::textChanged, fields[f::target_field], &QLineEdit::setText);
    window.show();
    return app.exec();
}
