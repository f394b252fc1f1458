// Reading and writing CSV files as people's exports really are: RFC 4180
// quoting, a comma, semicolon or tab between fields, UTF-8 (with or without
// BOM) or Windows-1252, CR LF or LF line ends. Streaming: one record at a
// time, whatever the size of the file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stk::csv {

enum class Encoding { utf8, cp1252 };

// How a file is written; the reader tells it from the file's first bytes.
struct Format {
    char separator = ',';
    Encoding encoding = Encoding::utf8;
    bool bom = false;                    // UTF-8 with a byte-order mark
    std::string_view line_end = "\r\n";  // as the first record ends ("\n" or "\r\n")
};

// One record. The views stay valid until the next call to Reader::next.
struct Row {
    std::size_t line = 0;                  // line of the file where the record starts, from 1
    std::string_view raw;                  // its bytes as they stand, without the line end
    std::vector<std::string_view> fields;  // contents without quotes, in the file's encoding
    bool closed = true;                    // false: a quote was still open at the end of the input

    std::size_t size() const { return fields.size(); }
    std::string_view operator[](std::size_t i) const { return fields[i]; }
    // A line with nothing on it.
    bool blank() const { return raw.empty(); }
};

struct ReaderOptions {
    std::optional<char> separator;  // forced; detected from the first record otherwise
};

class Reader {
public:
    // Opens a file, or standard input for "-". No reader and a one-line
    // reason in `error` when it cannot be read or is not a text file. The
    // encoding of a regular file is told from all of its bytes; that of a
    // pipe from its first 4 MB.
    static std::unique_ptr<Reader> open(const std::filesystem::path& file, const ReaderOptions& options,
                                        std::string& error);
    // Reads from text held in memory.
    static std::unique_ptr<Reader> from_string(std::string text, const ReaderOptions& options, std::string& error);

    ~Reader();
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    const Format& format() const { return format_; }

    // The next record; false at the end of the input, or on a read error
    // (error() then says why).
    bool next(Row& row);
    const std::string& error() const { return error_; }

    // A field's text in UTF-8.
    std::string to_utf8(std::string_view field) const;

private:
    Reader() = default;
    bool fill();  // reads more bytes; false at the end of the input or on error
    bool start(const ReaderOptions& options, std::string& error);
    enum class Parse { record, more, end };
    Parse parse(Row& row);

    int fd_ = -1;
    bool owns_fd_ = false;
    bool eof_ = false;
    std::string buffer_;
    std::size_t begin_ = 0;  // start of the unread bytes in buffer_
    std::size_t end_ = 0;    // end of the bytes read
    std::size_t line_ = 1;
    std::string scratch_;  // contents of fields that held doubled quotes
    std::vector<std::size_t> offsets_;
    Format format_;
    std::string error_;
};

// Appends records to a buffer that the caller drains (to a file, a pipe, a
// string) whenever it likes.
class Writer {
public:
    explicit Writer(Format format) : format_(format) {}
    const Format& format() const { return format_; }

    // A byte-order mark when the format has one; call once, first.
    void start();
    // A field, quoted when it holds the separator, a quote or a line break.
    // Fields after the first of a record are preceded by the separator.
    void field(std::string_view bytes);
    // A field given in UTF-8, written in the file's encoding.
    void text(std::string_view utf8);
    // Bytes of a record copied as they stand (a Row's raw); counts as fields.
    void raw(std::string_view bytes);
    void end_row();

    std::string& buffer() { return buffer_; }

private:
    void separate();
    Format format_;
    bool first_in_row_ = true;
    std::size_t fields_in_row_ = 0;
    std::size_t row_bytes_ = 0;  // size of the buffer after the last separator
    std::string buffer_;
};

// Whether `bytes` are valid UTF-8 throughout.
bool valid_utf8(std::string_view bytes);

// A caption reduced for comparison: surrounding blanks trimmed, lower case,
// accents removed (UTF-8 in and out). "  Délai Moy. " gives "delai moy.".
std::string fold_caption(std::string_view utf8);

}  // namespace stk::csv
