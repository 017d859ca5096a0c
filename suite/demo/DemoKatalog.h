#pragma once
// The German words the demo company is built from: group texts, towns,
// suppliers, materials, colours. Fixed lists, so the seed alone decides.
#include <array>
#include <string_view>

namespace DemoKatalog {

struct THauptgruppe {
  std::string_view Text;
  std::array<std::string_view, 6> Untergruppen;
};

inline constexpr std::array<THauptgruppe, 9> Hauptgruppen{{
    {"Damenbekleidung", {"Blusen", "Röcke", "Kleider", "Hosen", "Jacken", "Strickwaren"}},
    {"Herrenbekleidung", {"Hemden", "Sakkos", "Hosen", "Anzüge", "Pullover", "Mäntel"}},
    {"Kinderbekleidung", {"Babymode", "Mädchen", "Jungen", "Schulkleidung", "Outdoor", "Festmode"}},
    {"Wäsche und Nachtwäsche", {"Damenwäsche", "Herrenwäsche", "Nachthemden", "Schlafanzüge", "Strümpfe", "Bademode"}},
    {"Schuhe", {"Damenschuhe", "Herrenschuhe", "Kinderschuhe", "Sportschuhe", "Stiefel", "Hausschuhe"}},
    {"Accessoires", {"Gürtel", "Tücher", "Mützen", "Handschuhe", "Krawatten", "Schmuck"}},
    {"Sportbekleidung", {"Laufen", "Fitness", "Wandern", "Radsport", "Skisport", "Schwimmen"}},
    {"Heimtextilien", {"Bettwäsche", "Handtücher", "Tischwäsche", "Gardinen", "Decken", "Kissen"}},
    {"Taschen und Koffer", {"Handtaschen", "Rucksäcke", "Koffer", "Geldbörsen", "Aktentaschen", "Reisetaschen"}},
}};

inline constexpr std::array<std::string_view, 6> Linien{"Basis", "Premium", "Saisonware", "Große Größen",
                                                        "Junge Mode", "Business"};
inline constexpr std::array<std::string_view, 3> Saisons{"Frühjahr/Sommer", "Herbst/Winter", "Ganzjährig"};

inline constexpr std::array<std::string_view, 30> Orte{
    "Hamburg",   "Bremen",  "Hannover",  "Kassel",    "Köln",       "Düsseldorf", "Essen",    "Dortmund",
    "Münster",   "Frankfurt", "Mainz",   "Stuttgart", "Freiburg",   "München",    "Nürnberg", "Augsburg",
    "Regensburg", "Leipzig", "Dresden",  "Berlin",    "Potsdam",    "Rostock",    "Kiel",     "Lübeck",
    "Erfurt",    "Jena",    "Magdeburg", "Saarbrücken", "Trier",    "Würzburg"};

inline constexpr std::array<std::string_view, 8> Lagerorte{"Nord", "Süd", "West", "Ost",
                                                           "Mitte", "Rhein", "Elbe", "Main"};

inline constexpr std::array<std::string_view, 10> Firmenwoerter{
    "Textilwerk", "Modehaus", "Weberei", "Strickerei", "Schuhfabrik",
    "Lederwaren", "Konfektion", "Tuchmacherei", "Sportartikel", "Heimtex"};
inline constexpr std::array<std::string_view, 4> Rechtsformen{"GmbH", "KG", "GmbH & Co. KG", "AG"};

inline constexpr std::array<std::string_view, 12> Materialien{
    "Baumwolle", "Leinen", "Wolle", "Seide", "Viskose", "Polyester",
    "Leder", "Kaschmir", "Jersey", "Denim", "Fleece", "Cord"};
inline constexpr std::array<std::string_view, 12> Farben{
    "schwarz", "weiß", "marine", "rot", "grün", "beige",
    "grau meliert", "bordeaux", "oliv", "hellblau", "camel", "anthrazit"};

}  // namespace DemoKatalog
