// What the justification report says, as texts in the current language:
// built without Qt from the field texts, so that it can be checked as text.
#pragma once

#include "analysis/decision_ranges.h"
#include "analysis/range_text.h"
#include "engine/presentation.h"
#include "store/trad_table.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace stk {

// The phrases of the report that the window does not show, French as in the
// translation table.
namespace report_phrase {
// A caption and its value: "Stock de Sécurité : 3 Pièce(s)" (a no-break space before the colon).
inline constexpr std::string_view labelled = "%1\u00a0: %2";
inline constexpr std::string_view title = "Justification du stock de sécurité";
inline constexpr std::string_view printed_on = "Édité le %1";
inline constexpr std::string_view reference = "Référence";
inline constexpr std::string_view description = "Désignation";
inline constexpr std::string_view ranges = "Intervalles de décision";
inline constexpr std::string_view ranges_note =
    "Chaque paramètre varie seul, les sept autres restant fixes\u00a0; sans limite\u00a0: aucun changement entre "
    "1/1000 et 1000 fois la valeur saisie.";
}  // namespace report_phrase

struct ReportInputs {
    std::array<std::string, field_count> field_texts;  // as typed, indexed by Field
    std::string separator = ".";                       // the user's decimal separator
    Translate translate;                               // French to the current language; none keeps French
    std::string date;                                  // today, written for the user
    std::string reference;                             // the article's reference; empty when unknown
    std::string description;                           // the article's description; empty when unknown
    // The answer of the most-sensitive-parameter analysis; none when it has
    // not run or found nothing.
    std::optional<Field> most_sensitive;
};

struct ParamLine {
    Field field = Field::cct;
    std::string caption, value, unit;
};

struct ReportContent {
    std::string separator;  // the user's decimal separator, as every number is written
    std::string title;
    std::string date_line;
    std::string reference_caption, reference;      // reference empty when unknown
    std::string description_caption, description;  // description empty when unknown

    std::string company_heading, article_heading;
    std::vector<ParamLine> company;  // cct, tst
    std::vector<ParamLine> article;  // dat, pst, uut, dvt, crt, nbt

    std::string results_heading;
    std::array<std::string, line_count> line_captions;  // sst, rt, cdt, cgt, tt
    std::string money;                                  // the unit of the four money lines
    Presentation shown;                                 // the 25 texts and sst(5), as the window shows them
    int recommended = 1;
    std::string recommended_caption, recommended_unit;

    std::string ranges_heading, ranges_note;
    std::array<std::string, field_count> range_captions, range_texts;  // indexed by Field

    std::string sensitive_caption, sensitive_value;
    std::string labelled;  // "%1 : %2", a caption and its value  // value "—" when unknown

    std::array<std::string, series_count> series;  // chart legend
    std::string levels_caption;                    // chart's stock axis
    std::string footer;                            // the program's title
};

// Calculates, computes the decision ranges and writes every text.
ReportContent report_content(const ReportInputs& in);

// A Translate over the translation table in language `column` (none: French).
// It only reads the table: a phrase the table lacks stays French and is not
// learnt. The table must outlive the function.
Translate translator(const TradTable& table, std::optional<std::size_t> column);

}  // namespace stk
