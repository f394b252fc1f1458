// Where the one-line reports of what could not be read or written go: any
// output stream, or the program's standard error, which is set up only when
// the first report is written, so that a start without failures sets up no
// standard stream and no locale.
#pragma once

#include <ostream>

namespace stk {

class Diagnostics {
public:
    // Reports to `stream` (a test's string stream, the batch program's stream).
    Diagnostics(std::ostream& stream) : stream_(&stream) {}  // NOLINT: implicit, so streams are passed as they are

    // Reports to file descriptor 2, written through as each piece comes.
    static Diagnostics standard_error();

    // Writes `value` as the stream writes it (a path in double quotes).
    template <class T>
    const Diagnostics& operator<<(const T& value) const
    {
        stream() << value;
        return *this;
    }

private:
    using MakeStream = std::ostream& (*)();
    explicit Diagnostics(MakeStream make) : make_(make) {}
    std::ostream& stream() const { return stream_ ? *stream_ : make_(); }

    std::ostream* stream_ = nullptr;
    MakeStream make_ = nullptr;
};

}  // namespace stk
