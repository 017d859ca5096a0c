#include "support/services/UserRechte.h"

#include <stdexcept>

#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/TKWDInfo.h"
#include "support/services/Prozessidentitaet.h"

namespace {

void BenutzerPruefen(const std::string& ABenutzer) {
  if (ABenutzer.empty()) throw std::invalid_argument("Bitte geben Sie einen Benutzer an (\"*\" für alle Benutzer).");
}

void RechtPruefen(int ARecht) {
  if (ARecht < 0) throw std::invalid_argument("Ein Recht ist eine Nummer ab 0 (0 steht für alle Rechte).");
}

}  // namespace

std::string RechtBezeichnung(int ARecht) {
  switch (ARecht) {
    case wpfAlleRechte: return "alle Rechte";
    case wpfWarenwirtschaft: return "Warenwirtschaft";
    case wpfInventur: return "Inventur";
    case wpfInventuranforderungen: return "Inventuranforderungen";
    case wpfInventuranforderungAendern: return "Inventuranforderungen anlegen und löschen";
    default: return "Recht " + std::to_string(ARecht);
  }
}

bool BenutzerHatRecht(const std::string& ABenutzer, int ARecht) {
  // Most specific row first: own right, own "all", everyone's right, everyone's "all".
  auto Stmt = KWDDatenbank().Prepare(
      "SELECT erlaubt FROM benutzerrecht WHERE benutzer IN (?, '*') AND recht IN (?, 0) "
      "ORDER BY CASE WHEN benutzer = '*' THEN 1 ELSE 0 END, CASE WHEN recht = 0 THEN 1 ELSE 0 END");
  Stmt->BindText(1, ABenutzer);
  Stmt->BindInt(2, ARecht);
  if (!Stmt->Step()) return false;
  return Stmt->ColumnInt(0) != 0;
}

bool UserRechtePruefen(const std::vector<TQLX_WPF_Recht>& ARechte, const std::string& ATitel, int AFunktionsTyp,
                       bool, int AReaktion) {
  return KWDGuard(
      "UserRechtePruefen",
      [&] {
        const std::string Benutzer = KWDBenutzer();
        std::vector<TQLX_WPF_Recht> Fehlend;
        for (TQLX_WPF_Recht Recht : ARechte)
          if (!BenutzerHatRecht(Benutzer, Recht)) Fehlend.push_back(Recht);
        const bool EinesReicht = AFunktionsTyp == 2;
        const bool Erlaubt = EinesReicht ? Fehlend.size() < ARechte.size() || ARechte.empty() : Fehlend.empty();
        if (Erlaubt) return true;
        if (AReaktion == 0) {
          std::string Liste;
          for (std::size_t I = 0; I < Fehlend.size(); ++I)
            Liste += std::string(I == 0 ? "" : (I + 1 == Fehlend.size() ? (EinesReicht ? " oder " : " und ") : ", ")) +
                     "„" + RechtBezeichnung(Fehlend[I]) + "“ (" + std::to_string(Fehlend[I]) + ")";
          const std::string Wofuer = ATitel.empty() ? "diese Funktion" : "„" + ATitel + "“";
          const std::string Fehlt = EinesReicht           ? "Dazu braucht er eines der Rechte "
                                    : Fehlend.size() == 1 ? "Es fehlt das Recht "
                                                          : "Es fehlen die Rechte ";
          const std::string Text = "Der Benutzer „" + Benutzer + "“ hat keine Berechtigung für " + Wofuer +
                                   ".\r\n" + Fehlt + Liste + ".\r\nBitte wenden Sie sich an Ihren Administrator.";
          KWDInfo().ShowMeldung(0, "STANDARD", 997, {Text});
        }
        return false;
      },
      false);
}

std::vector<TRechtEintrag> RechteListe() {
  std::vector<TRechtEintrag> Liste;
  auto Stmt = KWDDatenbank().Prepare("SELECT benutzer, recht, erlaubt FROM benutzerrecht ORDER BY benutzer, recht");
  while (Stmt->Step()) Liste.push_back({Stmt->ColumnText(0), static_cast<int>(Stmt->ColumnInt(1)), Stmt->ColumnInt(2) != 0});
  return Liste;
}

void RechtSetzen(const std::string& ABenutzer, int ARecht, bool AErlaubt) {
  BenutzerPruefen(ABenutzer);
  RechtPruefen(ARecht);
  auto Stmt = KWDDatenbank().Prepare(
      "INSERT INTO benutzerrecht (benutzer, recht, erlaubt) VALUES (?, ?, ?) "
      "ON CONFLICT (benutzer, recht) DO UPDATE SET erlaubt = excluded.erlaubt");
  Stmt->BindText(1, ABenutzer);
  Stmt->BindInt(2, ARecht);
  Stmt->BindInt(3, AErlaubt ? 1 : 0);
  Stmt->Execute();
}

bool RechtEntfernen(const std::string& ABenutzer, int ARecht) {
  BenutzerPruefen(ABenutzer);
  auto Stmt = KWDDatenbank().Prepare("DELETE FROM benutzerrecht WHERE benutzer = ? AND recht = ?");
  Stmt->BindText(1, ABenutzer);
  Stmt->BindInt(2, ARecht);
  return Stmt->Execute() > 0;
}
