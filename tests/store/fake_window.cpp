#include "test_support.h"

namespace stk::testing {
namespace {

using Kind = FakeWindow::Kind;

const std::set<std::string, std::less<>> input_fields{"cct", "tst", "dat", "pst",
                                                      "uut", "dvt", "crt", "nbt"};

void add(std::vector<FakeWindow::Control>& c, const std::string& name, Kind kind,
         const std::string& value = "")
{
    c.push_back({name, kind, value});
}

void add_boxes(std::vector<FakeWindow::Control>& c, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        add(c, name, Kind::text_box);
}

void add_labels(std::vector<FakeWindow::Control>& c,
                std::initializer_list<std::pair<const char*, const char*>> labels)
{
    for (const auto& [name, caption] : labels)
        add(c, name, Kind::captioned, caption);
}

}  // namespace

FakeWindow::FakeWindow()
{
    auto& c = controls;
    add(c, "Timer1", Kind::plain);
    add(c, "aide_r", Kind::captioned, "Coût du risque de rupture");
    add_boxes(c, {"jt"});
    add_labels(c, {{"Command3", ""}, {"Command2", ""}});
    add_boxes(c, {"npi", "vp"});
    add_labels(c, {{"Etiquette30", "jours / an"}, {"Etiquette27", "Jours ouvrés"},
                   {"Etiquette27", "Nb Process industriels indépendants"},
                   {"Etiquette27", "Valorisation de la Production"}, {"Etiquette30", "Millions € / an"},
                   {"Picture2", ""}, {"validation", ""}, {"site_web", "www.example.com"},
                   {"email_sup", "Nous contacter"}, {"Frame4", "Paramètres Article"}, {"Command1", ""}});
    add_boxes(c, {"dat", "pst", "uut", "dvt", "crt", "nbt"});
    add_labels(c, {{"Etiquette30", "semaine(s)"}, {"Etiquette27", "Délai moy. d'obtent°"},
                   {"Etiquette30", "€"}, {"Etiquette27", "Prix Standard"},
                   {"Etiquette30", "heures / an"}, {"Etiquette27", "Utilisation unitaire"},
                   {"Etiquette30", "heures"}, {"Etiquette27", "Durée de vie moyenne"},
                   {"Etiquette30", "€ / jour"}, {"Etiquette27", "Coût du risque de rupture"},
                   {"Etiquette27", "Nb pièces actives"}, {"Etiquette30", "Pièce(s)"},
                   {"Frame3", "Paramètres Société"}});
    add_boxes(c, {"cct", "tst"});
    add_labels(c, {{"Etiquette30", "€"}, {"Etiquette27", "Coût de Commande"},
                   {"Etiquette30", "% / mois"}, {"Etiquette27", "Taux de Stockage"},
                   {"Frame1", "Résultat calculé"}, {"Command4", "Paramètre le plus sensible"},
                   {"Frame2", "Stock de Sécurité"}});
    add_boxes(c, {"sst"});
    add_labels(c, {{"Etiquette30", "Pièce(s)"}});
    for (int i = 0; i < 5; ++i)
        add_boxes(c, {"rt", "sst", "cdt", "cgt", "tt"});
    add_labels(c, {{"Etiquette30", "€"}, {"Etiquette27", "Risque"}, {"Etiquette27", "Stock de Sécurité"},
                   {"Etiquette30", "€"}, {"Etiquette27", "Coût direct"}, {"Etiquette30", "€"},
                   {"Etiquette27", "Coût de Gestion"}, {"Etiquette30", "€"}, {"Etiquette27", "Total"}});
    add(c, "Line1", Kind::plain);
    for (int j = 1; j <= 4; ++j) {
        add_labels(c, {{"Etiquette30", "€"}, {"Etiquette30", "€"}, {"Etiquette30", "€"}, {"Etiquette30", "€"}});
        add(c, "Line1", Kind::plain);
    }
    for (const char* name : {"g", "ln", "ln", "ln"})
        add(c, name, Kind::plain);
}

void FakeWindow::set_text(std::size_t pos, std::string_view text)
{
    Control& control = controls[pos];
    const bool changed = control.value != text;
    control.value = text;
    if (changed && input_fields.contains(control.name))
        calc();
}

void FakeWindow::calc()
{
    ++calc_count;
    cct_at_last_calc = value("cct");
}

std::string& FakeWindow::value(const std::string& name)
{
    for (Control& control : controls)
        if (control.name == name)
            return control.value;
    throw std::out_of_range(name);
}

std::vector<std::string> FakeWindow::captions() const
{
    std::vector<std::string> out;
    for (const Control& control : controls)
        if (control.kind == Kind::captioned)
            out.push_back(control.value);
    out.push_back(window_title);
    return out;
}

const std::vector<std::string> window_captions{
    "Coût du risque de rupture", "jours / an", "Jours ouvrés",
    "Nb Process industriels indépendants", "Valorisation de la Production", "Millions € / an",
    "www.example.com", "Nous contacter", "Paramètres Article", "semaine(s)",
    "Délai moy. d'obtent°", "€", "Prix Standard", "heures / an", "Utilisation unitaire", "heures",
    "Durée de vie moyenne", "€ / jour", "Nb pièces actives", "Pièce(s)", "Paramètres Société",
    "Coût de Commande", "% / mois", "Taux de Stockage", "Résultat calculé",
    "Paramètre le plus sensible", "Stock de Sécurité", "Risque", "Coût direct", "Coût de Gestion",
    "Total", "Vexa - Calcul Stock de Sécurité pour Equipements de Maintenance"};

}  // namespace stk::testing
