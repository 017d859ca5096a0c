#include "support/recordfile/TQLX_DBFile.h"

#include <algorithm>
#include <stdexcept>

#include "support/db/TDbConnection.h"

namespace {

std::string SpaltenAusdruck(const std::vector<std::string>& ASpalten) {
  if (ASpalten.size() == 1) return ASpalten[0];
  std::string S = "(";
  for (size_t i = 0; i < ASpalten.size(); ++i) S += (i ? ", " : "") + ASpalten[i];
  return S + ")";
}

std::string Platzhalter(size_t AAnzahl) {
  if (AAnzahl == 1) return "?";
  std::string S = "(";
  for (size_t i = 0; i < AAnzahl; ++i) S += i ? ", ?" : "?";
  return S + ")";
}

const char* VergleichSql(int AVergleich) {
  switch (AVergleich) {
    case 1: return " = ";
    case 2: return " > ";
    case 3: return " < ";
    case 4: return " <> ";
    case 5: return " >= ";
    case 6: return " <= ";
  }
  throw std::invalid_argument("Erweiterter Filter: unbekannter Vergleich " + std::to_string(AVergleich));
}

// Appends a small integer to a shape key.
void FormAnfuegen(std::string& AForm, int AWert) {
  AForm += static_cast<char>(AWert & 0xff);
  AForm += static_cast<char>((AWert >> 8) & 0xff);
}

}  // namespace

TQLX_DBFile::TQLX_DBFile(TDbConnection& AConnection, const TTabellenDef& ADef, int AOpenMode, int AKanal)
    : TQLX_DBFile(ADef) {
  if (AOpenMode != RF_OPEN_NORMAL && AOpenMode != RF_OPEN_LESEN)
    throw std::invalid_argument("Satzdatei " + ADef.Tabelle + ": Öffnungsart " + std::to_string(AOpenMode) +
                                " gibt es nicht");
  if (AKanal != -1)
    throw std::invalid_argument("Satzdatei " + ADef.Tabelle + ": nur die eigene Satzlänge (-1) ist möglich");
  FConn = &AConnection;
  FOpenMode = AOpenMode;
}

TQLX_DBFile::TQLX_DBFile(const TTabellenDef& ADef) : FDef(ADef) {
  for (const auto& F : ADef.Felder) FSpalten.push_back(RFSpalten(F));
  FFelder.assign(ADef.Felder.size(), nullptr);
  for (const auto& K : ADef.Keys) {
    std::vector<int> Segmente;
    for (const auto& Name : K.Felder) {
      auto It = std::find_if(ADef.Felder.begin(), ADef.Felder.end(), [&](const TFeldDef& F) { return F.Name == Name; });
      Segmente.push_back(static_cast<int>(It - ADef.Felder.begin()));
    }
    FKeyWerte.emplace_back(Segmente.size());
    FKeyFelder.push_back(std::move(Segmente));
  }
}

TQLX_DBFile::~TQLX_DBFile() { SchliessenStatements(); }

void TQLX_DBFile::SchliessenStatements() {
  FScan = nullptr;
  FKeyListeTeile.clear();
  FKeyListeGesendet = false;
  FLesen.clear();
  FInsert.reset();
  FInsertGebunden.clear();
  FUpdate.reset();
  FDelete.reset();
  FErhoehen.clear();
}

void TQLX_DBFile::ScanBeenden() {
  if (FScan) FScan->Stmt->Reset();
  FScan = nullptr;
  for (TLesePlan* Teil : FKeyListeTeile) Teil->Stmt->Reset();
  FKeyListeTeile.clear();
  FKeyListeGesendet = false;
  FKeyListePos = -1;
}

void TQLX_DBFile::VerbindungSetzen(std::unique_ptr<TDbConnection> AEigene) {
  SchliessenStatements();
  FEigeneConn = std::move(AEigene);
  FConn = FEigeneConn.get();
}

void TQLX_DBFile::FeldRegistrieren(TDatenfeld& AFeld) { FFelder[AFeld.DefIndex()] = &AFeld; }

TDatenfeld& TQLX_DBFile::FeldNachDef(int ADefIndex) const {
  TDatenfeld* F = FFelder[ADefIndex];
  if (!F) throw std::logic_error("Satzdatei " + FDef.Tabelle + ": Feld " + FDef.Felder[ADefIndex].Name + " fehlt");
  return *F;
}

