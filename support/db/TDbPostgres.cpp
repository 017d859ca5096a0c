// PostgreSQL backend. The connection always runs in libpq pipeline mode:
// - writes queued by Run() inside a transaction travel together and are
//   answered in one round trip at the next read, Flush or Commit;
// - rows of a plain INSERT run one after another inside a transaction go as
//   one statement of several rows (the server's work is per statement);
// - a query reads through a server-side cursor (DECLARE ... WITH HOLD, then
//   FETCH in chunks), so a large result never sits in memory whole and other
//   statements of the same connection keep working while it is walked.
// Reads outside a transaction share one read transaction that ends (COMMIT,
// sent at once) when the last of their cursors closes, so a scan is computed
// as it is fetched. A write, Begin or script outside a transaction ends it
// first; cursors still open are then kept by the server (WITH HOLD).
#include "support/db/TDbPostgres.h"

#include <libpq-fe.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "support/db/FirmaBelegung.h"
#include "support/db/KWDDatenbank.h"
#include "support/db/TDbPgAnmeldung.h"
#include "support/db/TDbPgText.h"
#include "support/db/TDbPgVerbindung.h"

namespace {

constexpr int CFetchZeilen = 1000;

// The SQL's words in capitals, quoted text and names left out.
std::vector<std::string> Woerter(std::string_view ASql) {
  std::vector<std::string> Liste;
  char Quote = 0;
  std::string Wort;
  for (const char Z : ASql) {
    if (Quote) {
      if (Z == Quote) Quote = 0;
      continue;
    }
    if (std::isalnum(static_cast<unsigned char>(Z)) || Z == '_') {
      Wort += static_cast<char>(std::toupper(static_cast<unsigned char>(Z)));
      continue;
    }
    if (!Wort.empty()) Liste.push_back(std::move(Wort));
    Wort.clear();
    if (Z == '\'' || Z == '"') Quote = Z;
  }
  if (!Wort.empty()) Liste.push_back(std::move(Wort));
  return Liste;
}

// Queries read through a cursor; anything else runs directly: writes, DDL,
// data-changing WITH parts and locking reads, which a holdable cursor refuses.
bool IstCursorAbfrage(std::string_view ASql) {
  const auto Liste = Woerter(ASql);
  if (Liste.empty() || (Liste[0] != "SELECT" && Liste[0] != "VALUES" && Liste[0] != "WITH")) return false;
  for (size_t I = 0; I < Liste.size(); ++I) {
    const auto& W = Liste[I];
    if (W == "INSERT" || W == "UPDATE" || W == "DELETE" || W == "MERGE" || W == "INTO") return false;
    if (W == "FOR" && I + 1 < Liste.size() &&
        (Liste[I + 1] == "UPDATE" || Liste[I + 1] == "SHARE" || Liste[I + 1] == "NO" || Liste[I + 1] == "KEY"))
      return false;
  }
  return true;
}

class TPgStatement final : public TDbStatement {
 public:
  TPgStatement(std::shared_ptr<TPgVerbindung> AVerbindung, std::string_view ASql, bool AGanz)
      : FV(std::move(AVerbindung)) {
    int Anzahl = 0;
    const std::string Sql = PgPlatzhalterNummerieren(ASql, Anzahl);
    FWerte.resize(static_cast<size_t>(Anzahl));
    FCursorModus = !AGanz && IstCursorAbfrage(ASql);
    if (auto Form = PgInsertForm(ASql)) FMehrzeilig = std::make_shared<TPgMehrzeilig>(TPgMehrzeilig{std::move(*Form), {}});
    FName = FV->NeuerName("w");
    if (FCursorModus) FCursor = FV->NeuerName("c");
    const std::string Text = FCursorModus ? "DECLARE " + FCursor + " NO SCROLL CURSOR WITH HOLD FOR " + Sql : Sql;
    FV->PruefeLauffaehig();
    if (!PQsendPrepare(FV->Conn, FName.c_str(), Text.c_str(), 0, nullptr))
      FV->VerbindungsFehler("Senden an den Datenbankserver fehlgeschlagen");
    FV->Ausstehend.push_back({});
    try {
      FV->Abholen();
    } catch (EDbError& E) {
      throw EDbError(E, "", " (" + std::string(ASql) + ")");
    }
    FVorbereitet = true;
  }

