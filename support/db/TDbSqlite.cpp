#include "support/db/TDbSqlite.h"

#include "support/db/KWDDatenbank.h"
#include "support/db/SqliteCheckpoint.h"
#include "support/db/SqliteWalPuffer.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

// Why a SQLite failure happened goes in front of its text (EDbError).
EDbError SqliteFehler(const std::string& AWas, const std::string& AMeldung, int ACode) {
  return EDbError(AWas + ": " + AMeldung, ACode);
}

// The connection outlives every statement made from it (sqlite3_close_v2
// waits for the last one), so a statement never points at a closed handle.
struct TSqliteHandle {
  sqlite3* Db = nullptr;
  bool InTransaktion = false;
  // A statement failed inside the transaction: it is rolled back, and the
  // caller's bracket must end (Rollback/Commit) before anything runs again.
  // PostgreSQL cannot continue an aborted transaction; SQLite is made to
  // behave the same so code tested here also works there.
  bool Abgebrochen = false;
  // Checkpoints the log of a connection that writes (null for one that reads).
  std::unique_ptr<TSqliteCheckpointer> Checkpointer;
  ~TSqliteHandle() {
    Checkpointer.reset();  // its thread ends before the connection closes
    sqlite3_close_v2(Db);
  }

  [[noreturn]] void Fehler(const std::string& AWas) {
    const int Code = sqlite3_extended_errcode(Db);
    EDbError Ausnahme = SqliteFehler(AWas, sqlite3_errmsg(Db), Code);
    Abbrechen();
    throw Ausnahme;
  }
  void Abbrechen() {
    if (!InTransaktion) return;
    if (!sqlite3_get_autocommit(Db)) sqlite3_exec(Db, "ROLLBACK", nullptr, nullptr, nullptr);
    Abgebrochen = true;
  }
  void PruefeLauffaehig() const {
    if (Abgebrochen) throw EDbError("Die Transaktion wurde nach einem Fehler zurückgerollt", SQLITE_ABORT_ROLLBACK);
  }
};

// Bytewise order under the name "C", so the column declaration TEXT COLLATE "C"
// is valid on both backends and sorts the same on both.
int BytewiseVergleich(void*, int ALen1, const void* A1, int ALen2, const void* A2) {
  const int N = ALen1 < ALen2 ? ALen1 : ALen2;
  if (const int R = N ? std::memcmp(A1, A2, static_cast<size_t>(N)) : 0) return R;
  return ALen1 - ALen2;
}

class TSqliteStatement final : public TDbStatement {
 public:
  TSqliteStatement(std::shared_ptr<TSqliteHandle> AHandle, sqlite3_stmt* AStmt)
      : FHandle(std::move(AHandle)), FStmt(AStmt) {}
  ~TSqliteStatement() override { sqlite3_finalize(FStmt); }

