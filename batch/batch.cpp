#include "batch/batch.h"

#include "batch/captions.h"
#include "batch/catalogue_source.h"
#include "csv/csv.h"
#include "catalogue/catalogue.h"
#include "engine/checked.h"
#include "engine/fields.h"
#include "engine/model.h"
#include "engine/numtext.h"
#include "store/param_table.h"
#include "store/stream_file.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <charconv>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace stk::batch {
namespace fs = std::filesystem;

namespace {

// The columns stk_batch reads: the six article parameters (required), the two
// company parameters and the current stock.
enum Column : std::size_t { nbt, dat, pst, uut, dvt, crt, cct, tst, stock, column_count };
constexpr std::size_t article_columns = 6;
constexpr std::array<Field, 8> column_fields{Field::nbt, Field::dat, Field::pst, Field::uut,
                                             Field::dvt, Field::crt, Field::cct, Field::tst};

std::string_view column_key(std::size_t c) { return c == stock ? "stock" : info(column_fields[c]).name; }

Captions column_captions(std::size_t c)
{
    if (c == stock)
        return {"Stock actuel", "Current stock", "Estoque atual"};
    return window_captions(info(column_fields[c]).caption);
}

// Captions of the columns stk_batch adds, beyond those of the window.
const Captions total_at_stock_captions{"Total au stock actuel", "Total at current stock", "Total no estoque atual"};
const Captions saving_captions{"Économie", "Saving", "Economia"};
const Captions notes_captions{"Remarques", "Notes", "Observações"};

constexpr std::size_t lookahead_rows = 1000;   // rows read before the decimal separator is chosen
constexpr std::size_t note_line_limit = 1000;  // notes listed on standard error

bool is_blank(char c) { return c == ' ' || c == '\t'; }

constexpr std::array<double, 16> powers_of_ten{1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string_view trim(std::string_view s)
{
    while (!s.empty() && is_blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A plain number: blanks around, an optional sign, digits with at most one
// decimal separator, an optional exponent.
bool is_plain_number(std::string_view s, bool comma_decimal)
{
    s = trim(s);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool digits = false;
    while (i < s.size() && is_digit(s[i])) {
        ++i;
        digits = true;
    }
    if (i < s.size() && (s[i] == '.' || (comma_decimal && s[i] == ','))) {
        ++i;
        while (i < s.size() && is_digit(s[i])) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (i == s.size() || !is_digit(s[i]))
            return false;
        while (i < s.size() && is_digit(s[i]))
            ++i;
    }
    return i == s.size();
}

// A value for a message: the shortest text that reads back as it, with the
// file's decimal separator.
std::string value_text(double value, char decimal)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    std::string s(buffer, end);
    for (char& c : s)
        if (c == '.')
            c = decimal;
    return s;
}

struct OwnedRow {
    std::size_t line;
    std::string raw;
    std::vector<std::string> fields;
    bool closed;
};

OwnedRow own(const csv::Row& row)
{
    return {row.line, std::string(row.raw), std::vector<std::string>(row.fields.begin(), row.fields.end()), row.closed};
}

csv::Row view(const OwnedRow& owned)
{
    csv::Row row;
    row.line = owned.line;
    row.raw = owned.raw;
    row.closed = owned.closed;
    row.fields.assign(owned.fields.begin(), owned.fields.end());
    return row;
}

// A company parameter that holds for every row.
struct Fixed {
    double cc = 0;
    float ts = 0;
};

// Where the output goes: standard output, or a new file that replaces the
// target at the end.
class Sink {
public:
    bool open(const std::string& output, std::string& error)
    {
        if (output == "-")
            return true;
        // A device or a pipe (/dev/null, a named pipe) is written to as it is.
        struct stat st {};
        if (::stat(output.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
            fd_ = ::open(output.c_str(), O_WRONLY | O_CLOEXEC);
            if (fd_ < 0) {
                error = "cannot write " + output + ": " + std::generic_category().message(errno);
                return false;
            }
            return true;
        }
        file_ = StreamFile::create(output, error);
        return file_ != nullptr;
    }
    ~Sink()
    {
        if (fd_ != STDOUT_FILENO)
            ::close(fd_);
    }
    bool write(std::string_view bytes, std::string& error)
    {
        return file_ ? file_->write(bytes, error) : write_all_to(fd_, bytes, error);
    }
    bool finish(std::string& error) { return file_ ? file_->commit(error) : true; }

private:
    std::unique_ptr<StreamFile> file_;
    int fd_ = STDOUT_FILENO;
};

// A stretch of rows on its way from the reading thread, which reads the
// values and makes the notes, to the writing one, which calculates and writes.
struct Job {
    struct Item {
        Params params;
        std::size_t raw_begin = 0, raw_size = 0;  // the record's bytes in `text`
        std::size_t notes_begin = 0, notes_size = 0;
        std::size_t padding = 0;  // empty fields that bring a short row to the header's length
        int stock = -1;           // the current stock, 0 to 4; -1 when there is none to show
        bool blank = false;
    };
    std::string text;
    std::vector<Item> items;
    std::size_t sequence = 0;  // its place in the output
};
constexpr std::size_t job_rows = 4096;
constexpr std::size_t jobs_in_flight = 4;  // bounds the memory whatever the file's size
// Threads that calculate and write, beside the one that reads: the jobs go to
// whichever is free and are written in their order.
constexpr int calculating_threads = 2;

// Full jobs in input order, and used ones to fill again.
class JobQueue {
public:
    std::unique_ptr<Job> fresh()
    {
        std::lock_guard lock(mutex_);
        if (spare_.empty())
            return std::make_unique<Job>();
        auto job = std::move(spare_.back());
        spare_.pop_back();
        job->text.clear();
        job->items.clear();
        return job;
    }
    // Waits while the queue is full; an empty job ends the stream.
    void push(std::unique_ptr<Job> job)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return full_.size() < jobs_in_flight; });
        full_.push_back(std::move(job));
        changed_.notify_all();
    }
    std::unique_ptr<Job> pop()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return !full_.empty(); });
        auto job = std::move(full_.front());
        full_.pop_front();
        changed_.notify_all();
        return job;
    }
    void give_back(std::unique_ptr<Job> job)
    {
        std::lock_guard lock(mutex_);
        spare_.push_back(std::move(job));
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::unique_ptr<Job>> full_;
    std::vector<std::unique_ptr<Job>> spare_;
};

