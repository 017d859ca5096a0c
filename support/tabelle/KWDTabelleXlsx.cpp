// XLSX through libxlsxwriter. The library writes to a file name of its own
// choosing; it gets a private folder, and the finished workbook is moved to
// its place the way every file of the suite is written (beside it, renamed).
#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

#include "support/framework/KWDDateiErsetzen.h"
#include "support/framework/KWDSystemFehler.h"
#include "support/tabelle/KWDTabelle.h"

namespace {

namespace fs = std::filesystem;

bool XmlSteuerzeichen(unsigned char AZeichen) { return AZeichen < 0x20 && AZeichen != '\t' && AZeichen != '\n'; }

// XML allows no control characters besides tab and line feed.
std::string XmlText(const std::string& AText) {
  std::string T = KWDTabelleUtf8(AText);
  for (char& Z : T)
    if (XmlSteuerzeichen(static_cast<unsigned char>(Z))) Z = ' ';
  return T;
}

// XmlText for the many cells: the text itself when it needs no change
// (nearly always), else its mended copy in APuffer.
const char* XmlZelle(const std::string& AText, std::string& APuffer) {
  bool Sauber = true;
  for (const char Z : AText)
    if (XmlSteuerzeichen(static_cast<unsigned char>(Z))) {
      Sauber = false;
      break;
    }
  if (Sauber && KWDTabelleIstUtf8(AText)) return AText.c_str();
  APuffer = XmlText(AText);
  return APuffer.c_str();
}

// A private folder for the library's files, removed on every way out.
struct TArbeitsordner {
  fs::path Pfad;
  TArbeitsordner() {
    std::string Muster = (fs::temp_directory_path() / "wws-xlsx-XXXXXX").string();
    if (!::mkdtemp(Muster.data()))
      throw std::runtime_error("Für die Arbeitsmappe fehlt ein temporärer Ordner: " + KWDSystemFehlerText(errno) + ".");
    Pfad = Muster;
  }
  ~TArbeitsordner() {
    std::error_code F;
    fs::remove_all(Pfad, F);
  }
};

std::string Fehlertext(const std::string& APfad, lxw_error AFehler, int AErrno) {
  const std::string Grund = AErrno == ENOSPC || AErrno == EDQUOT
                                ? KWDSystemFehlerText(AErrno)
                                : std::string("die Bibliothek libxlsxwriter meldet \u201E") + lxw_strerror(AFehler) +
                                      "\u201C";
  return "Die Arbeitsmappe \u201E" + APfad + "\u201C kann nicht geschrieben werden: " + Grund + ".";
}

}  // namespace