int TQLX_DBFile::KeySegment(int16_t AKeyNr, const TDatenfeld& AFeld) const {
  const auto& Segmente = FKeyFelder.at(AKeyNr);
  auto It = std::find(Segmente.begin(), Segmente.end(), AFeld.DefIndex());
  if (It == Segmente.end())
    throw std::logic_error("Satzdatei " + FDef.Tabelle + ": Feld " + AFeld.Name() + " gehört nicht zu Schlüssel " +
                           std::to_string(AKeyNr));
  return static_cast<int>(It - Segmente.begin());
}

void TQLX_DBFile::SelectKey(int16_t AKeyNr) {
  if (AKeyNr < 0 || AKeyNr >= static_cast<int>(FDef.Keys.size()))
    throw std::out_of_range("Satzdatei " + FDef.Tabelle + ": Schlüssel " + std::to_string(AKeyNr) + " gibt es nicht");
  FKeyNr = AKeyNr;
}

void TQLX_DBFile::KeyWertSetzen(int16_t AKeyNr, int ASegment, const TFeldWertVar& AWert, bool AFilter) {
  auto& S = FKeyWerte.at(AKeyNr).at(ASegment);
  S.Gesetzt = true;
  S.Filter = S.Filter || AFilter;
  S.Wert = AWert;
}

void TQLX_DBFile::FilterSetzen(const TDatenfeld& AFeld, int AArt, std::vector<TFeldWertVar> AWerte) {
  auto It = std::find_if(FFilter.begin(), FFilter.end(), [&](const TFilter& F) { return F.DefIndex == AFeld.DefIndex(); });
  if (It != FFilter.end())
    *It = {AFeld.DefIndex(), AArt, std::move(AWerte)};
  else
    FFilter.push_back({AFeld.DefIndex(), AArt, std::move(AWerte)});
}

void TQLX_DBFile::FilterClear() {
  FFilter.clear();
  for (auto& Key : FKeyWerte)
    for (auto& S : Key) S.Filter = false;
}

void TQLX_DBFile::SetSperrendLesen(bool ASperren) { FSperrend = ASperren; }

void TQLX_DBFile::SetUsedField(std::initializer_list<const TDatenfeld*> AFelder) {
  FBenutzt.clear();
  FBenutztForm.clear();
  if (AFelder.size() == 0) return;
  FBenutzt.assign(FDef.Felder.size(), false);
  for (const TDatenfeld* F : AFelder) FBenutzt[F->DefIndex()] = true;
  for (int i : FKeyFelder[FDef.IdentKey]) FBenutzt[i] = true;  // updates need the record's identity
  for (bool B : FBenutzt) FBenutztForm += B ? '1' : '0';
}

void TQLX_DBFile::ExtendedFilterClear() {
  FExt.clear();
  FExtFertig = false;
}

void TQLX_DBFile::ExtendedFilterAdd(const TDatenfeld& AFeld, int AVergleich, int AVerknuepfung) {
  VergleichSql(AVergleich);  // refuse unknown codes now, not at the read
  if (AVerknuepfung < 0 || AVerknuepfung > RF_VERK_ODER)
    throw std::invalid_argument("Erweiterter Filter: unbekannte Verknüpfung " + std::to_string(AVerknuepfung));
  FExt.push_back({AFeld.DefIndex(), AVergleich, AVerknuepfung, AFeld.Wert()});
  FExtFertig = false;
}

void TQLX_DBFile::ExtendedFilterFinalize() { FExtFertig = true; }

void TQLX_DBFile::KeyWerteToExtendedFiltern() {
  const auto& Segmente = FKeyWerte[FKeyNr];
  for (size_t s = 0; s < Segmente.size(); ++s)
    if (Segmente[s].Gesetzt) FExt.push_back({FKeyFelder[FKeyNr][s], RF_VGL_GLEICH, RF_VERK_UND, Segmente[s].Wert});
  FExtFertig = true;
}

void TQLX_DBFile::LeseVerhalten_SQL_Set(int AVerhalten) {
  if (AVerhalten != 1 && AVerhalten != 2)
    throw std::invalid_argument("Leseverhalten " + std::to_string(AVerhalten) + " gibt es nicht");
  FLeseVerhalten = AVerhalten;
}

int TQLX_DBFile::GesetztesPraefix() const {
  int n = 0;
  for (const auto& S : FKeyWerte[FKeyNr]) {
    if (!S.Gesetzt) break;
    ++n;
  }
  return n;
}

int TQLX_DBFile::GefilterterVorlauf(int APraefix) const {
  const auto& Segmente = FKeyWerte[FKeyNr];
  int n = 0;
  while (n < APraefix && Segmente[n].Filter) ++n;
  return n;
}

