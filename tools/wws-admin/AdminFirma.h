#pragma once
// Opening and creating the company database a command works on.
#include <string>

class TDbConnection;

// --db, else WWS_DB; EAdminFehler when neither names a company.
std::string AdminFirmaOrt(const std::string& ADbOption);
bool AdminIstPostgres(const std::string& AOrt);

// Opens an existing company as this process's company connection (so every
// service of the suite works on it); upgrades its schema where needed. A
// database that is no company is refused (ECompanyDbError) and left as it is.
TDbConnection& AdminFirmaOeffnen(const std::string& AOrt);
// As AdminFirmaOeffnen for a command that writes: a company this user may
// only read is refused with EAdminAbgelehnt.
TDbConnection& AdminFirmaZumSchreiben(const std::string& AOrt);

// A new company: a new SQLite file (an existing file only with AErsetzen) or
// an existing PostgreSQL database, empty or a company already (a database
// holding tables of another application is refused). True when this call
// created the file, so a failed fill may remove it again without losing
// anything that was there.
bool AdminFirmaAnlegen(const std::string& AOrt, bool AErsetzen);
