#include "support/db/KWDDatenbank.h"

#include <mutex>
#include <optional>

#include "support/framework/KWDSettings.h"

namespace {
std::mutex GSperre;
std::unique_ptr<TDbConnection> GVerbindung;
uint64_t GGeneration = 0;

// Arbitrary constant shared by every program of the suite: serialises schema
// upgrades of two programs starting at the same moment on PostgreSQL (SQLite
// does that through BEGIN IMMEDIATE already).
constexpr int64_t CSchemaSperre = 0x575753434845;

int64_t GespeicherteVersion(TDbConnection& AConnection, const std::string& APart) {
  auto Lesen = AConnection.Prepare("SELECT version FROM schema_version WHERE part = ?");
  Lesen->BindText(1, APart);
  const int64_t Version = Lesen->Step() ? Lesen->ColumnInt(0) : 0;
  Lesen->Reset();
  return Version;
}
}  // namespace

TDbConnection& KWDDatenbank() {
  std::lock_guard Lock(GSperre);
  if (!GVerbindung) {
    const auto Ort = KWDSetting("WWS_DB");
    if (!Ort || Ort->empty())
      throw ECompanyDbError("Es ist keine Firmendatenbank eingestellt (die Einstellung WWS_DB fehlt).");
    GVerbindung = TDbConnection::OpenFirma(*Ort);
    ++GGeneration;
  }
  return *GVerbindung;
}

void KWDDatenbank_Set(std::unique_ptr<TDbConnection> AConnection) {
  std::lock_guard Lock(GSperre);
  GVerbindung = std::move(AConnection);
  ++GGeneration;
}

uint64_t KWDDatenbank_Generation() {
  std::lock_guard Lock(GSperre);
  return GGeneration;
}

bool KWDDatenbank_Offen() {
  std::lock_guard Lock(GSperre);
  return GVerbindung != nullptr;
}

namespace {
// The table schema_version with its columns part and version.
bool VersionstabelleDa(TDbConnection& AConnection) {
  auto Tabelle = AConnection.Prepare(
      AConnection.Backend() == TDbBackend::SQLite
          ? "SELECT count(*) FROM pragma_table_info('schema_version') WHERE name IN ('part', 'version')"
          : "SELECT count(*) FROM information_schema.columns WHERE table_schema = current_schema() "
            "AND table_name = 'schema_version' AND column_name IN ('part', 'version')");
  const bool Da = Tabelle->Step() && Tabelle->ColumnInt(0) == 2;
  Tabelle->Reset();
  return Da;
}
}  // namespace

int64_t SchemaPartVersion(TDbConnection& AConnection, const std::string& APart) {
  return VersionstabelleDa(AConnection) ? GespeicherteVersion(AConnection, APart) : 0;
}

bool DbOhneTabellen(TDbConnection& AConnection) {
  auto Tabellen = AConnection.Prepare(
      AConnection.Backend() == TDbBackend::SQLite
          ? "SELECT count(*) FROM sqlite_master WHERE name NOT LIKE 'sqlite!_%' ESCAPE '!'"
          : "SELECT count(*) FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
            "WHERE c.relkind IN ('r', 'p', 'v', 'm', 'f', 'S') AND n.nspname <> 'information_schema' "
            "AND n.nspname NOT LIKE 'pg!_%' ESCAPE '!'");
  const bool Leer = Tabellen->Step() && Tabellen->ColumnInt(0) == 0;
  Tabellen->Reset();
  return Leer;
}

bool DbIstFirma(TDbConnection& AConnection) { return SchemaPartVersion(AConnection, "recordfiles") > 0; }

void SchemaSperren(TDbConnection& AConnection) {
  if (AConnection.Backend() != TDbBackend::PostgreSQL) return;
  auto Sperre = AConnection.Prepare("SELECT pg_advisory_xact_lock(?)");
  Sperre->BindInt(1, CSchemaSperre);
  Sperre->Step();
  Sperre->Reset();
}

namespace {
[[noreturn]] void ZuNeu(TDbConnection& AConnection, const std::string& APart, int64_t AGespeichert, int64_t ABekannt) {
  throw ECompanyDbError("Die Datenbank " + AConnection.Ort() +
                        " wurde mit einer neueren Programmversion angelegt (Teil \"" + APart + "\" in Version " +
                        std::to_string(AGespeichert) + ", dieses Programm kennt Version " + std::to_string(ABekannt) +
                        "). Bitte installieren Sie die aktuelle Programmversion.");
}
}  // namespace

void SchemaPartEnsure(TDbConnection& AConnection, const std::string& APart,
                      const std::vector<std::vector<std::string>>& AMigrations) {
  const auto Bekannt = static_cast<int64_t>(AMigrations.size());
  // Read first, outside a transaction: a company that is up to date is not
  // written to at all (it may be read-only).
  if (const int64_t Vorher = SchemaPartVersion(AConnection, APart); Vorher > Bekannt)
    ZuNeu(AConnection, APart, Vorher, Bekannt);
  else if (Vorher == Bekannt && Bekannt > 0)
    return;
  // A caller building a whole company holds one transaction for all of it.
  std::optional<TDbTransaction> Transaktion;
  if (!AConnection.InTransaction()) Transaktion.emplace(AConnection);
  SchemaSperren(AConnection);
  AConnection.ExecScript("CREATE TABLE IF NOT EXISTS schema_version (part TEXT PRIMARY KEY, version INTEGER NOT NULL)");
  const int64_t Gespeichert = GespeicherteVersion(AConnection, APart);
  if (Gespeichert > Bekannt) ZuNeu(AConnection, APart, Gespeichert, Bekannt);
  if (Gespeichert == Bekannt) return;
  for (auto Schritt = static_cast<size_t>(Gespeichert); Schritt < AMigrations.size(); ++Schritt)
    for (const auto& Sql : AMigrations[Schritt]) AConnection.ExecScript(Sql);
  auto Schreiben = AConnection.Prepare(
      "INSERT INTO schema_version (part, version) VALUES (?, ?) "
      "ON CONFLICT (part) DO UPDATE SET version = excluded.version");
  Schreiben->BindText(1, APart);
  Schreiben->BindInt(2, Bekannt);
  Schreiben->Execute();
  if (Transaktion) Transaktion->Commit();
}

std::vector<std::string> SchemaTabelleNeuAnlegen(const std::string& ATabelle, const std::string& ADefinition,
                                                 const std::string& AZusatz, const std::string& ASpalten) {
  const std::string Neu = ATabelle + "_neu";
  return {"CREATE TABLE " + Neu + " (\n" + ADefinition + "\n)" + (AZusatz.empty() ? "" : " " + AZusatz),
          "INSERT INTO " + Neu + " (" + ASpalten + ") SELECT " + ASpalten + " FROM " + ATabelle,
          "DROP TABLE " + ATabelle, "ALTER TABLE " + Neu + " RENAME TO " + ATabelle};
}
