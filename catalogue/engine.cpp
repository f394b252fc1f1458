#include "catalogue/engine.h"

namespace stk::db {

Problem problem_of(Fault f)
{
    switch (f) {
    case Fault::busy:
        return Problem::busy;
    case Fault::unique:
        return Problem::reference_taken;
    case Fault::corrupt:
        return Problem::corrupt;
    case Fault::read_only:
        return Problem::read_only;
    case Fault::cannot_open:
        return Problem::cannot_open;
    case Fault::offline:
        return Problem::offline;
    case Fault::none:
    case Fault::constraint:
    case Fault::other:
        break;
    }
    return Problem::storage;
}

Query::Step Query::run(std::int64_t* first)
{
    Step result = Step::done;
    Step s;
    while ((s = step()) == Step::row) {
        if (result == Step::done && first)
            *first = integer(0);
        result = Step::row;
    }
    return s == Step::error ? Step::error : result;
}

Transaction::Transaction(Connection& db) : db_(db)
{
    begin_error_ = db_.begin();
    open_ = !begin_error_;
}

Transaction::~Transaction()
{
    if (open_)
        db_.rollback();
}

std::optional<std::string> Transaction::commit()
{
    if (!open_)
        return begin_error_ ? begin_error_ : std::optional<std::string>("no transaction");
    auto failure = db_.commit();
    if (!failure)
        open_ = false;
    return failure;
}

std::string ascii_folded(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string one_line(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const bool blank = c == '\n' || c == '\r' || c == '\t' || c == ' ';
        if (blank) {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else {
            out += c;
        }
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

}  // namespace stk::db
