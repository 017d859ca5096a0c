#pragma once
// The PostgreSQL connection's state in pipeline mode, shared by the
// connection and its statements (TDbPostgres.cpp): what was sent and awaits
// its answer, the transaction's state, and the held-back rows of INSERTs.
// Internal to the PostgreSQL backend.
#include <libpq-fe.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/db/TDbConnection.h"
#include "support/db/TDbPgText.h"

using TErgebnisZiel = std::function<void(PGresult*)>;

// The SQLSTATE of a failed result; a failure libpq found itself (the server
// went away) is named as a broken connection.
std::string PgZustand(PGconn* AConn, const PGresult* AErgebnis);
// What a statement meets in a transaction an earlier failure rolled back.
EDbError PgTransaktionAbgebrochen();

// One awaited answer: a command's result, or the end of a pipeline segment.
struct TAntwort {
  TErgebnisZiel Ziel;
  bool Sync = false;
};

// A plain INSERT's forms for several rows, prepared on the server once per
// row count. A prepare whose answer was read without confirming it (it
// failed, or an error before it skipped it) is made again under a new name.
struct TPgMehrzeilig {
  TPgInsertForm Form;
  struct TName {
    std::string Name;
    bool Bestaetigt = false;
    uint64_t Runde = 0;  // the round trip that answers its prepare
  };
  std::map<size_t, TName> Namen;
};

// Connection state shared by the connection and its statements, so a
// statement that outlives its connection fails cleanly instead of crashing.
struct TPgVerbindung {
  PGconn* Conn = nullptr;
  std::string Ort;
  // One entry per command sent and not yet answered; a null target means the
  // result only matters if it is an error.
  std::deque<TAntwort> Ausstehend;
  bool InTransaktion = false;
  bool LeseTransaktion = false;  // opened for cursors outside a transaction
  bool Abgebrochen = false;      // failed inside the transaction; already rolled back
  std::set<std::string> OffeneCursor;
  std::vector<std::string> CursorDieserTransaktion;  // of the caller's or the read transaction; die with a rollback
  int NaechsteNr = 0;
  uint64_t Runde = 0;  // round trips whose answers have been read
  // Rows of a plain INSERT run inside a transaction, held back so that the
  // rows a batch writes in a row go as one statement: the server then parses,
  // plans and executes once instead of once per row. Whatever else is sent
  // sends them first, so the order of the transaction's work stays as given.
  std::shared_ptr<TPgMehrzeilig> SammelForm;
  std::vector<std::optional<std::string>> SammelWerte;
  size_t SammelZeilen = 0;

  ~TPgVerbindung() { Schliessen(); }

  void Schliessen();
  PGconn* Lebend() const;
  void PruefeLauffaehig() const;
  [[noreturn]] void VerbindungsFehler(const std::string& AWas) const;

  // Sends one command; its answer is read at the next Abholen().
  void Senden(const char* ASql, int AAnzahl, const char* const* AWerte, const int* ALaengen, TErgebnisZiel AZiel = {});
  void Senden(const char* ASql, TErgebnisZiel AZiel = {}) { Senden(ASql, 0, nullptr, nullptr, std::move(AZiel)); }
  void SendenVorbereitet(const std::string& AName, const std::vector<std::optional<std::string>>& AWerte,
                         TErgebnisZiel AZiel = {});

  // One more row for the held-back INSERT (see SammelForm).
  void Sammeln(const std::shared_ptr<TPgMehrzeilig>& AForm, const std::vector<std::optional<std::string>>& AWerte);
  void SammlungSenden();

  // Rows held back belong to a transaction that is being rolled back.
  void SammlungVerwerfen();
  const std::string& MehrzeiligVorbereiten(const std::shared_ptr<TPgMehrzeilig>& AForm, size_t AZeilen);
  void AusfuehrenSenden(const std::string& AName, const std::vector<std::optional<std::string>>& AWerte,
                        TErgebnisZiel AZiel);

  // Ends the pipeline segment and reads every answer. The first error is
  // thrown after all answers are in; inside a transaction the transaction is
  // then rolled back at once and the caller's bracket marked as failed.
  void Abholen();

  // Ends the segment and sends it now; its answers are read later.
  void Abschicken();

  // Before a write or a transaction outside a transaction: the read
  // transaction must not swallow it.
  void LeseTransaktionBeenden();
  void LeseTransaktionOeffnen();

  // The read transaction ends as soon as none of its cursors is open, so no
  // idle transaction holds locks while the program waits for the user.
  void CursorGeschlossen();

  // Rolls the server transaction back, whatever state it is in.
  void Zurueckrollen();
  void AlleAbholen(std::optional<EDbError>& AErster);
  void Grenze();
  std::string NeuerName(const char* APrefix) { return APrefix + std::to_string(++NaechsteNr); }
};
