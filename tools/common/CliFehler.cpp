#include "tools/common/CliFehler.h"

#include <iostream>
#include <sstream>

#include "support/framework/EKWDSatzFehler.h"
#include "support/framework/TKWDInfo.h"

std::string CliEineZeile(std::string AText) {
  for (char& C : AText)
    if (C == '\n' || C == '\r' || C == '\t') C = ' ';
  AText.erase(AText.find_last_not_of(' ') + 1);
  return AText;
}

void CliFehlerAusgeben(const std::string& AProgramm, const std::string& ASatz, const std::string& ATechnisch,
                       bool AVerbose) {
  std::cerr << AProgramm << ": " << CliEineZeile(ASatz) << "\n";
  if (!AVerbose || ATechnisch.empty()) return;
  std::istringstream Zeilen(ATechnisch);
  bool Erste = true;
  for (std::string Zeile; std::getline(Zeilen, Zeile); Erste = false)
    if (const size_t Anfang = Zeile.find_first_not_of(" \t"); Anfang != std::string::npos)
      std::cerr << (Erste ? "  technisch: " : "    ") << CliEineZeile(Zeile.substr(Anfang)) << "\n";
}

int CliFehlerMelden(const std::string& AProgramm, const std::exception& AE, int AExit, bool AVerbose,
                    const std::string& AVorne) {
  KWDInfo().RegisterException(AProgramm, AE, false);
  const TKWDFehlerTeile Teile = KWDFehlerTeile(AE);
  CliFehlerAusgeben(AProgramm, AVorne + Teile.Satz, Teile.Technisch, AVerbose);
  return AExit;
}
