#include "support/services/TCommonLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include "support/db/DbProdId.h"
#include "support/db/KWDDatenbank.h"
#include "support/db/TDbConnection.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDSettings.h"
#include "support/framework/KWDSystemFehler.h"
#include "support/framework/KWDUhr.h"
#include "support/framework/TKWDInfo.h"
#include "support/services/DienstAufrufe.h"
#include "support/services/Prozessidentitaet.h"

namespace {

// First key of the PostgreSQL advisory locks of the common lock, so other
// users of advisory locks on the same server do not collide with block ids.
constexpr int32_t CBlockKlasse = 0x575753;  // "WWS"
constexpr const char* KProdIdGleich = "(prodid1 = ? AND prodid2 = ? AND prodid3 = ?)";

void MeldungFuellen(TQLX_clMeldung& AMeldung, const TSperrZeile& AZeile) {
  AMeldung.TerminalNr = AZeile.Halter.TerminalNr;
  AMeldung.Terminal = AZeile.Halter.Terminal;
  AMeldung.Programm = AZeile.Halter.Programm;
  AMeldung.Benutzer = AZeile.Halter.Benutzer;
  AMeldung.ProzessId = static_cast<int32_t>(AZeile.Halter.ProzessId);
  AMeldung.GesperrtSeit = AZeile.GesperrtSeit;
  AMeldung.ProduktId = AZeile.ProduktId;
}

// A connection of the lock's own to the company at AOrt. Ort() of a server
// connection leaves out the password and connection options; the setting the
// company was opened from still has them.
std::unique_ptr<TDbConnection> EigeneVerbindung(const std::string& AOrt) {
  if (auto Einstellung = KWDSetting("WWS_DB"); Einstellung && *Einstellung != AOrt) {
    try {
      auto Verbindung = TDbConnection::Open(*Einstellung);
      if (Verbindung->Ort() == AOrt) return Verbindung;
    } catch (const std::exception&) {
      // another company than the process's one: open AOrt below
    }
  }
  return TDbConnection::Open(AOrt);
}

void Zeigen(const std::string& AText) { KWDInfo().ShowMeldung(0, "STANDARD", 997, {AText}); }

}  // namespace

TCommonLock::TCommonLock(std::string AOrt) : FOrt(std::move(AOrt)) {}

TCommonLock::~TCommonLock() {
  AllesFreigeben();
  VerbindungSchliessen();
}

void TCommonLock::SetProgramm(const std::string& AProgramm) {
  std::lock_guard Sperre(FMutex);
  FProgramm = AProgramm;
  FHalter.Programm = AProgramm;
}

TDbConnection& TCommonLock::Verbindung() {
  std::string Ort = FOrt.empty() ? KWDDatenbank().Ort() : FOrt;
  if (FVerbindung && FVerbindungsOrt == Ort) return *FVerbindung;
  // The company changed (tools and tests switch it): what was held belongs to the old one.
  AllesFreigeben();
  VerbindungSchliessen();
  FVerbindung = FOrt.empty() ? EigeneVerbindung(Ort) : TDbConnection::Open(Ort);
  FVerbindungsOrt = Ort;
  FAbfragen = std::make_unique<TDbAbfragen>(*FVerbindung);
  FHalter = SperrHalterDieserProzess(*FVerbindung, FProgramm.empty() ? KWDProgrammname() : FProgramm);
  return *FVerbindung;
}

TDbAbfragen& TCommonLock::Schreiber() {
  if (!FOrt.empty() || !KWDDatenbank_Offen()) return *FAbfragen;
  TDbConnection& Firma = KWDDatenbank();
  if (Firma.Ort() != FVerbindungsOrt) return *FAbfragen;
  // Inside a booking that holds its articles its own connection writes; on
  // SQLite also whenever that commits at once (see the header).
  const bool SofortSqlite = FVerbindung->Backend() == TDbBackend::SQLite && Firma.SchreibtSofort();
  if (!SofortSqlite && !BuchungHaeltSchreibsperre()) return *FAbfragen;
  if (!FFirmaAbfragen || FFirmaGeneration != KWDDatenbank_Generation()) {
    FFirmaAbfragen = std::make_unique<TDbAbfragen>(Firma);
    FFirmaGeneration = KWDDatenbank_Generation();
  }
  return *FFirmaAbfragen;
}

