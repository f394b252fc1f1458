#include "store/table_file.h"

namespace stk {

ReadStatus load_table(const std::filesystem::path& file, Records& table, Diagnostics diag, std::size_t min_texts)
{
    table.clear();
    const ReadResult result = read_or_create(file);
    switch (result.status) {
    case ReadStatus::read:
        parse_records(result.bytes, table, min_texts);
        break;
    case ReadStatus::created:
        break;
    case ReadStatus::create_failed:
        diag << "stk_secu: cannot create " << file << ": " << result.reason << "; starting with an empty table\n";
        break;
    case ReadStatus::unreadable:
        diag << "stk_secu: cannot read " << file << ": " << result.reason << "; it will be left as it is\n";
        break;
    }
    return result.status;
}

bool save_table(const std::filesystem::path& file, const Records& table, Diagnostics diag)
{
    const std::string reason = replace_file(file, format_records(table));
    if (reason.empty())
        return true;
    diag << "stk_secu: cannot save " << file << ": " << reason << "; the file is left as it was\n";
    return false;
}

}  // namespace stk
