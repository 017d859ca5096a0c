// CSV as German spreadsheet programs open it with a double click.
#include <cmath>
#include <cstdio>

#include "support/framework/KWDDateiErsetzen.h"
#include "support/tabelle/KWDTabelle.h"
#include "support/types/KWDDatum.h"
#include "support/types/KWDUtf8.h"

namespace {

std::string Zahl(double AWert, int ADezimalen) {
  const double Faktor = std::pow(10.0, ADezimalen);
  AWert = std::round(AWert * Faktor) / Faktor;
  if (AWert == 0) AWert = 0;  // never "-0" or "-0,00"
  char Puffer[64];
  std::snprintf(Puffer, sizeof Puffer, "%.*f", ADezimalen, AWert);
  std::string Text = Puffer;
  for (char& Z : Text)
    if (Z == '.') Z = ',';
  return Text;
}

std::string Feld(const TKWDTabelle::TZelle& AZelle, TKWDTabelle::TArt AArt) {
  if (const double* Wert = std::get_if<double>(&AZelle)) {
    switch (AArt) {
      case TKWDTabelle::TArt::Datum: return FormatDatum(*Wert);
      case TKWDTabelle::TArt::Betrag: return Zahl(*Wert, 2);
      case TKWDTabelle::TArt::Ganzzahl: return Zahl(*Wert, 0);
      case TKWDTabelle::TArt::Text: return Zahl(*Wert, *Wert == std::round(*Wert) ? 0 : 2);
    }
  }
  const std::string* Text = std::get_if<std::string>(&AZelle);
  if (!Text) return {};
  std::string Sauber;
  if (!KWDIstUtf8(*Text)) {
    Sauber = KWDUtf8Ersetzen(*Text);
    Text = &Sauber;
  }
  // A leading apostrophe keeps a spreadsheet program from running the text as a formula.
  const bool Formel = KWDTabelleFormelAnfang(*Text);
  const bool Zitieren = Formel || Text->find_first_of(";\"\r\n") != std::string::npos ||
                        (!Text->empty() && (Text->front() == ' ' || Text->back() == ' '));
  if (!Zitieren) return *Text;
  std::string Aus = "\"";
  if (Formel) Aus += '\'';
  for (char Z : *Text) {
    if (Z == '"') Aus += '"';
    Aus += Z;
  }
  return Aus + '"';
}

}  // namespace

namespace {

// The CSV handed to AStueck in pieces of about a megabyte, so a long list
// is never held whole; returns the number of rows.
size_t CsvAufbauen(const TKWDTabelle& ATabelle, const TKWDStueckSchreiber& AStueck) {
  constexpr size_t KStueck = 1 << 20;
  std::string Aus = "\xEF\xBB\xBF";
  if (!ATabelle.Vermerk.empty()) Aus += Feld(ATabelle.Vermerk, TKWDTabelle::TArt::Text) + "\r\n";
  for (size_t S = 0; S < ATabelle.Spalten.size(); ++S) {
    if (S > 0) Aus += ';';
    Aus += Feld(ATabelle.Spalten[S].Titel, TKWDTabelle::TArt::Text);
  }
  Aus += "\r\n";
  const size_t Anzahl = ATabelle.ZeilenDurchlaufen([&](const std::vector<TKWDTabelle::TZelle>& AZeile) {
    for (size_t S = 0; S < ATabelle.Spalten.size(); ++S) {
      if (S > 0) Aus += ';';
      if (S < AZeile.size()) Aus += Feld(AZeile[S], ATabelle.Spalten[S].Art);
    }
    Aus += "\r\n";
    if (Aus.size() >= KStueck) {
      AStueck(Aus);
      Aus.clear();
    }
  });
  AStueck(Aus);
  return Anzahl;
}

}  // namespace

std::string KWDTabelleCsvText(const TKWDTabelle& ATabelle) {
  std::string Text;
  CsvAufbauen(ATabelle, [&](std::string_view AStueck) { Text += AStueck; });
  return Text;
}

TKWDTabellenErgebnis KWDTabelleCsv(const TKWDTabelle& ATabelle, const std::string& APfad) {
  const TKWDDateiZiel Ziel(APfad);  // refused before the rows are made
  size_t Anzahl = 0;
  KWDDateiErsetzenStueckweise(Ziel, [&](const TKWDStueckSchreiber& AStueck) { Anzahl = CsvAufbauen(ATabelle, AStueck); });
  return {Anzahl, 1};
}
