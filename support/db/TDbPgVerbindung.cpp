#include "support/db/TDbPgVerbindung.h"

namespace {

// Results of queued writes wait in socket buffers until read; this bound keeps
// them far below what the buffers hold, so client and server never block
// each other.
constexpr size_t CMaxAusstehend = 512;
// Rows of one INSERT sent as one statement at most (parameters stay far
// below the protocol's limit of 65,535 for any table of ours).
constexpr size_t CMaxSammelZeilen = 64;

// The SQLSTATEs of failures the client finds itself (libpq gives none): the
// connection broke, or does not exist (any more).
constexpr const char* KVerbindungAbgebrochen = "08006";
constexpr const char* KKeineVerbindung = "08003";
constexpr const char* KTransaktionAbgebrochen = "25P02";

}  // namespace

EDbError PgTransaktionAbgebrochen() {
  return EDbError("Die Transaktion wurde nach einem Fehler zurückgerollt", 0, KTransaktionAbgebrochen);
}

std::string PgZustand(PGconn* AConn, const PGresult* AErgebnis) {
  if (const char* Zustand = PQresultErrorField(AErgebnis, PG_DIAG_SQLSTATE)) return Zustand;
  // libpq's own error results (the server went away mid-answer) carry none.
  return PQstatus(AConn) == CONNECTION_BAD ? KVerbindungAbgebrochen : "";
}

void TPgVerbindung::Schliessen() {
  if (Conn) PQfinish(Conn);
  Conn = nullptr;
}

PGconn* TPgVerbindung::Lebend() const {
  if (!Conn) throw EDbError("Die Verbindung zur Datenbank " + Ort + " ist geschlossen", 0, KKeineVerbindung);
  return Conn;
}

void TPgVerbindung::PruefeLauffaehig() const {
  Lebend();
  if (Abgebrochen) throw PgTransaktionAbgebrochen();
}

void TPgVerbindung::VerbindungsFehler(const std::string& AWas) const {
  throw EDbError(AWas + ": " + PQerrorMessage(Conn), 0, KVerbindungAbgebrochen);
}

void TPgVerbindung::Senden(const char* ASql, int AAnzahl, const char* const* AWerte, const int* ALaengen,
                           TErgebnisZiel AZiel) {
  SammlungSenden();
  if (!PQsendQueryParams(Lebend(), ASql, AAnzahl, nullptr, AWerte, ALaengen, nullptr, 0))
    VerbindungsFehler("Senden an den Datenbankserver fehlgeschlagen");
  Ausstehend.push_back({std::move(AZiel)});
}

void TPgVerbindung::SendenVorbereitet(const std::string& AName, const std::vector<std::optional<std::string>>& AWerte,
                                      TErgebnisZiel AZiel) {
  SammlungSenden();
  AusfuehrenSenden(AName, AWerte, std::move(AZiel));
}

void TPgVerbindung::Sammeln(const std::shared_ptr<TPgMehrzeilig>& AForm,
                            const std::vector<std::optional<std::string>>& AWerte) {
  if (SammelForm != AForm) SammlungSenden();
  SammelForm = AForm;
  SammelWerte.insert(SammelWerte.end(), AWerte.begin(), AWerte.end());
  if (++SammelZeilen >= CMaxSammelZeilen) SammlungSenden();
}

void TPgVerbindung::SammlungSenden() {
  if (!SammelForm) return;
  const std::shared_ptr<TPgMehrzeilig> Form = std::move(SammelForm);
  const size_t Zeilen = SammelZeilen;
  const std::vector<std::optional<std::string>> Werte = std::move(SammelWerte);
  SammelForm.reset();
  SammelWerte.clear();
  SammelZeilen = 0;
  AusfuehrenSenden(MehrzeiligVorbereiten(Form, Zeilen), Werte, {});
}

void TPgVerbindung::SammlungVerwerfen() {
  SammelForm.reset();
  SammelWerte.clear();
  SammelZeilen = 0;
}

const std::string& TPgVerbindung::MehrzeiligVorbereiten(const std::shared_ptr<TPgMehrzeilig>& AForm, size_t AZeilen) {
  TPgMehrzeilig::TName& N = AForm->Namen[AZeilen];
  if (N.Name.empty() || (!N.Bestaetigt && N.Runde != Runde)) {
    N = {NeuerName("m"), false, Runde};
    const std::string Sql = PgInsertZeilen(AForm->Form, AZeilen);
    if (!PQsendPrepare(Lebend(), N.Name.c_str(), Sql.c_str(), 0, nullptr))
      VerbindungsFehler("Senden an den Datenbankserver fehlgeschlagen");
    std::weak_ptr<TPgMehrzeilig> Form = AForm;
    Ausstehend.push_back({[Form, AZeilen, Name = N.Name](PGresult* AErgebnis) {
      PQclear(AErgebnis);
      if (const auto F = Form.lock()) {
        const auto It = F->Namen.find(AZeilen);
        if (It != F->Namen.end() && It->second.Name == Name) It->second.Bestaetigt = true;
      }
    }});
  }
  return N.Name;
}