class Run {
public:
    Run(const Options& options, std::ostream& diag) : options_(options), diag_(diag) {}
    int go();

private:
    int fail(const std::string& why)
    {
        diag_ << "stk_batch: " << why << (imported_ ? "; the import into the catalogue stays done" : "") << "\n";
        return failed;
    }
    bool check_output(std::string& error) const;
    bool open_input(std::string& error);
    bool match_header(const csv::Row& header, std::string& error);
    bool company_parameters(std::string& error);
    char choose_decimal(const std::vector<OwnedRow>& rows) const;
    void write_header(const csv::Row& header);
    void read_row(const csv::Row& row, Job& job);
    void write_job(const Job& job, csv::Writer& w) const;
    void write_jobs();
    void note_value(const csv::Row& row, std::size_t column, std::string_view text, double value);
    void note(std::size_t line, const std::string& text);
    double read(const csv::Row& row, std::size_t column);
    bool flush(std::string& error);  // the header, before the calculating threads start
    void progress(bool last);

    const Options& options_;
    std::ostream& diag_;
    std::unique_ptr<csv::Reader> reader_;
    std::array<std::optional<std::size_t>, column_count> index_{};
    std::array<std::string, column_count> column_name_{};  // header text, UTF-8
    std::size_t header_size_ = 0;
    bool comma_decimal_ = false;
    char decimal_ = '.';
    Fixed fixed_;
    std::optional<csv::Writer> writer_;
    Sink sink_;
    JobQueue queue_;
    std::atomic<bool> write_failed_{false};
    std::mutex order_mutex_;
    std::condition_variable order_changed_;
    std::size_t next_to_write_ = 0;
    std::string write_error_;  // set by the writing thread before write_failed_
    std::string notes_;        // of the current row, UTF-8
    bool row_noted_ = false;
    std::size_t rows_ = 0;
    std::size_t noted_rows_ = 0;
    std::size_t note_lines_ = 0;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point shown_{};
    bool progress_shown_ = false;
    std::optional<Imported> imported_;  // the input imported into the catalogue first
};

