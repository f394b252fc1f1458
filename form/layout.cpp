#include "form/layout.h"

#include <array>

namespace stk::ui {
namespace {

constexpr int box_w = 1095, box_h = 285, label_h = 255;

constexpr ControlDef make(Kind kind, std::string_view name, int index, std::string_view in, Twips at, int tab = no_tab)
{
    ControlDef def;
    def.kind = kind;
    def.name = name;
    def.index = index;
    def.container = in;
    def.at = at;
    def.tab = tab;
    return def;
}

constexpr ControlDef frame(std::string_view name, std::string_view in, Twips at, std::string_view title, int tab,
                           ColourRole colour, FontRole font = FontRole::normal)
{
    ControlDef def = make(Kind::frame, name, no_index, in, at, tab);
    def.caption = title;
    def.colour = colour;
    def.font = font;
    return def;
}

constexpr ControlDef box(std::string_view name, int index, std::string_view in, int left, int top, int tab, Ref label)
{
    ControlDef def = make(Kind::text_box, name, index, in, {left, top, box_w, box_h}, tab);
    def.label = label;
    return def;
}

constexpr ControlDef input(std::string_view name, std::string_view in, int left, int top, int tab, Ref label)
{
    return box(name, no_index, in, left, top, tab, label);
}

// The recommended safety stock, alone in its frame.
constexpr ControlDef recommended()
{
    ControlDef def = box("sst", 5, "Frame2", 900, 420, 33, {"Frame2"});
    def.at = {900, 420, 555, 450};
    def.font = FontRole::big;
    def.colour = ColourRole::maroon;
    def.centred = true;
    return def;
}

constexpr ControlDef label(std::string_view name, std::string_view in, int index, Twips at, std::string_view text,
                           ColourRole colour)
{
    ControlDef def = make(Kind::label, name, index, in, at);
    def.caption = text;
    def.colour = colour;
    return def;
}

// A field caption, in the window-text colour.
constexpr ControlDef caption(std::string_view in, int index, int left, int top, int width, std::string_view text)
{
    return label("Etiquette27", in, index, {left, top, width, label_h}, text, ColourRole::standard);
}

// A unit label, in black.
constexpr ControlDef unit(std::string_view in, int index, int left, int top, int width, std::string_view text)
{
    return label("Etiquette30", in, index, {left, top, width, label_h}, text, ColourRole::black);
}

constexpr ControlDef euro(int index, int column, int top)
{
    return unit("Frame1", index, 3720 + 1500 * column, top, 315, "€");
}

constexpr ControlDef picture_button(std::string_view name, std::string_view in, Twips at, int tab,
                                    std::string_view picture, std::string_view tip)
{
    ControlDef def = make(Kind::button, name, no_index, in, at, tab);
    def.picture = picture;
    def.tip = tip;
    return def;
}

constexpr ControlDef caption_button(std::string_view name, std::string_view in, Twips at, int tab,
                                    std::string_view text, ColourRole face)
{
    ControlDef def = make(Kind::button, name, no_index, in, at, tab);
    def.caption = text;
    def.colour = face;
    return def;
}

constexpr ControlDef link(std::string_view name, int top, std::string_view text, int tab, std::string_view tip)
{
    ControlDef def = make(Kind::link, name, no_index, "", {120, top, 3015, label_h}, tab);
    def.caption = text;
    def.font = FontRole::link;
    def.colour = ColourRole::navy;
    def.centred = true;
    def.tip = tip;
    return def;
}

constexpr ControlDef rule(int column)
{
    return make(Kind::line, "Line1", column, "Frame1", {2580 + 1500 * column, 1650, 1080, 0});
}

constexpr ControlDef flag(int index, int top, std::string_view picture, std::string_view tip)
{
    ControlDef def = make(Kind::image, "ln", index, "", {13320, top, 480, 330});
    def.picture = picture;
    def.tip = tip;
    return def;
}

constexpr auto table = std::to_array<ControlDef>({
    make(Kind::timer, "Timer1", no_index, "", {}),
    frame("aide_r", "", {3060, 1560, 6735, 1425}, "Coût du risque de rupture", 93, ColourRole::maroon),
    input("jt", "aide_r", 3900, 600, 101, {"Etiquette27", 17}),
    picture_button("Command3", "aide_r", {5400, 930, 360, 390}, 100, "ok.svg", "Valider"),
    picture_button("Command2", "aide_r", {5940, 930, 360, 390}, 99, "cancel.svg", "Annuler"),
    input("npi", "aide_r", 3900, 930, 95, {"Etiquette27", 16}),
    input("vp", "aide_r", 3900, 270, 94, {"Etiquette27", 13}),
    unit("aide_r", 30, 5040, 630, 1395, "jours / an"),
    caption("aide_r", 17, 240, 630, 3015, "Jours ouvrés"),
    caption("aide_r", 16, 240, 960, 4035, "Nb Process industriels indépendants"),
    caption("aide_r", 13, 240, 300, 3015, "Valorisation de la Production"),
    unit("aide_r", 29, 5040, 300, 1635, "Millions € / an"),
    picture_button("Picture2", "", {12480, 6150, 540, 540}, 92, "clear.svg", "Effacer tout"),
    picture_button("validation", "", {12480, 6750, 540, 540}, 91, "quit.svg", "Quitter"),
    link("site_web", 6330, "www.example.com", 74, "http://www.example.com"),
    link("email_sup", 6660, "Nous contacter", 73, "mailto:support@example.com"),

    frame("Frame4", "", {60, 90, 4995, 2415}, "Paramètres Article", 66, ColourRole::navy),
    picture_button("Command1", "Frame4", {4560, 1890, 375, 375}, 90, "help.svg",
                   "Aide au calcul du coût du risque de rupture"),
    input("dat", "Frame4", 2580, 630, 1, {"Etiquette27", 0}),
    input("pst", "Frame4", 2580, 960, 2, {"Etiquette27", 1}),
    input("uut", "Frame4", 2580, 1290, 3, {"Etiquette27", 2}),
    input("dvt", "Frame4", 2580, 1620, 4, {"Etiquette27", 3}),
    input("crt", "Frame4", 2580, 1950, 5, {"Etiquette27", 4}),
    input("nbt", "Frame4", 2580, 300, 0, {"Etiquette27", 12}),
    unit("Frame4", 1, 3720, 660, 1095, "semaine(s)"),
    caption("Frame4", 0, 240, 660, 1995, "Délai moy. d'obtent°"),
    unit("Frame4", 0, 3720, 990, 1095, "€"),
    caption("Frame4", 1, 240, 990, 1995, "Prix Standard"),
    unit("Frame4", 2, 3720, 1320, 1095, "heures / an"),
    caption("Frame4", 2, 240, 1320, 1995, "Utilisation unitaire"),
    unit("Frame4", 3, 3720, 1650, 1095, "heures"),
    caption("Frame4", 3, 240, 1650, 2175, "Durée de vie moyenne"),
    unit("Frame4", 4, 3720, 1980, 1095, "€ / jour"),
    caption("Frame4", 4, 240, 1980, 2655, "Coût du risque de rupture"),
    caption("Frame4", 12, 240, 330, 2655, "Nb pièces actives"),
    unit("Frame4", 27, 3720, 330, 1095, "Pièce(s)"),

    frame("Frame3", "", {60, 2580, 4995, 1095}, "Paramètres Société", 65, ColourRole::dark_green),
    input("cct", "Frame3", 2580, 300, 6, {"Etiquette27", 5}),
    input("tst", "Frame3", 2580, 630, 7, {"Etiquette27", 6}),
    unit("Frame3", 5, 3720, 330, 1095, "€"),
    caption("Frame3", 5, 240, 330, 1995, "Coût de Commande"),
    unit("Frame3", 6, 3720, 660, 1095, "% / mois"),
    caption("Frame3", 6, 240, 660, 1995, "Taux de Stockage"),

    frame("Frame1", "", {60, 3750, 13815, 2205}, "Résultat calculé", 37, ColourRole::rust),
    caption_button("Command4", "Frame1", {10440, 270, 3060, 360}, 104, "Paramètre le plus sensible", ColourRole::face),
    frame("Frame2", "Frame1", {10440, 900, 3135, 1125}, "Stock de Sécurité", 63, ColourRole::rust, FontRole::title12),
    recommended(),
    unit("Frame2", 28, 1500, 510, 1095, "Pièce(s)"),
    box("rt", 0, "Frame1", 2580, 630, 9, {"Etiquette27", 7}),
    box("sst", 0, "Frame1", 2580, 300, 8, {"Etiquette27", 8}),
    box("cdt", 0, "Frame1", 2580, 960, 10, {"Etiquette27", 9}),
    box("cgt", 0, "Frame1", 2580, 1320, 11, {"Etiquette27", 10}),
    box("tt", 0, "Frame1", 2580, 1710, 12, {"Etiquette27", 11}),
    box("rt", 1, "Frame1", 4080, 630, 14, {"Etiquette27", 7}),
    box("sst", 1, "Frame1", 4080, 300, 13, {"Etiquette27", 8}),
    box("cdt", 1, "Frame1", 4080, 960, 15, {"Etiquette27", 9}),
    box("cgt", 1, "Frame1", 4080, 1320, 16, {"Etiquette27", 10}),
    box("tt", 1, "Frame1", 4080, 1710, 17, {"Etiquette27", 11}),
    box("rt", 2, "Frame1", 5580, 630, 19, {"Etiquette27", 7}),
    box("sst", 2, "Frame1", 5580, 300, 18, {"Etiquette27", 8}),
    box("cdt", 2, "Frame1", 5580, 960, 20, {"Etiquette27", 9}),
    box("cgt", 2, "Frame1", 5580, 1320, 21, {"Etiquette27", 10}),
    box("tt", 2, "Frame1", 5580, 1710, 22, {"Etiquette27", 11}),
    box("rt", 3, "Frame1", 7080, 630, 24, {"Etiquette27", 7}),
    box("sst", 3, "Frame1", 7080, 300, 23, {"Etiquette27", 8}),
    box("cdt", 3, "Frame1", 7080, 960, 25, {"Etiquette27", 9}),
    box("cgt", 3, "Frame1", 7080, 1320, 26, {"Etiquette27", 10}),
    box("tt", 3, "Frame1", 7080, 1710, 27, {"Etiquette27", 11}),
    box("rt", 4, "Frame1", 8580, 630, 29, {"Etiquette27", 7}),
    box("sst", 4, "Frame1", 8580, 300, 28, {"Etiquette27", 8}),
    box("cdt", 4, "Frame1", 8580, 960, 30, {"Etiquette27", 9}),
    box("cgt", 4, "Frame1", 8580, 1320, 31, {"Etiquette27", 10}),
    box("tt", 4, "Frame1", 8580, 1710, 32, {"Etiquette27", 11}),
    euro(7, 0, 660),
    caption("Frame1", 7, 240, 660, 1995, "Risque"),
    caption("Frame1", 8, 240, 330, 1995, "Stock de Sécurité"),
    euro(8, 0, 990),
    caption("Frame1", 9, 240, 990, 1995, "Coût direct"),
    euro(9, 0, 1350),
    caption("Frame1", 10, 240, 1350, 1995, "Coût de Gestion"),
    euro(10, 0, 1740),
    caption("Frame1", 11, 240, 1740, 1995, "Total"),
    rule(0),
    // clang-format off
    euro(11, 1, 660), euro(12, 1, 990), euro(13, 1, 1350), euro(14, 1, 1740), rule(1),
    euro(15, 2, 660), euro(16, 2, 990), euro(17, 2, 1350), euro(18, 2, 1740), rule(2),
    euro(19, 3, 660), euro(20, 3, 990), euro(21, 3, 1350), euro(22, 3, 1740), rule(3),
    euro(23, 4, 660), euro(24, 4, 990), euro(25, 4, 1350), euro(26, 4, 1740), rule(4),
    // clang-format on

    make(Kind::chart, "g", no_index, "", {5100, 0, 8835, 3825}, 36),
    flag(0, 6150, "flag_fr.svg", "Français"),
    flag(1, 6540, "flag_us.svg", "English"),
    flag(2, 6930, "flag_br.svg", "Português"),
});

}  // namespace

std::span<const ControlDef> controls() { return table; }

int find_control(std::string_view name, int index)
{
    for (std::size_t pos = 0; pos < table.size(); ++pos)
        if (table[pos].name == name && table[pos].index == index)
            return static_cast<int>(pos);
    return -1;
}

}  // namespace stk::ui
