#pragma once
// The company's parameter store: named values in the company database
// (KWDDatenbank()), shared by every program of the company.
//
// A key never written reads as its documented default:
//   "STARTMON" 1      fiscal year begins in January
//   "INVAVIS"  false  advised stock must be counted
//   "INVAUSWA" false  stock out on approval must be counted
//   "INVREKLA" false  stock under complaint must be counted
//   "INVRETOU" false  stock for return must be counted
//   "INVRESER" false  reserved stock must be counted
//   "INVBFWEC" false  stock that changes into a counted kind must be counted
//   "INVABWBE" ' '    no markdown method stored: the dialog shows method 1
//   "INVABWMA" 10000  largest combined markdown 100,00 %, i.e. no limit
// Any other unknown key reads as false, 0, ' ' or "".
// The defaults count everything: no stock is taken as counted unless the
// company decides so.
//
// Known keys are checked on writing ("STARTMON" 1..12, "INVABWMA" 0..10000,
// Boolean keys only through the Boolean setter); a bad value throws
// std::invalid_argument with a German message and nothing is written.
// A stored value that cannot be read as the asked type yields the default
// and is logged.
#include <optional>
#include <string>
#include <vector>

class TDbConnection;

class TParameter {
 public:
  bool GetBooleanValueByName(const std::string& AName);
  char GetCharValueByName(const std::string& AName);
  int GetIntegerValueByName(const std::string& AName);
  std::string GetStringValueByName(const std::string& AName);

  void SetBooleanValueByName(const std::string& AName, bool AWert);
  void SetCharValueByName(const std::string& AName, char AWert);
  void SetIntegerValueByName(const std::string& AName, int AWert);
  void SetStringValueByName(const std::string& AName, const std::string& AWert);

  // The stored text, or nothing when the key was never written.
  std::optional<std::string> Gespeichert(const std::string& AName);
  // Removes a stored key, so it reads as its default again.
  void Entfernen(const std::string& AName);

  struct TEintrag {
    std::string Name;
    std::string Wert;     // stored text, or the default's text
    bool Gespeichert;     // false: the default is in effect
  };
  // Every stored key and every documented default, sorted by name.
  std::vector<TEintrag> Liste();
};

// The process's parameter store, on the company connection.
TParameter& KWDParameter();
