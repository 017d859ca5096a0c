#pragma once
// Where a file the user asked for goes: a save dialog (or, for several
// files, a folder dialog) that starts in the folder the user chose last for
// that kind of file, the first time in the documents folder the desktop
// names (QStandardPaths::DocumentsLocation, e.g. ~/Dokumente), and suggests
// a readable name. Filters name formats ("XLSX-Arbeitsmappe (*.xlsx)").
//
// The dialog itself sits behind a replaceable function, as the message
// presenter does for questions: tests and the photo tour answer it without
// a window; the program shows Qt's own dialog (object name "dlgDatei").
//
// A target the file writer refuses (KWDDateiZiel.h: a folder, a device, a
// company database, no right to write) is said in German and the dialog
// comes again; the chosen folder is kept only after an accepted choice.
#include <functional>
#include <string>
#include <vector>

class QWidget;

enum class TKWDExportFormat { Pdf, Xlsx, Csv };

struct TKWDDateiFrage {
  std::string Titel;                      // window title
  std::string Art;                        // kind of file: its folder is kept under this name
  std::string Ordner;                     // where the dialog starts (KWDDateiWaehlen fills it in)
  std::string Vorschlag;                  // suggested file name, without folder
  std::vector<TKWDExportFormat> Formate;  // offered formats; empty: a folder is chosen
  std::string Ankreuzen;                  // a check box below a folder dialog; empty: none
  bool Angekreuzt = false;                // its state when the dialog opens
};

// A save dialog's question: title, kind, suggested name, formats.
TKWDDateiFrage KWDSpeichernFrage(const std::string& ATitel, const std::string& AArt, const std::string& AVorschlag,
                                 std::vector<TKWDExportFormat> AFormate);

struct TKWDDateiAntwort {
  std::string Pfad;  // the file (its ending matches Format) or the folder
  TKWDExportFormat Format = TKWDExportFormat::Pdf;
  bool Angekreuzt = false;
};

// Shows the dialog for AFrage; false when the user cancels.
using TKWDDateiDialog = std::function<bool(QWidget* AOwner, const TKWDDateiFrage& AFrage, TKWDDateiAntwort& AAntwort)>;
// Replaces the dialog; an empty function restores Qt's. Returns the previous one.
TKWDDateiDialog KWDDateiDialogSetzen(TKWDDateiDialog ADialog);

// Asks as described above. The answer's path is the one the writer will
// write (for a file: resolved by TKWDDateiZiel). False when cancelled.
bool KWDDateiWaehlen(QWidget* AOwner, TKWDDateiFrage AFrage, TKWDDateiAntwort& AAntwort);

// The folder last chosen for kind AArt while it still exists, else the
// desktop's documents folder (the home folder when there is none).
std::string KWDAblageOrdner(const std::string& AArt);

// "XLSX-Arbeitsmappe (*.xlsx)", and the ending without dot ("xlsx").
std::string KWDFormatFilter(TKWDExportFormat AFormat);
std::string KWDFormatEndung(TKWDExportFormat AFormat);
