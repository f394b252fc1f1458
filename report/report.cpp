#include "report/report.h"

#include "store/safe_file.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <array>
#include <utility>
#include <cmath>
#include <filesystem>
#include <unistd.h>

namespace stk {
namespace {

// The page is laid out in tenths of a millimetre on A4 less 15 mm margins.
constexpr double canvas_width = 1800;
constexpr double gap = 34;

const QColor highlight(0xFF, 0xE0, 0xC0);  // the window's highlight colour
const QColor rule_colour(0x80, 0x80, 0x80);
const QColor heading_colour(0x8B, 0x3A, 0x1A);

QString q(const std::string& text) { return QString::fromStdString(text); }

QFont font(double size, bool bold = false, bool italic = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(static_cast<int>(size));
    f.setBold(bold);
    f.setItalic(italic);
    // No shaping for Latin text: no ligatures, so that the PDF's text reads
    // back letter by letter ("fi", not one ligature glyph).
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

// Writes the page top to bottom. Without a painter it only measures, so that
// the page can be shrunk before it is painted.
class Sheet {
public:
    Sheet(QPainter* painter, double width) : p_(painter), width_(width) {}

    double y = 0;

    // A text in a box, wrapped to its width; returns the height used.
    double text(const QRectF& box, const QString& s, const QFont& f, int flags = Qt::AlignLeft | Qt::AlignTop,
                const QColor& colour = Qt::black)
    {
        const QRectF used = QFontMetricsF(f).boundingRect(box, flags | Qt::TextWordWrap, s);
        if (p_) {
            p_->setFont(f);
            p_->setPen(colour);
            p_->drawText(QRectF(box.left(), box.top(), box.width(), std::max(box.height(), used.height())),
                         flags | Qt::TextWordWrap, s);
        }
        return used.height();
    }

    // One line in a box, never wrapped: its font is made smaller until it fits.
    void fitted(const QRectF& box, const QString& s, QFont f, int flags)
    {
        while (f.pixelSize() > 8 && QFontMetricsF(f).horizontalAdvance(s) > box.width())
            f.setPixelSize(f.pixelSize() - 1);
        if (p_) {
            p_->setFont(f);
            p_->setPen(Qt::black);
            p_->drawText(box, flags | Qt::TextSingleLine, s);
        }
    }

    // A line of text across the page; moves down by its height.
    void line(const QString& s, const QFont& f, int flags = Qt::AlignLeft, const QColor& colour = Qt::black)
    {
        y += text(QRectF(0, y, width_, 0), s, f, flags, colour);
    }

    void heading(const QString& s)
    {
        y += gap;
        line(s, font(42, true), Qt::AlignLeft, heading_colour);
        rule(3);
        y += gap / 2;
    }

    void rule(double thickness)
    {
        if (p_) {
            p_->setPen(QPen(rule_colour, thickness));
            p_->drawLine(QPointF(0, y + thickness), QPointF(width_, y + thickness));
        }
        y += 2 * thickness;
    }

    void fill(const QRectF& r, const QColor& c)
    {
        if (p_)
            p_->fillRect(r, c);
    }

    void frame(const QRectF& r, const QColor& c, double thickness)
    {
        if (p_) {
            p_->setPen(QPen(c, thickness));
            p_->setBrush(Qt::NoBrush);
            p_->drawRect(r);
        }
    }

    QPainter* painter() const { return p_; }
    double width() const { return width_; }

private:
    QPainter* p_;
    double width_;
};

// Caption, value and unit of each parameter, under a heading; returns the bottom.
double parameters(Sheet& sheet, double left, double width, const std::string& heading,
                  const std::vector<ParamLine>& lines)
{
    const QFont caption = font(34), value = font(34, true), head = font(36, true);
    sheet.y += sheet.text(QRectF(left, sheet.y, width, 0), q(heading), head, Qt::AlignLeft, heading_colour) + 8;
    const double caption_w = width * 0.52, value_w = width * 0.22, unit_w = width - caption_w - value_w - 20;
    for (const ParamLine& l : lines) {
        double h = sheet.text(QRectF(left, sheet.y, caption_w, 0), q(l.caption), caption);
        h = std::max(h, sheet.text(QRectF(left + caption_w, sheet.y, value_w, 0), q(l.value), value, Qt::AlignRight));
        h = std::max(h, sheet.text(QRectF(left + caption_w + value_w + 20, sheet.y, unit_w, 0), q(l.unit), caption));
        sheet.y += h + 14;
    }
    return sheet.y;
}

void results_table(Sheet& sheet, const ReportContent& c)
{
    const double caption_w = 380, cell_w = (sheet.width() - caption_w) / level_count;
    const QFont normal = font(34), bold = font(34, true);
    const double row_h = QFontMetricsF(normal).height() + 20;
    const double top = sheet.y;
    // The column of the recommended stock stands out.
    if (c.recommended >= 0 && c.recommended < level_count)
        sheet.fill(QRectF(caption_w + c.recommended * cell_w, top, cell_w, row_h * line_count), highlight);
    for (std::size_t line = 0; line < line_count; ++line) {
        const double y = top + static_cast<double>(line) * row_h;
        const bool head = line == 0;
        sheet.fitted(QRectF(0, y + 10, caption_w - 10, row_h - 10), q(c.line_captions[line]), bold,
                     Qt::AlignLeft | Qt::AlignTop);
        for (int level = 0; level < level_count; ++level) {
            QString cell = q(c.shown.cells[line][static_cast<std::size_t>(level)]);
            if (!head && !c.money.empty())
                cell += QStringLiteral(" ") + q(c.money);
            const bool chosen = level == c.recommended;
            sheet.fitted(QRectF(caption_w + level * cell_w + 12, y + 10, cell_w - 28, row_h - 10), cell,
                         chosen || head ? bold : normal, Qt::AlignRight | Qt::AlignTop);
        }
        if (QPainter* p = sheet.painter()) {
            p->setPen(QPen(line == 0 || line + 1 == line_count ? rule_colour : QColor(0xD0, 0xD0, 0xD0), 2));
            p->drawLine(QPointF(0, y + row_h), QPointF(sheet.width(), y + row_h));
        }
    }
    if (c.recommended >= 0 && c.recommended < level_count)
        sheet.frame(QRectF(caption_w + c.recommended * cell_w, top, cell_w, row_h * line_count), heading_colour, 4);
    sheet.y = top + row_h * line_count + gap;

    // The recommended stock in large type.
    const QString answer = q(fill(c.labelled, {c.recommended_caption, c.shown.recommended + " " + c.recommended_unit}));
    const QFont big = font(54, true);
    const double w = QFontMetricsF(big).horizontalAdvance(answer) + 60;
    const double h = QFontMetricsF(big).height() + 30;
    sheet.fill(QRectF(0, sheet.y, w, h), highlight);
    sheet.frame(QRectF(0, sheet.y, w, h), heading_colour, 4);
    sheet.text(QRectF(30, sheet.y + 15, w, h), answer, big);
    sheet.y += h;
}

void ranges(Sheet& sheet, const ReportContent& c)
{
    sheet.line(q(c.ranges_note), font(29, false, true), Qt::AlignLeft, QColor(0x40, 0x40, 0x40));
    sheet.y += 12;
    const double caption_w = 520;
    const QFont caption = font(31, true), text = font(31);
    for (const FieldInfo& f : fields) {
        const auto i = static_cast<std::size_t>(f.field);
        const double h =
            std::max(sheet.text(QRectF(0, sheet.y, caption_w - 20, 0), q(c.range_captions[i]), caption),
                     sheet.text(QRectF(caption_w, sheet.y, sheet.width() - caption_w, 0), q(c.range_texts[i]), text));
        sheet.y += h + 16;
    }
}

// The whole page; returns its height. `chart` paints the chart when painting.
double lay_out(Sheet& sheet, const ReportData& data, double page_height)
{
    const ReportContent& c = data.content;
    sheet.line(q(c.date_line), font(30), Qt::AlignRight);
    sheet.line(q(c.title), font(72, true), Qt::AlignLeft, heading_colour);
    sheet.y += 8;
    const QFont small = font(33), small_bold = font(33, true);
    const std::array<std::pair<QString, QString>, 2> article{
        std::pair{q(fill(c.labelled, {c.reference_caption, ""})), q(c.reference)},
        std::pair{q(fill(c.labelled, {c.description_caption, ""})), q(c.description)}};
    double label_w = 0;
    for (const auto& [label, value] : article)
        label_w = std::max(label_w, QFontMetricsF(small_bold).horizontalAdvance(label) + 20);
    for (const auto& [label, value] : article) {
        if (value.isEmpty())
            continue;
        sheet.text(QRectF(0, sheet.y, label_w, 0), label, small_bold);
        sheet.y += sheet.text(QRectF(label_w, sheet.y, sheet.width() - label_w, 0), value, small) + 6;
    }
    sheet.rule(3);
    sheet.y += gap;

    // Parameters on the left, the chart on the right.
    const double top = sheet.y;
    const double left_w = 860;
    parameters(sheet, 0, left_w, c.company_heading, c.company);
    sheet.y += gap;
    const double params_bottom = parameters(sheet, 0, left_w, c.article_heading, c.article);
    const QRectF chart(left_w + 60, top, sheet.width() - left_w - 60, std::max(820.0, params_bottom - top));
    if (QPainter* p = sheet.painter()) {
        if (data.draw_chart)
            data.draw_chart(*p, chart);
        else
            paint_bar_chart_in(*p, chart, chart_content(c));
    }
    sheet.y = std::max(params_bottom, chart.bottom());

    sheet.heading(q(c.results_heading));
    results_table(sheet, c);

    sheet.heading(q(c.ranges_heading));
    ranges(sheet, c);

    sheet.y += gap;
    const QString sensitive = q(fill(c.labelled, {c.sensitive_caption, ""}));
    const double sw = QFontMetricsF(font(36, true)).horizontalAdvance(sensitive) + 10;
    sheet.text(QRectF(0, sheet.y, sw, 0), sensitive, font(36, true), Qt::AlignLeft, heading_colour);
    sheet.y += sheet.text(QRectF(sw, sheet.y, sheet.width() - sw, 0), q(c.sensitive_value), font(36, true));

    // The program's name at the foot of the page.
    const QFont foot = font(26);
    const double foot_h = QFontMetricsF(foot).height();
    const double foot_y = std::max(sheet.y + gap, page_height - foot_h);
    sheet.text(QRectF(0, foot_y, sheet.width(), foot_h), q(c.footer), foot, Qt::AlignLeft | Qt::AlignTop, rule_colour);
    return foot_y + foot_h;
}

}  // namespace

void paint_report(QPainter& painter, const QRectF& page, const ReportData& data)
{
    if (!(page.width() > 0 && page.height() > 0))
        return;
    // Tenths of a millimetre, the page's width being 180 mm.
    const double scale = page.width() / canvas_width;
    const double canvas_height = page.height() / scale;
    Sheet measure(nullptr, canvas_width);
    const double needed = lay_out(measure, data, canvas_height);
    const double shrink = needed > canvas_height ? canvas_height / needed : 1.0;

    painter.save();
    painter.translate(page.topLeft());
    painter.scale(scale * shrink, scale * shrink);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    Sheet sheet(&painter, canvas_width / shrink);
    lay_out(sheet, data, canvas_height / shrink);
    painter.restore();
}

void prepare_printer(QPrinter& printer, const ReportData& data)
{
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                      QPageLayout::Millimeter));
    printer.setDocName(q(data.content.title));
}

bool print_report(QPrinter& printer, const ReportData& data)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    paint_report(painter, QRectF(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size()), data);
    return painter.end();
}

bool export_pdf(const QString& path, const ReportData& data, std::string& error)
{
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    const auto fail = [&](const std::string& reason) {
        error = "cannot export the report to " + file.string() + ": " + reason;
        return false;
    };
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (std::filesystem::exists(status)) {
        if (!std::filesystem::is_regular_file(status))
            return fail("not a regular file");
        if (::access(file.c_str(), W_OK) != 0)
            return fail("the file is read-only");
    }

    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                         QPageLayout::Millimeter));
        writer.setTitle(q(data.content.title));
        writer.setCreator(q(data.content.footer));
        QPainter painter;
        if (!painter.begin(&writer))
            return fail("the PDF could not be made");
        paint_report(painter, QRectF(QPointF(0, 0), writer.pageLayout().paintRectPixels(writer.resolution()).size()),
                     data);
        if (!painter.end())
            return fail("the PDF could not be made");
    }
    const std::string reason = replace_file(file, std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!reason.empty())
        return fail(reason);
    error.clear();
    return true;
}

}  // namespace stk