  ~TPgStatement() override {
    try {
      Reset();
      // Frees the server's copy; it rides along with the next round trip.
      if (FVorbereitet && FV->Conn && !FV->Abgebrochen) {
        // Rows still held back go first (Senden sends them).
        const std::string Sql = "DEALLOCATE " + FName;
        FV->Senden(Sql.c_str());
        if (FMehrzeilig)
          for (const auto& [Zeilen, N] : FMehrzeilig->Namen)
            if (N.Bestaetigt) FV->Senden(("DEALLOCATE " + N.Name).c_str());
      }
    } catch (...) {
      // A closing statement has nothing left to report to.
    }
  }

  void BindNull(int AIndex) override { Wert(AIndex).reset(); }
  void BindInt(int AIndex, int64_t AWert) override { Wert(AIndex) = std::to_string(AWert); }
  void BindDouble(int AIndex, double AWert) override {
    char Puffer[40];
    const auto Ende = std::to_chars(Puffer, Puffer + sizeof Puffer, AWert).ptr;  // shortest exact form
    Wert(AIndex) = std::string(Puffer, Ende);
  }
  void BindText(int AIndex, std::string_view AWert) override { Wert(AIndex) = PgTextKodieren(AWert); }

  bool Step() override {
    if (FFertig) return false;
    if (FVoraus) {
      // Sent ahead: its answer came with an earlier round trip, or comes now
      // together with every other answer sent with it.
      FVoraus = false;
      if (!FErgebnis) FV->Abholen();
    } else if (!FGelaufen) {
      FV->PruefeLauffaehig();
      Starten();
    } else {
      ++FZeile;
    }
    while (!FErgebnis || FZeile >= PQntuples(FErgebnis.get())) {
      if (!FCursorModus || !FCursorOffen || (FErgebnis && PQntuples(FErgebnis.get()) < CFetchZeilen)) {
        CursorSchliessen();
        FFertig = true;
        return false;
      }
      Holen();
    }
    return true;
  }

  int ColumnCount() const override { return FErgebnis ? PQnfields(FErgebnis.get()) : 0; }
  bool ColumnIsNull(int ACol) const override { return PQgetisnull(Zeile(ACol), FZeile, ACol); }
  int64_t ColumnInt(int ACol) const override {
    const std::string_view Text = Roh(ACol);
    if (Text == "t") return 1;
    int64_t Wert = 0;
    const auto [Ende, Fehler] = std::from_chars(Text.data(), Text.data() + Text.size(), Wert);
    if (Fehler == std::errc() && Ende == Text.data() + Text.size()) return Wert;
    return static_cast<int64_t>(ColumnDouble(ACol));  // a fraction: cut as SQLite does
  }
  double ColumnDouble(int ACol) const override {
    const std::string_view Text = Roh(ACol);
    if (Text == "Infinity") return HUGE_VAL;
    if (Text == "-Infinity") return -HUGE_VAL;
    if (Text == "NaN") return std::nan("");
    double Wert = 0;
    std::from_chars(Text.data(), Text.data() + Text.size(), Wert);  // locale-independent
    return Wert;
  }
  std::string ColumnText(int ACol) const override { return PgTextDekodieren(Roh(ACol)); }

  int64_t Execute() override {
    Reset();
    FV->PruefeLauffaehig();
    int64_t Geaendert = 0;
    if (FCursorModus) {
      // A query run for its effect: read it through and count its rows.
      while (Step()) ++Geaendert;
      Reset();
      return Geaendert;
    }
    Einreihen(Zaehler([&Geaendert](int64_t AAnzahl) { Geaendert = AAnzahl; }));
    FV->Abholen();
    return Geaendert;
  }