bool Run::match_header(const csv::Row& header, std::string& error)
{
    header_size_ = header.size();
    std::vector<std::string> texts;
    texts.reserve(header.size());
    for (std::size_t i = 0; i < header.size(); ++i)
        texts.push_back(reader_->to_utf8(header[i]));
    std::array<ColumnName, column_count> columns;
    for (std::size_t c = 0; c < column_count; ++c)
        columns[c] = {column_key(c), column_captions(c)};
    const auto found = match_columns(texts, columns);
    for (std::size_t c = 0; c < column_count; ++c)
        if (found[c]) {
            index_[c] = *found[c];
            column_name_[c] = texts[*found[c]];
        }
    for (std::size_t c = 0; c < article_columns; ++c) {
        if (index_[c])
            continue;
        const Captions captions = column_captions(c);
        error = "no column \"" + std::string(column_key(c)) + "\" (" + captions[0] + ", " + captions[1] + ", " +
                captions[2] + ") in the header";
        return false;
    }
    return true;
}

bool Run::company_parameters(std::string& error)
{
    struct Source {
        std::size_t column;
        const std::optional<std::string>& option;
        const char* option_name;
        const char* what;
    };
    const std::array<Source, 2> sources{{{cct, options_.order_cost, "--order-cost", "order cost"},
                                         {tst, options_.storage_rate, "--storage-rate", "storage rate"}}};
    std::optional<ParamTable> saved;
    fs::path saved_file;
    bool saved_read = false;
    for (const Source& s : sources)
        if (s.option && !is_plain_number(*s.option, true)) {
            error = std::string(s.option_name) + ": \"" + *s.option + "\" is not a number";
            return false;
        }
    for (const Source& s : sources) {
        double value = 0;
        if (index_[s.column]) {
            diag_ << "stk_batch: " << s.what << " from the column \"" << column_name_[s.column] << "\"\n";
            continue;
        }
        if (s.option) {
            value = read_value(*s.option, true).value;
            diag_ << "stk_batch: " << s.what << " " << value_text(value, '.') << " from " << s.option_name << "\n";
        } else {
            if (!saved_read) {
                saved_read = true;
                if (options_.parameter_folder) {
                    saved_file = options_.parameter_folder(diag_) / "param_stk_secu.txt";
                    std::ifstream in(saved_file, std::ios::binary);
                    std::error_code ec;
                    if (in && fs::is_regular_file(saved_file, ec)) {
                        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
                        saved.emplace();
                        parse_records(bytes, saved->rows);
                    }
                }
            }
            if (saved) {
                const std::string text = saved->getparam(window_name, info(column_fields[s.column]).name, "");
                step([&] { value = val_text(text); });
                diag_ << "stk_batch: " << s.what << " " << value_text(value, '.') << " from the window's saved fields ("
                      << saved_file.string() << ")\n";
            } else {
                diag_ << "stk_batch: " << s.what << " 0: no column \"" << info(column_fields[s.column]).name
                      << "\", no " << s.option_name << " and no saved fields of the window\n";
            }
        }
        if (s.column == cct)
            fixed_.cc = value;
        else
            step([&] { fixed_.ts = single(value); });
    }
    return true;
}

