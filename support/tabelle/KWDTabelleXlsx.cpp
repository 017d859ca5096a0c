// XLSX through libxlsxwriter. The library writes to a file name of its own
// choosing; it gets a private folder, and the finished workbook is moved to
// its place the way every file of the suite is written (beside it, renamed).
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "support/framework/KWDDateiErsetzen.h"
#include "support/framework/KWDLog.h"
#include "support/framework/KWDSystemFehler.h"
#include "support/tabelle/KWDTabelle.h"
#include "support/types/KWDUtf8.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* KLogName = "KWDTabelleXlsx";
constexpr size_t KBlattnameMax = 31;  // characters of a worksheet's name
constexpr double KBreiteMax = 80;     // characters: a column never grows wider

bool XmlSteuerzeichen(unsigned char AZeichen) { return AZeichen < 0x20 && AZeichen != '\t' && AZeichen != '\n'; }

// XML allows no control characters besides tab and line feed.
std::string XmlText(const std::string& AText) {
  std::string T = KWDUtf8Ersetzen(AText);
  for (char& Z : T)
    if (XmlSteuerzeichen(static_cast<unsigned char>(Z))) Z = ' ';
  return T;
}

// Characters of valid UTF-8 as spreadsheet programs count them (UTF-16
// units: a character beyond U+FFFF counts two).
size_t Utf16Laenge(std::string_view AText) {
  size_t N = 0;
  for (const char Z : AText) {
    const auto B = static_cast<unsigned char>(Z);
    if ((B & 0xC0) != 0x80) N += B >= 0xF0 ? 2 : 1;
  }
  return N;
}

// The first AMax UTF-16 units of AText, never cutting a character.
std::string Kuerzen(std::string_view AText, size_t AMax) {
  size_t N = 0, I = 0;
  while (I < AText.size()) {
    const auto B = static_cast<unsigned char>(AText[I]);
    const size_t Laenge = B < 0x80 ? 1 : B >= 0xF0 ? 4 : B >= 0xE0 ? 3 : 2;
    const size_t Einheiten = B >= 0xF0 ? 2 : 1;
    if (N + Einheiten > AMax) break;
    N += Einheiten;
    I += Laenge;
  }
  return std::string(AText.substr(0, I));
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
  TArbeitsordner(const TArbeitsordner&) = delete;
  TArbeitsordner& operator=(const TArbeitsordner&) = delete;
};

// libxlsxwriter prints its own notes ("[ERROR][packager.c:1541] ...") to
// stderr itself. While it works, stderr is a stream in memory; the notes
// then go to the suite log, never to a user's terminal.
class TBibliotheksMeldungen {
 public:
  TBibliotheksMeldungen() {
    std::fflush(stderr);
    FNeu = ::open_memstream(&FPuffer, &FLaenge);
    if (!FNeu) return;
    FAlt = stderr;
    stderr = FNeu;
  }
  ~TBibliotheksMeldungen() {
    if (!FNeu) return;
    stderr = FAlt;
    std::fclose(FNeu);
    std::istringstream Zeilen(std::string(FPuffer ? FPuffer : "", FLaenge));
    for (std::string Zeile; std::getline(Zeilen, Zeile);)
      if (!Zeile.empty()) KWDLogSchreiben(KLogName, "libxlsxwriter: " + Zeile);
    std::free(FPuffer);
  }
  TBibliotheksMeldungen(const TBibliotheksMeldungen&) = delete;
  TBibliotheksMeldungen& operator=(const TBibliotheksMeldungen&) = delete;

 private:
  FILE* FAlt = nullptr;
  FILE* FNeu = nullptr;
  char* FPuffer = nullptr;
  size_t FLaenge = 0;
};

std::string LibGrund(lxw_error AFehler) {
  switch (AFehler) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED: return KWDSystemFehlerText(ENOMEM);
    case LXW_ERROR_CREATING_XLSX_FILE: return "die Datei lässt sich nicht anlegen";
    case LXW_ERROR_CREATING_TMPFILE: return "eine temporäre Datei lässt sich nicht anlegen";
    case LXW_ERROR_READING_TMPFILE: return "eine temporäre Datei lässt sich nicht lesen";
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD: return "die Arbeitsmappe lässt sich nicht packen";
    default: return "Fehler " + std::to_string(static_cast<int>(AFehler)) + " der Bibliothek für Arbeitsmappen";
  }
}

