#include "support/services/TParameter.h"

#include <charconv>
#include <map>
#include <stdexcept>

#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDLog.h"

namespace {

enum class TArt { Boolean, Char, Integer };

struct TBekannt {
  TArt Art;
  const char* Vorgabe;
  int Min = 0;
  int Max = 0;
};

// Documented in TParameter.h; keep both in step.
const std::map<std::string, TBekannt>& Bekannte() {
  static const std::map<std::string, TBekannt> CBekannte = {
      {"STARTMON", {TArt::Integer, "1", 1, 12}},
      {"INVAVIS", {TArt::Boolean, "0"}},
      {"INVAUSWA", {TArt::Boolean, "0"}},
      {"INVREKLA", {TArt::Boolean, "0"}},
      {"INVRETOU", {TArt::Boolean, "0"}},
      {"INVRESER", {TArt::Boolean, "0"}},
      {"INVBFWEC", {TArt::Boolean, "0"}},
      {"INVABWBE", {TArt::Char, " "}},
      {"INVABWMA", {TArt::Integer, "10000", 0, 10000}},
  };
  return CBekannte;
}

const TBekannt* BekanntSuchen(const std::string& AName) {
  auto It = Bekannte().find(AName);
  return It == Bekannte().end() ? nullptr : &It->second;
}

std::optional<int> AlsZahl(const std::string& AText) {
  int Wert = 0;
  auto [Ende, Fehler] = std::from_chars(AText.data(), AText.data() + AText.size(), Wert);
  if (Fehler != std::errc() || Ende != AText.data() + AText.size() || AText.empty()) return std::nullopt;
  return Wert;
}

void Unlesbar(const std::string& AName, const std::string& AWert) {
  KWDLogSchreiben("TParameter.Get", "Parameter \"" + AName + "\" hat den ungültigen Wert \"" + AWert +
                                          "\"; es gilt die Vorgabe.");
}

void ArtPruefen(const std::string& AName, TArt AArt) {
  const TBekannt* B = BekanntSuchen(AName);
  if (B && B->Art != AArt)
    throw std::invalid_argument("Der Parameter \"" + AName + "\" hat einen anderen Werttyp.");
}

}  // namespace

std::optional<std::string> TParameter::Gespeichert(const std::string& AName) {
  auto Stmt = KWDDatenbank().Prepare("SELECT wert FROM parameter WHERE name = ?");
  Stmt->BindText(1, AName);
  if (!Stmt->Step()) return std::nullopt;
  return Stmt->ColumnText(0);
}

void TParameter::Entfernen(const std::string& AName) {
  auto Stmt = KWDDatenbank().Prepare("DELETE FROM parameter WHERE name = ?");
  Stmt->BindText(1, AName);
  Stmt->Execute();
}

bool TParameter::GetBooleanValueByName(const std::string& AName) {
  const TBekannt* B = BekanntSuchen(AName);
  const bool Vorgabe = B && std::string(B->Vorgabe) == "1";
  auto Wert = Gespeichert(AName);
  if (!Wert) return Vorgabe;
  if (*Wert == "1") return true;
  if (*Wert == "0") return false;
  Unlesbar(AName, *Wert);
  return Vorgabe;
}

char TParameter::GetCharValueByName(const std::string& AName) {
  const TBekannt* B = BekanntSuchen(AName);
  const char Vorgabe = B && B->Art == TArt::Char ? B->Vorgabe[0] : ' ';
  auto Wert = Gespeichert(AName);
  if (!Wert) return Vorgabe;
  if (Wert->size() == 1) return (*Wert)[0];
  Unlesbar(AName, *Wert);
  return Vorgabe;
}

int TParameter::GetIntegerValueByName(const std::string& AName) {
  const TBekannt* B = BekanntSuchen(AName);
  const int Vorgabe = B && B->Art == TArt::Integer ? *AlsZahl(B->Vorgabe) : 0;
  auto Wert = Gespeichert(AName);
  if (!Wert) return Vorgabe;
  auto Zahl = AlsZahl(*Wert);
  if (Zahl && (!B || B->Art != TArt::Integer || (*Zahl >= B->Min && *Zahl <= B->Max))) return *Zahl;
  Unlesbar(AName, *Wert);
  return Vorgabe;
}

std::string TParameter::GetStringValueByName(const std::string& AName) {
  auto Wert = Gespeichert(AName);
  if (Wert) return *Wert;
  const TBekannt* B = BekanntSuchen(AName);
  return B ? B->Vorgabe : "";
}

void TParameter::SetStringValueByName(const std::string& AName, const std::string& AWert) {
  if (AName.empty()) throw std::invalid_argument("Ein Parameter braucht einen Namen.");
  if (const TBekannt* B = BekanntSuchen(AName)) {
    // Text arriving for a typed key (e.g. from wws-admin) must read back as that type.
    bool Gueltig = false;
    if (B->Art == TArt::Boolean) Gueltig = AWert == "0" || AWert == "1";
    if (B->Art == TArt::Char) Gueltig = AWert.size() == 1 && AWert[0] != '\0';
    if (B->Art == TArt::Integer) {
      auto Zahl = AlsZahl(AWert);
      Gueltig = Zahl && *Zahl >= B->Min && *Zahl <= B->Max;
    }
    if (!Gueltig) {
      std::string Erwartet = B->Art == TArt::Boolean ? "0 oder 1"
                             : B->Art == TArt::Char  ? "genau ein Zeichen"
                                                     : "eine ganze Zahl von " + std::to_string(B->Min) +
                                                           " bis " + std::to_string(B->Max);
      throw std::invalid_argument("Ungültiger Wert \"" + AWert + "\" für den Parameter \"" + AName +
                                  "\": erwartet wird " + Erwartet + ".");
    }
  }
  auto Stmt = KWDDatenbank().Prepare(
      "INSERT INTO parameter (name, wert) VALUES (?, ?) "
      "ON CONFLICT (name) DO UPDATE SET wert = excluded.wert");
  Stmt->BindText(1, AName);
  Stmt->BindText(2, AWert);
  Stmt->Execute();
}

void TParameter::SetBooleanValueByName(const std::string& AName, bool AWert) {
  ArtPruefen(AName, TArt::Boolean);
  SetStringValueByName(AName, AWert ? "1" : "0");
}

void TParameter::SetCharValueByName(const std::string& AName, char AWert) {
  ArtPruefen(AName, TArt::Char);
  SetStringValueByName(AName, std::string(1, AWert));
}

void TParameter::SetIntegerValueByName(const std::string& AName, int AWert) {
  ArtPruefen(AName, TArt::Integer);
  SetStringValueByName(AName, std::to_string(AWert));
}

std::vector<TParameter::TEintrag> TParameter::Liste() {
  std::map<std::string, TEintrag> Alle;
  for (const auto& [Name, B] : Bekannte()) Alle[Name] = {Name, B.Vorgabe, false};
  auto Stmt = KWDDatenbank().Prepare("SELECT name, wert FROM parameter");
  while (Stmt->Step()) {
    std::string Name = Stmt->ColumnText(0);
    Alle[Name] = {Name, Stmt->ColumnText(1), true};
  }
  std::vector<TEintrag> Ergebnis;
  for (auto& [Name, E] : Alle) Ergebnis.push_back(std::move(E));
  return Ergebnis;
}

TParameter& KWDParameter() {
  static TParameter GParameter;
  return GParameter;
}
