#pragma once
// The commands of invanf-cli. Each returns the exit code: 0 done, 2 input
// refused (the German message is on stderr), 1 error.
#include <string>
#include <vector>

#include "support/types/KWDDatum.h"
#include "support/types/TVglInvAnf_Inv.h"

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
  std::vector<int> Filialen;
  // complete / delete: requests named by date, group and branch (one group
  // for all, or one per date), or every requested one of the year.
  std::vector<std::string> Daten;
  std::vector<std::string> WGs;
  bool AlleAngeforderten = false;
};

// A date option; on a mistake the German message goes to stderr (exit 2).
bool DatumLesen(const std::string& AText, const char* AWas, TDate& ADatum);
// The requests --year/--date/--wg/--branch (or --all-requested) name, each
// checked to exist; false (message on stderr) when they do not fit.
bool AnforderungenLesen(const TCliOptionen& AOpt, bool AAlleErlaubt, std::vector<TVglInvAnf_Inv>& AAnf);

int CliJahre(const TCliOptionen& AOpt);
int CliListe(const TCliOptionen& AOpt);
int CliAnlegen(const TCliOptionen& AOpt);
int CliZaehlen(const TCliOptionen& AOpt);
int CliVervollstaendigen(const TCliOptionen& AOpt);
int CliLoeschen(const TCliOptionen& AOpt);