const std::string& TQLX_DBFile::Form(TLesen AArt, bool AExt, int APraefix) const {
  // Built for every read: sized once and written in place into a kept
  // buffer, so a read by key neither allocates nor appends byte by byte here.
  const auto& Segmente = FKeyWerte[FKeyNr];
  const size_t Laenge = 6 + Segmente.size() + 6 * FFilter.size() + 1 + (AExt ? 4 * FExt.size() : 0) + 1 +
                        FBenutztForm.size() + 1;
  std::string& F = FFormPuffer;
  F.resize(Laenge);
  char* Z = F.data();
  auto Zahl = [&Z](int AWert) {  // a small integer as two bytes
    *Z++ = static_cast<char>(AWert & 0xff);
    *Z++ = static_cast<char>((AWert >> 8) & 0xff);
  };
  Zahl(static_cast<int>(AArt) * 4 + (AExt ? 2 : 0));
  Zahl(FKeyNr);
  Zahl(APraefix);
  for (const auto& S : Segmente) *Z++ = S.Filter ? 'f' : '-';
  for (const auto& Fi : FFilter) {
    Zahl(Fi.DefIndex);
    Zahl(Fi.Art);
    Zahl(static_cast<int>(Fi.Werte.size()));
  }
  *Z++ = '|';
  if (AExt)
    for (const auto& T : FExt) {
      Zahl(T.DefIndex);
      Zahl(T.Vergleich * 4 + T.Verknuepfung);
    }
  *Z++ = '|';
  Z = std::copy(FBenutztForm.begin(), FBenutztForm.end(), Z);
  *Z = FSperrend ? 's' : '-';
  return F;
}

std::string TQLX_DBFile::SpaltenListe(std::vector<std::pair<int, int>>& APlan, int AErsteSpalte) const {
  std::string Liste;
  int Spalte = AErsteSpalte;
  for (size_t i = 0; i < FDef.Felder.size(); ++i) {
    if (!FBenutzt.empty() && !FBenutzt[i]) continue;
    APlan.emplace_back(static_cast<int>(i), Spalte);
    for (const auto& Sp : FSpalten[i]) {
      Liste += (Liste.empty() ? "" : ", ") + Sp;
      ++Spalte;
    }
  }
  return Liste;
}

std::string TQLX_DBFile::FilterBedingungen() const {
  std::string Bed;
  for (const auto& Fi : FFilter) {
    const auto& Sp = FSpalten[Fi.DefIndex];
    const std::string A = SpaltenAusdruck(Sp), P = Platzhalter(Sp.size());
    std::string Term;
    if (Fi.Art == FILTER_GLEICH) Term = A + " = " + P;
    if (Fi.Art == FILTER_BEREICH) Term = A + " >= " + P + " AND " + A + " <= " + P;
    if (Fi.Art == FILTER_MENGE) {
      std::string In;
      for (size_t k = 0; k < Fi.Werte.size(); ++k) In += (k ? ", " : "") + P;
      Term = A + " IN (" + In + ")";
    }
    Bed += (Bed.empty() ? "" : " AND ") + Term;
  }
  return Bed;
}

int TQLX_DBFile::FilterBinden(TDbStatement& AStmt, int AParam) const {
  for (const auto& Fi : FFilter)
    for (const auto& W : Fi.Werte) AParam = RFWertBinden(AStmt, AParam, FDef.Felder[Fi.DefIndex].Art, W);
  return AParam;
}

