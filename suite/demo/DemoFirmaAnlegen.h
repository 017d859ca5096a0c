#pragma once
// A demo company built as a whole, for every program that offers to build one
// (wws-admin demo, the company dialog): the content of DemoFirmaErzeugen in a
// new company, and the start month set.
#include <string>

#include "suite/SuiteDatenbankNeu.h"
#include "suite/demo/DemoFirma.h"

// The place cannot take a new company (a file there without AErsetzen, a
// folder, a database of another application, a company with data without
// AErsetzen, a company another program has open). what() is one German sentence.
using EDemoFirmaAbgelehnt = EFirmaAbgelehnt;

// Builds the demo company at AOrt (a SQLite file path or a postgresql:// URI)
// and leaves it open as the process's company connection (KWDDatenbank(),
// WWS_DB set to AOrt for services and child programs). Whole or not at all
// (SuiteDatenbankNeu): SQLite writes it to a new file beside AOrt that takes
// AOrt's place only when it is complete; PostgreSQL builds it in one
// transaction. A company or file already at AOrt is replaced (PostgreSQL:
// emptied first) only with AErsetzen and stays as it was when the build fails.
// Throws EDemoFirmaAbgelehnt, std::invalid_argument (options), ECompanyDbError
// or EDbError (failures); nothing half-built is left behind as a company.
TDemoSchreiber::TZaehler DemoFirmaAnlegen(const std::string& AOrt, const TDemoOptionen& AOptionen, bool AErsetzen,
                                          const TDemoFortschritt& AFortschritt = {});