char Run::choose_decimal(const std::vector<OwnedRow>& rows) const
{
    if (options_.decimal)
        return *options_.decimal;
    if (!comma_decimal_)
        return '.';
    std::size_t commas = 0, points = 0;
    for (const OwnedRow& row : rows)
        for (std::size_t c = 0; c < column_count; ++c)
            if (index_[c] && *index_[c] < row.fields.size()) {
                const std::string& f = row.fields[*index_[c]];
                if (f.find('.') != std::string::npos)
                    ++points;
                else if (f.find(',') != std::string::npos)
                    ++commas;
            }
    if (commas > 0 && commas >= points)
        return ',';
    if (points > 0)
        return '.';
    // Whole numbers only: a semicolon list is the export of a comma locale.
    return reader_->format().separator == ';' ? ',' : '.';
}

void Run::write_header(const csv::Row& header)
{
    csv::Writer& w = *writer_;
    w.raw(header.raw);
    for (std::size_t k = header.size(); k < header_size_; ++k)
        w.raw("");
    const int lang = options_.language;
    const auto caption = [&](std::string_view french) {
        return window_captions(french)[static_cast<std::size_t>(lang)];
    };
    const std::array<std::pair<const char*, const char*>, 4> lines{
        {{"rt", "Risque"}, {"cdt", "Coût direct"}, {"cgt", "Coût de Gestion"}, {"tt", "Total"}}};
    for (const auto& [key, french] : lines)
        for (int i = 0; i < level_count; ++i)
            w.text(options_.keys ? std::string(key) + "(" + std::to_string(i) + ")"
                                 : caption(french) + " " + std::to_string(i));
    w.text(options_.keys ? "sst(5)" : caption("Stock de Sécurité"));
    if (index_[stock]) {
        w.text(options_.keys ? "tt(stock)" : total_at_stock_captions[static_cast<std::size_t>(lang)]);
        w.text(options_.keys ? "saving" : saving_captions[static_cast<std::size_t>(lang)]);
    }
    w.text(options_.keys ? "notes" : notes_captions[static_cast<std::size_t>(lang)]);
    w.end_row();
}

void Run::note(std::size_t line, const std::string& text)
{
    if (!notes_.empty())
        notes_ += "; ";
    notes_ += text;
    row_noted_ = true;
    if (note_lines_ < note_line_limit)
        diag_ << "stk_batch: line " << line << ", " << text << "\n";
    else if (note_lines_ == note_line_limit)
        diag_ << "stk_batch: further notes are only in the notes column\n";
    ++note_lines_;
}

void Run::note_value(const csv::Row& row, std::size_t column, std::string_view text, double value)
{
    note(row.line, "column \"" + column_name_[column] + "\": \"" + reader_->to_utf8(text) + "\" read as " +
                       value_text(value, decimal_));
}

double Run::read(const csv::Row& row, std::size_t column)
{
    const std::size_t i = *index_[column];
    if (i >= row.size())
        return 0;  // the short row is noted once for all its missing fields
    const Reading r = read_value(row[i], comma_decimal_);
    if (!r.plain)
        note_value(row, column, row[i], r.value);
    return r.value;
}

