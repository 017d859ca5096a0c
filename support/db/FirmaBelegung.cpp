#include "support/db/FirmaBelegung.h"

#include <errno.h>
#include <unistd.h>

#include <cstdlib>

#include "support/db/TDbConnection.h"

namespace {

// The company's key, the same in every program of the suite ("WWSFIRM").
constexpr int64_t KFirmaSchluessel = 0x57575346495240;
// PostgreSQL keeps at most 63 bytes of application_name.
constexpr size_t KNameLaenge = 63;

std::string Rechnername() {
  char Name[256] = {};
  return gethostname(Name, sizeof Name - 1) == 0 ? std::string(Name) : std::string();
}

// "invanf-cli[4711]@kasse1": program, process and machine, as another program reads them back.
std::string Anwendungsname() {
  std::string Name = std::string(program_invocation_short_name) + "[" + std::to_string(getpid()) + "]@" + Rechnername();
  return Name.substr(0, KNameLaenge);
}

TFirmaNutzer NutzerLesen(const std::string& AName, const std::string& AAdresse) {
  TFirmaNutzer N;
  const auto Auf = AName.find('[');
  const auto Zu = AName.find("]@", Auf == std::string::npos ? 0 : Auf);
  if (Auf == std::string::npos || Zu == std::string::npos) {
    N.Programm = AName.empty() ? "unbekanntes Programm" : AName;
    N.Rechner = AAdresse;
    return N;
  }
  N.Programm = AName.substr(0, Auf);
  N.ProzessId = std::strtoll(AName.c_str() + Auf + 1, nullptr, 10);
  N.Rechner = AName.substr(Zu + 2);
  return N;
}

bool Server(TDbConnection& AVerbindung) { return AVerbindung.Backend() == TDbBackend::PostgreSQL; }

}  // namespace

void FirmaBelegen(TDbConnection& AVerbindung) {
  if (!Server(AVerbindung)) return;
  auto S = AVerbindung.PrepareGanz(
      "SELECT set_config('application_name', ?, false), "
      "CAST(pg_try_advisory_lock_shared(CAST(? AS BIGINT)) AS INTEGER)");
  S->BindText(1, Anwendungsname());
  S->BindInt(2, KFirmaSchluessel);
  const bool Belegt = S->Step() && S->ColumnInt(1) != 0;
  S->Reset();
  if (!Belegt)
    throw ECompanyDbError("Die Firma " + AVerbindung.Ort() +
                          " wird gerade neu angelegt (wws-admin init oder demo); bitte öffnen Sie sie erneut, wenn "
                          "das beendet ist.");
}

std::vector<TFirmaNutzer> FirmaFuerNeubauSperren(TDbConnection& AVerbindung) {
  if (!Server(AVerbindung)) return {};
  auto Nehmen = AVerbindung.PrepareGanz(
      "SELECT set_config('application_name', ?, false), CAST(pg_try_advisory_lock(CAST(? AS BIGINT)) AS INTEGER)");
  Nehmen->BindText(1, Anwendungsname());
  Nehmen->BindInt(2, KFirmaSchluessel);
  const bool Allein = Nehmen->Step() && Nehmen->ColumnInt(1) != 0;
  Nehmen->Reset();
  if (Allein) return {};
  // A bigint key stands in pg_locks as its upper and lower 32 bits.
  auto Halter = AVerbindung.Prepare(
      "SELECT a.application_name, coalesce(host(a.client_addr), '') FROM pg_locks l "
      "JOIN pg_stat_activity a ON a.pid = l.pid "
      "WHERE l.locktype = 'advisory' AND l.granted AND l.objsubid = 1 AND l.pid <> pg_backend_pid() "
      "AND l.database = (SELECT oid FROM pg_database WHERE datname = current_database()) "
      "AND l.classid = CAST(CAST(? AS BIGINT) AS OID) AND l.objid = CAST(CAST(? AS BIGINT) AS OID) "
      "ORDER BY a.backend_start");
  Halter->BindInt(1, KFirmaSchluessel >> 32);
  Halter->BindInt(2, KFirmaSchluessel & 0xFFFFFFFF);
  const std::string Ich = Anwendungsname();
  std::vector<TFirmaNutzer> Andere;
  while (Halter->Step()) {
    const std::string Name = Halter->ColumnText(0);
    if (Name == Ich) continue;  // another connection of this very process
    Andere.push_back(NutzerLesen(Name, Halter->ColumnText(1)));
  }
  Halter->Reset();
  return Andere;
}

void FirmaNeubauFreigeben(TDbConnection& AVerbindung) {
  if (!Server(AVerbindung)) return;
  // The key taken alone (where it was) goes, the shared one comes.
  auto S = AVerbindung.PrepareGanz("SELECT pg_advisory_unlock(CAST(? AS BIGINT))");
  S->BindInt(1, KFirmaSchluessel);
  S->Step();
  S->Reset();
  FirmaBelegen(AVerbindung);
}

std::string FirmaNutzerText(const std::vector<TFirmaNutzer>& ANutzer) {
  std::string Liste;
  for (const TFirmaNutzer& N : ANutzer) {
    Liste += (Liste.empty() ? "" : "; ") + N.Programm;
    if (!N.Rechner.empty()) Liste += " auf " + N.Rechner;
    if (N.ProzessId > 0) Liste += ", Prozess " + std::to_string(N.ProzessId);
  }
  return (ANutzer.size() == 1 ? std::string("einem Programm") : std::to_string(ANutzer.size()) + " Programmen") +
         " (" + Liste + ")";
}
