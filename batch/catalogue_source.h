// stk_batch on a catalogue (a file or a server): its articles as the list to
// compute, or an input list imported into it in one transaction.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace stk::batch {

// Every article of the catalogue at `where`, sorted by reference, as a CSV
// text the batch program reads: the reference, the description, the six
// parameters as typed and the stock, separated by `separator`, the header in
// `language` (0 French, 1 English, 2 Portuguese) or by key. No text and one
// line in `error` when the catalogue cannot be read.
std::optional<std::string> catalogue_as_csv(const std::string& where, char separator, int language, bool keys,
                                            std::string& error);

// What an import into the catalogue did.
struct Imported {
    std::size_t added = 0, updated = 0, refused = 0;
};

// Imports the articles of the CSV file `input` (a reference column and the
// six parameters) into the catalogue at `where`: previewed, each refusal
// written to `diag` with its line and reason, then committed in one
// transaction; nothing is written when the catalogue changed between the two.
// No result and one line in `error` when nothing was imported.
std::optional<Imported> import_into_catalogue(const std::string& where, const std::string& input, int language,
                                              std::ostream& diag, std::string& error);

}  // namespace stk::batch