void Run::read_row(const csv::Row& row, Job& job)
{
    Job::Item& item = job.items.emplace_back();
    if (row.blank()) {
        item.blank = true;
        return;
    }
    ++rows_;
    notes_.clear();
    row_noted_ = false;
    if (!row.closed)
        note(row.line, "a quote opened on this line is never closed");
    if (row.size() != header_size_)
        note(row.line, std::to_string(row.size()) + " fields where the header has " + std::to_string(header_size_));

    Params& p = item.params;
    p.nb = read(row, nbt);
    p.da = read(row, dat);
    p.ps = read(row, pst);
    p.uu = read(row, uut);
    p.dv = read(row, dvt);
    p.cr = read(row, crt);
    p.cc = index_[cct] ? read(row, cct) : fixed_.cc;
    if (index_[tst]) {
        const double ts = read(row, tst);
        step([&] { p.ts = single(ts); });
    } else {
        p.ts = fixed_.ts;
    }
    if (index_[stock]) {
        const std::size_t i = *index_[stock];
        const std::string_view cell = i < row.size() ? trim(row[i]) : std::string_view{};
        if (!cell.empty()) {
            const Reading r = read_value(cell, comma_decimal_);
            if (r.plain && r.value >= 0 && r.value < level_count && r.value == static_cast<int>(r.value))
                item.stock = static_cast<int>(r.value);
            else
                note(row.line, "column \"" + column_name_[stock] + "\": \"" + reader_->to_utf8(row[i]) +
                                   "\" is not a stock of 0 to 4 parts");
        }
    }
    item.padding = row.size() < header_size_ ? header_size_ - row.size() : 0;
    item.raw_begin = job.text.size();
    item.raw_size = row.raw.size();
    job.text += row.raw;
    item.notes_begin = job.text.size();
    item.notes_size = notes_.size();
    job.text += notes_;
    if (row_noted_)
        ++noted_rows_;
}

void Run::write_job(const Job& job, csv::Writer& w) const
{
    const char sep = w.format().separator;
    // Room for 22 numbers of num_text_capacity characters and their separators.
    char tail[32 * num_text_capacity];
    for (const Job::Item& item : job.items) {
        if (item.blank) {
            w.end_row();
            continue;
        }
        w.raw(std::string_view(job.text).substr(item.raw_begin, item.raw_size));
        const Rows rows = evaluate(item.params);
        const int imin = recommend(rows);
        char* p = tail;
        for (std::size_t k = 0; k < item.padding; ++k)
            *p++ = sep;
        for (const auto* line : {&rows.r, &rows.cd, &rows.cg, &rows.t})
            for (float value : *line) {
                *p++ = sep;
                p += num_text_to(p, value, decimal_);
            }
        *p++ = sep;
        *p++ = static_cast<char>('0' + imin);
        if (index_[stock]) {
            *p++ = sep;
            if (item.stock >= 0) {
                const float t = rows.t[static_cast<std::size_t>(item.stock)];
                p += num_text_to(p, t, decimal_);
                *p++ = sep;
                step([&] {
                    const float saving = single(Dbl(t) - rows.t[static_cast<std::size_t>(imin)]);
                    p += num_text_to(p, saving, decimal_);
                });
            } else {
                *p++ = sep;
            }
        }
        w.buffer().append(tail, static_cast<std::size_t>(p - tail));
        w.text(std::string_view(job.text).substr(item.notes_begin, item.notes_size));
        w.end_row();
    }
}

// A calculating thread: calculates a job into its own buffer, waits for the
// job's turn and writes it.
void Run::write_jobs()
{
    csv::Writer w(reader_->format());
    while (auto job = queue_.pop()) {
        if (!write_failed_)
            write_job(*job, w);
        {
            std::unique_lock lock(order_mutex_);
            order_changed_.wait(lock, [&] { return next_to_write_ == job->sequence; });
        }
        std::string error;
        if (!write_failed_ && !sink_.write(w.buffer(), error)) {
            write_error_ = error;  // only the thread whose turn it is writes
            write_failed_ = true;
        }
        w.buffer().clear();
        {
            std::lock_guard lock(order_mutex_);
            ++next_to_write_;
        }
        order_changed_.notify_all();
        queue_.give_back(std::move(job));
    }
}

bool Run::flush(std::string& error)
{
    std::string& buffer = writer_->buffer();
    const bool ok = sink_.write(buffer, error);
    buffer.clear();
    return ok;
}

void Run::progress(bool last)
{
    using namespace std::chrono;
    const auto now = steady_clock::now();
    if (last) {
        if (progress_shown_)
            diag_ << "\r\033[K" << std::flush;
        return;
    }
    if (now - started_ < seconds(1) || now - shown_ < milliseconds(250))
        return;
    shown_ = now;
    progress_shown_ = true;
    diag_ << "\rstk_batch: " << rows_ << " rows" << std::flush;
}