// The German sentence for a failed call; the library's own text goes to the log.
[[noreturn]] void Scheitern(const std::string& APfad, const std::string& AWas, lxw_error AFehler, int AErrno) {
  KWDLogSchreiben(KLogName, APfad + ": " + AWas + " (libxlsxwriter: " + lxw_strerror(AFehler) + ")");
  // The library works in the temporary folder; the target is written only after it.
  const std::string Grund = AErrno == ENOSPC || AErrno == EDQUOT
                                ? KWDSystemFehlerText(AErrno) + " im temporären Ordner \u201E" +
                                      fs::temp_directory_path().string() + "\u201C"
                                : AWas + " (" + LibGrund(AFehler) + ")";
  throw std::runtime_error("Die Arbeitsmappe \u201E" + APfad + "\u201C kann nicht geschrieben werden: " + Grund + ".");
}

// "Zählliste 1-1048570": the base name, cut where the rows would not fit.
std::string Blattname(const std::string& ABasis, size_t AVon, size_t ABis) {
  const std::string Zeilen = std::to_string(AVon) + "-" + std::to_string(ABis);
  const size_t Platz = KBlattnameMax - Zeilen.size() - 1;
  const std::string Basis = Utf16Laenge(ABasis) > Platz ? Kuerzen(ABasis, Platz) : ABasis;
  return Basis.empty() ? Zeilen : Basis + " " + Zeilen;
}

// Column widths: as set, and for a table held in memory as wide as the
// longest text of the column (a branch's long name stays readable).
std::vector<double> Breiten(const TKWDTabelle& ATabelle) {
  std::vector<double> B;
  for (const TKWDTabelle::TSpalte& S : ATabelle.Spalten)
    B.push_back(std::max(S.Breite, static_cast<double>(Utf16Laenge(S.Titel)) + 3));
  if (ATabelle.ZeilenGeben) return B;
  for (const auto& Zeile : ATabelle.Zeilen)
    for (size_t S = 0; S < B.size() && S < Zeile.size(); ++S)
      if (const std::string* Text = std::get_if<std::string>(&Zeile[S]))
        B[S] = std::max(B[S], std::min(KBreiteMax, static_cast<double>(Utf16Laenge(*Text)) + 2));
  return B;
}

}  // namespace

