// The catalogue on a PostgreSQL server, through libpq. Several copies of the
// program share it: every write transaction first takes the change counter's
// row, so writers take turns (waiting at most lock_wait_seconds), and an edit
// names the version it was based on.
#pragma once

#include "catalogue/engine.h"

#include <memory>
#include <string>
#include <string_view>

namespace stk::db {

inline constexpr int connect_timeout_seconds = 5;
inline constexpr int lock_wait_seconds = 5;

// Connects (libpq's URI or "keyword=value" string; the password only from
// ~/.pgpass or PGPASSWORD, as libpq reads them) and creates or upgrades the
// catalogue's tables there. Two programs meeting an empty database at once
// take turns. A server that cannot be reached is Problem::offline, with
// libpq's message on one line.
Result<std::unique_ptr<Connection>> connect_postgres(std::string_view connection);

// The connection as "keyword=value" pairs without any password, for display;
// empty when libpq cannot read it.
std::string without_password(std::string_view connection);

// A value for libpq's "keyword=value" form: as it is, or quoted with its
// quotes and backslashes escaped when it is empty or holds any of them or a blank.
std::string conninfo_value(std::string_view value);

}  // namespace stk::db
