// A table of text records as the two files hold them, and their line format.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace stk {

// Three texts, UTF-8.
using Record = std::array<std::string, 3>;

// Up to 101 records in file order, plus the lines of the file that are not
// records (fewer than two TABs, or beyond the 101st record). Those lines are
// kept as raw bytes and go back into the file in their place.
class Records {
public:
    static constexpr std::size_t capacity = 101;

    std::size_t size() const { return rows_.size(); }
    // Index of the last row in use; -1 when the table is empty.
    int last() const { return static_cast<int>(rows_.size()) - 1; }
    bool full() const { return rows_.size() >= capacity; }

    const Record& operator[](std::size_t i) const { return rows_[i]; }
    Record& operator[](std::size_t i) { return rows_[i]; }

    // Appends a row at the end; a full table stores nothing and answers false.
    bool append(Record row);
    // Keeps a line that is not a row, after the rows present so far.
    void keep_line(std::string raw);
    void clear();

    struct KeptLine {
        std::size_t before_row;  // number of rows that precede it
        std::string raw;         // its bytes as read, without the line end
    };
    const std::vector<KeptLine>& kept_lines() const { return kept_; }

private:
    std::vector<Record> rows_;
    std::vector<KeptLine> kept_;
};

// Lines of a file: CR LF or a lone CR ends a line, a lone LF is an ordinary
// character, and a last line without an end is a line too.
std::vector<std::string> split_lines(std::string_view bytes);

// Appends the lines of a file (Windows-1252 bytes) to `table`: the text before
// the first TAB, the text up to the next TAB, and all the rest. A line of
// fewer than `min_texts` texts (2 or 3) is kept as it is; a row read from a
// line of two texts has an empty third one.
void parse_records(std::string_view bytes, Records& table, std::size_t min_texts = 3);

// The bytes of the file that holds `table`: every line ends with CR LF.
std::string format_records(const Records& table);

}  // namespace stk
