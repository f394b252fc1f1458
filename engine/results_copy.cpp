#include "engine/results_copy.h"

#include "engine/numtext.h"

namespace stk {
namespace {

constexpr std::array<Line, line_count> table_order{Line::sst, Line::rt, Line::cdt, Line::cgt, Line::tt};

std::string escape_html(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A TAB or a line end inside a caption would break the tab-separated lines.
std::string one_cell(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return out;
}

// The cell's number written with a point: the shown text with its separator
// replaced, so that it has exactly the digits on screen. Nothing when the text
// is not a number.
std::string plain_number(std::string_view text, std::string_view separator)
{
    if (!dbl_text(text, separator))
        return {};
    std::string out(text);
    if (!separator.empty())
        if (const auto at = out.find(separator); at != std::string::npos)
            out.replace(at, separator.size(), ".");
    return out;
}

}  // namespace

std::string line_caption(const TableCaptions& captions, Line line)
{
    std::string caption = captions.lines[static_cast<std::size_t>(line)];
    if (line != Line::sst && !captions.money.empty())
        caption += " (" + captions.money + ")";
    return caption;
}

std::string results_tsv(const Presentation& shown, const TableCaptions& captions)
{
    std::string out;
    for (Line line : table_order) {
        out += one_cell(line_caption(captions, line));
        for (int level = 0; level < level_count; ++level)
            out += '\t' + one_cell(shown.cell(line, level));
        out += '\n';
    }
    return out;
}

std::string results_html(const Presentation& shown, const TableCaptions& captions, std::string_view separator)
{
    std::string out =
        "<html xmlns:x=\"urn:schemas-microsoft-com:office:excel\"><head><meta charset=\"utf-8\"></head><body>"
        "<table>\n";
    for (Line line : table_order) {
        out += "<tr><th>" + escape_html(line_caption(captions, line)) + "</th>";
        for (int level = 0; level < level_count; ++level) {
            const std::string& text = shown.cell(line, level);
            const std::string number = plain_number(text, separator);
            if (number.empty())
                out += "<td>";
            else
                out += "<td x:num=\"" + number + "\" sdval=\"" + number + "\">";
            out += escape_html(text) + "</td>";
        }
        out += "</tr>\n";
    }
    out += "</table>\n</body></html>\n";
    return out;
}

}  // namespace stk
