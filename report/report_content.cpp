#include "report/report_content.h"

#include "engine/model.h"

namespace stk {
namespace {

constexpr std::string_view window_title = "Vexa - Calcul Stock de Sécurité pour Equipements de Maintenance";

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

}  // namespace

Translate translator(const TradTable& table, std::optional<std::size_t> column)
{
    return [&table, column](std::string_view french) {
        if (column)
            for (std::size_t i = 0; i < table.rows.size(); ++i)
                if (table.rows[i][0] == french && !table.rows[i][*column].empty())
                    return table.rows[i][*column];
        return std::string(french);
    };
}

ReportContent report_content(const ReportInputs& in)
{
    const Translate tr =
        in.translate ? in.translate : Translate([](std::string_view french) { return std::string(french); });
    ReportContent out;

    FieldTexts texts;
    for (const FieldInfo& f : fields)
        texts[f.field] = in.field_texts[static_cast<std::size_t>(f.field)];
    const Calculation c = calc(texts);
    out.separator = in.separator;
    out.shown = present(c, in.separator);
    out.recommended = c.imin;

    out.title = tr(report_phrase::title);
    out.date_line = fill(tr(report_phrase::printed_on), {in.date});
    out.reference_caption = tr(report_phrase::reference);
    out.reference = trimmed(in.reference);
    out.description_caption = tr(report_phrase::description);
    out.description = trimmed(in.description);

    out.company_heading = tr("Paramètres Société");
    out.article_heading = tr("Paramètres Article");
    for (const FieldInfo& f : fields) {
        ParamLine line{f.field, tr(f.caption), trimmed(in.field_texts[static_cast<std::size_t>(f.field)]), tr(f.unit)};
        (f.field == Field::cct || f.field == Field::tst ? out.company : out.article).push_back(std::move(line));
    }

    out.results_heading = tr("Résultat calculé");
    out.line_captions = {tr("Stock de Sécurité"), tr("Risque"), tr("Coût direct"), tr("Coût de Gestion"), tr("Total")};
    out.money = tr("€");
    out.recommended_caption = out.line_captions[0];
    out.recommended_unit = tr("Pièce(s)");

    out.ranges_heading = tr(report_phrase::ranges);
    out.ranges_note = tr(report_phrase::ranges_note);
    const DecisionRanges ranges = decision_ranges(c.params);
    for (const FieldInfo& f : fields) {
        const auto i = static_cast<std::size_t>(f.field);
        out.range_captions[i] = tr(f.caption);
        out.range_texts[i] = range_text(ranges[i], tr(f.unit), in.separator, tr);
    }

    out.labelled = tr(report_phrase::labelled);
    out.sensitive_caption = tr("Paramètre le plus sensible");
    out.sensitive_value = in.most_sensitive ? tr(info(*in.most_sensitive).caption) : "—";

    out.series = {out.line_captions[1], out.line_captions[1] + " + " + out.line_captions[2], out.line_captions[4]};
    out.levels_caption = out.line_captions[0];
    out.footer = tr(window_title);
    return out;
}

}  // namespace stk