void TCommonLock::VerbindungSchliessen() noexcept {
  for (auto& [Kennung, Datei] : FBlockDatei) close(Datei);  // closing drops the flock
  FBlockDatei.clear();
  FBlockTiefe.clear();  // a PostgreSQL session's advisory locks end with it
  FAbfragen.reset();
  FFirmaAbfragen.reset();
  FVerbindung.reset();
  FVerbindungsOrt.clear();
}

bool TCommonLock::SperrtInBuchung() {
  std::lock_guard Sperre(FMutex);
  Verbindung();
  return FOrt.empty() && KWDDatenbank_Offen() && KWDDatenbank().Ort() == FVerbindungsOrt;
}

bool TCommonLock::BlockVorBuchung() {
  std::lock_guard Sperre(FMutex);
  Verbindung();
  return FVerbindung->Backend() == TDbBackend::SQLite;
}

// PostgreSQL outside a booking: a lock row is written under block 11, so none
// appears while a booking holds its articles without rows (it holds the
// block until its end). The insert that follows waits for the block.
class TCommonLock::TZeilenBlock {
 public:
  explicit TZeilenBlock(TCommonLock& ASperre)
      : FSperre(ASperre),
        FAktiv(ASperre.FVerbindung->Backend() == TDbBackend::PostgreSQL && !ASperre.BuchungHaeltSchreibsperre()) {
    if (FAktiv) FSperre.BlockSetzen(CQLX_Lock_Inventur, false);
  }
  ~TZeilenBlock() {
    if (!FAktiv) return;
    try {
      FSperre.DummyUnBlock(CQLX_Lock_Inventur);
    } catch (const std::exception& E) {
      KWDLogSchreiben("TCommonLock.DummyUnBlock", E);
    }
  }
  TZeilenBlock(const TZeilenBlock&) = delete;
  TZeilenBlock& operator=(const TZeilenBlock&) = delete;

 private:
  TCommonLock& FSperre;
  bool FAktiv;
};

TCommonLock::TInBuchung::TInBuchung(TCommonLock& ASperre) : FSperre(ASperre) {
  if (!FSperre.SperrtInBuchung())
    throw std::logic_error("Artikelsperren können hier nicht in einer Buchung gesetzt werden.");
  std::lock_guard Sperre(FSperre.FMutex);
  FSperre.FInBuchung = true;
}

TCommonLock::TInBuchung::~TInBuchung() {
  std::lock_guard Sperre(FSperre.FMutex);
  FSperre.FInBuchung = false;
  FSperre.FBuchungHaelt.clear();  // the write lock or block that held them ends with the booking
  FSperre.FBuchungsBloecke.clear();
}

bool TCommonLock::BuchungHaeltSchreibsperre() {
  if (!FInBuchung || !KWDDatenbank_Offen()) return false;
  TDbConnection& Firma = KWDDatenbank();
  return Firma.InTransaction() && Firma.Ort() == FVerbindungsOrt;
}

std::vector<TInt32Trio> TCommonLock::MitSperrZeile(const std::vector<TInt32Trio>& AProdIds) {
  // At most a batch's rows: read whole, so the server keeps the plan instead
  // of planning a cursor at every batch.
  TDbStatement& Lesen = Schreiber().GetWiederholt(
      {"SELECT prodid1, prodid2, prodid3 FROM artikelsperre WHERE ", KProdIdGleich, " OR ", ""}, AProdIds.size(), true);
  for (size_t I = 0; I < AProdIds.size(); ++I) BindProdId(Lesen, static_cast<int>(3 * I + 1), AProdIds[I]);
  std::vector<TInt32Trio> Ergebnis;
  while (Lesen.Step()) Ergebnis.push_back(ColumnProdId(Lesen, 0));
  Lesen.Reset();
  return Ergebnis;
}