  using TDbStatement::Run;
  void Run() override {
    if (!FV->InTransaktion || FCursorModus) {
      Execute();
      return;
    }
    if (FMehrzeilig) {
      Reset();
      FV->PruefeLauffaehig();
      FV->Sammeln(FMehrzeilig, FWerte);
    } else {
      Einreihen();
    }
    FV->Grenze();
  }
  void Run(const std::function<void(int64_t)>& AFertig) override {
    if (!FV->InTransaktion || FCursorModus) {
      AFertig(Execute());
      return;
    }
    Einreihen(Zaehler(AFertig));
    FV->Grenze();
  }
  void RunOhneAntwort() override {
    if (FV->InTransaktion || FCursorModus) {
      Execute();
      return;
    }
    Einreihen();
    FV->Abschicken();
  }

  void Vorausschicken() override {
    if (FCursorModus) return;  // a cursor is declared at its first Step
    Einreihen(Empfaenger());
    FGelaufen = true;
    FVoraus = true;
  }

  void Reset() override {
    if (FVoraus) {
      // The answer still on its way names this statement: take it in first.
      FVoraus = false;
      FV->Abholen();
    }
    CursorSchliessen();
    FErgebnis.reset();
    FZeile = 0;
    FGelaufen = false;
    FFertig = false;
  }

 private:
  struct TErgebnisLoeschen {
    void operator()(PGresult* A) const { PQclear(A); }
  };

  std::optional<std::string>& Wert(int AIndex) {
    if (AIndex < 1 || AIndex > static_cast<int>(FWerte.size()))
      throw EDbError("Parameter " + std::to_string(AIndex) + " gibt es in dieser Anweisung nicht");
    if (FGelaufen) Reset();
    return FWerte[static_cast<size_t>(AIndex - 1)];
  }

  TErgebnisZiel Empfaenger() {
    return [this](PGresult* AErgebnis) { FErgebnis.reset(AErgebnis); };
  }
  // Passes a write's count of changed rows to AFertig.
  static TErgebnisZiel Zaehler(std::function<void(int64_t)> AFertig) {
    return [AFertig = std::move(AFertig)](PGresult* AErgebnis) {
      const char* Anzahl = PQcmdTuples(AErgebnis);
      const int64_t Geaendert = *Anzahl ? std::atoll(Anzahl) : 0;
      PQclear(AErgebnis);
      AFertig(Geaendert);
    };
  }

  // Sends this run of the statement; its answer goes to AZiel at the next
  // round trip. Outside a transaction a read transaction ends first.
  void Einreihen(TErgebnisZiel AZiel = {}) {
    Reset();
    FV->PruefeLauffaehig();
    if (!FV->InTransaktion) FV->LeseTransaktionBeenden();
    FV->SendenVorbereitet(FName, FWerte, std::move(AZiel));
  }

  // First run: declare the cursor and fetch its first chunk, one round trip.
  void Starten() {
    FGelaufen = true;
    FZeile = 0;
    FErgebnis.reset();
    if (!FCursorModus) {
      if (!FV->InTransaktion) FV->LeseTransaktionBeenden();
      FV->SendenVorbereitet(FName, FWerte, Empfaenger());
      FV->Abholen();
      return;
    }
    FV->LeseTransaktionOeffnen();
    FV->SendenVorbereitet(FName, FWerte);
    FCursorOffen = true;
    FV->OffeneCursor.insert(FCursor);
    FV->CursorDieserTransaktion.push_back(FCursor);
    Holen();
  }

  void Holen() {
    FErgebnis.reset();
    FZeile = 0;
    const std::string Sql = "FETCH FORWARD " + std::to_string(CFetchZeilen) + " FROM " + FCursor;
    FV->Senden(Sql.c_str(), Empfaenger());
    FV->Abholen();
  }

  // The CLOSE goes out with the next round trip; a cursor a rollback already
  // removed is not closed again (that error would abort the next batch).
  void CursorSchliessen() {
    if (!FCursorOffen) return;
    FCursorOffen = false;
    if (FV->OffeneCursor.erase(FCursor) && FV->Conn && !FV->Abgebrochen) {
      const std::string Sql = "CLOSE " + FCursor;
      FV->Senden(Sql.c_str());
      FV->CursorGeschlossen();
    }
  }