TKWDTabellenErgebnis KWDTabelleXlsx(const TKWDTabelle& ATabelle, const std::string& APfad, size_t AZeilenJeBlatt) {
  const TKWDDateiZiel Ziel(APfad);  // refused before any work
  AZeilenJeBlatt = std::min(AZeilenJeBlatt, KWDXlsxZeilenMax);
  // Title rows, a blank row, the header: then the table's rows.
  const size_t KopfReihe = ATabelle.Kopfzeilen.size() + (ATabelle.Kopfzeilen.empty() ? 0 : 1);
  if (AZeilenJeBlatt < KopfReihe + 2)
    throw std::invalid_argument("Ein Tabellenblatt von " + std::to_string(AZeilenJeBlatt) +
                                " Zeilen fasst nicht einmal die Kopfzeilen.");
  const size_t JeBlatt = AZeilenJeBlatt - KopfReihe - 1;
  const size_t Gesamt = ATabelle.Anzahl();
  const size_t Blaetter = std::max<size_t>(1, (Gesamt + JeBlatt - 1) / JeBlatt);

  TArbeitsordner Ordner;
  const std::string Datei = (Ordner.Pfad / "tabelle.xlsx").string();
  const std::string Temp = Ordner.Pfad.string();
  TBibliotheksMeldungen Meldungen;
  lxw_workbook_options Optionen{};
  Optionen.constant_memory = LXW_TRUE;  // rows go to disk as they are written: large lists stay small in memory
  Optionen.tmpdir = const_cast<char*>(Temp.c_str());
  lxw_workbook* Mappe = workbook_new_opt(Datei.c_str(), &Optionen);
  if (!Mappe) Scheitern(APfad, "die Arbeitsmappe lässt sich nicht beginnen", LXW_ERROR_MEMORY_MALLOC_FAILED, errno);
  // The library frees a workbook only by closing it: on a way out by an
  // error the half workbook is closed into the private folder, which goes.
  struct TMappe {
    lxw_workbook*& M;
    ~TMappe() {
      if (M) workbook_close(M);
    }
  } MappeFreigeben{Mappe};
  auto Pruefen = [&](lxw_error AFehler, const std::string& AWas) {
    if (AFehler != LXW_NO_ERROR) Scheitern(APfad, AWas, AFehler, errno);
  };

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
  Pruefen(workbook_set_properties(Mappe, &Eigenschaften), "die Dokumenteigenschaften lassen sich nicht setzen");

  auto Format = [&](auto ASetzen) {
    lxw_format* F = workbook_add_format(Mappe);
    if (!F) Scheitern(APfad, "ein Zellformat lässt sich nicht anlegen", LXW_ERROR_MEMORY_MALLOC_FAILED, errno);
    ASetzen(F);
    return F;
  };
  lxw_format* Ueberschrift = Format([](lxw_format* F) {
    format_set_bold(F);
    format_set_font_size(F, 13);
  });
  lxw_format* Kopf = Format([](lxw_format* F) {
    format_set_bold(F);
    format_set_bottom(F, LXW_BORDER_THIN);
    format_set_bg_color(F, 0xE1E1E1);
  });
  lxw_format* Ganz = Format([](lxw_format* F) { format_set_num_format(F, "#,##0"); });
  lxw_format* Betrag = Format([](lxw_format* F) { format_set_num_format(F, "#,##0.00"); });
  lxw_format* Datum = Format([](lxw_format* F) { format_set_num_format(F, "dd.mm.yyyy"); });
  auto FormatFuer = [&](TKWDTabelle::TArt AArt) -> lxw_format* {
    switch (AArt) {
      case TKWDTabelle::TArt::Ganzzahl: return Ganz;
      case TKWDTabelle::TArt::Betrag: return Betrag;
      case TKWDTabelle::TArt::Datum: return Datum;
      case TKWDTabelle::TArt::Text: break;
    }
    return nullptr;
  };

  // Texts as cells take them: valid UTF-8 without control characters, at
  // most KWDXlsxZeichenMax characters (counted, and named once in the log).
  std::string Puffer;
  size_t Gekuerzt = 0;
  std::string ErsteGekuerzte;
  auto Zelltext = [&](const std::string& AText, const auto& AWo) -> const char* {
    const std::string* T = &AText;
    if (!KWDIstUtf8(AText) || std::any_of(AText.begin(), AText.end(),
                                          [](char Z) { return XmlSteuerzeichen(static_cast<unsigned char>(Z)); })) {
      Puffer = XmlText(AText);
      T = &Puffer;
    }
    if (T->size() > KWDXlsxZeichenMax && Utf16Laenge(*T) > KWDXlsxZeichenMax) {
      std::string Kurz = Kuerzen(*T, KWDXlsxZeichenMax);
      Puffer = std::move(Kurz);
      T = &Puffer;
      if (Gekuerzt++ == 0) ErsteGekuerzte = AWo();
    }
    return T->c_str();
  };

  const auto Spalten = static_cast<lxw_col_t>(ATabelle.Spalten.size());
  const std::vector<double> Breite = Breiten(ATabelle);
  const std::string Basis = XmlText(ATabelle.Blatt);
  lxw_worksheet* B = nullptr;
  lxw_row_t Reihe = 0;
  size_t ImBlatt = 0, BlattNr = 0, Geschrieben = 0;

  auto BlattAbschliessen = [&] {
    if (Spalten > 0) {
      worksheet_freeze_panes(B, static_cast<lxw_row_t>(KopfReihe + 1), 0);
      Pruefen(worksheet_autofilter(B, static_cast<lxw_row_t>(KopfReihe), 0, Reihe, Spalten - 1),
              "der Filter lässt sich nicht setzen");
      Pruefen(worksheet_repeat_rows(B, static_cast<lxw_row_t>(KopfReihe), static_cast<lxw_row_t>(KopfReihe)),
              "die Kopfzeile lässt sich nicht zum Wiederholen einrichten");
    }
    worksheet_set_paper(B, 9);  // A4
    worksheet_fit_to_pages(B, 1, 0);
  };
  auto BlattBeginnen = [&] {
    if (BlattNr == Blaetter)
      throw std::runtime_error("Die Arbeitsmappe \u201E" + APfad +
                               "\u201C kann nicht geschrieben werden: die Tabelle " + "gab mehr als die gezählten " +
                               std::to_string(Gesamt) + " Zeilen.");
    const std::string Name = Blaetter == 1
                                 ? Utf16Laenge(Basis) > KBlattnameMax ? Kuerzen(Basis, KBlattnameMax) : Basis
                                 : Blattname(Basis, BlattNr * JeBlatt + 1, std::min((BlattNr + 1) * JeBlatt, Gesamt));
    B = workbook_add_worksheet(Mappe, Name.empty() ? nullptr : Name.c_str());
    if (!B)
      Scheitern(APfad, "das Tabellenblatt \u201E" + Name + "\u201C lässt sich nicht anlegen",
                LXW_ERROR_SHEETNAME_ALREADY_USED, errno);
    ++BlattNr;
    for (lxw_col_t S = 0; S < Spalten; ++S)
      Pruefen(worksheet_set_column(B, S, S, Breite[S], nullptr), "die Spaltenbreite lässt sich nicht setzen");
    Reihe = 0;
    for (const std::string& Zeile : ATabelle.Kopfzeilen) {
      Pruefen(worksheet_write_string(B, Reihe, 0, Zelltext(Zeile, [] { return std::string("Titelzeile"); }),
                                     Reihe == 0 ? Ueberschrift : nullptr),
              "eine Titelzeile lässt sich nicht schreiben");
      ++Reihe;
    }
    Reihe = static_cast<lxw_row_t>(KopfReihe);
    for (lxw_col_t S = 0; S < Spalten; ++S)
      Pruefen(worksheet_write_string(
                  B, Reihe, S, Zelltext(ATabelle.Spalten[S].Titel, [] { return std::string("Kopfzeile"); }), Kopf),
              "die Kopfzeile lässt sich nicht schreiben");
    ImBlatt = 0;
  };

  BlattBeginnen();
  ATabelle.ZeilenDurchlaufen([&](const std::vector<TKWDTabelle::TZelle>& AZeile) {
    if (ImBlatt == JeBlatt) {
      BlattAbschliessen();
      BlattBeginnen();
    }
    ++Reihe;
    ++ImBlatt;
    ++Geschrieben;
    for (lxw_col_t S = 0; S < Spalten && S < AZeile.size(); ++S) {
      const TKWDTabelle::TZelle& Z = AZeile[S];
      auto Wo = [&] {
        return "Zeile " + std::to_string(Geschrieben) + ", Spalte \u201E" + ATabelle.Spalten[S].Titel + "\u201C";
      };
      lxw_error F = LXW_NO_ERROR;
      if (const double* Wert = std::get_if<double>(&Z)) {
        if (std::isfinite(*Wert)) F = worksheet_write_number(B, Reihe, S, *Wert, FormatFuer(ATabelle.Spalten[S].Art));
      } else if (const std::string* Text = std::get_if<std::string>(&Z)) {
        // Always a string cell: a text beginning with "=" stays text, never a formula.
        F = worksheet_write_string(B, Reihe, S, Zelltext(*Text, Wo), nullptr);
      }
      if (F != LXW_NO_ERROR) Scheitern(APfad, Wo() + " lässt sich nicht schreiben", F, errno);
    }
  });
  BlattAbschliessen();
  if (Geschrieben != Gesamt)
    throw std::runtime_error("Die Arbeitsmappe \u201E" + APfad +
                             "\u201C kann nicht geschrieben werden: die Tabelle gab " + std::to_string(Geschrieben) +
                             " statt der gezählten " + std::to_string(Gesamt) + " Zeilen.");
  if (Gekuerzt > 0)
    KWDLogSchreiben(KLogName, APfad + ": " + std::to_string(Gekuerzt) + (Gekuerzt == 1 ? " Text" : " Texte") + " auf " +
                                  std::to_string(KWDXlsxZeichenMax) +
                                  " Zeichen gekürzt (so viele fasst eine Zelle), zuerst " + ErsteGekuerzte + ".");

  errno = 0;
  const lxw_error Fehler = workbook_close(Mappe);
  Mappe = nullptr;  // freed by the close, also when it failed
  if (Fehler != LXW_NO_ERROR) Scheitern(APfad, "die Arbeitsmappe lässt sich nicht abschließen", Fehler, errno);
  KWDDateiErsetzenAus(Ziel, Datei);
  return {Geschrieben, BlattNr};
}
