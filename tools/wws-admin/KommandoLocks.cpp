// wws-admin locks list/hold/release: the common lock as other programs see it.
#include <CLI/CLI.hpp>
#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>
#include <nlohmann/json.hpp>
#include <regex>
#include <thread>

#include "suite/TArtikelTools.h"
#include "support/db/TDbConnection.h"
#include "support/services/SperrVerwaltung.h"
#include "tools/common/CliDeutsch.h"
#include "tools/common/CliJson.h"
#include "tools/wws-admin/AdminFirma.h"
#include "tools/wws-admin/AdminKontext.h"

namespace {

struct TLocksAufruf {
  std::string Artikel;
  int Sekunden = 0;
  std::string Programm = "wws-admin";
  bool Tote = false;
  int64_t Pid = 0;
  std::string Terminal;
};

// What an article number cannot be, refused before the company is asked: an
// empty text would find the history's entries without a number, blanks at
// either end or control characters are typing mistakes, and a text of
// numbers and points that is not three of them is a product id gone wrong.
void ArtikelTextPruefen(const std::string& AText) {
  auto Abgelehnt = [&AText](const std::string& AGrund) {
    throw EAdminAbgelehnt("Die Artikelnummer \u201E" + AText + "\u201C ist ungültig: " + AGrund);
  };
  if (AText.find_first_not_of(" \t") == std::string::npos)
    throw EAdminAbgelehnt("Bitte eine Artikelnummer oder eine Produkt-ID I1.I2.I3 angeben.");
  for (const unsigned char C : AText)
    if (C < 0x20 || C == 0x7F) Abgelehnt("sie enthält Steuerzeichen.");
  if (AText.front() == ' ' || AText.back() == ' ') Abgelehnt("sie beginnt oder endet mit Leerzeichen.");
  if (AText.size() > 40) Abgelehnt("sie ist länger als 40 Zeichen.");
  static const std::regex zahlenMitPunkten(R"(-?\d+(\.-?\d*)+|\.[-.\d]*)");
  static const std::regex produktId(R"(-?\d+\.-?\d+\.-?\d+)");
  if (std::regex_match(AText, zahlenMitPunkten) && !std::regex_match(AText, produktId))
    Abgelehnt("eine Produkt-ID hat drei ganze Zahlen, durch Punkte getrennt (I1.I2.I3).");
}

// An article number from the history (the latest entry holding it), or a
// product id written as "I1.I2.I3".
TInt32Trio ArtikelFinden(TDbConnection& AConnection, const std::string& AText) {
  static const std::regex produktId(R"((-?\d+)\.(-?\d+)\.(-?\d+))");
  std::smatch teile;
  if (std::regex_match(AText, teile, produktId)) {
    try {
      return TInt32Trio::Construct(std::stoi(teile[1]), std::stoi(teile[2]), std::stoi(teile[3]));
    } catch (const std::out_of_range&) {
      throw EAdminAufruf("Die Produkt-ID " + AText + " liegt außerhalb des Zahlenbereichs.");
    }
  }
  auto abfrage = AConnection.Prepare(
      "SELECT prodid1, prodid2, prodid3 FROM artnr_historie WHERE artnr = ? ORDER BY eingabedatum DESC");
  abfrage->BindText(1, AText);
  if (!abfrage->Step()) throw EAdminFehler("Die Artikelnummer " + AText + " gibt es in dieser Firma nicht.");
  return TInt32Trio::Construct(static_cast<int32_t>(abfrage->ColumnInt(0)), static_cast<int32_t>(abfrage->ColumnInt(1)),
                               static_cast<int32_t>(abfrage->ColumnInt(2)));
}

void List(const TAdminKontext& AKontext) {
  TDbConnection& db = AdminFirmaOeffnen(AdminFirmaOrt(AKontext.Db));
  const auto liste = SperrenListe(db);
  TArtikelTools tools;
  if (AKontext.Json) {
    nlohmann::json j = nlohmann::json::array();
    for (const auto& e : liste) {
      const auto& h = e.Zeile.Halter;
      j.push_back({{"produktid", e.Zeile.ProduktId.ToString()},
                   {"artikel", tools.ProduktID_2_ArtNr_Formatted(e.Zeile.ProduktId, false)},
                   {"programm", h.Programm},
                   {"prozessid", h.ProzessId},
                   {"terminal", h.Terminal},
                   {"terminalnr", h.TerminalNr},
                   {"benutzer", h.Benutzer},
                   {"seit", FormatDatumZeit(e.Zeile.GesperrtSeit)},
                   {"lebt", e.Lebt}});
    }
    std::cout << CliJsonText(j) << "\n";
    return;
  }
  if (liste.empty()) {
    std::cout << "Keine Artikel gesperrt.\n";
    return;
  }
  for (const auto& e : liste) {
    const auto& h = e.Zeile.Halter;
    std::cout << tools.ProduktID_2_ArtNr_Formatted(e.Zeile.ProduktId, false) << " (" << e.Zeile.ProduktId.ToString()
              << ")  Programm " << h.Programm << ", Prozess " << h.ProzessId << " auf " << h.Terminal
              << ", Benutzer " << h.Benutzer << ", seit " << FormatDatumZeit(e.Zeile.GesperrtSeit)
              << (e.Lebt ? "" : "  [Halter beendet]") << "\n";
  }
}

std::atomic<bool> GAbbruch{false};
extern "C" void AbbruchSignal(int) { GAbbruch = true; }

void Hold(const TAdminKontext& AKontext, const TLocksAufruf& AAufruf) {
  ArtikelTextPruefen(AAufruf.Artikel);
  TDbConnection& db = AdminFirmaZumSchreiben(AdminFirmaOrt(AKontext.Db));
  const TInt32Trio pid = ArtikelFinden(db, AAufruf.Artikel);
  // SIGTERM and SIGINT end the wait early; the lock is then released as at
  // the normal end, so nobody meets a stale row.
  struct sigaction aktion {};
  aktion.sa_handler = AbbruchSignal;
  sigemptyset(&aktion.sa_mask);
  sigaction(SIGTERM, &aktion, nullptr);
  sigaction(SIGINT, &aktion, nullptr);

  TQLX_clMeldung meldung;
  // The wait happens in the readiness call, so it can end on a signal; the
  // hold itself is asked for zero seconds.
  const bool gehalten = SperreHalten(pid, 0, AAufruf.Programm, meldung, [&] {
    std::cout << "GESPERRT " << AAufruf.Artikel << " " << pid.ToString() << " Prozess " << getpid() << " für "
              << AAufruf.Sekunden << " s" << std::endl;
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(AAufruf.Sekunden);
    while (!GAbbruch && std::chrono::steady_clock::now() < ende)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
  });
  if (!gehalten)
    throw EAdminFehler("Der Artikel " + AAufruf.Artikel + " ist schon gesperrt: Programm " + meldung.Programm +
                       ", Prozess " + std::to_string(meldung.ProzessId) + " auf " + meldung.Terminal + ", seit " +
                       FormatDatumZeit(meldung.GesperrtSeit) + ".");
  std::cout << "FREIGEGEBEN " << AAufruf.Artikel << (GAbbruch ? " (vorzeitig beendet)" : "") << std::endl;
}

void Release(const TAdminKontext& AKontext, const TLocksAufruf& AAufruf) {
  if (!AAufruf.Tote && AAufruf.Pid == 0)
    throw EAdminAufruf("locks release braucht --dead (Sperren beendeter Programme) oder --pid N.");
  TDbConnection& db = AdminFirmaZumSchreiben(AdminFirmaOrt(AKontext.Db));
  const int anzahl =
      AAufruf.Tote ? SperrenToteFreigeben(db) : SperrenHalterFreigeben(db, AAufruf.Pid, AAufruf.Terminal);
  std::cout << anzahl << (anzahl == 1 ? " Sperre" : " Sperren") << " freigegeben.\n";
}

}  // namespace