std::string TQLX_DBFile::LeseSql(TLesen AArt, bool AExt, int APraefix, std::vector<std::pair<int, int>>& APlan) const {
  std::string Sql = "SELECT " + SpaltenListe(APlan, 0) + " FROM " + FDef.Tabelle;

  std::vector<std::string> Bed;
  const auto& KeyFelder = FKeyFelder[FKeyNr];
  // Key values: the set leading segments, as one row value. Leading segments
  // that are also filtered are equal anyway and are left out of it: a row
  // value next to equality terms makes the planners scan a range of the index
  // to the table's end instead of seeking the equal keys.
  const int Gleich = AArt == TLesen::Erster ? 0 : GefilterterVorlauf(APraefix);
  if (AArt != TLesen::Erster && APraefix > Gleich) {
    std::vector<std::string> Spalten;
    for (int s = Gleich; s < APraefix; ++s)
      for (const auto& Sp : FSpalten[KeyFelder[s]]) Spalten.push_back(Sp);
    Bed.push_back(SpaltenAusdruck(Spalten) + (AArt == TLesen::Gleich ? " = " : " >= ") + Platzhalter(Spalten.size()));
  }
  const auto& Segmente = FKeyWerte[FKeyNr];
  for (size_t s = 0; s < Segmente.size(); ++s)
    if (Segmente[s].Filter) {
      const auto& Sp = FSpalten[KeyFelder[s]];
      Bed.push_back(SpaltenAusdruck(Sp) + " = " + Platzhalter(Sp.size()));
    }
  if (!FFilter.empty()) Bed.push_back(FilterBedingungen());
  if (AExt) {
    // AND terms stand alone; consecutive OR terms form one group.
    std::string Gruppe;
    auto GruppeAbschliessen = [&] {
      if (!Gruppe.empty()) Bed.push_back("(" + Gruppe + ")");
      Gruppe.clear();
    };
    for (const auto& T : FExt) {
      const auto& Sp = FSpalten[T.DefIndex];
      std::string Term = SpaltenAusdruck(Sp) + VergleichSql(T.Vergleich) + Platzhalter(Sp.size());
      if (T.Verknuepfung == RF_VERK_ODER) {
        Gruppe += (Gruppe.empty() ? "" : " OR ") + Term;
      } else {
        GruppeAbschliessen();
        Bed.push_back(Term);
      }
    }
    GruppeAbschliessen();
  }
  for (size_t b = 0; b < Bed.size(); ++b) Sql += (b ? " AND " : " WHERE ") + Bed[b];

  std::string Ordnung;
  for (const auto& Sp : RFKeySpalten(FDef, FKeyNr)) Ordnung += (Ordnung.empty() ? "" : ", ") + Sp;
  Sql += " ORDER BY " + Ordnung;
  if (FSperrend && FConn->Backend() == TDbBackend::PostgreSQL) Sql += " FOR UPDATE";
  return Sql;
}

int TQLX_DBFile::Binden(TDbStatement& AStmt, TLesen AArt, bool AExt, int APraefix) const {
  int P = 1;
  const auto& KeyFelder = FKeyFelder[FKeyNr];
  const auto& Segmente = FKeyWerte[FKeyNr];
  if (AArt != TLesen::Erster)
    for (int s = GefilterterVorlauf(APraefix); s < APraefix; ++s) P = RFWertBinden(AStmt, P, FDef.Felder[KeyFelder[s]].Art, Segmente[s].Wert);
  for (size_t s = 0; s < Segmente.size(); ++s)
    if (Segmente[s].Filter) P = RFWertBinden(AStmt, P, FDef.Felder[KeyFelder[s]].Art, Segmente[s].Wert);
  P = FilterBinden(AStmt, P);
  if (AExt)
    for (const auto& T : FExt) P = RFWertBinden(AStmt, P, FDef.Felder[T.DefIndex].Art, T.Wert);
  return P;
}

bool TQLX_DBFile::Lesen(TLesen AArt, bool AExt) {
  OffenPruefen();
  if (AExt && !FExtFertig)
    throw std::logic_error("Satzdatei " + FDef.Tabelle + ": erweiterter Filter nicht abgeschlossen");
  ScanBeenden();
  FFound = false;
  const int Praefix = AArt == TLesen::Erster ? 0 : GesetztesPraefix();
  try {
    const std::string& Schluessel = Form(AArt, AExt, Praefix);
    auto It = FLesen.find(Schluessel);
    if (It == FLesen.end()) {
      TLesePlan Plan;
      const std::string Sql = LeseSql(AArt, AExt, Praefix, Plan.Felder);
      // A whole unique key finds one record at most: read it whole.
      const bool EinSatz = AArt == TLesen::Gleich && FDef.Keys[FKeyNr].Unique &&
                           Praefix == static_cast<int>(FKeyFelder[FKeyNr].size());
      Plan.Stmt = EinSatz ? FConn->PrepareGanz(Sql) : FConn->Prepare(Sql);
      It = FLesen.emplace(Schluessel, std::move(Plan)).first;
    }
    TLesePlan& Plan = It->second;
    Plan.Stmt->Reset();
    Binden(*Plan.Stmt, AArt, AExt, Praefix);
    FScan = &Plan;
    FScanExt = AExt;
    const bool Gefunden = ZeileUebernehmen();
    // A whole unique key has one record at most: end the scan at once, so no
    // open statement pins an old snapshot (SQLite) or a cursor (PostgreSQL).
    if (Gefunden && AArt == TLesen::Gleich && FDef.Keys[FKeyNr].Unique &&
        Praefix == static_cast<int>(FKeyFelder[FKeyNr].size())) {
      FScan->Stmt->Reset();
      FScan = nullptr;
    }
    return Gefunden;
  } catch (const std::exception& E) {
    FScan = nullptr;
    Weiterwerfen(E);
  }
}