void TPgVerbindung::AusfuehrenSenden(const std::string& AName, const std::vector<std::optional<std::string>>& AWerte,
                                     TErgebnisZiel AZiel) {
  std::vector<const char*> Werte(AWerte.size());
  std::vector<int> Laengen(AWerte.size());
  for (size_t I = 0; I < AWerte.size(); ++I) {
    Werte[I] = AWerte[I] ? AWerte[I]->c_str() : nullptr;
    Laengen[I] = AWerte[I] ? static_cast<int>(AWerte[I]->size()) : 0;
  }
  if (!PQsendQueryPrepared(Lebend(), AName.c_str(), static_cast<int>(Werte.size()), Werte.data(), Laengen.data(),
                           nullptr, 0))
    VerbindungsFehler("Senden an den Datenbankserver fehlgeschlagen");
  Ausstehend.push_back({std::move(AZiel)});
}

void TPgVerbindung::Abholen() {
  std::optional<EDbError> Erster;
  AlleAbholen(Erster);
  if (!Erster) return;
  if (InTransaktion) {
    Zurueckrollen();
    Abgebrochen = true;
  } else if (LeseTransaktion) {
    Zurueckrollen();
    LeseTransaktion = false;
  }
  throw *Erster;
}

void TPgVerbindung::Abschicken() {
  SammlungSenden();
  if (Ausstehend.empty() || Ausstehend.back().Sync) return;
  if (!PQpipelineSync(Lebend())) VerbindungsFehler("Senden an den Datenbankserver fehlgeschlagen");
  Ausstehend.push_back({{}, true});
}

void TPgVerbindung::LeseTransaktionBeenden() {
  if (!LeseTransaktion) return;
  Senden("COMMIT");
  CursorDieserTransaktion.clear();
  LeseTransaktion = false;
}

void TPgVerbindung::LeseTransaktionOeffnen() {
  if (InTransaktion || LeseTransaktion) return;
  Senden("BEGIN");
  LeseTransaktion = true;
}

void TPgVerbindung::CursorGeschlossen() {
  if (InTransaktion) return;
  if (LeseTransaktion) {
    for (const auto& Name : CursorDieserTransaktion)
      if (OffeneCursor.count(Name)) return;
    LeseTransaktionBeenden();
  }
  Abschicken();
}

void TPgVerbindung::Zurueckrollen() {
  SammlungVerwerfen();
  for (const auto& Name : CursorDieserTransaktion) OffeneCursor.erase(Name);
  CursorDieserTransaktion.clear();
  if (!Conn || PQstatus(Conn) != CONNECTION_OK) return;
  std::optional<EDbError> Egal;
  AlleAbholen(Egal);  // queued writes first; a failure among them aborts the segment
  Senden("ROLLBACK");
  AlleAbholen(Egal);
}

void TPgVerbindung::AlleAbholen(std::optional<EDbError>& AErster) {
  SammlungSenden();
  if (Ausstehend.empty()) return;
  Abschicken();
  while (!Ausstehend.empty()) {
    TAntwort Antwort = std::move(Ausstehend.front());
    Ausstehend.pop_front();
    if (Antwort.Sync) {
      while (PGresult* Marke = PQgetResult(Conn)) {
        const bool Ende = PQresultStatus(Marke) == PGRES_PIPELINE_SYNC;
        PQclear(Marke);
        if (Ende) break;
      }
      continue;
    }
    TErgebnisZiel& Ziel = Antwort.Ziel;
    PGresult* Ergebnis = PQgetResult(Conn);
    if (!Ergebnis) {
      if (!AErster)
        AErster.emplace(std::string("Keine Antwort vom Datenbankserver: ") + PQerrorMessage(Conn), 0,
                        KVerbindungAbgebrochen);
      continue;
    }
    const auto Status = PQresultStatus(Ergebnis);
    if (Status == PGRES_FATAL_ERROR) {
      if (!AErster) {
        AErster.emplace(std::string("Datenbankfehler: ") + PQresultErrorMessage(Ergebnis), 0,
                        PgZustand(Conn, Ergebnis));
      }
      PQclear(Ergebnis);
    } else if (Status == PGRES_PIPELINE_ABORTED || !Ziel) {
      PQclear(Ergebnis);
    } else {
      Ziel(Ergebnis);  // takes ownership
    }
    while (PGresult* Rest = PQgetResult(Conn)) PQclear(Rest);  // up to the NULL that ends each command
  }
  ++Runde;
  if (PQstatus(Conn) == CONNECTION_BAD && !AErster)
    AErster.emplace(std::string("Verbindung zum Datenbankserver verloren: ") + PQerrorMessage(Conn), 0,
                    KVerbindungAbgebrochen);
}

void TPgVerbindung::Grenze() {
  if (Ausstehend.size() >= CMaxAusstehend) Abholen();
}