int Run::go()
{
    std::string error;
    if (!check_output(error) || !open_input(error))
        return fail(error);
    const std::string input_name = options_.input.empty()  ? "the catalogue"
                                   : options_.input == "-" ? "standard input"
                                                           : options_.input;

    csv::Row header;
    if (!reader_->next(header))
        return fail(input_name + ": " + (reader_->error().empty() ? "empty file, no header row" : reader_->error()));
    if (header.blank())
        return fail(input_name + ": no header row (the first line is empty)");
    const OwnedRow header_row = own(header);
    if (!match_header(header, error))
        return fail(input_name + ": " + error);
    // The catalogue holds the texts typed in the window, read as the window reads them.
    comma_decimal_ = !options_.input.empty() && reader_->format().separator != ',';
    if (!company_parameters(error))
        return fail(error);

    // A first stretch of rows tells the decimal separator of the numbers written.
    std::vector<OwnedRow> first;
    csv::Row row;
    while (first.size() < lookahead_rows && reader_->next(row))
        first.push_back(own(row));
    decimal_ = choose_decimal(first);
    if (decimal_ == reader_->format().separator)
        return fail(std::string("the decimal separator cannot be the field separator '") + decimal_ + "'");

    if (!sink_.open(options_.output, error))
        return fail(error);
    writer_.emplace(reader_->format());
    writer_->start();
    write_header(view(header_row));
    const bool show_progress = &diag_ == &std::cerr && ::isatty(STDERR_FILENO);

    if (!flush(error))
        return fail(error);
    std::vector<std::thread> calculating;
    for (int t = 0; t < calculating_threads; ++t)
        calculating.emplace_back([this] { write_jobs(); });
    std::size_t sequence = 0;
    auto job = queue_.fresh();
    job->sequence = sequence++;
    for (const OwnedRow& owned : first)
        read_row(view(owned), *job);
    first.clear();
    if (reader_->error().empty()) {
        while (!write_failed_ && reader_->next(row)) {
            read_row(row, *job);
            if (job->items.size() >= job_rows) {
                queue_.push(std::move(job));
                job = queue_.fresh();
                job->sequence = sequence++;
                if (show_progress)
                    progress(false);
            }
        }
    }
    queue_.push(std::move(job));
    for (int t = 0; t < calculating_threads; ++t)
        queue_.push(nullptr);
    for (auto& thread : calculating)
        thread.join();
    if (show_progress)
        progress(true);
    if (write_failed_)
        return fail(write_error_);
    if (!reader_->error().empty())
        return fail(input_name + ": " + reader_->error() + "; nothing written");
    if (!flush(error) || !sink_.finish(error))
        return fail(error);
    diag_ << "stk_batch: " << rows_ << (rows_ == 1 ? " article" : " articles") << ", " << noted_rows_
          << " with notes\n";
    return noted_rows_ > 0 || (imported_ && imported_->refused > 0) ? with_notes : clean;
}

// The output replaces neither the input nor the catalogue's file.
bool Run::check_output(std::string& error) const
{
    if (options_.output == "-")
        return true;
    std::error_code ec;
    const auto same = [&](const std::string& other) {
        return fs::weakly_canonical(other, ec) == fs::weakly_canonical(options_.output, ec) ||
               fs::equivalent(other, options_.output, ec);
    };
    if (!options_.input.empty() && options_.input != "-" && same(options_.input)) {
        error = "the output " + options_.output + " would replace the input; choose another output file";
        return false;
    }
    if (options_.catalogue && !is_server_location(*options_.catalogue) && same(*options_.catalogue)) {
        error = "the output " + options_.output + " would replace the catalogue; choose another output file";
        return false;
    }
    return true;
}