bool TQLX_DBFile::ZeileUebernehmen() {
  while (!FScan->Stmt->Step()) {
    FScan->Stmt->Reset();
    FScan = nullptr;
    if (FKeyListeTeile.empty()) {
      FFound = false;
      return false;
    }
    // A key list's next statement.
    FScan = FKeyListeTeile.front();
    FKeyListeTeile.erase(FKeyListeTeile.begin());
  }
  if (FKeyListePos >= 0) FKeyListePos = static_cast<int32_t>(FScan->Stmt->ColumnInt(0));
  // Straight into the fields' values: a text reuses the field's string.
  for (const auto& [DefIndex, Spalte] : FScan->Felder) {
    TDatenfeld& F = FeldNachDef(DefIndex);
    RFWertLesen(*FScan->Stmt, Spalte, F.Art(), F.FWert);
  }
  IdentMerken();
  FFound = true;
  return true;
}

void TQLX_DBFile::IdentMerken() {
  FIdent.clear();
  for (int i : FKeyFelder[FDef.IdentKey]) FIdent.push_back(FeldNachDef(i).Wert());
  FIdentGueltig = true;
}

bool TQLX_DBFile::Get_first() { return Lesen(TLesen::Erster, false); }
bool TQLX_DBFile::Get_ge() { return Lesen(TLesen::AbKey, false); }
bool TQLX_DBFile::Get_equal() { return Lesen(TLesen::Gleich, false); }
bool TQLX_DBFile::Get_first_extMode() { return Lesen(TLesen::Erster, true); }
bool TQLX_DBFile::Get_ge_extMode() { return Lesen(TLesen::AbKey, true); }

void TQLX_DBFile::KeyListeLeeren() {
  ScanBeenden();
  FKeyListe.clear();
}

void TQLX_DBFile::KeyListeAnfuegen() {
  const int Praefix = GesetztesPraefix();
  if (Praefix == 0) throw std::logic_error("Satzdatei " + FDef.Tabelle + ": Schlüsselliste ohne Schlüsselwerte");
  if (!FKeyListe.empty() && static_cast<int>(FKeyListe.front().size()) != Praefix)
    throw std::logic_error("Satzdatei " + FDef.Tabelle + ": Schlüsselliste mit verschieden vielen Schlüsselteilen");
  std::vector<TFeldWertVar> Werte;
  for (int i = 0; i < Praefix; ++i) Werte.push_back(FKeyWerte[FKeyNr][i].Wert);
  FKeyListe.push_back(std::move(Werte));
}

void TQLX_DBFile::KeyListeSenden() {
  OffenPruefen();
  ScanBeenden();
  if (FKeyListe.empty()) {
    FKeyListeGesendet = true;
    return;
  }
  // SQLite allows 500 terms in a compound select; PostgreSQL locks no rows of
  // one, and otherwise takes the keys as arrays.
  const bool Einzeln = FSperrend && FConn->Backend() == TDbBackend::PostgreSQL;
  const bool AlsListen = FConn->Backend() == TDbBackend::PostgreSQL && !Einzeln;
  const size_t JeAnweisung = Einzeln ? 1 : 100;
  const int Praefix = static_cast<int>(FKeyListe.front().size());
  const auto& KeyFelder = FKeyFelder[FKeyNr];
  try {
    const std::string Form = this->Form(TLesen::Gleich, false, Praefix);
    if (AlsListen) FKeyListeTeile.push_back(&KeyListeAlsListenSenden(Form));
    for (size_t Start = 0, Teil = 0; !AlsListen && Start < FKeyListe.size(); Start += JeAnweisung, ++Teil) {
      const size_t Anzahl = std::min(JeAnweisung, FKeyListe.size() - Start);
      const std::string Schluessel = Form + "|L" + std::to_string(Anzahl) + "#" + std::to_string(Teil);
      auto It = FLesen.find(Schluessel);
      if (It == FLesen.end()) {
        TLesePlan Plan;
        std::string Arm = "SELECT CAST(? AS INTEGER), " + SpaltenListe(Plan.Felder, 1) + " FROM " + FDef.Tabelle + " WHERE ";
        for (int s = 0; s < Praefix; ++s) {
          const auto& Sp = FSpalten[KeyFelder[s]];
          for (size_t k = 0; k < Sp.size(); ++k) Arm += (s || k ? " AND " : "") + Sp[k] + " = ?";
        }
        if (!FFilter.empty()) Arm += " AND " + FilterBedingungen();
        std::string Sql;
        for (size_t i = 0; i < Anzahl; ++i) Sql += (i ? " UNION ALL " : "") + Arm;
        if (Einzeln) Sql += " FOR UPDATE";
        Plan.Stmt = FConn->PrepareGanz(Sql);
        It = FLesen.emplace(Schluessel, std::move(Plan)).first;
      }
      TDbStatement& Stmt = *It->second.Stmt;
      Stmt.Reset();
      int P = 1;
      for (size_t i = Start; i < Start + Anzahl; ++i) {
        Stmt.BindInt(P++, static_cast<int64_t>(i));
        for (int s = 0; s < Praefix; ++s) P = RFWertBinden(Stmt, P, FDef.Felder[KeyFelder[s]].Art, FKeyListe[i][s]);
        P = FilterBinden(Stmt, P);
      }
      Stmt.Vorausschicken();
      FKeyListeTeile.push_back(&It->second);
    }
    FKeyListeGesendet = true;
  } catch (const std::exception& E) {
    ScanBeenden();
    Weiterwerfen(E);
  }
}

