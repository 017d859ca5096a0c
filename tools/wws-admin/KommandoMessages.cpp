// wws-admin messages: the effective message catalogue of the company.
#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

#include "support/services/Meldungstexte.h"
#include "tools/common/CliJson.h"
#include "tools/wws-admin/AdminFirma.h"
#include "tools/wws-admin/AdminKontext.h"

namespace {

void Messages(const TAdminKontext& AKontext) {
  AdminFirmaOeffnen(AdminFirmaOrt(AKontext.Db));
  const auto liste = MeldungskatalogListe();
  if (AKontext.Json) {
    nlohmann::json j = nlohmann::json::array();
    for (const auto& e : liste)
      j.push_back({{"gruppe", e.Gruppe}, {"nr", e.Nr}, {"text", e.Text}, {"ueberschrieben", e.Ueberschrieben}});
    std::cout << CliJsonText(j) << "\n";
    return;
  }
  for (const auto& e : liste) {
    // Texts of several lines stay readable as one indented block.
    std::string text = e.Text;
    for (size_t pos = text.find('\n'); pos != std::string::npos; pos = text.find('\n', pos + 1)) text.insert(pos + 1, "    ");
    std::cout << e.Gruppe << " " << e.Nr << (e.Ueberschrieben ? " *" : "") << ": " << text << "\n";
  }
}

}  // namespace

void KommandoMessagesAnmelden(CLI::App& AApp, TAdminKontext& AKontext) {
  auto* messages = AApp.add_subcommand("messages", "Meldungstexte der Firma zeigen (* = von der Firma geändert)");
  messages->callback([&AKontext] { AKontext.Aktion = [&AKontext] { Messages(AKontext); }; });
}