// The input file, or the catalogue's articles; an input given with a
// catalogue is imported into it first, in one transaction.
bool Run::open_input(std::string& error)
{
    csv::ReaderOptions reader_options;
    reader_options.separator = options_.separator;
    if (options_.catalogue && options_.input.empty()) {
        auto text = catalogue_as_csv(*options_.catalogue, options_.separator.value_or(','), options_.language,
                                     options_.keys, error);
        if (!text)
            return false;
        reader_ = csv::Reader::from_string(std::move(*text), reader_options, error);
        return reader_ != nullptr;
    }
    if (options_.catalogue) {
        if (options_.input == "-") {
            error = "an import into the catalogue reads a file, not standard input";
            return false;
        }
        imported_ = import_into_catalogue(*options_.catalogue, options_.input, options_.language, diag_, error);
        if (!imported_)
            return false;
        diag_ << "stk_batch: imported into the catalogue: " << imported_->added << " added, " << imported_->updated
              << " updated, " << imported_->refused << " refused\n";
    }
    reader_ = csv::Reader::open(options_.input, reader_options, error);
    return reader_ != nullptr;
}

}  // namespace

Reading read_value(std::string_view text, bool comma_decimal)
{
    // The usual cell, a short plain number: its digits make a whole number of
    // at most 15 digits and a power of ten up to 10^15, both exact doubles,
    // and their quotient is the correctly rounded value, which val_text gives.
    if (!text.empty() && text.size() <= 24) {
        std::size_t i = 0;
        const bool negative = text[0] == '-';
        if (text[0] == '-' || text[0] == '+')
            ++i;
        std::uint64_t mantissa = 0;
        int digits = 0, fraction = -1;
        bool ok = i < text.size();
        for (; ok && i < text.size(); ++i) {
            const char c = text[i];
            if (is_digit(c)) {
                if (mantissa == 0 && c == '0') {
                    if (fraction >= 0)
                        ++fraction;
                    continue;
                }
                mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
                ++digits;
                if (fraction >= 0)
                    ++fraction;
            } else if ((c == '.' || (comma_decimal && c == ',')) && fraction < 0) {
                fraction = 0;
            } else {
                ok = false;
            }
        }
        const bool has_digit = text.find_first_of("0123456789") != std::string_view::npos;
        if (ok && has_digit && digits <= 15 && fraction <= 15) {
            double value = static_cast<double>(mantissa);
            if (fraction > 0)
                value /= powers_of_ten[static_cast<std::size_t>(fraction)];
            return {negative ? -value : value, true};
        }
    }
    Reading r;
    char local[64];
    std::string long_text;
    std::string_view t = text;
    const auto comma = t.find(',');
    if (comma_decimal && comma != std::string_view::npos && t.find('.') == std::string_view::npos) {
        char* copy = local;
        if (t.size() > sizeof local) {
            long_text.assign(t);
            copy = long_text.data();
        } else {
            std::memcpy(local, t.data(), t.size());
        }
        copy[comma] = '.';
        t = std::string_view(copy, t.size());
    }
    r.plain = is_plain_number(t, false);
    bool read = false;
    step([&] {
        r.value = val_text(t);
        read = true;
    });
    if (!read)
        r.plain = false;
    return r;
}

