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
    std::string_view caption;  // caption label as designed
    std::string_view unit;     // unit label as designed
    std::string_view number;   // name of the number in the formulas
};

inline constexpr std::array<FieldInfo, field_count> fields{{
    {Field::cct, "cct", "Coût de Commande", "€", "cc"},
    {Field::tst, "tst", "Taux de Stockage", "% / mois", "ts"},
    {Field::dat, "dat", "Délai moy. d'obtent°", "semaine(s)", "da"},
    {Field::pst, "pst", "Prix Standard", "€", "ps"},
    {Field::uut, "uut", "Utilisation unitaire", "heures / an", "uu"},
    {Field::dvt, "dvt", "Durée de vie moyenne", "heures", "dv"},
    {Field::crt, "crt", "Coût du risque de rupture", "€ / jour", "cr"},
    {Field::nbt, "nbt", "Nb pièces actives", "Pièce(s)", "nb"},
}};

// The order in which a calculation reads the fields.
inline constexpr std::array<Field, field_count> read_order{Field::nbt, Field::dat, Field::pst, Field::uut,
                                                           Field::dvt, Field::crt, Field::cct, Field::tst};

constexpr const FieldInfo& info(Field f) { return fields[static_cast<std::size_t>(f)]; }

// The current texts of the eight fields, indexed by Field.
class FieldTexts {
public:
    std::string_view& operator[](Field f) { return texts_[static_cast<std::size_t>(f)]; }
    std::string_view operator[](Field f) const { return texts_[static_cast<std::size_t>(f)]; }

private:
    std::array<std::string_view, field_count> texts_{};
};

}  // namespace stk