TQLX_DBFile::TLesePlan& TQLX_DBFile::KeyListeAlsListenSenden(const std::string& AForm) {
  // The keys as one array per column, joined to the table: one statement of
  // one shape whatever the list's length, where a compound select makes the
  // server plan and build a scan per key. The look-up behind OFFSET 0 is
  // never pulled up, so it stays a search by the key's index per key instead
  // of a hash join over the whole table.
  const int Praefix = static_cast<int>(FKeyListe.front().size());
  const auto& KeyFelder = FKeyFelder[FKeyNr];
  auto It = FLesen.find(AForm + "|U");
  if (It == FLesen.end()) {
    TLesePlan Plan;
    std::string Listen, Namen, Bed;
    int Nr = 0;
    for (int s = 0; s < Praefix; ++s)
      for (const auto& Sp : FSpalten[KeyFelder[s]]) {
        const std::string Name = "kl_" + std::to_string(++Nr);
        Listen += std::string(Nr > 1 ? ", " : "") + "CAST(? AS " + RFListenTyp(FDef.Felder[KeyFelder[s]].Art) + ")";
        Namen += Name + ", ";
        Bed += (Nr > 1 ? " AND " : "") + Sp + " = " + Name;
      }
    if (!FFilter.empty()) Bed += " AND " + FilterBedingungen();
    Plan.Stmt = FConn->PrepareGanz("SELECT kl_pos - 1, " + SpaltenListe(Plan.Felder, 1) + " FROM unnest(" + Listen +
                                   ") WITH ORDINALITY AS kl (" + Namen + "kl_pos) CROSS JOIN LATERAL (SELECT * FROM " +
                                   FDef.Tabelle + " WHERE " + Bed + " OFFSET 0) AS t");
    It = FLesen.emplace(AForm + "|U", std::move(Plan)).first;
  }
  size_t Spalten = 0;
  for (int s = 0; s < Praefix; ++s) Spalten += FSpalten[KeyFelder[s]].size();
  std::vector<std::string> Listen(Spalten);
  for (const auto& Key : FKeyListe)
    for (size_t s = 0, L = 0; s < Key.size(); ++s) L = RFWertInListe(Listen, L, FDef.Felder[KeyFelder[s]].Art, Key[s]);
  TDbStatement& Stmt = *It->second.Stmt;
  Stmt.Reset();
  int P = 1;
  for (std::string& L : Listen) Stmt.BindText(P++, L += '}');
  FilterBinden(Stmt, P);
  Stmt.Vorausschicken();
  return It->second;
}

bool TQLX_DBFile::Get_first_KeyListe() {
  if (!FKeyListeGesendet) KeyListeSenden();
  FKeyListeGesendet = false;
  FFound = false;
  if (FKeyListeTeile.empty()) return false;
  FScan = FKeyListeTeile.front();
  FKeyListeTeile.erase(FKeyListeTeile.begin());
  FScanExt = false;
  FKeyListePos = 0;
  try {
    return ZeileUebernehmen();
  } catch (const std::exception& E) {
    ScanBeenden();
    Weiterwerfen(E);
  }
}

