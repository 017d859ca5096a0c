#pragma once
// A demo company built as a whole, for every program that offers to build one
// (wws-admin demo, the company dialog): the content of DemoFirmaErzeugen in a
// new company, and the start month set.
#include <stdexcept>
#include <string>

#include "suite/demo/DemoFirma.h"

// The place cannot take a new company (a file there without AErsetzen, a
// folder, a database of another application). what() is one German sentence.
class EDemoFirmaAbgelehnt : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Builds the demo company at AOrt (a SQLite file path or a postgresql:// URI)
// and leaves it open as the process's company connection (KWDDatenbank(),
// WWS_DB set to AOrt for services and child programs).
// SQLite: the company is written to a new file beside AOrt and takes AOrt's
// place only when it is complete; a file already at AOrt is replaced only
// with AErsetzen and stays as it was when the build fails.
// PostgreSQL: the database must be empty or a company without articles.
// Throws EDemoFirmaAbgelehnt, std::invalid_argument (options), ECompanyDbError
// or EDbError (failures); nothing half-built is left behind as a company.
TDemoSchreiber::TZaehler DemoFirmaAnlegen(const std::string& AOrt, const TDemoOptionen& AOptionen, bool AErsetzen,
                                          const TDemoFortschritt& AFortschritt = {});
