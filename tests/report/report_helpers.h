// The worked example as the report receives it, in each language.
#pragma once

#include "report/report_content.h"
#include "store/table_file.h"
#include "../worked_example.h"

#include <algorithm>
#include <sstream>

namespace report_test {

inline stk::TradTable shipped_translations()
{
    stk::TradTable table;
    std::ostringstream diag;
    stk::load_table(STK_DATA_DIR "/trad_stk_secu.txt", table.rows, diag);
    return table;
}

inline stk::ReportInputs worked_example(const stk::TradTable& table, std::size_t language, std::string separator)
{
    stk::ReportInputs in;
    std::copy(stk::worked::texts.begin(), stk::worked::texts.end(), in.field_texts.begin());
    in.separator = std::move(separator);
    in.translate = stk::translator(table, language);
    in.date = "2026-12-06";
    in.reference = "RLT-6204-2RS";
    in.description = "Roulement à billes du convoyeur principal";
    in.most_sensitive = stk::Field::crt;
    return in;
}

}  // namespace report_test
