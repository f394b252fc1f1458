// Temporary folders, raw file access and a stand-in for the window.
#pragma once

#include "store/form.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace stk::testing {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir()
        : path_(fs::temp_directory_path() / ("stk_store_" + std::to_string(std::random_device{}())))
    {
        fs::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

inline std::string read_bytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void write_bytes(const fs::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

inline std::vector<std::string> folder_entries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

// The window's controls in control order, with their designed captions. Input
// fields recalculate when their text changes, as the real window does.
class FakeWindow : public ControlWalk {
public:
    enum class Kind { plain, text_box, captioned };
    struct Control {
        std::string name;
        Kind kind;
        std::string value;  // text or caption
    };

    FakeWindow();

    std::size_t control_count() const override { return controls.size(); }
    std::string control_name(std::size_t pos) const override { return controls[pos].name; }
    bool is_text_box(std::size_t pos) const override { return controls[pos].kind == Kind::text_box; }
    bool has_caption(std::size_t pos) const override { return controls[pos].kind == Kind::captioned; }
    std::string text(std::size_t pos) const override { return controls[pos].value; }
    void set_text(std::size_t pos, std::string_view text) override;
    std::string caption(std::size_t pos) const override { return controls[pos].value; }
    void set_caption(std::size_t pos, std::string_view caption) override { controls[pos].value = caption; }
    std::string title() const override { return window_title; }
    void set_title(std::string_view title) override { window_title = title; }
    void calc() override;

    // The value of the first control of that name.
    std::string& value(const std::string& name);
    // Every caption with a text, in control order, then the title.
    std::vector<std::string> captions() const;

    std::vector<Control> controls;
    std::string window_title = "Vexa - Calcul Stock de Sécurité pour Equipements de Maintenance";
    int calc_count = 0;
    std::string cct_at_last_calc;
};

// The 32 distinct captions in the order the window meets them, title last.
extern const std::vector<std::string> window_captions;

}  // namespace stk::testing