void TQLX_DBFile::WertErhoehen(std::initializer_list<const TDatenfeld*> AFelder) {
  SchreibbarPruefen();
  const auto& KeyFelder = FKeyFelder[FKeyNr];
  if (GesetztesPraefix() != static_cast<int>(KeyFelder.size()))
    throw std::logic_error("Satzdatei " + FDef.Tabelle + ": Erhöhen braucht den ganzen Schlüssel");
  std::string Form;
  FormAnfuegen(Form, FKeyNr);
  for (const TDatenfeld* F : AFelder) {
    if (F->Art() != TFeldArt::Integer && F->Art() != TFeldArt::Extended)
      throw std::logic_error("Satzdatei " + FDef.Tabelle + ": Feld " + F->Name() + " ist keine Zahl");
    FormAnfuegen(Form, F->DefIndex());
  }
  try {
    auto& Stmt = FErhoehen[Form];
    if (!Stmt) {
      std::string Setzen, Wo;
      for (const TDatenfeld* F : AFelder) {
        const std::string& Sp = FSpalten[F->DefIndex()][0];
        Setzen += (Setzen.empty() ? "" : ", ") + Sp + " = " + Sp + " + ?";
      }
      for (int i : KeyFelder)
        for (const auto& Sp : FSpalten[i]) Wo += (Wo.empty() ? "" : " AND ") + Sp + " = ?";
      Stmt = FConn->Prepare("UPDATE " + FDef.Tabelle + " SET " + Setzen + " WHERE " + Wo);
    }
    Stmt->Reset();
    int P = 1;
    for (const TDatenfeld* F : AFelder) P = RFWertBinden(*Stmt, P, F->Art(), F->Wert());
    for (size_t s = 0; s < KeyFelder.size(); ++s)
      P = RFWertBinden(*Stmt, P, FDef.Felder[KeyFelder[s]].Art, FKeyWerte[FKeyNr][s].Wert);
    if (FConn->InTransaction())
      Stmt->Run();  // the backend may send it with the batch's other writes
    else
      Stmt->Execute();
  } catch (const std::exception& E) {
    Weiterwerfen(E);
  }
}

bool TQLX_DBFile::Get_next() {
  if (!FScan) return FFound = false;
  try {
    return ZeileUebernehmen();
  } catch (const std::exception& E) {
    ScanBeenden();
    FFound = false;
    Weiterwerfen(E);
  }
}

bool TQLX_DBFile::Get_next_extMode() { return Get_next(); }

void TQLX_DBFile::ClearRecord() {
  for (TDatenfeld* F : FFelder)
    if (F) F->Clear();
}

void TQLX_DBFile::OffenPruefen() const {
  if (!FConn) throw std::runtime_error("Satzdatei " + FDef.Tabelle + " ist nicht geöffnet");
}

void TQLX_DBFile::SchreibbarPruefen() const {
  OffenPruefen();
  if (FOpenMode != RF_OPEN_NORMAL)
    throw std::runtime_error("Satzdatei " + FDef.Tabelle + " ist nur zum Lesen geöffnet");
}

void TQLX_DBFile::PrepareWrite(TWrDoOn AModus) { SchreibenVorbereiten(AModus); }

void TQLX_DBFile::WriteRecord(TWrDoOn AModus) {
  SchreibbarPruefen();
  if (AModus != wrdonInsert && AModus != wrdonUpdate)
    throw std::invalid_argument("Satzdatei " + FDef.Tabelle + ": unbekannte Schreibart");
  if (AModus == wrdonUpdate && !FIdentGueltig)
    throw std::runtime_error("Satzdatei " + FDef.Tabelle + ": kein gelesener Satz zum Ändern");
  SatzErgaenzen(AModus);
  try {
    std::string Spalten, Werte, Setzen;
    if ((AModus == wrdonInsert && !FInsert) || (AModus == wrdonUpdate && !FUpdate))
      for (size_t i = 0; i < FDef.Felder.size(); ++i)
        for (const auto& Sp : FSpalten[i]) {
          Spalten += (Spalten.empty() ? "" : ", ") + Sp;
          Werte += Werte.empty() ? "?" : ", ?";
          Setzen += (Setzen.empty() ? "" : ", ") + Sp + " = ?";
        }
    int P = 1;
    TDbStatement* Stmt;
    if (AModus == wrdonInsert) {
      if (!FInsert) FInsert = FConn->Prepare("INSERT INTO " + FDef.Tabelle + " (" + Spalten + ") VALUES (" + Werte + ")");
      Stmt = FInsert.get();
    } else {
      if (!FUpdate) {
        std::string Wo;
        for (int i : FKeyFelder[FDef.IdentKey])
          for (const auto& Sp : FSpalten[i]) Wo += (Wo.empty() ? "" : " AND ") + Sp + " = ?";
        FUpdate = FConn->Prepare("UPDATE " + FDef.Tabelle + " SET " + Setzen + " WHERE " + Wo);
      }
      Stmt = FUpdate.get();
    }
    Stmt->Reset();
    if (AModus == wrdonInsert) {
      InsertBinden();
    } else {
      for (size_t i = 0; i < FDef.Felder.size(); ++i)
        P = RFWertBinden(*Stmt, P, FDef.Felder[i].Art, FeldNachDef(static_cast<int>(i)).Wert());
      const auto& Ident = FKeyFelder[FDef.IdentKey];
      for (size_t k = 0; k < Ident.size(); ++k) P = RFWertBinden(*Stmt, P, FDef.Felder[Ident[k]].Art, FIdent[k]);
    }
    if (FConn->InTransaction()) {
      Stmt->Run();  // the backend may send it with the batch's other writes
    } else if (Stmt->Execute() == 0 && AModus == wrdonUpdate) {
      throw std::runtime_error("Satzdatei " + FDef.Tabelle + ": der Satz wurde inzwischen gelöscht");
    }
    IdentMerken();
  } catch (const std::exception& E) {
    if (AModus == wrdonInsert) FInsertGebunden.clear();  // what stayed bound is not known
    Weiterwerfen(E);
  }
}

