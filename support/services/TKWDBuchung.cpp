#include "support/services/TKWDBuchung.h"

#include <stdexcept>

#include "support/db/KWDDatenbank.h"
#include "support/db/TDbConnection.h"
#include "support/framework/KWDLog.h"
#include "support/services/DienstAufrufe.h"

void TKWDBuchung::BuchungBeginn(int AArt, const std::string& AName, int& ABuchungsNr, int AOption) {
  DienstAufruf("BuchungBeginn");
  if (FVerbindung) {
    KWDLogSchreiben(AName, "Offene Buchung \"" + FName + "\" ohne Abschluss verworfen.");
    BuchungAbbrechen();
  }
  TDbConnection& Db = KWDDatenbank();
  Db.Begin();
  FVerbindung = &Db;
  FName = AName;
  ABuchungsNr = ++FNummer;
  (void)AArt;
  (void)AOption;
}

void TKWDBuchung::BeimAbschicken(std::function<void()> AArbeit) {
  if (!FVerbindung) throw std::logic_error("Buchung: Arbeit ohne offene Buchung.");
  FArbeit.push_back(std::move(AArbeit));
}

void TKWDBuchung::ArbeitAbschicken() {
  // Taken out first: work that registers more runs at the next flush.
  std::vector<std::function<void()>> Arbeit;
  Arbeit.swap(FArbeit);
  for (auto& A : Arbeit) A();
}

void TKWDBuchung::BuchungFlush() {
  DienstAufruf("BuchungFlush");
  if (!FVerbindung) throw std::logic_error("Buchung: Flush ohne offene Buchung.");
  ArbeitAbschicken();
  FVerbindung->Abschicken();
}

void TKWDBuchung::BuchungEnde(const std::string& AName) {
  DienstAufruf("BuchungEnde");
  if (!FVerbindung) throw std::logic_error("Buchung \"" + AName + "\": Ende ohne offene Buchung.");
  if (AName != FName)
    KWDLogSchreiben(AName, "Buchung \"" + FName + "\" wird unter anderem Namen abgeschlossen.");
  try {
    ArbeitAbschicken();
    FVerbindung->Commit();
  } catch (...) {
    BuchungAbbrechen();
    throw;
  }
  FVerbindung = nullptr;
  FName.clear();
}

void TKWDBuchung::BuchungAbbrechen() noexcept {
  FArbeit.clear();
  if (!FVerbindung) return;
  DienstAufruf("BuchungAbbrechen");
  // A connection replaced meanwhile took its transaction with it.
  if (KWDDatenbank_Offen() && &KWDDatenbank() == FVerbindung) FVerbindung->Rollback();
  FVerbindung = nullptr;
  FName.clear();
}

TKWDBuchung& KWDBuchung(bool) {
  static TKWDBuchung GBuchung;
  return GBuchung;
}

TBuchungsKlammer::TBuchungsKlammer(const std::string& AName, int AArt) : FName(AName) {
  int Nummer = 0;
  KWDBuchung().BuchungBeginn(AArt, FName, Nummer, 0);
}

TBuchungsKlammer::~TBuchungsKlammer() {
  if (FOffen) KWDBuchung().BuchungAbbrechen();
}

void TBuchungsKlammer::Flush() { KWDBuchung().BuchungFlush(); }

void TBuchungsKlammer::Ende() {
  FOffen = false;  // a failing commit has rolled back already
  KWDBuchung().BuchungEnde(FName);
}
