#pragma once
// Prepared statements of one service object on the company connection
// (KWDDatenbank()). A statement is prepared at its first use and reused; the
// object binds to the connection it first used and must not outlive it.
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/db/DbProdId.h"  // BindProdId, ColumnProdId for the suite's queries
#include "support/db/TDbAbfragen.h"

class TSuiteAbfragen {
 public:
  // The statement for ASql (a code constant), reset and ready to bind.
  TDbStatement& Get(std::string_view ASql);
  // For a query with a small result (TDbConnection::PrepareGanz).
  TDbStatement& GetGanz(std::string_view ASql);
  // Many keys in one statement (TDbAbfragen::GetWiederholt).
  TDbStatement& GetWiederholt(const TDbAbfragen::TWiederholung& ATeile, size_t AAnzahl, bool AGanz = false);
  TDbConnection& Verbindung();

 private:
  std::optional<TDbAbfragen> FAbfragen;
};

// Resets a statement when a read is left early: an unfinished read would keep
// a SQLite snapshot open or block the PostgreSQL connection for other queries.
class TAbfrageEnde {
 public:
  explicit TAbfrageEnde(TDbStatement& AStatement) : FStatement(AStatement) {}
  ~TAbfrageEnde();
  TAbfrageEnde(const TAbfrageEnde&) = delete;
  TAbfrageEnde& operator=(const TAbfrageEnde&) = delete;

 private:
  TDbStatement& FStatement;
};

// Look-ups of many keys in few statements: AArm, a select whose conditions
// hold one key's placeholders, repeated with UNION ALL for up to KJeAbfrage
// keys per statement (SQLite allows 500 compound terms). Senden binds and
// sends every chunk (TDbStatement::Vorausschicken), so the chunks of several
// such reads share one round trip on PostgreSQL; Lesen then reads them in
// order. Each chunk has a statement of its own. Reads left unread are reset
// on destruction.
class TStueckAbfrage {
 public:
  static constexpr size_t KJeAbfrage = 100;

  TStueckAbfrage() = default;
  TStueckAbfrage(const TStueckAbfrage&) = delete;
  TStueckAbfrage& operator=(const TStueckAbfrage&) = delete;
  ~TStueckAbfrage() { Zuruecksetzen(); }

  // ABinden(statement, first parameter, key index) binds one key and returns
  // the next parameter.
  template <class B>
  void Senden(TSuiteAbfragen& AAbfragen, const std::string& AArm, size_t AAnzahl, B ABinden) {
    Zuruecksetzen();
    for (size_t Start = 0, Teil = 0; Start < AAnzahl; Start += KJeAbfrage, ++Teil) {
      const size_t Anzahl = std::min(KJeAbfrage, AAnzahl - Start);
      const std::string Fuss = Teil > 0 ? " /* " + std::to_string(Teil) + " */" : "";  // a statement per chunk
      TDbStatement& S = AAbfragen.GetWiederholt({"", AArm, " UNION ALL ", Fuss}, Anzahl, true);
      int P = 1;
      for (size_t I = 0; I < Anzahl; ++I) P = ABinden(S, P, Start + I);
      FStatements.push_back(&S);
      S.Vorausschicken();
    }
  }

  // As Senden, with the keys as a list of values joined to the tables:
  // AKopf "SELECT ... FROM (VALUES ", AKey one key's row of placeholders,
  // AFuss ") AS k JOIN ...", up to KJeListe keys per statement. One
  // statement with one cursor per table instead of one per key: on SQLite
  // cheaper for many keys than the compound select. (PostgreSQL may plan a
  // join of many keys as a hash join over the whole table.)
  static constexpr size_t KJeListe = 500;
  template <class B>
  void SendenListe(TSuiteAbfragen& AAbfragen, std::string_view AKopf, std::string_view AKey, std::string_view AFuss,
                   size_t AAnzahl, B ABinden) {
    Zuruecksetzen();
    for (size_t Start = 0, Teil = 0; Start < AAnzahl; Start += KJeListe, ++Teil) {
      const size_t Anzahl = std::min(KJeListe, AAnzahl - Start);
      const std::string Fuss = std::string(AFuss) + (Teil > 0 ? " /* " + std::to_string(Teil) + " */" : "");
      TDbStatement& S = AAbfragen.GetWiederholt({AKopf, AKey, ", ", Fuss}, Anzahl, true);
      int P = 1;
      for (size_t I = 0; I < Anzahl; ++I) P = ABinden(S, P, Start + I);
      FStatements.push_back(&S);
      S.Vorausschicken();
    }
  }

  // As SendenListe, with up to KJeListe keys per statement bound by
  // ABinden(statement, first key, number of keys) as arrays (PostgreSQL): one
  // statement ASql (a code constant) whatever the number of keys.
  template <class B>
  void SendenAlsListen(TSuiteAbfragen& AAbfragen, std::string_view ASql, size_t AAnzahl, B ABinden) {
    Zuruecksetzen();
    for (size_t Start = 0, Teil = 0; Start < AAnzahl; Start += KJeListe, ++Teil) {
      TDbStatement& S =
          AAbfragen.GetGanz(std::string(ASql) + (Teil > 0 ? " /* " + std::to_string(Teil) + " */" : ""));
      ABinden(S, Start, std::min(KJeListe, AAnzahl - Start));
      FStatements.push_back(&S);
      S.Vorausschicken();
    }
  }

  // AZeile(statement) takes one result row.
  template <class Z>
  void Lesen(Z AZeile) {
    for (TDbStatement* S : FStatements) {
      TAbfrageEnde Ende(*S);
      while (S->Step()) AZeile(*S);
    }
    FStatements.clear();
  }

  bool Offen() const { return !FStatements.empty(); }

 private:
  void Zuruecksetzen() noexcept {
    for (TDbStatement* S : FStatements) TAbfrageEnde Ende(*S);
    FStatements.clear();
  }

  std::vector<TDbStatement*> FStatements;
};
