#include "store/records.h"

#include "store/cp1252.h"

#include <optional>
#include <utility>

namespace stk {

bool Records::append(Record row)
{
    if (full())
        return false;
    rows_.push_back(std::move(row));
    return true;
}

void Records::keep_line(std::string raw) { kept_.push_back({rows_.size(), std::move(raw)}); }

void Records::clear()
{
    rows_.clear();
    kept_.clear();
}

std::vector<std::string> split_lines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t cr = bytes.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, cr - start));
        start = cr + 1;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return lines;
}

namespace {

std::optional<Record> split_record(std::string_view line, std::size_t min_texts)
{
    const std::size_t first = line.find('\t');
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t second = line.find('\t', first + 1);
    if (second == std::string_view::npos) {
        if (min_texts > 2)
            return std::nullopt;
        return Record{cp1252_to_utf8(line.substr(0, first)), cp1252_to_utf8(line.substr(first + 1)), {}};
    }
    return Record{cp1252_to_utf8(line.substr(0, first)), cp1252_to_utf8(line.substr(first + 1, second - first - 1)),
                  cp1252_to_utf8(line.substr(second + 1))};
}

void append_line(std::string& out, const Record& row)
{
    out += utf8_to_cp1252(row[0]);
    out += '\t';
    out += utf8_to_cp1252(row[1]);
    out += '\t';
    out += utf8_to_cp1252(row[2]);
    out += "\r\n";
}

}  // namespace

void parse_records(std::string_view bytes, Records& table, std::size_t min_texts)
{
    for (std::string& line : split_lines(bytes)) {
        auto row = table.full() ? std::nullopt : split_record(line, min_texts);
        if (row)
            table.append(std::move(*row));
        else
            table.keep_line(std::move(line));
    }
}

std::string format_records(const Records& table)
{
    std::string out;
    auto kept = table.kept_lines().begin();
    const auto kept_end = table.kept_lines().end();
    for (std::size_t i = 0; i <= table.size(); ++i) {
        for (; kept != kept_end && (kept->before_row <= i || i == table.size()); ++kept)
            out.append(kept->raw).append("\r\n");
        if (i < table.size())
            append_line(out, table[i]);
    }
    return out;
}

}  // namespace stk
