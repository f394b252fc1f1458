// The catalogue's schema versions, common to every engine: which versions are
// refused, and the upgrade from an older one, step by step.
#pragma once

#include "catalogue/engine.h"

#include <cstdint>
#include <string>

namespace stk {

// The schema this program writes. Version 1 held no stock, no version number
// and used the reference as the key; version 2 had no change counter. Both are
// upgraded in place.
inline constexpr int catalogue_schema_version = 3;

namespace db {

// A newer schema than this program's, or someone else's tables where the
// catalogue should be, is left as it is.
Done refuse_schema(std::int64_t version, bool foreign, const std::string& where);

// The engine's SQL for each step.
struct UpgradeSteps {
    std::string to_v2;        // from nothing (or from version 1 on a file)
    std::string to_v3;        // the change counter and the description index
    std::string set_version;  // records catalogue_schema_version
};

// Runs the steps after `version`, inside the caller's transaction.
Done upgrade_schema(Connection& db, std::int64_t version, const UpgradeSteps& steps, const std::string& where);

}  // namespace db
}  // namespace stk