void TQLX_DBFile::InsertBinden() {
  const bool Bekannt = !FInsertGebunden.empty();
  if (!Bekannt) FInsertGebunden.resize(FDef.Felder.size());
  int P = 1;
  for (size_t i = 0; i < FDef.Felder.size(); ++i) {
    const TDatenfeld& F = FeldNachDef(static_cast<int>(i));
    const TFeldWertVar& W = F.Wert();
    const int Naechster = P + static_cast<int>(FSpalten[i].size());
    // Most columns of an append are whole numbers (the sizes): compared and
    // bound here directly, without the general comparison and binding.
    if (const int32_t* Zahl = std::get_if<int32_t>(&W); Zahl && F.Art() == TFeldArt::Integer) {
      int32_t* Gebunden = std::get_if<int32_t>(&FInsertGebunden[i]);
      if (!Bekannt || !Gebunden || *Gebunden != *Zahl) {
        FInsertGebunden[i] = *Zahl;
        FInsert->BindInt(P, *Zahl);
      }
      P = Naechster;
      continue;
    }
    if (!Bekannt || !RFWertGleich(W, FInsertGebunden[i])) {
      FInsertGebunden[i] = W;
      // A text stays bound from the copy kept here (the vector never grows
      // while the statement lives), so the backend need not copy it again.
      if (const std::string* T = std::get_if<std::string>(&FInsertGebunden[i]))
        FInsert->BindTextOhneKopie(P, *T);
      else
        RFWertBinden(*FInsert, P, FDef.Felder[i].Art, W);
    }
    P = Naechster;
  }
}

void TQLX_DBFile::DeleteRecord() {
  SchreibbarPruefen();
  if (!FIdentGueltig) throw std::runtime_error("Satzdatei " + FDef.Tabelle + ": kein gelesener Satz zum Löschen");
  try {
    const auto& Ident = FKeyFelder[FDef.IdentKey];
    if (!FDelete) {
      std::string Wo;
      for (int i : Ident)
        for (const auto& Sp : FSpalten[i]) Wo += (Wo.empty() ? "" : " AND ") + Sp + " = ?";
      FDelete = FConn->Prepare("DELETE FROM " + FDef.Tabelle + " WHERE " + Wo);
    }
    FDelete->Reset();
    int P = 1;
    for (size_t k = 0; k < Ident.size(); ++k) P = RFWertBinden(*FDelete, P, FDef.Felder[Ident[k]].Art, FIdent[k]);
    if (FConn->InTransaction())
      FDelete->Run();
    else
      FDelete->Execute();
    FIdentGueltig = false;
  } catch (const std::exception& E) {
    Weiterwerfen(E);
  }
}

void TQLX_DBFile::ResetForReuse() {
  ScanBeenden();
  FKeyListe.clear();
  FFound = false;
  FKeyNr = 0;
  for (auto& Key : FKeyWerte)
    for (auto& S : Key) S = TSegment{};
  FFilter.clear();
  ExtendedFilterClear();
  FBenutzt.clear();
  FBenutztForm.clear();
  FLeseVerhalten = 1;
  FSperrend = false;
  FIdentGueltig = false;
  ClearRecord();
}

void TQLX_DBFile::Weiterwerfen(const std::exception& AFehler) const {
  if (auto* Db = dynamic_cast<const EDbError*>(&AFehler))
    throw EDbError(*Db, "Satzdatei " + FDef.Tabelle + ": ");
  throw;
}