void TCommonLock::OffeneBuchungPruefen() {
  if (FInBuchung || FVerbindung->Backend() != TDbBackend::SQLite || !KWDDatenbank_Offen()) return;
  TDbConnection& Firma = KWDDatenbank();
  if (Firma.InTransaction() && Firma.Ort() == FVerbindungsOrt)
    throw EDbError("Artikelsperren können nicht geändert werden, solange eine Buchung offen ist.");
}

bool TCommonLock::LockProdId(const TInt32Trio& AProdId, bool AMeldungZeigen) {
  TQLX_clMeldung Meldung;
  return LockProdId(AProdId, Meldung, AMeldungZeigen);
}

bool TCommonLock::LockProdId(const TInt32Trio& AProdId, TQLX_clMeldung& AMeldung, bool AMeldungZeigen) {
  DienstAufruf("LockProdId");
  std::lock_guard Sperre(FMutex);
  Verbindung();
  OffeneBuchungPruefen();
  if (FGehalten.count(AProdId) || FBuchungHaelt.count(AProdId)) return true;
  return SperreVersuchen(AProdId, AMeldung, AMeldungZeigen);
}

bool TCommonLock::SperreVersuchen(const TInt32Trio& AProdId, TQLX_clMeldung& AMeldung, bool AMeldungZeigen) {
  // Inside a booking only its own connection may write.
  TDbConnection& Db = SchreibVerbindung();
  if (BuchungHaeltSchreibsperre()) BuchungsBlockNehmen();
  TZeilenBlock Block(*this);
  TDbStatement* Einfuegen = &Schreiber().Get(
      "INSERT INTO artikelsperre (prodid1, prodid2, prodid3, terminalnr, terminal, programm, benutzer, "
      "prozessid, prozessstart, sitzung, sitzungstart, gesperrtseit) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
      "ON CONFLICT (prodid1, prodid2, prodid3) DO NOTHING");
  std::optional<TSperrZeile> Halter;
  // A second round only after removing a dead holder's row or when the
  // holder let go between insert and read.
  for (int Runde = 0; Runde < 3; ++Runde) {
    Einfuegen->Reset();
    BindProdId(*Einfuegen, 1, AProdId);
    Einfuegen->BindText(4, FHalter.TerminalNr);
    Einfuegen->BindText(5, FHalter.Terminal);
    Einfuegen->BindText(6, FHalter.Programm);
    Einfuegen->BindText(7, FHalter.Benutzer);
    Einfuegen->BindInt(8, FHalter.ProzessId);
    Einfuegen->BindInt(9, FHalter.ProzessStart);
    Einfuegen->BindInt(10, FHalter.Sitzung);
    Einfuegen->BindInt(11, FHalter.SitzungStart);
    Einfuegen->BindDouble(12, kwd_Now());
    if (Einfuegen->Execute() > 0) {
      FGehalten.insert(AProdId);
      return true;
    }
    Halter = SperrZeileLesen(Db, AProdId);
    if (!Halter) continue;
    // Held by this process already (another lock object of it): same program.
    if (Halter->Halter.GleicherProzess(FHalter) && Halter->Halter.Sitzung == FHalter.Sitzung) {
      FGehalten.insert(AProdId);
      return true;
    }
    if (SperrHalterLebt(Db, Halter->Halter)) break;
    if (SperrZeileEntfernen(Db, *Halter))
      KWDLogSchreiben("TCommonLock.LockProdId",
                      "Sperre von " + AProdId.ToString() + " eines beendeten Programms entfernt (" +
                          Halter->Halter.Programm + ", Prozess " + std::to_string(Halter->Halter.ProzessId) +
                          " auf " + Halter->Halter.Terminal + ")");
    Halter.reset();
  }
  if (!Halter) return false;  // contended beyond reason; the caller tries again in its next pass
  MeldungFuellen(AMeldung, *Halter);
  if (AMeldungZeigen)
    Zeigen("Der Artikel " + AProdId.ToString() + " ist seit " + FormatDatum(Halter->GesperrtSeit) +
           " gesperrt durch das Programm \"" + Halter->Halter.Programm + "\" (Benutzer " + Halter->Halter.Benutzer +
           ", Terminal " + Halter->Halter.Terminal + ", Prozess " + std::to_string(Halter->Halter.ProzessId) + ").");
  return false;
}

