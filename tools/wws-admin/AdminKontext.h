#pragma once
// What every wws-admin command shares: the company named on the command line
// and the errors that decide the exit code.
#include <functional>
#include <stdexcept>
#include <string>

#include "support/framework/EKWDSatzFehler.h"

namespace CLI {
class App;
}

// A failure of the command: one German line on stderr (the technical text,
// where there is one, with --verbose), exit code 1.
class EAdminFehler : public EKWDSatzFehler {
 public:
  using EKWDSatzFehler::EKWDSatzFehler;
};

// A call that does not make sense (bad value, missing choice): exit code 2,
// with the hint where to find help.
class EAdminAufruf : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Input the company refuses (a read-only company, a value a parameter does
// not take): exit code 2.
class EAdminAbgelehnt : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TAdminKontext {
  std::string Db;        // --db, else the setting WWS_DB
  bool Json = false;     // --json: machine-readable output where a command offers it
  std::function<void()> Aktion;  // the chosen command, run after the whole line is parsed
};

// Each command group adds its sub-commands to the application.
void KommandoFirmaAnmelden(CLI::App& AApp, TAdminKontext& AKontext);
void KommandoLocksAnmelden(CLI::App& AApp, TAdminKontext& AKontext);
void KommandoParamAnmelden(CLI::App& AApp, TAdminKontext& AKontext);
void KommandoRightsAnmelden(CLI::App& AApp, TAdminKontext& AKontext);
void KommandoMessagesAnmelden(CLI::App& AApp, TAdminKontext& AKontext);
void KommandoFilialenAnmelden(CLI::App& AApp, TAdminKontext& AKontext);
