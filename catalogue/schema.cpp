#include "catalogue/schema.h"

namespace stk::db {

Done refuse_schema(std::int64_t version, bool foreign, const std::string& where)
{
    if (version > catalogue_schema_version)
        return Failure{Problem::newer_version, where + ": " + std::to_string(version)};
    if (foreign)
        return Failure{Problem::not_a_catalogue, where};
    return std::nullopt;
}

Done upgrade_schema(Connection& db, std::int64_t version, const UpgradeSteps& steps, const std::string& where)
{
    const auto run = [&](const std::string& sql) -> Done {
        if (auto f = db.exec(sql))
            return Failure{db.fault() == Fault::unique ? Problem::storage : problem_of(db.fault()), where + ": " + *f};
        return std::nullopt;
    };
    if (version < 2)
        if (auto f = run(steps.to_v2))
            return f;
    if (version < 3)
        if (auto f = run(steps.to_v3))
            return f;
    return run(steps.set_version);
}

}  // namespace stk::db