  PGresult* Zeile(int ACol) const {
    if (!FErgebnis || FZeile >= PQntuples(FErgebnis.get())) throw EDbError("Kein Datensatz gelesen");
    if (ACol < 0 || ACol >= PQnfields(FErgebnis.get()))
      throw EDbError("Spalte " + std::to_string(ACol) + " gibt es im Ergebnis nicht");
    return FErgebnis.get();
  }
  std::string_view Roh(int ACol) const {
    PGresult* E = Zeile(ACol);
    return {PQgetvalue(E, FZeile, ACol), static_cast<size_t>(PQgetlength(E, FZeile, ACol))};
  }

  std::shared_ptr<TPgVerbindung> FV;
  std::string FName;
  std::string FCursor;
  bool FCursorModus = false;
  bool FVorbereitet = false;
  std::shared_ptr<TPgMehrzeilig> FMehrzeilig;  // a plain INSERT: Run inside a transaction holds its rows back
  std::vector<std::optional<std::string>> FWerte;
  std::unique_ptr<PGresult, TErgebnisLoeschen> FErgebnis;
  int FZeile = 0;
  bool FGelaufen = false;
  bool FVoraus = false;  // sent by Vorausschicken, not yet stepped
  bool FFertig = false;
  bool FCursorOffen = false;
};

class TPgConnection final : public TDbConnection {
 public:
  TPgConnection(std::shared_ptr<TPgVerbindung> AVerbindung, bool ANurLesen)
      : FV(std::move(AVerbindung)), FNurLesen(ANurLesen) {}
  ~TPgConnection() override {
    Rollback();
    FV->Schliessen();
  }

  TDbBackend Backend() const override { return TDbBackend::PostgreSQL; }
  bool NurLesen() const override { return FNurLesen; }
  void NurLesenSetzen(bool ANurLesen) { FNurLesen = ANurLesen; }
  std::string Ort() const override { return FV->Ort; }

  std::unique_ptr<TDbStatement> Prepare(std::string_view ASql) override {
    return std::make_unique<TPgStatement>(FV, ASql, false);
  }
  std::unique_ptr<TDbStatement> PrepareGanz(std::string_view ASql) override {
    return std::make_unique<TPgStatement>(FV, ASql, true);
  }

  // Several statements in one text need the simple protocol, which pipeline
  // mode does not allow: leave it for this one call.
  void ExecScript(std::string_view ASql) override {
    FV->PruefeLauffaehig();
    if (!FV->InTransaktion) FV->LeseTransaktionBeenden();
    FV->Abholen();
    PGconn* Conn = FV->Conn;
    PQexitPipelineMode(Conn);
    PGresult* Ergebnis = PQexec(Conn, std::string(ASql).c_str());
    std::optional<EDbError> Fehler;
    const auto Status = PQresultStatus(Ergebnis);
    if (Status != PGRES_COMMAND_OK && Status != PGRES_TUPLES_OK && Status != PGRES_EMPTY_QUERY) {
      Fehler.emplace(std::string("SQL-Skript fehlgeschlagen: ") + PQerrorMessage(Conn), 0, PgZustand(Conn, Ergebnis));
    }
    PQclear(Ergebnis);
    PQenterPipelineMode(Conn);
    if (!Fehler) return;
    if (FV->InTransaktion) {
      FV->Zurueckrollen();
      FV->Abgebrochen = true;
    }
    throw *Fehler;
  }

