#include "ui/make_widget.h"

#include "ui/flat_style.h"
#include "ui/picture_sizes.h"
#include "ui/text.h"
#include "ui/theme.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

namespace stk::ui {
namespace {

// Sets a palette role of one widget, for every colour group.
void paint(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QColor colour_or(ColourRole role, QPalette::ColorRole fallback)
{
    return colour_for(role).value_or(QApplication::palette().color(fallback));
}

QWidget* make_frame(const ControlDef& def, QWidget* parent)
{
    auto* frame = new QGroupBox(text_of(def.caption), parent);
    frame->setAutoFillBackground(true);      // a frame hides what lies behind it
    frame->setStyle(FlatStyle::instance());  // its frame drawn without decoding a picture
    paint(frame, QPalette::WindowText, colour_or(def.colour, QPalette::WindowText));
    return frame;
}

QWidget* make_text_box(const ControlDef& def, QWidget* parent, QValidator* filter)
{
    auto* box = new TextBox(parent);
    box->setMaxLength(std::numeric_limits<int>::max());  // a value has any length
    box->setValidator(filter);
    box->setStyle(FlatStyle::instance());  // flat, with a thin single-line border
    // The flat style fills the whole box: what lies behind it need not be
    // repainted when its text changes.
    box->setAttribute(Qt::WA_OpaquePaintEvent);
    paint(box, QPalette::Text, colour_or(def.colour, QPalette::Text));
    if (def.centred)
        box->setAlignment(Qt::AlignCenter);
    return box;
}

Qt::Alignment caption_alignment(const ControlDef& def)
{
    return (def.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
}

QWidget* make_label(const ControlDef& def, QWidget* parent)
{
    auto* label = new QLabel(text_of(def.caption), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(caption_alignment(def));
    paint(label, QPalette::WindowText, colour_or(def.colour, QPalette::WindowText));
    return label;
}

QWidget* make_link(const ControlDef& def, QWidget* parent)
{
    auto* link = new ClickText(text_of(def.caption), parent);
    link->setAlignment(caption_alignment(def));
    paint(link, QPalette::WindowText, colour_or(def.colour, QPalette::WindowText));
    link->setFocusPolicy(Qt::TabFocus);
    link->setCursor(Qt::PointingHandCursor);
    link->setToolTip(text_of(def.tip));
    return link;
}

QWidget* make_button(const ControlDef& def, QWidget* parent)
{
    auto* button = new QPushButton(text_of(def.caption), parent);
    if (def.colour == ColourRole::face) {
        // A face shaded from near white at the top to light orange at the bottom.
        button->setStyle(FlatStyle::instance());
    } else if (const auto face = colour_for(def.colour)) {
        paint(button, QPalette::Button, *face);
    }
    if (!def.picture.empty()) {
        const PictureSize size = picture_size(def);
        const int side = button_icon_side(def);
        button->setIcon(QIcon(picture(def.picture, {size.width, size.height})));
        button->setIconSize({side, side});
        button->setToolTip(text_of(def.tip));
        button->setAccessibleName(text_of(def.tip));
    }
    return button;
}

QWidget* make_image(const ControlDef& def, QWidget* parent)
{
    auto* image = new ClickLabel(parent);
    image->setFocusPolicy(Qt::TabFocus);
    image->setCursor(Qt::PointingHandCursor);
    const PictureSize size = picture_size(def);
    image->setPixmap(picture(def.picture, {size.width, size.height}));
    image->setScaledContents(true);
    image->setToolTip(text_of(def.tip));
    image->setAccessibleName(text_of(def.tip));
    return image;
}

QWidget* make_line(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setAutoFillBackground(true);
    paint(line, QPalette::Window, QApplication::palette().color(QPalette::WindowText));
    return line;
}

}  // namespace

QString object_name(const ControlDef& def)
{
    const QString name = text_of(def.name);
    return def.index == no_index ? name : QStringLiteral("%1(%2)").arg(name).arg(def.index);
}

void place(QWidget* widget, const ControlDef& def)
{
    if (def.kind == Kind::line) {
        // A rule from its start to its end point, both included.
        widget->setGeometry(pixels(def.at.left), pixels(def.at.top), pixels(def.at.width) + 1, 1);
        return;
    }
    widget->setGeometry(pixels(def.at.left), pixels(def.at.top), pixels(def.at.width), pixels(def.at.height));
}

QWidget* make_widget(const ControlDef& def, QWidget* parent, QValidator* text_filter)
{
    QWidget* widget = nullptr;
    switch (def.kind) {
    case Kind::frame:
        widget = make_frame(def, parent);
        break;
    case Kind::text_box:
        widget = make_text_box(def, parent, text_filter);
        break;
    case Kind::label:
        widget = make_label(def, parent);
        break;
    case Kind::link:
        widget = make_link(def, parent);
        break;
    case Kind::button:
        widget = make_button(def, parent);
        break;
    case Kind::image:
        widget = make_image(def, parent);
        break;
    case Kind::line:
        widget = make_line(parent);
        break;
    case Kind::timer:
    case Kind::chart:
        return nullptr;
    }
    // A widget in its container's font inherits it: setting it again would
    // only resolve it again.
    if (const QFont font = font_for(def.font); font != parent->font())
        widget->setFont(font);
    place(widget, def);
    return widget;
}

}  // namespace stk::ui
