#include "csv/csv.h"

#include "store/cp1252.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace stk::csv {
namespace {

// The encoding, the byte-order mark and the separator are told from this
// much of the input (or all of it when it is shorter).
constexpr std::size_t first_block = 4 << 20;
constexpr std::size_t read_size = 1 << 20;

std::string errno_text() { return std::generic_category().message(errno); }

// The separator that occurs most often, outside quotes, in the first record;
// on a tie the semicolon, then the tab, then the comma. A comma when none occurs.
char detect_separator(std::string_view bytes)
{
    std::size_t semicolons = 0, tabs = 0, commas = 0;
    bool quoted = false;
    for (char c : bytes) {
        if (c == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == '\n' || c == '\r')
            break;
        else if (c == ';')
            ++semicolons;
        else if (c == '\t')
            ++tabs;
        else if (c == ',')
            ++commas;
    }
    if (semicolons == 0 && tabs == 0 && commas == 0)
        return ',';
    if (semicolons >= tabs && semicolons >= commas)
        return ';';
    return tabs >= commas ? '\t' : ',';
}

// How the first record ends, outside quotes: "\r\n" unless a lone LF ends it.
std::string_view detect_line_end(std::string_view bytes)
{
    bool quoted = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '\n')
            return "\n";
        else if (!quoted && c == '\r')
            return "\r\n";
    }
    return "\r\n";
}

// Cuts the first block at a character boundary so that a UTF-8 character
// split by the block's end does not count as malformed.
std::string_view whole_characters(std::string_view bytes, bool at_end)
{
    if (at_end)
        return bytes;
    std::size_t cut = bytes.size();
    for (int back = 0; back < 3 && cut > 0; ++back) {
        const auto c = static_cast<unsigned char>(bytes[cut - 1]);
        if (c < 0x80)
            break;
        --cut;
        if (c >= 0xC0)
            break;
    }
    return bytes.substr(0, cut);
}

// Whether the bytes of a regular file are UTF-8 from `begin` in what was read
// (`buffer` up to `end`) to the end of the file, read with pread so that the
// reading position stays.
bool rest_is_utf8(int fd, const std::string& buffer, std::size_t begin, std::size_t end)
{
    off_t offset = ::lseek(fd, 0, SEEK_CUR);
    if (offset < 0)
        return true;
    std::string chunk(buffer, begin, end - begin);
    std::string next(read_size, '\0');
    for (;;) {
        const ssize_t n = ::pread(fd, next.data(), next.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        const bool at_end = n <= 0;
        const std::string_view whole = whole_characters(chunk, at_end);
        if (!valid_utf8(whole))
            return false;
        if (at_end)
            return true;
        chunk.erase(0, whole.size());
        chunk.append(next.data(), static_cast<std::size_t>(n));
        offset += n;
    }
}

}  // namespace

bool valid_utf8(std::string_view bytes)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        // Eight plain ASCII bytes at a time.
        if (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, s + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF)
            length = 2;
        else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0;
            else if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F;
        } else
            return false;
        if (i + length > n)
            return false;
        if (s[i + 1] < low || s[i + 1] > high)
            return false;
        for (std::size_t k = 2; k < length; ++k)
            if (s[i + k] < 0x80 || s[i + k] > 0xBF)
                return false;
        i += length;
    }
    return true;
}

std::unique_ptr<Reader> Reader::open(const std::filesystem::path& file, const ReaderOptions& options,
                                     std::string& error)
{
    std::unique_ptr<Reader> reader(new Reader);
    if (file == "-") {
        reader->fd_ = STDIN_FILENO;
    } else {
        reader->fd_ = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (reader->fd_ < 0) {
            error = "cannot read " + file.string() + ": " + errno_text();
            return nullptr;
        }
        reader->owns_fd_ = true;
        struct stat st {};
        if (::fstat(reader->fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
            error = "cannot read " + file.string() + ": it is a folder";
            return nullptr;
        }
    }
    if (!reader->start(options, error)) {
        error = (file == "-" ? std::string("standard input") : file.string()) + ": " + error;
        return nullptr;
    }
    // A regular file is checked to its end: UTF-8 only when all of it is.
    struct stat st {};
    if (reader->format_.encoding == Encoding::utf8 && !reader->eof_ && ::fstat(reader->fd_, &st) == 0 &&
        S_ISREG(st.st_mode) && !rest_is_utf8(reader->fd_, reader->buffer_, reader->begin_, reader->end_))
        reader->format_.encoding = Encoding::cp1252;
    return reader;
}

std::unique_ptr<Reader> Reader::from_string(std::string text, const ReaderOptions& options, std::string& error)
{
    std::unique_ptr<Reader> reader(new Reader);
    reader->buffer_ = std::move(text);
    reader->end_ = reader->buffer_.size();
    reader->eof_ = true;
    if (!reader->start(options, error))
        return nullptr;
    return reader;
}

Reader::~Reader()
{
    if (owns_fd_)
        ::close(fd_);
}

bool Reader::fill()
{
    if (eof_)
        return false;
    if (begin_ > 0 && begin_ >= buffer_.size() / 2) {
        // Move what is left to the front rather than growing the buffer.
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (buffer_.size() - end_ < read_size)
        buffer_.resize(std::max(buffer_.size() * 2, end_ + read_size));
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (n > 0) {
            end_ += static_cast<std::size_t>(n);
            return true;
        }
        if (n == 0) {
            eof_ = true;
            return false;
        }
        if (errno == EINTR)
            continue;
        error_ = "read failed: " + errno_text();
        eof_ = true;
        return false;
    }
}

bool Reader::start(const ReaderOptions& options, std::string& error)
{
    while (!eof_ && end_ - begin_ < first_block)
        fill();
    if (!error_.empty()) {
        error = error_;
        return false;
    }
    std::string_view head(buffer_.data() + begin_, std::min(end_ - begin_, first_block));
    if (head.starts_with("\xEF\xBB\xBF")) {
        format_.bom = true;
        begin_ += 3;
        head.remove_prefix(3);
    } else if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) {
        error = "UTF-16 text is not read; save the file as UTF-8 or Windows-1252 CSV";
        return false;
    }
    if (head.find('\0') != std::string_view::npos) {
        error = "not a text file (it holds NUL bytes)";
        return false;
    }
    format_.encoding =
        valid_utf8(whole_characters(head, eof_ && head.size() == end_ - begin_)) ? Encoding::utf8 : Encoding::cp1252;
    format_.separator = options.separator ? *options.separator : detect_separator(head);
    format_.line_end = detect_line_end(head);
    return true;
}

