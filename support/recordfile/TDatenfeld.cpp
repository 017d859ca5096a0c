#include "support/recordfile/TDatenfeld.h"

#include <bit>
#include <charconv>
#include <stdexcept>

#include "support/db/TDbConnection.h"
#include "support/recordfile/TQLX_DBFile.h"

namespace {
// Every character as a one-byte text that lives as long as the program: a
// bound character needs no copy in the database library.
struct TZeichenTexte {
  char Zeichen[256];
  constexpr TZeichenTexte() : Zeichen() {
    for (int I = 0; I < 256; ++I) Zeichen[I] = static_cast<char>(I);
  }
};
constexpr TZeichenTexte KZeichenTexte;
}  // namespace

// A character is stored as a one-byte text; the character 0 as the empty text.
int RFWertBinden(TDbStatement& AStmt, int AParam, TFeldArt AArt, const TFeldWertVar& AWert) {
  switch (AArt) {
    case TFeldArt::Char: {
      const char C = std::get<char>(AWert);
      AStmt.BindTextOhneKopie(AParam, C == '\0' ? std::string_view()
                                                : std::string_view(&KZeichenTexte.Zeichen[static_cast<unsigned char>(C)], 1));
      return AParam + 1;
    }
    case TFeldArt::Integer:
      AStmt.BindInt(AParam, std::get<int32_t>(AWert));
      return AParam + 1;
    case TFeldArt::Extended:
    case TFeldArt::DateTime:
      AStmt.BindDouble(AParam, std::get<double>(AWert));
      return AParam + 1;
    case TFeldArt::String:
      AStmt.BindText(AParam, std::get<std::string>(AWert));
      return AParam + 1;
    case TFeldArt::Int32Trio: {
      const auto& P = std::get<TInt32Trio>(AWert);
      AStmt.BindInt(AParam, P.I1);
      AStmt.BindInt(AParam + 1, P.I2);
      AStmt.BindInt(AParam + 2, P.I3);
      return AParam + 3;
    }
    case TFeldArt::IntPair: {
      const auto& P = std::get<TIntPair>(AWert);
      AStmt.BindInt(AParam, P.I1);
      AStmt.BindInt(AParam + 1, P.I2);
      return AParam + 2;
    }
  }
  throw std::logic_error("unbekannte Feldart");
}

namespace {
void ListenAnfang(std::string& AListe) { AListe += AListe.empty() ? '{' : ','; }
void ZahlInListe(std::string& AListe, int64_t AWert) {
  ListenAnfang(AListe);
  AListe += std::to_string(AWert);
}
// Quoted, so that any text (empty, braces, commas, quotes) is one element.
void TextInListe(std::string& AListe, std::string_view AText) {
  ListenAnfang(AListe);
  AListe += '"';
  for (const char Z : AText) {
    if (Z == '"' || Z == '\\') AListe += '\\';
    AListe += Z;
  }
  AListe += '"';
}
}  // namespace

size_t RFWertInListe(std::vector<std::string>& AListen, size_t AErste, TFeldArt AArt, const TFeldWertVar& AWert) {
  switch (AArt) {
    case TFeldArt::Char: {
      const char C = std::get<char>(AWert);
      TextInListe(AListen[AErste], C == '\0' ? std::string_view() : std::string_view(&C, 1));
      return AErste + 1;
    }
    case TFeldArt::Integer:
      ZahlInListe(AListen[AErste], std::get<int32_t>(AWert));
      return AErste + 1;
    case TFeldArt::Extended:
    case TFeldArt::DateTime: {
      char Puffer[40];
      const auto Ende = std::to_chars(Puffer, Puffer + sizeof Puffer, std::get<double>(AWert)).ptr;  // shortest exact form
      ListenAnfang(AListen[AErste]);
      AListen[AErste].append(Puffer, Ende);
      return AErste + 1;
    }
    case TFeldArt::String:
      TextInListe(AListen[AErste], std::get<std::string>(AWert));
      return AErste + 1;
    case TFeldArt::Int32Trio: {
      const auto& P = std::get<TInt32Trio>(AWert);
      ZahlInListe(AListen[AErste], P.I1);
      ZahlInListe(AListen[AErste + 1], P.I2);
      ZahlInListe(AListen[AErste + 2], P.I3);
      return AErste + 3;
    }
    case TFeldArt::IntPair: {
      const auto& P = std::get<TIntPair>(AWert);
      ZahlInListe(AListen[AErste], P.I1);
      ZahlInListe(AListen[AErste + 1], P.I2);
      return AErste + 2;
    }
  }
  throw std::logic_error("unbekannte Feldart");
}

const char* RFListenTyp(TFeldArt AArt) {
  switch (AArt) {
    case TFeldArt::Char:
    case TFeldArt::String:
      return "TEXT[]";
    case TFeldArt::Extended:
    case TFeldArt::DateTime:
      return "DOUBLE PRECISION[]";
    default:
      return "INTEGER[]";
  }
}