void KommandoLocksAnmelden(CLI::App& AApp, TAdminKontext& AKontext) {
  auto* locks = AApp.add_subcommand("locks", "Artikelsperren zeigen, halten, freigeben");
  locks->require_subcommand(1);
  auto aufruf = std::make_shared<TLocksAufruf>();

  auto* list = locks->add_subcommand("list", "alle Artikelsperren mit ihrem Halter zeigen");
  list->callback([&AKontext] { AKontext.Aktion = [&AKontext] { List(AKontext); }; });

  auto* hold = locks->add_subcommand("hold", "einen Artikel sperren, wie es ein anderes Programm täte");
  hold->add_option("ARTIKELNUMMER", aufruf->Artikel, "Artikelnummer oder Produkt-ID I1.I2.I3")->required();
  hold->add_option("--seconds", aufruf->Sekunden, "so lange halten")->required()->check(CLI::Range(0, 86400));
  hold->add_option("--program", aufruf->Programm, "Programmname des Halters")->capture_default_str()->type_name(CLI_TYP_NAME);
  hold->callback([&AKontext, aufruf] { AKontext.Aktion = [&AKontext, aufruf] { Hold(AKontext, *aufruf); }; });

  auto* release = locks->add_subcommand("release", "Sperren freigeben");
  auto* tote = release->add_flag("--dead", aufruf->Tote, "Sperren beendeter Programme");
  auto* pid = release->add_option("--pid", aufruf->Pid, "alle Sperren dieses Prozesses")->check(CLI::Range(int64_t{1}, int64_t{4194304}));  // Linux pid_max
  release->add_option("--terminal", aufruf->Terminal, "nur auf diesem Rechner (mit --pid)")->needs(pid)->type_name(CLI_TYP_NAME);
  tote->excludes(pid);
  release->callback([&AKontext, aufruf] { AKontext.Aktion = [&AKontext, aufruf] { Release(AKontext, *aufruf); }; });
}
