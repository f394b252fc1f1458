#include "batch/catalogue_source.h"

#include "batch/captions.h"
#include "catalogue/article_csv.h"
#include "catalogue/catalogue.h"
#include "csv/csv.h"
#include "engine/fields.h"

namespace stk::batch {

namespace {

// The reason in the user's language, then the catalogue's own detail.
std::string failure_line(const Failure& f, int language)
{
    return f.line(window_captions(problem_caption(f.problem))[static_cast<std::size_t>(language)]);
}

std::optional<Catalogue> open_catalogue(const std::string& where, int language, std::string& error)
{
    auto c = Catalogue::open_location(where);
    if (!c) {
        error = failure_line(*c.failure, language);
        return std::nullopt;
    }
    return std::move(*c.value);
}

}  // namespace

std::optional<std::string> catalogue_as_csv(const std::string& where, char separator, int language, bool keys,
                                            std::string& error)
{
    auto c = open_catalogue(where, language, error);
    if (!c)
        return std::nullopt;
    csv::Format format;
    format.separator = separator;
    csv::Writer w(format);
    const auto lang = static_cast<std::size_t>(language);
    const auto caption = [&](std::string_view key, std::string_view french) {
        w.text(keys ? key : std::string_view(window_captions(french)[lang]));
    };
    caption("reference", "Référence");
    caption("description", "Désignation");
    for (Field f : article_fields)
        caption(info(f).name, info(f).caption);
    const Captions stock_captions{"Stock actuel", "Current stock", "Estoque atual"};
    w.text(keys ? std::string("stock") : stock_captions[lang]);
    w.end_row();
    const Done done = c->for_each([&](const Article& a) {
        w.text(a.reference);
        w.text(a.description);
        for (Field f : article_fields)
            w.text(a.param(f));
        w.text(a.stock ? std::to_string(*a.stock) : std::string());
        w.end_row();
    });
    if (done) {
        error = failure_line(*done, language);
        return std::nullopt;
    }
    return std::move(w.buffer());
}

std::optional<Imported> import_into_catalogue(const std::string& where, const std::string& input, int language,
                                              std::ostream& diag, std::string& error)
{
    auto list = read_article_csv(input, error);
    if (!list)
        return std::nullopt;
    auto c = open_catalogue(where, language, error);
    if (!c)
        return std::nullopt;
    auto plan = c->preview_import(list->articles);
    if (!plan) {
        error = failure_line(*plan.failure, language);
        return std::nullopt;
    }
    auto done = c->commit_import(list->articles, *plan.value);
    if (!done) {
        error = failure_line(*done.failure, language) + "; nothing imported";
        return std::nullopt;
    }
    for (const auto& r : done.value->refused)
        diag << "stk_batch: " << input << ", line " << list->lines[r.index]
             << ", not imported: " << failure_line(r.why, language) << "\n";
    return Imported{done.value->added, done.value->updated, done.value->refused.size()};
}

}  // namespace stk::batch