size_t KWDTabelleXlsx(const TKWDTabelle& ATabelle, const std::string& APfad) {
  TArbeitsordner Ordner;
  const std::string Datei = (Ordner.Pfad / "tabelle.xlsx").string();
  const std::string Temp = Ordner.Pfad.string();
  lxw_workbook_options Optionen{};
  Optionen.constant_memory = LXW_TRUE;  // rows go to disk as they are written: large lists stay small in memory
  Optionen.tmpdir = const_cast<char*>(Temp.c_str());
  lxw_workbook* Mappe = workbook_new_opt(Datei.c_str(), &Optionen);
  if (!Mappe) throw std::runtime_error(Fehlertext(APfad, LXW_ERROR_MEMORY_MALLOC_FAILED, errno));

  const std::string Titel = XmlText(ATabelle.Titel), Betreff = XmlText(ATabelle.Betreff),
                    Firma = XmlText(ATabelle.Firma), Stichworte = XmlText(ATabelle.Stichworte),
                    Kommentar = XmlText(ATabelle.Kommentar);
  lxw_doc_properties Eigenschaften{};
  Eigenschaften.title = const_cast<char*>(Titel.c_str());
  Eigenschaften.subject = const_cast<char*>(Betreff.c_str());
  Eigenschaften.company = const_cast<char*>(Firma.c_str());
  Eigenschaften.keywords = const_cast<char*>(Stichworte.c_str());
  Eigenschaften.comments = const_cast<char*>(Kommentar.c_str());
  Eigenschaften.author = const_cast<char*>("Inventuranforderungen");
  workbook_set_properties(Mappe, &Eigenschaften);

  const std::string Blatt = XmlText(ATabelle.Blatt.substr(0, 31));
  lxw_worksheet* B = workbook_add_worksheet(Mappe, Blatt.empty() ? nullptr : Blatt.c_str());
  lxw_format* Ueberschrift = workbook_add_format(Mappe);
  format_set_bold(Ueberschrift);
  format_set_font_size(Ueberschrift, 13);
  lxw_format* Kopf = workbook_add_format(Mappe);
  format_set_bold(Kopf);
  format_set_bottom(Kopf, LXW_BORDER_THIN);
  format_set_bg_color(Kopf, 0xE1E1E1);
  lxw_format* Ganz = workbook_add_format(Mappe);
  format_set_num_format(Ganz, "#,##0");
  lxw_format* Betrag = workbook_add_format(Mappe);
  format_set_num_format(Betrag, "#,##0.00");
  lxw_format* Datum = workbook_add_format(Mappe);
  format_set_num_format(Datum, "dd.mm.yyyy");
  auto FormatFuer = [&](TKWDTabelle::TArt AArt) -> lxw_format* {
    switch (AArt) {
      case TKWDTabelle::TArt::Ganzzahl: return Ganz;
      case TKWDTabelle::TArt::Betrag: return Betrag;
      case TKWDTabelle::TArt::Datum: return Datum;
      case TKWDTabelle::TArt::Text: break;
    }
    return nullptr;
  };

  const auto Spalten = static_cast<lxw_col_t>(ATabelle.Spalten.size());
  for (lxw_col_t S = 0; S < Spalten; ++S)
    worksheet_set_column(B, S, S, ATabelle.Spalten[S].Breite, nullptr);
  lxw_row_t Reihe = 0;
  for (const std::string& Zeile : ATabelle.Kopfzeilen) {
    worksheet_write_string(B, Reihe, 0, XmlText(Zeile).c_str(), Reihe == 0 ? Ueberschrift : nullptr);
    ++Reihe;
  }
  if (!ATabelle.Kopfzeilen.empty()) ++Reihe;  // a blank row between the title and the table
  const lxw_row_t KopfReihe = Reihe;
  for (lxw_col_t S = 0; S < Spalten; ++S)
    worksheet_write_string(B, KopfReihe, S, XmlText(ATabelle.Spalten[S].Titel).c_str(), Kopf);
  std::string Puffer;
  const size_t Anzahl = ATabelle.ZeilenDurchlaufen([&](const std::vector<TKWDTabelle::TZelle>& AZeile) {
    ++Reihe;
    for (lxw_col_t S = 0; S < Spalten && S < AZeile.size(); ++S) {
      const TKWDTabelle::TZelle& Z = AZeile[S];
      if (const double* Wert = std::get_if<double>(&Z)) {
        if (std::isfinite(*Wert)) worksheet_write_number(B, Reihe, S, *Wert, FormatFuer(ATabelle.Spalten[S].Art));
      } else if (const std::string* Text = std::get_if<std::string>(&Z)) {
        // Always a string cell: a text beginning with "=" stays text, never a formula.
        worksheet_write_string(B, Reihe, S, XmlZelle(*Text, Puffer), nullptr);
      }
    }
  });
  if (Spalten > 0) {
    worksheet_freeze_panes(B, KopfReihe + 1, 0);
    worksheet_autofilter(B, KopfReihe, 0, Reihe, Spalten - 1);
    worksheet_repeat_rows(B, KopfReihe, KopfReihe);
  }
  worksheet_set_paper(B, 9);  // A4
  worksheet_fit_to_pages(B, 1, 0);

  errno = 0;
  const lxw_error Fehler = workbook_close(Mappe);
  if (Fehler != LXW_NO_ERROR) throw std::runtime_error(Fehlertext(APfad, Fehler, errno));
  std::ifstream Ein(Datei, std::ios::binary);
  std::string Inhalt((std::istreambuf_iterator<char>(Ein)), std::istreambuf_iterator<char>());
  if (!Ein.good() && !Ein.eof()) throw std::runtime_error(Fehlertext(APfad, LXW_ERROR_CREATING_XLSX_FILE, errno));
  KWDDateiErsetzen(APfad, Inhalt);
  return Anzahl;
}
