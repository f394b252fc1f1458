#include "ui/theme.h"

#include "ui/picture_sizes.h"
#include "ui/rendered_pictures.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>
#include <QImage>
#include <algorithm>

namespace stk::ui {

namespace {

// A family the font database lists, "Family" or "Family [Foundry]".
bool installed(const QString& family, const QStringList& listed)
{
    return std::any_of(listed.begin(), listed.end(), [&family](const QString& entry) {
        const qsizetype foundry = entry.indexOf(QLatin1String(" ["));
        return QStringView(entry).left(foundry < 0 ? entry.size() : foundry).compare(family, Qt::CaseInsensitive) == 0;
    });
}

// The designed sans serif, or else its nearest desktop equivalent, narrow ones
// first: the first one installed here. The toolkit would take the first family
// it finds, but looking for a missing one asks fontconfig for that one's
// fallbacks, and a font naming more than one family asks for the first one's
// fallbacks as soon as it is loaded; each search costs about as much as loading
// a font. Named alone, the family asks for them only when a character is
// missing from it, and then gets the desktop's own choice.
const QStringList& window_families()
{
    static const QStringList families = [] {
        const QStringList wanted{"Microsoft Sans Serif", "Liberation Sans", "Arimo",      "Arial",
                                 "Nimbus Sans",          "Helvetica",       "DejaVu Sans"};
        const QStringList listed = QFontDatabase::families();
        const auto first = std::find_if(wanted.begin(), wanted.end(),
                                        [&listed](const QString& family) { return installed(family, listed); });
        return first == wanted.end() ? wanted : QStringList{*first};
    }();
    return families;
}

QFont base_font()
{
    QFont font;
    font.setFamilies(window_families());
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPointSizeF(8.25);
    return font;
}

// A desktop that has only a wide sans serif gets it condensed until a result
// of ten digits and a separator fits the text area of a results box.
int fitting_stretch()
{
    constexpr int text_area = 67;  // a 73-pixel box less its border and margins
    QFont font = base_font();
    int stretch = 100;
    while (stretch > 75 && QFontMetrics(font).horizontalAdvance(QStringLiteral("0.000000000")) > text_area)
        font.setStretch(--stretch);
    return stretch;
}

QPixmap pixmap_of(const RenderedPicture& rendered)
{
    return QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(rendered.pixels), rendered.width, rendered.height,
                                     QImage::Format_ARGB32_Premultiplied));
}

}  // namespace

QFont font_for(FontRole role)
{
    static const int stretch = fitting_stretch();
    QFont font = base_font();
    if (stretch != 100)
        font.setStretch(stretch);
    switch (role) {
    case FontRole::normal:
        font.setPointSizeF(8.25);
        break;
    case FontRole::title12:
        font.setPointSizeF(12);
        break;
    case FontRole::big:
        font.setPointSizeF(13.5);
        break;
    case FontRole::link:
        font.setPointSizeF(8.25);
        font.setUnderline(true);
        break;
    }
    return font;
}

std::optional<QColor> colour_for(ColourRole role)
{
    switch (role) {
    case ColourRole::standard:
        return std::nullopt;
    case ColourRole::black:
        return QColor(0x00, 0x00, 0x00);
    case ColourRole::navy:
        return QColor(0x00, 0x00, 0x80);
    case ColourRole::dark_green:
        return QColor(0x00, 0x40, 0x00);
    case ColourRole::rust:
        return QColor(0xC0, 0x40, 0x00);
    case ColourRole::maroon:
        return QColor(0x80, 0x00, 0x00);
    case ColourRole::face:
        return highlight_colour;
    }
    return std::nullopt;
}

QPixmap picture(std::string_view file, QSize size)
{
    for (const RenderedPicture& rendered : rendered_pictures())
        if (rendered.file == file && rendered.width == size.width() && rendered.height == size.height())
            return pixmap_of(rendered);
    // Not a picture of the window at that size: nothing is drawn.
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap picture(std::string_view file)
{
    for (const RenderedPicture& rendered : rendered_pictures())
        if (rendered.file == file)
            return pixmap_of(rendered);
    return {};
}

QString visible_part(const QString& text, int width)
{
    QString head = text.left(std::max(width, 0) + 1);
    if (!head.isEmpty() && head.back().isHighSurrogate())
        head.chop(1);
    return head;
}

QIcon window_icon()
{
    QIcon icon;
    for (int side : window_icon_sides)
        icon.addPixmap(picture(window_icon_file, {side, side}));
    return icon;
}

}  // namespace stk::ui
