// wws-admin branches list / lv: the company's branches and their LV flag
// (branches whose stock the LV system keeps; new requests for them are asked
// about first).
#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

#include "suite/TFilialTabelle.h"
#include "tools/common/CliJson.h"
#include "tools/wws-admin/AdminFirma.h"
#include "tools/wws-admin/AdminKontext.h"

namespace {

struct TFilialAufruf {
  int Nr = 0;
  std::string LV;
};

void List(const TAdminKontext& AKontext) {
  AdminFirmaOeffnen(AdminFirmaOrt(AKontext.Db));
  const TFilialTabelle Tabelle;
  if (AKontext.Json) {
    nlohmann::json j = nlohmann::json::array();
    for (const TFiliale& F : Tabelle.Filialen())
      j.push_back({{"filiale", F.FilNr}, {"name", F.Name}, {"lv_benutzen", F.LV_Benutzen}});
    std::cout << CliJsonText(j) << "\n";
    return;
  }
  for (const TFiliale& F : Tabelle.Filialen())
    std::cout << F.FilNr << "  " << F.Name << (F.LV_Benutzen ? "  (LV)" : "") << "\n";
}

void LVSetzen(const TAdminKontext& AKontext, const TFilialAufruf& AAufruf) {
  const bool LV = AAufruf.LV == "ja";
  AdminFirmaZumSchreiben(AdminFirmaOrt(AKontext.Db));
  if (!FilialeLVSetzen(AAufruf.Nr, LV))
    throw EAdminFehler("Die Filiale " + std::to_string(AAufruf.Nr) + " gibt es in dieser Firma nicht.");
  std::cout << "Filiale " << AAufruf.Nr << (LV ? " arbeitet mit Lagerverwaltung (LV).\n"
                                               : " arbeitet ohne Lagerverwaltung (LV).\n");
}

}  // namespace

void KommandoFilialenAnmelden(CLI::App& AApp, TAdminKontext& AKontext) {
  auto* branches = AApp.add_subcommand("branches", "Filialen zeigen und ihre Lagerverwaltung (LV) festlegen");
  branches->require_subcommand(1);
  auto aufruf = std::make_shared<TFilialAufruf>();

  auto* list = branches->add_subcommand("list", "alle Filialen zeigen, LV-Filialen mit (LV)");
  list->callback([&AKontext] { AKontext.Aktion = [&AKontext] { List(AKontext); }; });

  auto* lv = branches->add_subcommand("lv", "festlegen, ob eine Filiale mit Lagerverwaltung (LV) arbeitet");
  lv->add_option("FILIALE", aufruf->Nr, "Filialnummer")->required()->check(CLI::Range(-32768, 32767));
  lv->add_option("LV", aufruf->LV, "ja oder nein")->required()->check(CLI::IsMember({"ja", "nein"}));
  lv->callback([&AKontext, aufruf] { AKontext.Aktion = [&AKontext, aufruf] { LVSetzen(AKontext, *aufruf); }; });
}
