#pragma once
// Test helpers: a temporary suite setting and a private log file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

// Sets an environment variable for the scope and restores the old value after.
class TUmgebungsWert {
 public:
  TUmgebungsWert(const char* AName, const std::string& AWert) : FName(AName) {
    if (const char* Alt = std::getenv(AName)) FAlt = Alt;
    ::setenv(AName, AWert.c_str(), 1);
  }
  ~TUmgebungsWert() {
    if (FAlt)
      ::setenv(FName.c_str(), FAlt->c_str(), 1);
    else
      ::unsetenv(FName.c_str());
  }

 private:
  std::string FName;
  std::optional<std::string> FAlt;
};

// A fresh folder under the system temp folder, removed at the end.
class TTempOrdner {
 public:
  TTempOrdner() {
    std::string Muster = (std::filesystem::temp_directory_path() / "wws-fw-XXXXXX").string();
    FPfad = ::mkdtemp(Muster.data());
  }
  ~TTempOrdner() {
    std::error_code F;
    std::filesystem::remove_all(FPfad, F);
  }
  const std::filesystem::path& Pfad() const { return FPfad; }

 private:
  std::filesystem::path FPfad;
};

// Points the suite log at a file of its own for the scope.
class TTestLog {
 public:
  TTestLog() : FLog("WWS_LOG", (FOrdner.Pfad() / "wws.log").string()) {}
  std::string Inhalt() const {
    std::ifstream Datei(FOrdner.Pfad() / "wws.log");
    std::stringstream S;
    S << Datei.rdbuf();
    return S.str();
  }

 private:
  TTempOrdner FOrdner;
  TUmgebungsWert FLog;
};
