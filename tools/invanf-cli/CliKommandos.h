#pragma once
// The commands of invanf-cli. Each returns the exit code: 0 done, 2 input
// refused (the German message is on stderr), 1 error.
#include <cstdint>
#include <string>
#include <vector>

#include "support/types/KWDDatum.h"

struct TiaSatz;

inline constexpr int CLI_OK = 0;
inline constexpr int CLI_FEHLER = 1;
inline constexpr int CLI_ABGELEHNT = 2;
inline constexpr int CLI_GESPERRT = 3;  // articles stayed locked by other programs

struct TCliOptionen {
  bool Json = false;
  bool Ja = false;
  std::string Jahr;   // first day of the fiscal year
  std::string Datum;  // counting date
  std::string WG;
  bool Terminal = false;  // stdin is a terminal: questions are asked there
  std::vector<std::string> Filialen;  // as typed, so a number beyond the 16-bit key is named, not wrapped
  // complete / delete: requests named by date, group and branch (one group
  // for all, or one per date), or every requested one of the year.
  std::vector<std::string> Daten;
  std::vector<std::string> WGs;
  bool AlleAngeforderten = false;
};

// The requests --year/--date/--wg/--branch (or --all-requested) name, each
// as it is stored; false (one German line on stderr) when one of them does
// not fit or does not exist in the year. With AFehlend a request that does
// not exist (any more) goes there instead, with the key as named.
bool AnforderungenLesen(const TCliOptionen& AOpt, bool AAlleErlaubt, std::vector<TiaSatz>& AAnf,
                        std::vector<TiaSatz>* AFehlend = nullptr);

int CliJahre(const TCliOptionen& AOpt);
int CliListe(const TCliOptionen& AOpt);
int CliAnlegen(const TCliOptionen& AOpt);
int CliZaehlen(const TCliOptionen& AOpt);
int CliVervollstaendigen(const TCliOptionen& AOpt);
int CliLoeschen(const TCliOptionen& AOpt);
