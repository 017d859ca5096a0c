#pragma once
// Message texts of the company: a row in the table meldungstext replaces the
// built-in catalogue text of that group and number (placeholders "%s" as there).
#include <string>
#include <vector>

// Makes the framework's catalogue read overrides from the company database
// (KWDDatenbank(), while it is open); called once at program start.
void MeldungstexteAusDatenbank();

// Stores an override; an empty text is refused (std::invalid_argument).
void MeldungstextSetzen(const std::string& AGruppe, int ANr, const std::string& AText);
// Removes an override, so the built-in text applies again. Returns whether one was there.
bool MeldungstextEntfernen(const std::string& AGruppe, int ANr);

struct TMeldungstextEintrag {
  std::string Gruppe;
  int Nr = 0;
  std::string Text;        // the effective text, with its placeholders
  bool Ueberschrieben = false;
};
// The effective catalogue: every built-in text and every override, ordered
// by group and number.
std::vector<TMeldungstextEintrag> MeldungskatalogListe();