void RFWertLesen(const TDbStatement& AStmt, int ASpalte, TFeldArt AArt, TFeldWertVar& AWert) {
  auto Int32 = [&](int ACol) { return static_cast<int32_t>(AStmt.ColumnInt(ACol)); };
  switch (AArt) {
    case TFeldArt::Char: {
      const std::string S = AStmt.ColumnText(ASpalte);
      AWert = S.empty() ? '\0' : S[0];
      return;
    }
    case TFeldArt::Integer:
      AWert = Int32(ASpalte);
      return;
    case TFeldArt::Extended:
    case TFeldArt::DateTime:
      AWert = AStmt.ColumnDouble(ASpalte);
      return;
    case TFeldArt::String:
      AWert = AStmt.ColumnText(ASpalte);
      return;
    case TFeldArt::Int32Trio:
      AWert = TInt32Trio{Int32(ASpalte), Int32(ASpalte + 1), Int32(ASpalte + 2)};
      return;
    case TFeldArt::IntPair:
      AWert = TIntPair{Int32(ASpalte), Int32(ASpalte + 1)};
      return;
  }
}

bool RFWertGleich(const TFeldWertVar& A, const TFeldWertVar& B) {
  if (A.index() != B.index()) return false;
  if (const double* D = std::get_if<double>(&A)) return std::bit_cast<uint64_t>(*D) == std::bit_cast<uint64_t>(std::get<double>(B));
  return A == B;
}

TFeldWertVar RFLeerwert(TFeldArt AArt) {
  switch (AArt) {
    case TFeldArt::Char:
      return '\0';
    case TFeldArt::Integer:
      return int32_t{0};
    case TFeldArt::Extended:
    case TFeldArt::DateTime:
      return 0.0;
    case TFeldArt::String:
      return std::string();
    case TFeldArt::Int32Trio:
      return TInt32Trio{};
    case TFeldArt::IntPair:
      return TIntPair{};
  }
  throw std::logic_error("unbekannte Feldart");
}

TDatenfeld::TDatenfeld(TQLX_DBFile& AFile, const std::string& AName) : FFile(AFile), FDef(nullptr), FDefIndex(-1) {
  const auto& Felder = AFile.Def().Felder;
  for (size_t i = 0; i < Felder.size(); ++i)
    if (Felder[i].Name == AName) {
      FDef = &Felder[i];
      FDefIndex = static_cast<int>(i);
    }
  if (!FDef) throw std::logic_error("Satzdatei " + AFile.Def().Tabelle + ": Feld " + AName + " unbekannt");
  FWert = RFLeerwert(FDef->Art);
  AFile.FeldRegistrieren(*this);
}

template <TFeldArt A>
void TDatenfeld_Gen<A>::SetFilterMinMax(const T& AWert) {
  FFile.FilterSetzen(*this, TQLX_DBFile::FILTER_GLEICH, {TFeldWertVar(AWert)});
}

template <TFeldArt A>
void TDatenfeld_Gen<A>::SetFilterMinMax(const T& AMin, const T& AMax) {
  FFile.FilterSetzen(*this, TQLX_DBFile::FILTER_BEREICH, {TFeldWertVar(AMin), TFeldWertVar(AMax)});
}

template <TFeldArt A>
void TDatenfeld_Gen<A>::SetFilter(std::string_view AZeichen)
  requires(A == TFeldArt::Char)
{
  std::vector<TFeldWertVar> Werte;
  for (char C : AZeichen) Werte.emplace_back(C);
  if (Werte.empty()) throw std::invalid_argument("Satzdatei " + FFile.Def().Tabelle + ": leere Zeichenmenge als Filter");
  FFile.FilterSetzen(*this, TQLX_DBFile::FILTER_MENGE, std::move(Werte));
}

template <TFeldArt A>
TDatenKeyFeld<A>::TDatenKeyFeld(TQLX_DBFile& AFile, int16_t AKeyNr, TDatenfeld_Gen<A>& AFeld)
    : FFile(AFile), FKeyNr(AKeyNr), FSegment(AFile.KeySegment(AKeyNr, AFeld)) {}

template <TFeldArt A>
void TDatenKeyFeld<A>::SetKeyWert(const T& AWert) {
  FFile.KeyWertSetzen(FKeyNr, FSegment, TFeldWertVar(AWert), false);
}

template <TFeldArt A>
void TDatenKeyFeld<A>::SetKeyWertAndFilter(const T& AWert) {
  FFile.KeyWertSetzen(FKeyNr, FSegment, TFeldWertVar(AWert), true);
}

template class TDatenfeld_Gen<TFeldArt::Char>;
template class TDatenfeld_Gen<TFeldArt::Integer>;
template class TDatenfeld_Gen<TFeldArt::Extended>;
template class TDatenfeld_Gen<TFeldArt::DateTime>;
template class TDatenfeld_Gen<TFeldArt::String>;
template class TDatenfeld_Gen<TFeldArt::Int32Trio>;
template class TDatenfeld_Gen<TFeldArt::IntPair>;
template class TDatenKeyFeld<TFeldArt::Char>;
template class TDatenKeyFeld<TFeldArt::Integer>;
template class TDatenKeyFeld<TFeldArt::DateTime>;
template class TDatenKeyFeld<TFeldArt::String>;
template class TDatenKeyFeld<TFeldArt::Int32Trio>;