  void BindNull(int AIndex) override { Pruefe(sqlite3_bind_null(Bindbar(), AIndex)); }
  void BindInt(int AIndex, int64_t AWert) override { Pruefe(sqlite3_bind_int64(Bindbar(), AIndex, AWert)); }
  void BindDouble(int AIndex, double AWert) override { Pruefe(sqlite3_bind_double(Bindbar(), AIndex, AWert)); }
  void BindText(int AIndex, std::string_view AWert) override {
    // An empty view may carry a null pointer, which SQLite would store as NULL.
    const char* Daten = AWert.data() ? AWert.data() : "";
    Pruefe(sqlite3_bind_text64(Bindbar(), AIndex, Daten, AWert.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
  }
  void BindTextOhneKopie(int AIndex, std::string_view AWert) override {
    const char* Daten = AWert.data() ? AWert.data() : "";
    Pruefe(sqlite3_bind_text64(Bindbar(), AIndex, Daten, AWert.size(), SQLITE_STATIC, SQLITE_UTF8));
  }

  bool Step() override {
    if (FFertig) return false;
    if (!FGelaufen) FHandle->PruefeLauffaehig();
    FGelaufen = true;
    const int Rc = sqlite3_step(FStmt);
    if (Rc == SQLITE_ROW) return true;
    FFertig = true;
    if (Rc == SQLITE_DONE) return false;
    sqlite3_reset(FStmt);
    FHandle->Fehler("SQL-Anweisung fehlgeschlagen (" + std::string(sqlite3_sql(FStmt)) + ")");
  }
  int ColumnCount() const override { return sqlite3_column_count(FStmt); }
  bool ColumnIsNull(int ACol) const override { return sqlite3_column_type(FStmt, ACol) == SQLITE_NULL; }
  int64_t ColumnInt(int ACol) const override { return sqlite3_column_int64(FStmt, ACol); }
  double ColumnDouble(int ACol) const override { return sqlite3_column_double(FStmt, ACol); }
  std::string ColumnText(int ACol) const override {
    // Text first, then its length in bytes: embedded NULs come back as stored.
    const auto* Text = reinterpret_cast<const char*>(sqlite3_column_text(FStmt, ACol));
    if (!Text) return {};
    return std::string(Text, static_cast<size_t>(sqlite3_column_bytes(FStmt, ACol)));
  }

  int64_t Execute() override {
    Reset();
    FHandle->PruefeLauffaehig();
    int Rc;
    while ((Rc = sqlite3_step(FStmt)) == SQLITE_ROW) {
    }
    const int64_t Geaendert = Rc == SQLITE_DONE ? sqlite3_changes64(FHandle->Db) : 0;
    sqlite3_reset(FStmt);
    if (Rc != SQLITE_DONE) FHandle->Fehler("SQL-Anweisung fehlgeschlagen (" + std::string(sqlite3_sql(FStmt)) + ")");
    return Geaendert;
  }
  // SQLite runs in-process: there is nothing to gain by queueing.
  using TDbStatement::Run;
  void Run() override { Execute(); }

  void Reset() override {
    sqlite3_reset(FStmt);
    FGelaufen = false;
    FFertig = false;
  }

 private:
  // A statement that has run must be reset before it takes new values;
  // doing it here spares every caller the step.
  sqlite3_stmt* Bindbar() {
    if (FGelaufen) Reset();
    return FStmt;
  }
  void Pruefe(int ARc) {
    if (ARc != SQLITE_OK) FHandle->Fehler("Parameter nicht zuweisbar");
  }

  std::shared_ptr<TSqliteHandle> FHandle;
  sqlite3_stmt* FStmt;
  bool FGelaufen = false;
  bool FFertig = false;
};

class TSqliteConnection final : public TDbConnection {
 public:
  TSqliteConnection(std::shared_ptr<TSqliteHandle> AHandle, std::string AOrt, bool ANurLesen)
      : FHandle(std::move(AHandle)), FOrt(std::move(AOrt)), FNurLesen(ANurLesen) {}
  ~TSqliteConnection() override { Rollback(); }

  TDbBackend Backend() const override { return TDbBackend::SQLite; }
  bool NurLesen() const override { return FNurLesen; }
  std::string Ort() const override { return FOrt; }

  std::unique_ptr<TDbStatement> Prepare(std::string_view ASql) override {
    sqlite3_stmt* Stmt = nullptr;
    const char* Rest = nullptr;
    if (sqlite3_prepare_v3(FHandle->Db, ASql.data(), static_cast<int>(ASql.size()), SQLITE_PREPARE_PERSISTENT, &Stmt,
                           &Rest) != SQLITE_OK)
      FHandle->Fehler("SQL-Anweisung nicht übersetzbar (" + std::string(ASql) + ")");
    if (!Stmt) throw EDbError("Leere SQL-Anweisung");
    const std::string_view Uebrig(Rest, static_cast<size_t>(ASql.data() + ASql.size() - Rest));
    if (Uebrig.find_first_not_of(" \t\r\n;") != std::string_view::npos) {
      sqlite3_finalize(Stmt);
      throw EDbError("Mehrere SQL-Anweisungen in einer vorbereiteten Anweisung (" + std::string(ASql) + ")");
    }
    return std::make_unique<TSqliteStatement>(FHandle, Stmt);
  }

  void ExecScript(std::string_view ASql) override {
    FHandle->PruefeLauffaehig();
    Ausfuehren(std::string(ASql));
  }

  // IMMEDIATE takes the write lock now: a program that starts writing later
  // can never deadlock with another one over upgrading a read lock. A
  // read-only company can take no write lock; its transactions only read.
  void Begin() override {
    if (FHandle->InTransaktion) throw EDbError("Es läuft bereits eine Transaktion");
    Ausfuehren(FNurLesen ? "BEGIN" : "BEGIN IMMEDIATE");
    FHandle->InTransaktion = true;
    FHandle->Abgebrochen = false;
  }
  void Flush() override { FHandle->PruefeLauffaehig(); }
  void Commit() override {
    if (!FHandle->InTransaktion) throw EDbError("Commit ohne laufende Transaktion");
    try {
      FHandle->PruefeLauffaehig();
      // SQLite may have ended the transaction itself (disk full, I/O error).
      if (sqlite3_get_autocommit(FHandle->Db)) throw EDbError("Die Transaktion wurde von SQLite abgebrochen", SQLITE_ABORT_ROLLBACK);
      Ausfuehren("COMMIT");
    } catch (...) {
      Rollback();
      throw;
    }
    FHandle->InTransaktion = false;
  }
  void Rollback() override {
    if (FHandle->InTransaktion && !sqlite3_get_autocommit(FHandle->Db))
      sqlite3_exec(FHandle->Db, "ROLLBACK", nullptr, nullptr, nullptr);
    FHandle->InTransaktion = false;
    FHandle->Abgebrochen = false;
  }
  bool InTransaction() const override { return FHandle->InTransaktion; }
  // Also false inside a transaction opened by a script (a read stretch's BEGIN).
  bool SchreibtSofort() const override { return !FHandle->InTransaktion && sqlite3_get_autocommit(FHandle->Db); }

 private:
  void Ausfuehren(const std::string& ASql) {
    char* Meldung = nullptr;
    if (sqlite3_exec(FHandle->Db, ASql.c_str(), nullptr, nullptr, &Meldung) != SQLITE_OK) {
      const std::string Text = Meldung ? Meldung : "";
      sqlite3_free(Meldung);
      const int Code = sqlite3_extended_errcode(FHandle->Db);
      EDbError Ausnahme = SqliteFehler("SQL-Skript fehlgeschlagen", Text, Code);
      if (ASql != "COMMIT") FHandle->Abbrechen();
      throw Ausnahme;
    }
  }

  std::shared_ptr<TSqliteHandle> FHandle;
  std::string FOrt;
  bool FNurLesen;
};

std::string Zitat(const std::string& APfad) { return "\u201E" + APfad + "\u201C"; }

[[noreturn]] void OeffnenFehler(const std::string& APfad, int ACode) {
  if (ACode == SQLITE_NOTADB || ACode == SQLITE_CORRUPT || (ACode & 0xff) == SQLITE_CORRUPT)
    throw ECompanyDbError("Die Datei " + Zitat(APfad) + " ist keine Firmendatenbank oder ist beschädigt.");
  if ((ACode & 0xff) == SQLITE_PERM || (ACode & 0xff) == SQLITE_READONLY || (ACode & 0xff) == SQLITE_AUTH)
    throw ECompanyDbError("Keine Berechtigung, die Firmendatenbank " + Zitat(APfad) + " zu öffnen und zu ändern.");
  if ((ACode & 0xff) == SQLITE_CANTOPEN)
    throw ECompanyDbError("Die Firmendatenbank " + Zitat(APfad) + " kann nicht geöffnet werden.");
  throw ECompanyDbError("Die Firmendatenbank " + Zitat(APfad) + " kann nicht geöffnet werden (SQLite-Fehler " +
                        std::to_string(ACode) + ").");
}

bool Schreibbar(const std::string& APfad) { return access(APfad.c_str(), W_OK) == 0; }

// Checks what the open call itself cannot tell apart, before SQLite touches
// the file: a missing or empty file would silently become a new database.
// AMussSchreiben: the file must be writable as well as readable.
void VorabPruefen(const std::string& APfad, bool AAnlegen, bool AMussSchreiben) {
  struct stat Info {};
  if (stat(APfad.c_str(), &Info) != 0) {
    if (errno == EACCES)
      throw ECompanyDbError("Keine Berechtigung, die Firmendatenbank " + Zitat(APfad) + " zu öffnen und zu ändern.");
    if (!AAnlegen) throw ECompanyDbError("Die Firmendatenbank " + Zitat(APfad) + " gibt es nicht.");
    return;
  }
  if (S_ISDIR(Info.st_mode))
    throw ECompanyDbError("Die Datei " + Zitat(APfad) + " ist keine Firmendatenbank oder ist beschädigt.");
  if (Info.st_size == 0 && !AAnlegen)
    throw ECompanyDbError("Die Datei " + Zitat(APfad) + " ist leer und keine Firmendatenbank.");
  if (access(APfad.c_str(), R_OK) != 0)
    throw ECompanyDbError("Keine Berechtigung, die Firmendatenbank " + Zitat(APfad) + " zu lesen.");
  if (AMussSchreiben && !Schreibbar(APfad))
    throw ECompanyDbError("Keine Berechtigung, die Firmendatenbank " + Zitat(APfad) + " zu öffnen und zu ändern.");
}

// A company opens read-only when this user may not write the file, or may
// not create the WAL beside it (folder not writable, WAL file missing or
// not writable): a write would fail half-way otherwise.
bool NurLesbar(const std::string& APfad) {
  if (!Schreibbar(APfad)) return true;
  const std::string Ordner = std::filesystem::path(APfad).parent_path().string();
  if (access(Ordner.empty() ? "." : Ordner.c_str(), W_OK) == 0) return false;
  return !Schreibbar(APfad + "-wal") || !Schreibbar(APfad + "-shm");
}

// "file:" URI of a path: the characters a URI gives a meaning are escaped.
std::string DateiUri(const std::string& APfad) {
  static const char* const Hex = "0123456789ABCDEF";
  std::string Uri = "file:";
  for (const unsigned char C : APfad) {
    if (C == '%' || C == '?' || C == '#' || C < 0x21 || C == 0x7F) {
      Uri += '%';
      Uri += Hex[C >> 4];
      Uri += Hex[C & 0x0F];
    } else {
      Uri += static_cast<char>(C);
    }
  }
  return Uri;
}

std::shared_ptr<TSqliteHandle> HandleOeffnen(const std::string& AName, const std::string& APfad, int AFlags) {
  auto Handle = std::make_shared<TSqliteHandle>();
  if (const int Rc = sqlite3_open_v2(AName.c_str(), &Handle->Db, AFlags | SQLITE_OPEN_NOMUTEX, SqliteWalPufferVfs());
      Rc != SQLITE_OK) {
    const int Code = Handle->Db ? sqlite3_extended_errcode(Handle->Db) : Rc;
    OeffnenFehler(APfad, Code);
  }
  sqlite3_extended_result_codes(Handle->Db, 1);
  sqlite3_busy_timeout(Handle->Db, KDbSqliteWarteMs);
  sqlite3_create_collation_v2(Handle->Db, "C", SQLITE_UTF8, nullptr, BytewiseVergleich, nullptr);
  return Handle;
}

// A real read of the header and schema, so a garbage file fails here and not
// at the first query of some record file. Returns SQLite's code.
int SchemaLesen(sqlite3* ADb) {
  const int Rc = sqlite3_exec(ADb, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr);
  return Rc == SQLITE_OK ? Rc : sqlite3_extended_errcode(ADb);
}

}  // namespace

std::unique_ptr<TDbConnection> TDbSqliteOeffnen(const std::string& APfad, TDbSqliteArt AArt) {
  if (APfad.empty()) throw ECompanyDbError("Es ist keine Firmendatenbank angegeben.");
  const bool Privat = AArt == TDbSqliteArt::Privat;
  const bool Anlegen = AArt == TDbSqliteArt::Anlegen;
  const bool Firma = AArt == TDbSqliteArt::Firma;
  // A private file is made by its owner beforehand (empty); it is opened, never created here.
  VorabPruefen(APfad, Anlegen || Privat, !Firma);
  const bool NurLesen = Firma && NurLesbar(APfad);
  const int Flags = NurLesen ? SQLITE_OPEN_READONLY
                             : SQLITE_OPEN_READWRITE | (Anlegen ? SQLITE_OPEN_CREATE : 0);
  auto Handle = HandleOeffnen(APfad, APfad, Flags);
  if (!NurLesen && sqlite3_db_readonly(Handle->Db, "main") == 1) OeffnenFehler(APfad, SQLITE_READONLY);
  int Rc = SchemaLesen(Handle->Db);
  // A read-only company in WAL mode needs its shared-memory file; where this
  // user can create none and no writer has left a WAL behind, the file alone
  // is the whole database and is read as it lies.
  if (NurLesen && ((Rc & 0xff) == SQLITE_CANTOPEN || (Rc & 0xff) == SQLITE_READONLY) &&
      !std::filesystem::exists(APfad + "-wal")) {
    Handle = HandleOeffnen(DateiUri(APfad) + "?immutable=1", APfad, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
    Rc = SchemaLesen(Handle->Db);
  }
  if (Rc != SQLITE_OK) OeffnenFehler(APfad, Rc);
  auto Verbindung = std::make_unique<TSqliteConnection>(Handle, APfad, NurLesen);
  // Checked before the settings below: the journal mode is written into the file.
  if (Firma && !DbIstFirma(*Verbindung))
    throw ECompanyDbError("Die Datei " + Zitat(APfad) +
                          " ist keine Firmendatenbank der Warenwirtschaft; sie wird nicht verändert.");
  char* Meldung = nullptr;
  Rc = sqlite3_exec(Handle->Db,
                    Privat     ? "PRAGMA journal_mode=MEMORY;"
                                 "PRAGMA synchronous=OFF;"
                                 "PRAGMA cache_size=-8192;"
                    : NurLesen ? "PRAGMA query_only=1;"
                               "PRAGMA cache_size=-8192;"
                             : "PRAGMA journal_mode=WAL;"
                               "PRAGMA synchronous=NORMAL;"
                               // 8 MiB page cache instead of 2 MiB: bookings revisit the
                               // same index pages batch after batch. A larger one made
                               // bookings and bulk inserts slower again.
                               "PRAGMA cache_size=-8192;"
                               "PRAGMA foreign_keys=ON;",
                    nullptr, nullptr, &Meldung);
  sqlite3_free(Meldung);
  if (Rc != SQLITE_OK) OeffnenFehler(APfad, sqlite3_extended_errcode(Handle->Db));
  if (!NurLesen && !Privat) {
    // The log goes back into the file in a thread of its own, not in the
    // commit that makes it long (see SqliteCheckpoint.h).
    Handle->Checkpointer = std::make_unique<TSqliteCheckpointer>(APfad, SqliteWalPufferVfs());
    Handle->Checkpointer->Anmelden(Handle->Db);
  }
  return Verbindung;
}
