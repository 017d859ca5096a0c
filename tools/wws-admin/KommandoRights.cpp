// wws-admin rights list/grant/revoke/remove: user rights of the company.
#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

#include "support/services/UserRechte.h"
#include "tools/common/CliJson.h"
#include "tools/wws-admin/AdminFirma.h"
#include "tools/wws-admin/AdminKontext.h"

namespace {

struct TRechtAufruf {
  std::string Benutzer;
  int Recht = 0;
};

void List(const TAdminKontext& AKontext) {
  AdminFirmaOeffnen(AdminFirmaOrt(AKontext.Db));
  const auto liste = RechteListe();
  if (AKontext.Json) {
    nlohmann::json j = nlohmann::json::array();
    for (const auto& e : liste)
      j.push_back({{"benutzer", e.Benutzer}, {"recht", e.Recht}, {"bezeichnung", RechtBezeichnung(e.Recht)},
                   {"erlaubt", e.Erlaubt}});
    std::cout << CliJsonText(j) << "\n";
    return;
  }
  for (const auto& e : liste)
    std::cout << e.Benutzer << "  " << e.Recht << " " << RechtBezeichnung(e.Recht) << ": "
              << (e.Erlaubt ? "erlaubt" : "verweigert") << "\n";
}

void Setzen(const TAdminKontext& AKontext, const TRechtAufruf& AAufruf, bool AErlaubt) {
  AdminFirmaZumSchreiben(AdminFirmaOrt(AKontext.Db));
  RechtSetzen(AAufruf.Benutzer, AAufruf.Recht, AErlaubt);
  std::cout << "Recht " << AAufruf.Recht << " (" << RechtBezeichnung(AAufruf.Recht) << ") für " << AAufruf.Benutzer
            << (AErlaubt ? " erlaubt.\n" : " verweigert.\n");
}

void Entfernen(const TAdminKontext& AKontext, const TRechtAufruf& AAufruf) {
  AdminFirmaZumSchreiben(AdminFirmaOrt(AKontext.Db));
  if (!RechtEntfernen(AAufruf.Benutzer, AAufruf.Recht))
    throw EAdminFehler("Für " + AAufruf.Benutzer + " gibt es keinen eigenen Eintrag zum Recht " +
                       std::to_string(AAufruf.Recht) + ".");
  if (AAufruf.Benutzer != "*")
    std::cout << "Eigener Eintrag entfernt; für " << AAufruf.Benutzer << " gelten wieder die allgemeinen Rechte.\n";
  else if (AAufruf.Recht != wpfAlleRechte)  // "*" is the general row itself: say what decides now
    std::cout << "Eintrag für alle Benutzer entfernt; wer keinen eigenen Eintrag hat, für den entscheidet jetzt der "
                 "Eintrag für alle Rechte, fehlt auch er, ist das Recht verweigert.\n";
  else
    std::cout << "Eintrag für alle Benutzer zu allen Rechten entfernt; wer keinen eigenen Eintrag hat, hat jetzt nur "
                 "noch die Rechte, die ein Eintrag für alle zu einem einzelnen Recht erlaubt.\n";
}

void Argumente(CLI::App* ABefehl, TRechtAufruf& AAufruf) {
  ABefehl->add_option("BENUTZER", AAufruf.Benutzer, "Benutzername, * für alle")->required();
  ABefehl->add_option("RECHT", AAufruf.Recht, "Nummer des Rechts, 0 für alle (112, 119, 120, 121 ...)")
      ->required()
      ->check(CLI::Range(0, 65535));
}

}  // namespace

void KommandoRightsAnmelden(CLI::App& AApp, TAdminKontext& AKontext) {
  auto* rights = AApp.add_subcommand("rights", "Benutzerrechte zeigen und ändern");
  rights->require_subcommand(1);
  auto aufruf = std::make_shared<TRechtAufruf>();

  auto* list = rights->add_subcommand("list", "alle Einträge zeigen");
  list->callback([&AKontext] { AKontext.Aktion = [&AKontext] { List(AKontext); }; });

  auto* grant = rights->add_subcommand("grant", "Recht erlauben");
  Argumente(grant, *aufruf);
  grant->callback([&AKontext, aufruf] { AKontext.Aktion = [&AKontext, aufruf] { Setzen(AKontext, *aufruf, true); }; });

  // Revoking writes a refusal of its own: a grant to every user ("*") would
  // otherwise still let the user in.
  auto* revoke = rights->add_subcommand("revoke", "Recht verweigern");
  Argumente(revoke, *aufruf);
  revoke->callback([&AKontext, aufruf] { AKontext.Aktion = [&AKontext, aufruf] { Setzen(AKontext, *aufruf, false); }; });

  auto* remove = rights->add_subcommand("remove", "eigenen Eintrag löschen, allgemeine Rechte gelten wieder");
  Argumente(remove, *aufruf);
  remove->callback([&AKontext, aufruf] { AKontext.Aktion = [&AKontext, aufruf] { Entfernen(AKontext, *aufruf); }; });
}
