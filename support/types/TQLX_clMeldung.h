#pragma once
// A lock conflict reported by the common lock for one article: who holds it.
#include <cstdint>
#include <string>

#include "support/types/KWDDatum.h"
#include "support/types/TInt32Trio.h"

struct TQLX_clMeldung {
  std::string TerminalNr;       // holder's terminal number
  std::string Terminal;         // holder's terminal (host) name
  std::string Programm;         // holder's program
  std::string Benutzer;         // holder's user name
  int32_t ProzessId = 0;        // holder's process id
  TDateTime GesperrtSeit = 0.0; // locked since
  std::string Artikel;          // the article as the user knows it (article number, else the product id)
  TInt32Trio ProduktId;         // the locked product id

  void Clear() { *this = TQLX_clMeldung{}; }
  friend bool operator==(const TQLX_clMeldung&, const TQLX_clMeldung&) = default;
};
