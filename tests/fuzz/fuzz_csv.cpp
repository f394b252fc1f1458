// Reading any bytes as CSV: the reader never fails on content it accepts, the
// raw bytes of every record are part of the input, lines only move forward,
// and whatever was read, written back with the writer, reads as the same fields.
#include "csv/csv.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto reader = stk::csv::Reader::from_string(input, {}, error);
    if (!reader)
        return 0;
    std::vector<std::vector<std::string>> records;
    stk::csv::Writer writer(reader->format());
    writer.start();
    stk::csv::Row row;
    std::size_t line = 0;
    while (reader->next(row)) {
        if (row.line <= line || input.find(row.raw) == std::string::npos)
            std::abort();
        line = row.line;
        if (!row.closed)
            break;  // an open quote took the rest: nothing to compare
        records.emplace_back(row.fields.begin(), row.fields.end());
        for (auto f : row.fields)
            writer.field(f);
        writer.end_row();
    }
    auto again = stk::csv::Reader::from_string(writer.buffer(), {reader->format().separator}, error);
    if (!again)
        return 0;  // the first record's bytes may read as another encoding or hold NUL
    std::size_t i = 0;
    while (again->next(row)) {
        if (i >= records.size() || std::vector<std::string>(row.fields.begin(), row.fields.end()) != records[i])
            std::abort();
        ++i;
    }
    if (i != records.size())
        std::abort();
    return 0;
}
