#include "store/session.h"

#include "store/table_file.h"

namespace stk {
namespace {

void restore_text_boxes(const ParamTable& params, ControlWalk& walk)
{
    for (std::size_t pos = 0; pos < walk.control_count(); ++pos)
        if (walk.is_text_box(pos))
            walk.set_text(pos, params.getparam(window_name, walk.control_name(pos), ""));
}

void store_text_boxes(ParamTable& params, const ControlWalk& walk)
{
    for (std::size_t pos = 0; pos < walk.control_count(); ++pos)
        if (walk.is_text_box(pos))
            params.setparam(window_name, walk.control_name(pos), walk.text(pos));
}

bool load_kept(const std::filesystem::path& file, Records& table, Diagnostics diag, std::size_t min_texts)
{
    return load_table(file, table, diag, min_texts) == ReadStatus::unreadable;
}

void save_unless_kept(const std::filesystem::path& file, const Records& table, bool kept, Diagnostics diag)
{
    if (kept)
        diag << "stk_secu: not saving " << file << ": it could not be read at start-up and is left as it is\n";
    else
        save_table(file, table, diag);
}

}  // namespace

void translate_captions(Store& store, ControlWalk& walk) { translate_window(store.tab_param, store.tab_trad, walk); }

void choose_language(Store& store, ControlWalk& walk, int index)
{
    store.tab_param.setparam(window_name, "langue", index);
    translate_captions(store, walk);
}

void load_files(Store& store, ControlWalk& walk, const std::filesystem::path& folder, Diagnostics diag)
{
    store.keep_param_file = load_kept(folder / param_file_name, store.tab_param.rows, diag, 3);
    restore_text_boxes(store.tab_param, walk);
    // A translation file may hold fewer languages than three: the missing ones are empty.
    store.keep_trad_file = load_kept(folder / trad_file_name, store.tab_trad.rows, diag, 2);
    translate_captions(store, walk);
    walk.calc();
}

void save_files(Store& store, ControlWalk& walk, const std::filesystem::path& folder, Diagnostics diag)
{
    store_text_boxes(store.tab_param, walk);
    save_unless_kept(folder / param_file_name, store.tab_param.rows, store.keep_param_file, diag);
    save_unless_kept(folder / trad_file_name, store.tab_trad.rows, store.keep_trad_file, diag);
}

}  // namespace stk
