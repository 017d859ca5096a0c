#pragma once
// User rights of the suite, per user, in the company database (table
// benutzerrecht).
//
// A right is decided by the most specific row: the user's row for the right,
// else the user's row for right 0 (every right), else the "*" row for the
// right, else the "*" row for right 0; without any row the right is refused.
// A row may refuse (erlaubt false), so one user can be kept from a grant to "*".
// A new company holds one row: "*", right 0, allowed: every user may do
// everything until the administrator narrows it down.
#include <string>
#include <vector>

enum TQLX_WPF_Recht : int {
  wpfAlleRechte = 0,                    // only in rows: every right
  wpfWarenwirtschaft = 112,             // work in the merchandise management at all
  wpfInventur = 119,                    // stock-take functions
  wpfInventuranforderungen = 120,       // run the stock-take request module
  wpfInventuranforderungAendern = 121,  // create and delete stock-take requests
};

// German name of a right, for messages and listings.
std::string RechtBezeichnung(int ARecht);

// Checks that the user (KWDBenutzer()) holds every right of ARechte
// (AFunktionsTyp 1; with 2 one of them suffices). Refused with AReaktion 0:
// shows ONE message naming the missing rights (and ATitel, the function, when
// given); any other reaction refuses silently. AFlag is the suite's
// supervisor-login option and is not offered here. A database failure is
// registered under "UserRechtePruefen" and refuses.
bool UserRechtePruefen(const std::vector<TQLX_WPF_Recht>& ARechte, const std::string& ATitel, int AFunktionsTyp,
                       bool AFlag, int AReaktion);

// Whether ABenutzer holds the right ARecht, without any message.
bool BenutzerHatRecht(const std::string& ABenutzer, int ARecht);

struct TRechtEintrag {
  std::string Benutzer;  // "*" for every user
  int Recht = 0;         // 0 for every right
  bool Erlaubt = true;
};
// Every row, ordered by user and right.
std::vector<TRechtEintrag> RechteListe();
// Grants (AErlaubt true) or refuses ARecht to ABenutzer by a row of its own.
void RechtSetzen(const std::string& ABenutzer, int ARecht, bool AErlaubt);
// Removes ABenutzer's own row for ARecht, so the general rows decide again.
// Returns whether a row was there.
bool RechtEntfernen(const std::string& ABenutzer, int ARecht);
