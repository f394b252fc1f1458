#include "store/diagnostics.h"

#include <cerrno>
#include <streambuf>

#include <unistd.h>

namespace stk {
namespace {

// Writes everything it is given to file descriptor 2 at once, unbuffered.
class StandardErrorBuffer : public std::streambuf {
protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        std::streamsize done = 0;
        while (done < count) {
            const ssize_t written = ::write(2, text + done, static_cast<std::size_t>(count - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                break;
            done += written;
        }
        return done;
    }

    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        const char one = traits_type::to_char_type(c);
        return xsputn(&one, 1) == 1 ? c : traits_type::eof();
    }
};

std::ostream& standard_error_stream()
{
    struct Stream {
        StandardErrorBuffer buffer;
        std::ostream stream{&buffer};
    };
    static Stream made;
    return made.stream;
}

}  // namespace

Diagnostics Diagnostics::standard_error() { return Diagnostics(&standard_error_stream); }

}  // namespace stk
