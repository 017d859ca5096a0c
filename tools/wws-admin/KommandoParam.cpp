// wws-admin param get/set/list: the company's parameter store.
#include <CLI/CLI.hpp>
#include <iostream>
#include <stdexcept>
#include <nlohmann/json.hpp>

#include "support/services/TParameter.h"
#include "tools/common/CliJson.h"
#include "tools/wws-admin/AdminFirma.h"
#include "tools/wws-admin/AdminKontext.h"

namespace {

struct TParamAufruf {
  std::string Name;
  std::string Wert;
};

void Get(const TAdminKontext& AKontext, const std::string& AName) {
  AdminFirmaOeffnen(AdminFirmaOrt(AKontext.Db));
  for (const auto& e : KWDParameter().Liste())
    if (e.Name == AName) {
      std::cout << e.Wert << "\n";
      return;
    }
  throw EAdminFehler("Den Parameter \"" + AName + "\" gibt es nicht: er ist weder gesetzt noch bekannt.");
}

void Set(const TAdminKontext& AKontext, const TParamAufruf& AAufruf) {
  AdminFirmaZumSchreiben(AdminFirmaOrt(AKontext.Db));
  // Typed keys check the text themselves and refuse it in German.
  try {
    KWDParameter().SetStringValueByName(AAufruf.Name, AAufruf.Wert);
  } catch (const std::invalid_argument& e) {
    throw EAdminAbgelehnt(e.what());
  }
  std::cout << AAufruf.Name << " = " << AAufruf.Wert << "\n";
}

void List(const TAdminKontext& AKontext) {
  AdminFirmaOeffnen(AdminFirmaOrt(AKontext.Db));
  const auto liste = KWDParameter().Liste();
  if (AKontext.Json) {
    nlohmann::json j = nlohmann::json::array();
    for (const auto& e : liste) j.push_back({{"name", e.Name}, {"wert", e.Wert}, {"gespeichert", e.Gespeichert}});
    std::cout << CliJsonText(j) << "\n";
    return;
  }
  for (const auto& e : liste)
    std::cout << e.Name << " = " << e.Wert << (e.Gespeichert ? "" : "  (Vorgabe)") << "\n";
}

}  // namespace

void KommandoParamAnmelden(CLI::App& AApp, TAdminKontext& AKontext) {
  auto* param = AApp.add_subcommand("param", "Parameter der Firma lesen und setzen");
  param->require_subcommand(1);
  auto aufruf = std::make_shared<TParamAufruf>();

  auto* get = param->add_subcommand("get", "Wert eines Parameters zeigen");
  get->add_option("SCHLUESSEL", aufruf->Name, "Name des Parameters")->required();
  get->callback([&AKontext, aufruf] { AKontext.Aktion = [&AKontext, aufruf] { Get(AKontext, aufruf->Name); }; });

  auto* set = param->add_subcommand("set", "Parameter setzen");
  set->add_option("SCHLUESSEL", aufruf->Name, "Name des Parameters")->required();
  set->add_option("WERT", aufruf->Wert, "neuer Wert")->required();
  set->callback([&AKontext, aufruf] { AKontext.Aktion = [&AKontext, aufruf] { Set(AKontext, *aufruf); }; });

  auto* list = param->add_subcommand("list", "alle Parameter mit Wert zeigen");
  list->callback([&AKontext] { AKontext.Aktion = [&AKontext] { List(AKontext); }; });
}
