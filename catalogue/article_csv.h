// A list of articles read from a CSV file with the columns stk_batch reads:
// the six article parameters (required) and the current stock, by key or by
// caption, plus the reference (required) and the description.
#pragma once

#include "catalogue/catalogue.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace stk {

struct CsvArticles {
    std::vector<ArticleData> articles;
    std::vector<std::size_t> lines;  // the line of the file each article starts on
};

// Every non-blank record after the header, parameters as they stand. A stock
// that is not a whole number is kept as -1, which the catalogue refuses. No
// list and one line in `error` when the file cannot be read or lacks a column.
std::optional<CsvArticles> read_article_csv(const std::filesystem::path& file, std::string& error);

}  // namespace stk
