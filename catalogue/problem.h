// Why the catalogue could not do something, and a value or that reason.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace stk {

// Why something could not be done. The texts are captions in French,
// translated by the window like every other caption.
enum class Problem {
    cannot_open,
    corrupt,
    read_only,
    newer_version,
    not_a_catalogue,
    reference_empty,
    reference_taken,
    reference_in_import_twice,
    stock_invalid,
    not_found,
    changed_elsewhere,
    busy,
    import_changed,
    storage,
    offline,  // the catalogue server could not be reached
};
std::string_view problem_caption(Problem p);

struct Failure {
    Problem problem;
    std::string detail;  // the reference concerned, or the database's own message; may be empty
    // One line: the caption, then ": " and the detail when there is one.
    std::string line(std::string_view caption) const;
    std::string line() const { return line(problem_caption(problem)); }
};

// A value or the reason there is none.
template <class T>
struct Result {
    std::optional<T> value;
    std::optional<Failure> failure;
    Result(T v) : value(std::move(v)) {}          // NOLINT: implicit, so functions return values
    Result(Failure f) : failure(std::move(f)) {}  // NOLINT
    explicit operator bool() const { return value.has_value(); }
};
using Done = std::optional<Failure>;  // nothing when it worked

}  // namespace stk
