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
}

void Writer::field(std::string_view bytes)
{
    separate();
    const char specials[] = {format_.separator, '"', '\r', '\n'};
    bool quote = false;
    for (char c : bytes)
        if (std::memchr(specials, c, sizeof specials)) {
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
    buffer_ += format_.line_end;
    first_in_row_ = true;
}

}  // namespace stk::csv
