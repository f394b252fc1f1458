#include "csv/csv.h"

#include "store/cp1252.h"

#include <cstring>

namespace stk::csv {

void Writer::start()
{
    if (format_.bom)
        buffer_ += "\xEF\xBB\xBF";
}

void Writer::separate()
{
    if (!first_in_row_)
        buffer_ += format_.separator;
    first_in_row_ = false;
    ++fields_in_row_;
    row_bytes_ = buffer_.size();
}

void Writer::field(std::string_view bytes)
{
    separate();
    const char needs_quotes[] = {format_.separator, '"', '\r', '\n'};
    // A field that starts like a byte-order mark is quoted, so that at the
    // start of a file it is not taken for one.
    const auto lead = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]);
    bool quote = lead == 0xEF || lead == 0xFE || lead == 0xFF;
    for (char c : bytes)
        if (std::memchr(needs_quotes, c, sizeof needs_quotes)) {
            quote = true;
            break;
        }
    if (!quote) {
        buffer_ += bytes;
        return;
    }
    buffer_ += '"';
    for (char c : bytes) {
        if (c == '"')
            buffer_ += '"';
        buffer_ += c;
    }
    buffer_ += '"';
}

void Writer::text(std::string_view utf8)
{
    if (format_.encoding == Encoding::cp1252)
        field(utf8_to_cp1252(utf8));
    else
        field(utf8);
}

void Writer::raw(std::string_view bytes)
{
    separate();
    buffer_ += bytes;
}

void Writer::end_row()
{
    // A record of one empty field is written "" so that it does not read as a blank line.
    if (fields_in_row_ == 1 && buffer_.size() == row_bytes_)
        buffer_ += "\"\"";
    buffer_ += format_.line_end;
    first_in_row_ = true;
    fields_in_row_ = 0;
}

}  // namespace stk::csv
