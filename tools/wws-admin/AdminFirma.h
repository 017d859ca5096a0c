#pragma once
// Opening and creating the company database a command works on.
#include <string>

#include "suite/SuiteDatenbankNeu.h"

class TDbConnection;

// --db, else WWS_DB; EAdminFehler when neither names a company.
std::string AdminFirmaOrt(const std::string& ADbOption);

// Opens an existing company as this process's company connection (so every
// service of the suite works on it); upgrades its schema where needed. A
// database that is no company is refused (ECompanyDbError) and left as it is.
TDbConnection& AdminFirmaOeffnen(const std::string& AOrt);
// As AdminFirmaOeffnen for a command that writes: a company this user may
// only read is refused with EAdminAbgelehnt.
TDbConnection& AdminFirmaZumSchreiben(const std::string& AOrt);

// A new, empty company at AOrt (SuiteDatenbankNeu: whole or not at all; a
// company or file there is replaced only with AErsetzen). Refusals of the
// place come as EAdminFehler; a place that can hold no company (a folder,
// a device) and a company other programs have open are refused with
// EAdminAbgelehnt (exit code 2).
TFirmaNeu AdminFirmaAnlegen(const std::string& AOrt, bool AErsetzen);