std::string Reader::to_utf8(std::string_view field) const
{
    return format_.encoding == Encoding::utf8 ? std::string(field) : cp1252_to_utf8(field);
}

bool Reader::next(Row& row)
{
    for (;;) {
        switch (parse(row)) {
        case Parse::record:
            return true;
        case Parse::end:
            return false;
        case Parse::more:
            if (!fill() && end_ == begin_)
                return false;
            if (!error_.empty())
                return false;
            break;
        }
    }
}

// Parses one record from begin_. Answers `more` when the bytes read so far end
// inside the record and more may come.
Reader::Parse Reader::parse(Row& row)
{
    const char* const data = buffer_.data();
    const std::size_t start = begin_;
    const std::size_t end = end_;
    if (start == end)
        return eof_ ? Parse::end : Parse::more;

    const char sep = format_.separator;
    std::size_t p = start;
    std::size_t lines = 0;  // line breaks inside quoted fields
    scratch_.clear();
    offsets_.clear();  // per field: begin, end; a begin with the top bit set points into scratch_
    constexpr std::size_t in_scratch = std::size_t{1} << (sizeof(std::size_t) * 8 - 1);
    bool closed = true;

    for (;;) {
        // One field from p.
        if (p < end && data[p] == '"') {
            ++p;
            std::size_t content = p;
            bool copied = false;
            std::size_t scratch_begin = 0;
            for (;;) {
                const void* q = std::memchr(data + p, '"', end - p);
                if (!q) {
                    if (!eof_)
                        return Parse::more;
                    // The quote is never closed: the rest of the input is the field.
                    closed = false;
                    lines += static_cast<std::size_t>(std::count(data + p, data + end, '\n'));
                    p = end;
                    break;
                }
                const std::size_t quote = static_cast<std::size_t>(static_cast<const char*>(q) - data);
                lines += static_cast<std::size_t>(std::count(data + p, data + quote, '\n'));
                if (quote + 1 < end && data[quote + 1] == '"') {
                    // A doubled quote stands for one.
                    if (!copied) {
                        copied = true;
                        scratch_begin = scratch_.size();
                    }
                    scratch_.append(data + content, quote + 1 - content);
                    p = quote + 2;
                    content = p;
                    continue;
                }
                if (quote + 1 == end && !eof_)
                    return Parse::more;
                if (copied)
                    scratch_.append(data + content, quote - content);
                p = quote + 1;
                break;
            }
            const std::size_t quote_end = closed ? p - 1 : end;
            // Bytes between the closing quote and the separator belong to the field.
            std::size_t tail = p;
            while (tail < end && data[tail] != sep && data[tail] != '\n' && data[tail] != '\r')
                ++tail;
            if (tail == end && !eof_)
                return Parse::more;
            if (tail > p) {
                if (!copied) {
                    copied = true;
                    scratch_begin = scratch_.size();
                    scratch_.append(data + content, quote_end - content);
                }
                scratch_.append(data + p, tail - p);
            }
            if (copied) {
                offsets_.push_back(scratch_begin | in_scratch);
                offsets_.push_back(scratch_.size());
            } else {
                offsets_.push_back(content);
                offsets_.push_back(quote_end);
            }
            p = tail;
        } else {
            std::size_t q = p;
            while (q < end && data[q] != sep && data[q] != '\n' && data[q] != '\r')
                ++q;
            if (q == end && !eof_)
                return Parse::more;
            offsets_.push_back(p);
            offsets_.push_back(q);
            p = q;
        }
        if (p < end && data[p] == sep) {
            ++p;
            continue;
        }
        break;
    }

    // The record ends at a line end or at the end of the input.
    std::size_t raw_end = p;
    if (p < end && data[p] == '\r') {
        if (p + 1 == end && !eof_)
            return Parse::more;
        p += (p + 1 < end && data[p + 1] == '\n') ? 2 : 1;
    } else if (p < end && data[p] == '\n') {
        ++p;
    }

    row.line = line_;
    row.raw = std::string_view(data + start, raw_end - start);
    row.closed = closed;
    row.fields.clear();
    if (!row.raw.empty()) {
        for (std::size_t i = 0; i < offsets_.size(); i += 2) {
            const std::size_t b = offsets_[i];
            const std::size_t e = offsets_[i + 1];
            if (b & in_scratch)
                row.fields.emplace_back(scratch_.data() + (b & ~in_scratch), e - (b & ~in_scratch));
            else
                row.fields.emplace_back(data + b, e - b);
        }
    }
    line_ += lines + 1;
    begin_ = p;
    return Parse::record;
}

}  // namespace stk::csv