bool TCommonLock::UnlockProdId(const TInt32Trio& AProdId, bool AMeldungZeigen) {
  DienstAufruf("UnlockProdId");
  std::lock_guard Sperre(FMutex);
  Verbindung();
  if (FBuchungHaelt.erase(AProdId)) return true;
  if (!FGehalten.count(AProdId)) {
    if (AMeldungZeigen) Zeigen("Der Artikel " + AProdId.ToString() + " war von diesem Programm nicht gesperrt.");
    return false;
  }
  OffeneBuchungPruefen();
  TSperrZeile Zeile{AProdId, FHalter, 0};
  SperrZeileEntfernen(SchreibVerbindung(), Zeile);
  FGehalten.erase(AProdId);
  return true;
}

std::vector<bool> TCommonLock::LockProdIds(const std::vector<TInt32Trio>& AProdIds) {
  DienstAufruf("LockProdIds");
  std::lock_guard Sperre(FMutex);
  Verbindung();
  OffeneBuchungPruefen();
  std::vector<bool> Gesperrt(AProdIds.size(), false);
  // Rows in key order, so two programs locking overlapping sets at once
  // never wait on each other in a cycle.
  std::vector<TInt32Trio> Neu;
  for (size_t I = 0; I < AProdIds.size(); ++I)
    if (FGehalten.count(AProdIds[I]) || FBuchungHaelt.count(AProdIds[I]))
      Gesperrt[I] = true;
    else
      Neu.push_back(AProdIds[I]);
  std::sort(Neu.begin(), Neu.end());
  Neu.erase(std::unique(Neu.begin(), Neu.end()), Neu.end());
  if (Neu.empty()) return Gesperrt;

  if (BuchungHaeltSchreibsperre()) {
    // Every article without a row is free, and stays so while the booking
    // holds the write lock (SQLite) or block 11 (PostgreSQL); those with a
    // row take the single path.
    BuchungsBlockNehmen();
    std::vector<TInt32Trio> Belegt = MitSperrZeile(Neu);
    std::sort(Belegt.begin(), Belegt.end());
    for (size_t I = 0; I < AProdIds.size(); ++I)
      if (!Gesperrt[I] && !std::binary_search(Belegt.begin(), Belegt.end(), AProdIds[I])) {
        FBuchungHaelt.insert(AProdIds[I]);
        Gesperrt[I] = true;
      }
    return Gesperrt;
  }

  // One row per id; the statement's shape depends only on the count.
  TZeilenBlock Block(*this);
  TDbStatement* Einfuegen = &Schreiber().GetWiederholt(
      {"INSERT INTO artikelsperre (prodid1, prodid2, prodid3, terminalnr, terminal, programm, benutzer, "
       "prozessid, prozessstart, sitzung, sitzungstart, gesperrtseit) VALUES ",
       "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)", ", ",
       " ON CONFLICT (prodid1, prodid2, prodid3) DO NOTHING RETURNING prodid1, prodid2, prodid3"},
      Neu.size());
  const double Jetzt = kwd_Now();
  int P = 1;
  for (const TInt32Trio& Id : Neu) {
    BindProdId(*Einfuegen, P, Id);
    P += 3;
    Einfuegen->BindText(P++, FHalter.TerminalNr);
    Einfuegen->BindText(P++, FHalter.Terminal);
    Einfuegen->BindText(P++, FHalter.Programm);
    Einfuegen->BindText(P++, FHalter.Benutzer);
    Einfuegen->BindInt(P++, FHalter.ProzessId);
    Einfuegen->BindInt(P++, FHalter.ProzessStart);
    Einfuegen->BindInt(P++, FHalter.Sitzung);
    Einfuegen->BindInt(P++, FHalter.SitzungStart);
    Einfuegen->BindDouble(P++, Jetzt);
  }
  std::set<TInt32Trio> Erhalten;
  while (Einfuegen->Step())
    Erhalten.insert(ColumnProdId(*Einfuegen, 0));
  Einfuegen->Reset();
  for (size_t I = 0; I < AProdIds.size(); ++I)
    if (Erhalten.count(AProdIds[I])) {
      FGehalten.insert(AProdIds[I]);
      Gesperrt[I] = true;
    }
  return Gesperrt;
}

