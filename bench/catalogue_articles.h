// Varied articles for the catalogue benchmarks, and a catalogue file of them.
#pragma once

#include "catalogue/catalogue.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

inline std::vector<stk::ArticleData> bench_articles(std::size_t count)
{
    std::vector<stk::ArticleData> out(count);
    for (std::size_t i = 0; i < count; ++i) {
        stk::ArticleData& a = out[i];
        a.reference = "ART-" + std::to_string(100000 + i);
        a.description = "Roulement série " + std::to_string(i % 977);
        a.params = {std::to_string(1 + i % 12),     std::to_string(50 + (i * 37) % 5000),
                    std::to_string(500 + i % 8000), std::to_string(5000 + (i * 13) % 60000),
                    std::to_string(100 + i % 2000), std::to_string(1 + i % 9)};
        if (i % 3 != 0)
            a.stock = static_cast<std::int64_t>(i % 6);
    }
    return out;
}

// A folder under the temporary folder, removed at the end.
class BenchFolder {
public:
    BenchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "stk_bench_XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~BenchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Fills a new catalogue in `folder` with `count` articles; false on failure.
inline bool fill_catalogue(const std::filesystem::path& folder, std::size_t count)
{
    auto c = stk::Catalogue::open(stk::catalogue_path(folder));
    if (!c)
        return false;
    auto articles = bench_articles(count);
    auto plan = c.value->preview_import(articles);
    return plan && c.value->commit_import(std::move(articles), *plan.value);
}

// A folder holding a catalogue of `count` articles, made once per program.
inline const std::filesystem::path& filled_folder(std::size_t count)
{
    static BenchFolder folder;
    static const bool filled = fill_catalogue(folder.path(), count);
    (void)filled;
    return folder.path();
}
