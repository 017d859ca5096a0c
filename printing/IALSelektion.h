#pragma once
// The count list without Qt: which stock-take records of the printed
// requests become lines of this process's count-list file, the printed
// requests as they stand, and the count list as a spreadsheet table. The
// desktop program's print commands (TIADrucken) ask for the options, render
// the report and show it; invanf-cli built without Qt writes the tables.
//
// Failures are registered under the main window's names
// ("TFrmIAMain.DruckenIALExecute_Selektion", "GetQArtNr").
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "printing/IALTabelle.h"
#include "support/types/KWDDatum.h"
#include "support/types/TInt32Trio.h"

class Tivfile;
class Tastafile;
class TWGNMani;
class TLiefGPData;
class TSimplePriceReader;
class TArtikelTools;
class TQLX_PEP_Progress_SetPos;
class TIALArtikelVorrat;
class TKWDLayoutDatei;

// One request row of the main window's list, as the list shows it.
struct TIADruckZeile {
  TDateTime Zaehldatum = 0;  // column "Zähldatum_Value"
  int FilNr = 0;             // column "Filiale"
  std::string WG;            // column "WG": "*" (or empty) for all groups
};
// Asked by the selection for the rows to print: the marked rows in list
// order, or, when none is marked, the selected row after marking it
// (CheckSelectedNode); none when there is neither.
using TIADruckZeilenQuelle = std::function<std::vector<TIADruckZeile>()>;

// The three print options of the options dialog.
struct TIALOptionen {
  bool Nullbestand = false;  // "Param_Nullbestand"
  bool AnzProGroe = false;   // "Param_AnzProGroe"
  bool NurSammel = false;    // "Param_NurSammel"
};

// Stock type of the stock-take records a count list shows: the regular
// stock (type 1), under which completion also books the zero records of
// articles present through branch sales.
inline constexpr char KIALBestandstyp = '1';

class TIALSelektion {
 public:
  TIALSelektion();
  ~TIALSelektion();
  TIALSelektion(const TIALSelektion&) = delete;
  TIALSelektion& operator=(const TIALSelektion&) = delete;

  // Writes the count-list file anew: one record per printed line (at most
  // 17 sizes) of every article of the rows' requests in the fiscal year
  // AWiJahr, the rows in the given order. AProgress, when given, shows the
  // article worked on. Returns the lines written; 0 after a registered failure.
  int Ausfuehren(TDateTime AWiJahr, const std::vector<TIADruckZeile>& AZeilen,
                 TQLX_PEP_Progress_SetPos* AProgress = nullptr);
  // The same in the progress window AFortschritt ("Daten werden aufbereitet
  // ...", the article number as it goes), hidden at the end; without one in
  // a window of its own (TQLX_PEP_Progress_SetPos::Create(AOwner)).
  int AusfuehrenMitFortschritt(TDateTime AWiJahr, const std::vector<TIADruckZeile>& AZeilen,
                               TQLX_PEP_Progress_SetPos* AFortschritt, void* AOwner = nullptr);

  // The article's number from the article-number history: of the entries
  // with a number, the one with the latest entry date after 0 (on equal
  // dates the first in key order); empty when there is none.
  std::string GetQArtNr(const TInt32Trio& APId);

  // The printed rows' requests, each marked when it is still requested (its
  // target stock not completely booked, e.g. a completion cut off midway):
  // its count list lacks articles.
  static std::vector<TIALAnforderung> AnforderungenLesen(TDateTime AWiJahr, const std::vector<TIADruckZeile>& AZeilen);
  // What the question before printing such requests and invanf-cli's
  // refusal say; empty when none is incomplete.
  static std::string UnvollstaendigText(const std::vector<TIALAnforderung>& AAnforderungen);
  // The question before printing such requests ("... Trotzdem ATun?"),
  // through the message presenter (AOwner: the window it belongs to); true
  // when none is incomplete or the user says Yes.
  static bool UnvollstaendigeBestaetigt(const std::vector<TIALAnforderung>& AAnforderungen,
                                        const std::string& ATun = "drucken", void* AOwner = nullptr);

 private:
  void Dienste_CiN();

  std::unique_ptr<Tivfile> FIVFile;
  std::unique_ptr<Tastafile> FASTAFile;
  TWGNMani* FWGNMani = nullptr;        // shared instance, given back on destruction
  TLiefGPData* FLiefGPData = nullptr;  // shared instance, given back on destruction
  std::unique_ptr<TSimplePriceReader> FSimplePrice;
  std::unique_ptr<TArtikelTools> FArtikelTools;
  TIALArtikelVorrat* FVorrat = nullptr;  // the article data read ahead, while the selection runs
};

// The count list of the file the selection wrote, as a spreadsheet table:
// the lists as ANullbestand and ANurSammel choose them, titled by AKopf.
TKWDTabelle IALZaehllisteTabelle(const TIALTabellenKopf& AKopf, bool ANullbestand, bool ANurSammel);

// The count list's title and choices where no report viewer sets them
// (invanf-cli without Qt): the options, overridden by the layout's own
// parameters of the same name as the viewer lets them; a blind list when the
// layout says "Sollmenge=N".
TIALTabellenKopf IALTabellenKopf(const TKWDLayoutDatei& ALayout, const std::string& AMandant, TDate AWiJahr);
TIALOptionen IALOptionenMitLayout(TIALOptionen AOptionen, const TKWDLayoutDatei& ALayout);