void TCommonLock::UnlockProdIds(const std::vector<TInt32Trio>& AProdIds) {
  DienstAufruf("UnlockProdIds");
  std::lock_guard Sperre(FMutex);
  Verbindung();
  std::vector<TInt32Trio> Gehalten;
  for (const TInt32Trio& Id : AProdIds)
    if (!FBuchungHaelt.erase(Id) && FGehalten.count(Id)) Gehalten.push_back(Id);
  std::sort(Gehalten.begin(), Gehalten.end());
  Gehalten.erase(std::unique(Gehalten.begin(), Gehalten.end()), Gehalten.end());
  if (Gehalten.empty()) return;
  OffeneBuchungPruefen();
  // Only this holder's rows, as UnlockProdId removes them.
  TDbStatement* Loeschen = &Schreiber().GetWiederholt(
      {"DELETE FROM artikelsperre WHERE terminal = ? AND prozessid = ? AND prozessstart = ? AND sitzung = ? AND (",
       KProdIdGleich, " OR ", ")"},
      Gehalten.size());
  Loeschen->BindText(1, FHalter.Terminal);
  Loeschen->BindInt(2, FHalter.ProzessId);
  Loeschen->BindInt(3, FHalter.ProzessStart);
  Loeschen->BindInt(4, FHalter.Sitzung);
  int P = 5;
  for (const TInt32Trio& Id : Gehalten) {
    BindProdId(*Loeschen, P, Id);
    P += 3;
  }
  // Waited for: once this returns, every other program sees the articles
  // free. Inside a booking they see it at its commit anyway.
  if (BuchungHaeltSchreibsperre())
    Loeschen->Run();
  else
    Loeschen->Execute();
  for (const TInt32Trio& Id : Gehalten) FGehalten.erase(Id);
}

bool TCommonLock::Haelt(const TInt32Trio& AProdId) const {
  std::lock_guard Sperre(FMutex);
  return FGehalten.count(AProdId) > 0 || FBuchungHaelt.count(AProdId) > 0;
}

void TCommonLock::AllesFreigeben() noexcept {
  std::lock_guard Sperre(FMutex);
  FBuchungHaelt.clear();
  if (!FVerbindung) {
    FGehalten.clear();
    return;
  }
  for (auto It = FGehalten.begin(); It != FGehalten.end();) {
    try {
      SperrZeileEntfernen(*FVerbindung, TSperrZeile{*It, FHalter, 0});
    } catch (const std::exception& E) {
      // Left behind, the row is cleaned by the next program that meets it once this process has ended.
      KWDLogSchreiben("TCommonLock.AllesFreigeben", E);
    }
    It = FGehalten.erase(It);
  }
}

void TCommonLock::DummyBlock(TQLX_Lock_Kennung AKennung) { BlockSetzen(AKennung, true); }

void TCommonLock::DummyBlockFuerSperren(TQLX_Lock_Kennung AKennung) { BlockSetzen(AKennung, false); }

void TCommonLock::BlockSetzen(TQLX_Lock_Kennung AKennung, bool AWarten) {
  DienstAufruf("Block");
  std::lock_guard Sperre(FMutex);
  Verbindung();
  if (FBlockTiefe[AKennung]++ > 0) return;
  try {
    BlockNehmen(AKennung, AWarten);
  } catch (...) {
    FBlockTiefe[AKennung]--;
    throw;
  }
}

