#include "printing/IALLayoutPruefen.h"

#include <charconv>

#include "suite/TKWDLayoutDatei.h"

bool IALSchriftgroesseLesen(const std::string& AWert, int& APunkt) {
  int Zahl = 0;
  const auto [Ende, Fehler] = std::from_chars(AWert.data(), AWert.data() + AWert.size(), Zahl);
  if (AWert.empty() || Fehler != std::errc() || Ende != AWert.data() + AWert.size()) return false;
  if (Zahl < KIALSchriftMin || Zahl > KIALSchriftMax) return false;
  APunkt = Zahl;
  return true;
}

std::string IALLayoutFehler(const TKWDLayoutDatei& ALayout, const std::string& AName) {
  const std::string Name = "\u201E" + AName + "\u201C";
  if (ALayout.Bericht != "Zaehlliste")
    return "Das Layout " + Name + " ist kein Zähllisten-Layout: es nennt den Bericht \u201E" + ALayout.Bericht +
           "\u201C" + (ALayout.Bericht == "Inventurliste" ? " (die Übersicht der Inventuren)" : "") +
           ", eine Inventuraufnahmeliste braucht Bericht=Zaehlliste.";
  for (auto It = ALayout.Parameter.rbegin(); It != ALayout.Parameter.rend(); ++It) {
    if (It->first != "Schriftgroesse") continue;
    int Punkt = 0;
    if (IALSchriftgroesseLesen(It->second, Punkt)) break;
    const int Zeile = ALayout.ZeileVon("Schriftgroesse");
    return "Das Layout " + Name + (Zeile > 0 ? " nennt in Zeile " + std::to_string(Zeile) : " nennt") +
           " \u201ESchriftgroesse=" + It->second + "\u201C: die Schriftgröße muss eine ganze Zahl von " +
           std::to_string(KIALSchriftMin) + " bis " + std::to_string(KIALSchriftMax) + " (Punkt) sein.";
  }
  return {};
}