std::optional<Options> parse_command_line(const std::vector<std::string>& args, const std::string& env_language,
                                          std::string& error)
{
    Options o;
    if (env_language.starts_with("en"))
        o.language = 1;
    else if (env_language.starts_with("pt"))
        o.language = 2;
    std::vector<std::string> inputs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::optional<std::string> value;
        if (arg.starts_with("--") && arg.find('=') != std::string::npos) {
            value = arg.substr(arg.find('=') + 1);
            arg = arg.substr(0, arg.find('='));
        }
        const auto take = [&]() -> std::optional<std::string> {
            if (value)
                return value;
            if (i + 1 < args.size())
                return args[++i];
            error = arg + " needs a value";
            return std::nullopt;
        };
        if (arg == "-h" || arg == "--help") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--keys") {
            o.keys = true;
        } else if (arg == "-o" || arg == "--output") {
            const auto v = take();
            if (!v)
                return std::nullopt;
            o.output = *v;
        } else if (arg == "--sep") {
            const auto v = take();
            if (!v)
                return std::nullopt;
            if (*v == "," || *v == "comma")
                o.separator = ',';
            else if (*v == ";" || *v == "semicolon")
                o.separator = ';';
            else if (*v == "\t" || *v == "tab" || *v == "\\t")
                o.separator = '\t';
            else {
                error = "--sep: \"" + *v + "\" is not one of , ; tab";
                return std::nullopt;
            }
        } else if (arg == "--decimal") {
            const auto v = take();
            if (!v)
                return std::nullopt;
            if (*v != "," && *v != ".") {
                error = "--decimal: \"" + *v + "\" is not , or .";
                return std::nullopt;
            }
            o.decimal = (*v)[0];
        } else if (arg == "--catalogue") {
            const auto v = take();
            if (!v)
                return std::nullopt;
            o.catalogue = *v;
        } else if (arg == "--order-cost" || arg == "--storage-rate") {
            const auto v = take();
            if (!v)
                return std::nullopt;
            (arg == "--order-cost" ? o.order_cost : o.storage_rate) = *v;
        } else if (arg == "--lang") {
            const auto v = take();
            if (!v)
                return std::nullopt;
            if (*v == "fr")
                o.language = 0;
            else if (*v == "en")
                o.language = 1;
            else if (*v == "pt")
                o.language = 2;
            else {
                error = "--lang: \"" + *v + "\" is not fr, en or pt";
                return std::nullopt;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return std::nullopt;
        } else {
            inputs.push_back(arg);
        }
    }
    if (o.help || o.version)
        return o;
    if (inputs.size() > 1 || (inputs.empty() && !o.catalogue)) {
        error = inputs.empty() ? "no input file (\"-\" reads standard input)" : "more than one input file";
        return std::nullopt;
    }
    if (!inputs.empty())
        o.input = inputs[0];
    return o;
}

std::string usage()
{
    return "Usage: stk_batch [options] INPUT.csv [-o OUTPUT.csv]\n"
           "       stk_batch [options] --catalogue WHERE [INPUT.csv] [-o OUTPUT.csv]\n"
           "Computes the safety stock of every spare part of a CSV list, as the window does.\n"
           "\"-\" reads standard input; the output goes to standard output unless -o names a file.\n"
           "\n"
           "  -o, --output FILE     write to FILE (through a temporary file, never over the input)\n"
           "  --sep , | ; | tab     the field separator (detected from the header otherwise)\n"
           "  --decimal , | .       the decimal separator of the numbers written (as in the input otherwise)\n"
           "  --catalogue WHERE     the catalogue: a file, or a PostgreSQL server (postgresql://... or\n"
           "                        \"host=... dbname=...\"; the password from ~/.pgpass or PGPASSWORD).\n"
           "                        Without INPUT, computes its articles; with INPUT, first imports\n"
           "                        INPUT's articles into it in one transaction (a reference column needed)\n"
           "  --order-cost X        the order cost when there is no \"cct\" column\n"
           "  --storage-rate X      the storage rate (% / month) when there is no \"tst\" column\n"
           "  --lang fr | en | pt   language of the result captions (the locale's, else French)\n"
           "  --keys                name the result columns rt(0)..tt(4), sst(5), notes\n"
           "  -h, --help            this help\n"
           "  --version             the version\n"
           "\n"
           "Columns are found by key (nbt dat pst uut dvt crt, cct tst, stock) or by caption in French,\n"
           "English or Portuguese. Without cct/tst columns or options, the fields saved by the window count.\n"
           "Exit status: 0 every row clean, 1 some rows carry notes, 2 nothing written.\n";
}

int run(const Options& options, std::ostream& diag)
{
    if (options.help) {
        std::cout << usage();
        return clean;
    }
    if (options.version) {
        std::cout << "stk_batch " STK_VERSION "\n";
        return clean;
    }
    return Run(options, diag).go();
}

}  // namespace stk::batch
