#pragma once
// The program's registration with the framework, reached through KWDProgramm().
#include <exception>
#include <string>

class TKWDProgramm {
 public:
  // Registers the module (e.g. "INVANF", process type 3, instances 0, 0, true)
  // and checks the settings it runs with: EKWDEinstellung for one it cannot
  // work with (KWDEinstellungenPruefen), so the program shows it and ends.
  void Init(const std::string& AModul, int AProzessTyp, int AInstanzen, int AWert, bool AFlag);
  const std::string& Modul() const { return FModul; }
  int ProzessTyp() const { return FProzessTyp; }
  bool Initialisiert() const { return FInitialisiert; }

  // Logs the exception and shows it to the user (kind 0, group "FEHLER"),
  // except an EKWDFehler the user has already seen when it was registered:
  // one fault, one message. AFlag true marks the entry as fatal in the log.
  void ShowException(const std::exception& AE, bool AFlag) noexcept;

  // Run type: 1 (normal operation) unless setting WWS_RTYP gives another number.
  int GetRTyp() const;
  // Client text for captions: setting WWS_MANDANT; else the company database's
  // file name without extension (or the database name of a postgresql:// URI);
  // else "Mandant".
  std::string GetTextMandant() const;
  // The process id as text, zero-padded to 8 digits ("00012345"): file names
  // built from it sort and compare as plain text.
  std::string ProzessIdFormated() const;

 private:
  std::string FModul;
  int FProzessTyp = 0;
  int FInstanzen = 0;
  bool FInitialisiert = false;
};

TKWDProgramm& KWDProgramm();
