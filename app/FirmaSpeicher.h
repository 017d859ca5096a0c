#pragma once
// What the company dialog keeps between runs:
// - the chosen company in the suite's settings file (~/.config/wws/wws.ini,
//   line WWS_DB=...), read by every program of the suite at its next start;
// - the companies used before on this account, newest first, with the
//   dialog's stored form settings (forms.ini);
// - a PostgreSQL password, only where libpq itself reads it (~/.pgpass or
//   PGPASSFILE), never in a settings file.
// Every writer throws std::runtime_error with a German sentence.
#include <string>
#include <vector>

#include "app/FirmaOrt.h"

// Sets WWS_DB in the settings file; the file's other lines stay as they are.
void FirmaEinstellen(const std::string& AOrt);

// The companies used before, newest first (at most KFirmenZuletzt).
inline constexpr int KFirmenZuletzt = 10;
std::vector<std::string> FirmenZuletzt();
// Puts AOrt first in that list.
void FirmaZuletztMerken(const std::string& AOrt);
// Takes AOrt out of that list; the company itself stays as it is.
void FirmaZuletztEntfernen(const std::string& AOrt);

// The password file libpq reads: PGPASSFILE, else ~/.pgpass.
std::string PgPassDatei();
// Stores the password for AZiel in the password file as one line (a line
// for the same server, database and user is replaced, every other line
// kept); the file gets mode 0600, without which libpq ignores it.
void PgPassSpeichern(const TPgZiel& AZiel, const std::string& AKennwort);
// Whether the password file holds a password libpq would use for AZiel
// (its rules: "*" matches any value, a socket in libpq's default folder
// counts as "localhost").
bool PgPassGespeichert(const TPgZiel& AZiel);
// Removes every line of the password file libpq would use for AZiel, every
// other line kept and the mode 0600; returns how many went.
int PgPassEntfernen(const TPgZiel& AZiel);
// The password file as a user reads its name ("~/.pgpass").
std::string PgPassAnzeige();
