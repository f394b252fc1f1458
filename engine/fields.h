// The eight input fields of the calculator.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace stk {

// Indexes of the input fields, in the order of the form: the company's two
// parameters, then the article's six.
enum class Field : std::size_t { cct, tst, dat, pst, uut, dvt, crt, nbt };
inline constexpr std::size_t field_count = 8;

struct FieldInfo {
    Field field;
    std::string_view name;     // control name
    std::string_view caption;  // its caption label in French, as the window first shows it
    std::string_view unit;     // its unit label in French
};

inline constexpr std::array<FieldInfo, field_count> fields{{
    {Field::cct, "cct", "Coût de Commande", "€"},
    {Field::tst, "tst", "Taux de Stockage", "% / mois"},
    {Field::dat, "dat", "Délai moy. d'obtent°", "semaine(s)"},
    {Field::pst, "pst", "Prix Standard", "€"},
    {Field::uut, "uut", "Utilisation unitaire", "heures / an"},
    {Field::dvt, "dvt", "Durée de vie moyenne", "heures"},
    {Field::crt, "crt", "Coût du risque de rupture", "€ / jour"},
    {Field::nbt, "nbt", "Nb pièces actives", "Pièce(s)"},
}};

constexpr const FieldInfo& info(Field f) { return fields[static_cast<std::size_t>(f)]; }

// The six article parameters, in the order of the article frame.
inline constexpr std::size_t article_param_count = 6;
inline constexpr std::array<Field, article_param_count> article_fields{Field::dat, Field::pst, Field::uut,
                                                                       Field::dvt, Field::crt, Field::nbt};

// The current texts of the eight fields, indexed by Field.
class FieldTexts {
public:
    std::string_view& operator[](Field f) { return texts_[static_cast<std::size_t>(f)]; }
    std::string_view operator[](Field f) const { return texts_[static_cast<std::size_t>(f)]; }

private:
    std::array<std::string_view, field_count> texts_{};
};

}  // namespace stk