  // BEGIN is only queued: it travels with the transaction's first read or
  // with its writes at commit, costing no round trip of its own.
  void Begin() override {
    if (FV->InTransaktion) throw EDbError("Es läuft bereits eine Transaktion");
    FV->Lebend();
    FV->LeseTransaktionBeenden();
    FV->Senden("BEGIN");
    FV->InTransaktion = true;
    FV->Abgebrochen = false;
  }
  void Flush() override {
    FV->PruefeLauffaehig();
    FV->Abholen();
  }
  // Inside a transaction nothing needs the writes on the server before the
  // commit: they leave with it, in one packet, and the server answers once
  // per batch instead of twice. Outside one the segment's end commits them.
  void Abschicken() override {
    FV->PruefeLauffaehig();
    if (FV->InTransaktion)
      FV->SammlungSenden();
    else
      FV->Abschicken();
  }
  void Commit() override {
    if (!FV->InTransaktion) throw EDbError("Commit ohne laufende Transaktion");
    if (FV->Abgebrochen) {
      FV->InTransaktion = FV->Abgebrochen = false;
      throw PgTransaktionAbgebrochen();
    }
    FV->Senden("COMMIT");
    try {
      FV->Abholen();
    } catch (...) {
      FV->InTransaktion = FV->Abgebrochen = false;
      throw;
    }
    FV->CursorDieserTransaktion.clear();  // holdable cursors outlive the commit
    FV->InTransaktion = false;
  }
  void Rollback() override {
    if (!FV->InTransaktion) return;
    if (FV->Abgebrochen) {
      FV->InTransaktion = FV->Abgebrochen = false;
      return;
    }
    try {
      FV->Zurueckrollen();
    } catch (...) {
      // The server drops the transaction with the broken connection anyway.
    }
    FV->InTransaktion = FV->Abgebrochen = false;
  }
  bool InTransaction() const override { return FV->InTransaktion; }

 private:
  std::shared_ptr<TPgVerbindung> FV;
  bool FNurLesen;
};

std::string Zitat(const std::string& AText) { return "\u201E" + AText + "\u201C"; }

// A session that may not write: a standby server, or a role whose
// transactions are read-only by default.
bool NurLesend(TDbConnection& AVerbindung) {
  auto S = AVerbindung.PrepareGanz("SELECT pg_is_in_recovery() OR current_setting('transaction_read_only') = 'on'");
  const bool NurLesen = S->Step() && S->ColumnInt(0) != 0;
  S->Reset();
  return NurLesen;
}

}  // namespace

std::unique_ptr<TDbConnection> TDbPostgresOeffnen(const std::string& AUri, bool AFirma) {
  char* Fehler = nullptr;
  PQconninfoOption* Optionen = PQconninfoParse(AUri.c_str(), &Fehler);
  if (!Optionen) {
    const std::string Technisch = Fehler ? Fehler : "";
    PQfreemem(Fehler);
    throw ECompanyDbError("Die Angabe der Firmendatenbank ist keine gültige PostgreSQL-Adresse.", Technisch);
  }
  PQconninfoFree(Optionen);

  auto V = std::make_shared<TPgVerbindung>();
  V->Conn = PgAnmelden(AUri);
  V->Ort = std::string("postgresql://") + PQuser(V->Conn) + "@" + PQhost(V->Conn) + ":" + PQport(V->Conn) + "/" +
           PQdb(V->Conn);
  // Server notices ("already exists, skipping") are no news for anyone.
  PQsetNoticeProcessor(V->Conn, [](void*, const char*) {}, nullptr);
  // Texts travel as UTF-8; doubles come back in their shortest exact form.
  PGresult* Ergebnis = PQexec(V->Conn, "SET client_encoding = 'UTF8'; SET extra_float_digits = 3");
  const bool Gut = PQresultStatus(Ergebnis) == PGRES_COMMAND_OK;
  PQclear(Ergebnis);
  if (!Gut || !PQenterPipelineMode(V->Conn))
    throw ECompanyDbError("Die Verbindung zur Firmendatenbank " + V->Ort + " lässt sich nicht einrichten.");
  if (!AFirma) return std::make_unique<TPgConnection>(std::move(V), false);
  const std::string Name = Zitat(PQdb(V->Conn)) + " auf dem Datenbankserver " + Zitat(PgServerVon(V->Conn, AUri));
  auto Verbindung = std::make_unique<TPgConnection>(std::move(V), false);
  if (!DbIstFirma(*Verbindung)) {
    const bool Leer = DbOhneTabellen(*Verbindung);
    throw EDbKeineFirma(Leer ? "Die Datenbank " + Name +
                                   " ist leer: noch keine Firmendatenbank der Warenwirtschaft; sie wird beim Öffnen "
                                   "nicht verändert."
                             : "Die Datenbank " + Name +
                                   " ist keine Firmendatenbank der Warenwirtschaft; sie wird nicht verändert.",
                        Leer);
  }
  Verbindung->NurLesenSetzen(NurLesend(*Verbindung));
  FirmaBelegen(*Verbindung);
  return Verbindung;
}