void TCommonLock::DummyUnBlock(TQLX_Lock_Kennung AKennung) {
  DienstAufruf("UnBlock");
  std::lock_guard Sperre(FMutex);
  auto It = FBlockTiefe.find(AKennung);
  if (It == FBlockTiefe.end() || It->second <= 0) {
    KWDLogSchreiben("TCommonLock.DummyUnBlock", "Block " + std::to_string(AKennung) + " war nicht gesetzt.");
    return;
  }
  if (--It->second > 0) return;
  BlockLassen(AKennung);
}

void TCommonLock::BuchungsBlockNehmen(TQLX_Lock_Kennung AKennung) {
  if (FVerbindung->Backend() != TDbBackend::PostgreSQL) return;  // SQLite: the booking's write lock
  // A lock of the booking's transaction, sent with its next statement, which
  // waits for it; the commit or rollback releases it, so it never outlives a
  // booking, whatever fails.
  if (!FBuchungsBloecke.insert(AKennung).second) return;
  TDbStatement& Stmt = Schreiber().GetGanz("SELECT pg_advisory_xact_lock(CAST(? AS INTEGER), CAST(? AS INTEGER))");
  Stmt.BindInt(1, CBlockKlasse);
  Stmt.BindInt(2, AKennung);
  Stmt.Run();
}

void TCommonLock::BlockNehmen(TQLX_Lock_Kennung AKennung, bool AWarten) {
  if (FVerbindung->Backend() == TDbBackend::PostgreSQL && BuchungHaeltSchreibsperre()) {
    BuchungsBlockNehmen(AKennung);
    return;
  }
  if (FVerbindung->Backend() == TDbBackend::PostgreSQL) {
    TDbStatement& Stmt = FAbfragen->GetGanz("SELECT pg_advisory_lock(CAST(? AS INTEGER), CAST(? AS INTEGER))");
    Stmt.BindInt(1, CBlockKlasse);
    Stmt.BindInt(2, AKennung);
    if (!AWarten) {
      Stmt.RunOhneAntwort();
      return;
    }
    Stmt.Step();
    Stmt.Reset();
    return;
  }
  std::string Pfad = FVerbindungsOrt + ".block" + std::to_string(AKennung);
  // Never through a link: the company's folder is shared, and a planted link
  // would have us create a file wherever it points.
  int Datei = open(Pfad.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (Datei < 0)
    throw EDbError("Die Sperrdatei \"" + Pfad + "\" kann nicht geöffnet werden: " + KWDSystemFehlerText(errno) + ".");
  while (flock(Datei, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    int Fehler = errno;
    close(Datei);
    throw EDbError("Die Sperrdatei \"" + Pfad + "\" kann nicht gesperrt werden: " + KWDSystemFehlerText(Fehler) + ".");
  }
  FBlockDatei[AKennung] = Datei;
}

void TCommonLock::BlockLassen(TQLX_Lock_Kennung AKennung) {
  if (FBuchungsBloecke.count(AKennung)) return;  // the booking's end releases it
  if (FVerbindung->Backend() == TDbBackend::PostgreSQL) {
    // Sent at once, its answer read with the next round trip: the server
    // frees the block as soon as it arrives, and no one waits for our reply.
    TDbStatement& Stmt = FAbfragen->GetGanz("SELECT pg_advisory_unlock(CAST(? AS INTEGER), CAST(? AS INTEGER))");
    Stmt.BindInt(1, CBlockKlasse);
    Stmt.BindInt(2, AKennung);
    Stmt.RunOhneAntwort();
    return;
  }
  auto It = FBlockDatei.find(AKennung);
  if (It == FBlockDatei.end()) return;
  close(It->second);  // drops the flock
  FBlockDatei.erase(It);
}

TCommonLock& CommonLock() {
  static TCommonLock GCommonLock;
  return GCommonLock;
}
