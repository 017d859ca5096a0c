#include "support/services/Meldungstexte.h"

#include <map>
#include <stdexcept>

#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDMeldungen.h"

namespace {

// The numbers the built-in catalogue holds.
struct TBereich {
  const char* Gruppe;
  int Von;
  int Bis;
};
constexpr TBereich CEingebaut[] = {{"INVANF", 1001, 1019}, {"STANDARD", 997, 997}};

std::optional<std::string> Ueberschreibung(TDbConnection& ADb, const std::string& AGruppe, int ANr) {
  auto Stmt = ADb.Prepare("SELECT text FROM meldungstext WHERE gruppe = ? AND nr = ?");
  Stmt->BindText(1, AGruppe);
  Stmt->BindInt(2, ANr);
  if (!Stmt->Step()) return std::nullopt;
  return Stmt->ColumnText(0);
}

}  // namespace

void MeldungstexteAusDatenbank() {
  KWDMeldungQuelleSet([](const std::string& AGruppe, int ANr) -> std::optional<std::string> {
    // A message must still reach the user when the database cannot be read.
    try {
      if (!KWDDatenbank_Offen()) return std::nullopt;
      return Ueberschreibung(KWDDatenbank(), AGruppe, ANr);
    } catch (const std::exception& E) {
      KWDLogSchreiben("MeldungstexteAusDatenbank", E);
      return std::nullopt;
    }
  });
}

void MeldungstextSetzen(const std::string& AGruppe, int ANr, const std::string& AText) {
  if (AGruppe.empty()) throw std::invalid_argument("Bitte geben Sie die Meldungsgruppe an.");
  if (AText.empty()) throw std::invalid_argument("Ein Meldungstext darf nicht leer sein.");
  auto Stmt = KWDDatenbank().Prepare(
      "INSERT INTO meldungstext (gruppe, nr, text) VALUES (?, ?, ?) "
      "ON CONFLICT (gruppe, nr) DO UPDATE SET text = excluded.text");
  Stmt->BindText(1, AGruppe);
  Stmt->BindInt(2, ANr);
  Stmt->BindText(3, AText);
  Stmt->Execute();
}

bool MeldungstextEntfernen(const std::string& AGruppe, int ANr) {
  auto Stmt = KWDDatenbank().Prepare("DELETE FROM meldungstext WHERE gruppe = ? AND nr = ?");
  Stmt->BindText(1, AGruppe);
  Stmt->BindInt(2, ANr);
  return Stmt->Execute() > 0;
}

std::vector<TMeldungstextEintrag> MeldungskatalogListe() {
  std::map<std::pair<std::string, int>, TMeldungstextEintrag> Alle;
  for (const TBereich& B : CEingebaut)
    for (int Nr = B.Von; Nr <= B.Bis; ++Nr)
      if (auto Text = KWDMeldungVorlageIntern(B.Gruppe, Nr)) Alle[{B.Gruppe, Nr}] = {B.Gruppe, Nr, *Text, false};
  auto Stmt = KWDDatenbank().Prepare("SELECT gruppe, nr, text FROM meldungstext");
  while (Stmt->Step()) {
    std::string Gruppe = Stmt->ColumnText(0);
    int Nr = static_cast<int>(Stmt->ColumnInt(1));
    Alle[{Gruppe, Nr}] = {Gruppe, Nr, Stmt->ColumnText(2), true};
  }
  std::vector<TMeldungstextEintrag> Liste;
  for (auto& [Schluessel, Eintrag] : Alle) Liste.push_back(std::move(Eintrag));
  return Liste;
}
