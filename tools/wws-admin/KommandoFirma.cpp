// wws-admin init / demo: a new company, empty or filled with demo data.
#include <CLI/CLI.hpp>
#include <chrono>
#include <iostream>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include "suite/demo/DemoFirmaAnlegen.h"
#include "support/db/KWDDatenbank.h"
#include "support/db/TDbConnection.h"
#include "support/framework/KWDDateiZiel.h"
#include "support/framework/KWDUhr.h"
#include "tools/common/CliDeutsch.h"
#include "tools/common/CliJson.h"
#include "tools/wws-admin/AdminFirma.h"
#include "tools/wws-admin/AdminKontext.h"

namespace {

struct TDemoAufruf {
  bool Ersetzen = false;
  uint64_t Seed = 1;
  int64_t Artikel = 20000;
  int Filialen = 12;
  std::string Stichtag;
};

TDate StichtagLesen(const std::string& AText) {
  if (AText.empty()) return kwd_Date();
  TDate datum = 0;
  if (!TryParseDatum(AText, datum))
    throw EAdminAufruf("Der Stichtag \"" + AText + "\" ist kein Datum (TT.MM.JJJJ oder JJJJ-MM-TT).");
  // The demo reaches two fiscal years back and some months ahead.
  if (YearOf(datum) < 1910 || YearOf(datum) > 9000)
    throw EAdminAufruf("Der Stichtag muss zwischen den Jahren 1910 und 9000 liegen.");
  return datum;
}

// A failed build left the place as it was; the user is told so.
template <typename F>
auto NichtsHalbes(F&& ABauen) {
  try {
    return ABauen();
  } catch (const EDbError& e) {
    throw EAdminFehler("Die Firma wurde nicht angelegt; was dort stand, ist unverändert. Fehler der Datenbank: " +
                           KWDFehlerTeile(e).Satz,
                       e.Technisch());
  }
}

void Init(const TAdminKontext& AKontext, bool AErsetzen) {
  const std::string ort = AdminFirmaOrt(AKontext.Db);
  // Says what was done, nothing more.
  switch (NichtsHalbes([&] { return AdminFirmaAnlegen(ort, AErsetzen); })) {
    case TFirmaNeu::Angelegt: std::cout << "Firma angelegt: " << KWDDatenbank().Ort() << "\n"; break;
    case TFirmaNeu::Ersetzt:
      std::cout << "Firma neu angelegt, die bisherige ist ersetzt: " << KWDDatenbank().Ort() << "\n";
      break;
    case TFirmaNeu::Vorhanden:
      std::cout << "Die Firma " << KWDDatenbank().Ort() << " ist schon angelegt und enthält keine Daten; "
                << "nichts geändert (mit --force neu anlegen).\n";
      break;
  }
}

void Demo(const TAdminKontext& AKontext, const TDemoAufruf& AAufruf) {
  TDemoOptionen optionen;
  optionen.Seed = AAufruf.Seed;
  optionen.Artikel = AAufruf.Artikel;
  optionen.Filialen = AAufruf.Filialen;
  optionen.Stichtag = StichtagLesen(AAufruf.Stichtag);
  const std::string ort = AdminFirmaOrt(AKontext.Db);

  const auto start = std::chrono::steady_clock::now();
  const bool terminal = isatty(STDERR_FILENO) != 0;
  TDemoSchreiber::TZaehler zaehler;
  try {
    zaehler = NichtsHalbes([&] {
      return DemoFirmaAnlegen(ort, optionen, AAufruf.Ersetzen, [terminal](int64_t AFertig, int64_t AGesamt) {
        if (terminal) std::cerr << "\rArtikel " << AFertig << " von " << AGesamt << std::flush;
      });
    });
  } catch (const EKWDZielAbgelehnt& e) {
    if (terminal) std::cerr << "\n";
    throw EAdminAbgelehnt(e.what());
  } catch (const EFirmaBelegt& e) {
    if (terminal) std::cerr << "\n";
    throw EAdminAbgelehnt(e.what());
  } catch (const EDemoFirmaAbgelehnt& e) {
    if (terminal) std::cerr << "\n";
    throw EAdminFehler(e.what());
  } catch (const EAdminFehler&) {
    if (terminal) std::cerr << "\n";
    throw;
  }
  if (terminal) std::cerr << "\n";
  const double sekunden = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  if (AKontext.Json) {
    nlohmann::json j{{"firma", KWDDatenbank().Ort()},
                     {"seed", optionen.Seed},
                     {"stichtag", FormatDatumIso(optionen.Stichtag)},
                     {"filialen", optionen.Filialen},
                     {"artikel", zaehler.Artikel},
                     {"bestaende", zaehler.Bestaende},
                     {"filialverkaeufe", zaehler.Filialverkaeufe},
                     {"preise", zaehler.Preise},
                     {"artikelnummern", zaehler.ArtNummern},
                     {"inventursaetze", zaehler.Inventurzeilen},
                     {"anforderungen", zaehler.Anforderungen},
                     {"sekunden", sekunden}};
    std::cout << CliJsonText(j, -1) << "\n";
  } else {
    std::cout << "Demofirma angelegt: " << KWDDatenbank().Ort() << "\n"
              << "  " << optionen.Filialen << " Filialen, " << zaehler.Artikel << " Artikel, " << zaehler.Bestaende
              << " Bestandssätze, " << zaehler.Inventurzeilen << " Inventursätze, " << zaehler.Anforderungen
              << " Inventuranforderungen\n"
              << "  Dauer: " << sekunden << " s\n";
  }
}

}  // namespace

void KommandoFirmaAnmelden(CLI::App& AApp, TAdminKontext& AKontext) {
  auto* init = AApp.add_subcommand("init", "Neue, leere Firma anlegen");
  auto ersetzenInit = std::make_shared<bool>(false);
  init->add_flag("--force", *ersetzenInit, "eine vorhandene Firma ersetzen (PostgreSQL: leeren und neu anlegen)");
  init->callback([&AKontext, ersetzenInit] { AKontext.Aktion = [&AKontext, ersetzenInit] { Init(AKontext, *ersetzenInit); }; });

  auto* demo = AApp.add_subcommand("demo", "Neue Firma mit Demodaten anlegen");
  auto aufruf = std::make_shared<TDemoAufruf>();
  demo->add_flag("--force", aufruf->Ersetzen, "eine vorhandene Firma ersetzen (PostgreSQL: leeren und neu anlegen)");
  demo->add_option("--seed", aufruf->Seed, "Startwert: gleicher Wert, gleiche Firma")->capture_default_str();
  demo->add_option("--articles", aufruf->Artikel, "Zahl der Artikel")->check(CLI::Range(int64_t{1}, int64_t{50'000'000}))->capture_default_str();
  demo->add_option("--branches", aufruf->Filialen, "Zahl der Filialen")->check(CLI::Range(1, 999))->capture_default_str();
  demo->add_option("--stichtag", aufruf->Stichtag, "heutiger Tag der Demofirma (Vorgabe: heute)")->type_name(CLI_TYP_DATUM);
  demo->callback([&AKontext, aufruf] { AKontext.Aktion = [&AKontext, aufruf] { Demo(AKontext, *aufruf); }; });
}
