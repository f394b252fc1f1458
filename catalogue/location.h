// Where a catalogue is: a file, or a database on a server.
#pragma once

#include <string_view>

namespace stk {

// True for a server's connection ("postgresql://…", "postgres://…" or
// "keyword=value …"); anything else is a file path.
bool is_server_location(std::string_view where);

}  // namespace stk
