#pragma once
// The count-list file read back as the count list shows it: one list per
// branch and counting date (in the order the file first names them), each
// with its articles and their lines (one line per block of sizes). The
// count-list report paints these lists; the spreadsheet export writes them.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/recordfile/RecordFileSchema.h"
#include "support/types/KWDDatum.h"
#include "support/types/TInt32Trio.h"

// One line of the count-list file.
struct TIALZeile {
  TDateTime Zaehldatum = 0;
  int32_t FilNr = 0;
  TInt32Trio PId;
  std::string QArtNr, Text1, Text2, Text3, WG, WGText, Lieferant;
  char Pruefschaerfe = '\0';
  int32_t Sollmenge = 0;
  double VKPreis = 0;
  int32_t Teil = 0;
  int32_t Kennzahl1 = 0;
  int32_t Von = 0, Bis = 0;  // sizes of this line
  std::array<int32_t, RF_GROESSEN> Menge{};
  // The target quantity of size AIndex (1-based).
  int32_t MengeVon(int AIndex) const { return Menge[static_cast<size_t>(AIndex - 1)]; }
};

// An article: its lines (one per block of sizes).
struct TIALListenArtikel {
  std::vector<TIALZeile> Zeilen;
  const TIALZeile& Kopf() const { return Zeilen.front(); }
  // The article file had no record: the selection left its texts empty.
  bool Fehlt() const { return Kopf().Pruefschaerfe == '\0' && Kopf().Text1.empty() && Kopf().QArtNr.empty(); }
};

// One branch's list for one counting date.
struct TIALListe {
  TDateTime Zaehldatum = 0;
  int32_t FilNr = 0;
  std::string Filialname;
  std::vector<TIALListenArtikel> Artikel;
};

// This process's count-list file, with the branches' names.
std::vector<TIALListe> IALListenLesen();
// Keeps the articles the print options ask for (target 0 only with
// ANullbestand, collective articles only with ANurSammel) and orders them by
// product group (those without last) and article number (those without last).
void IALListenAuswaehlen(std::vector<TIALListe>& AListen, bool ANullbestand, bool ANurSammel);
