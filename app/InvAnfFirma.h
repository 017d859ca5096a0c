#pragma once
// Opening the company of this process for the desktop program: the one the
// settings name, or one the company dialog chose. Either it opens whole (the
// connection is KWDDatenbank(), the setting WWS_DB names it for the services
// and child programs), or the process is left as it was and the reason is
// given as one German sentence.
#include <string>

// The company WWS_DB names (environment, else the settings file). False with
// the reason when none is set or it cannot be opened.
bool InvAnfFirmaOeffnen(std::string& AGrund);

// Opens AOrt (a SQLite path or a postgresql:// URI, a password in it only
// for this process) instead of the company open so far. A database that is
// no company of the suite, is damaged, of a newer schema or unreadable is
// refused and left as it was; then the earlier company is reopened from
// the restored WWS_DB at its next use. ALeer (if given) tells whether the
// refused database holds no tables at all, so a company may be built there.
bool InvAnfFirmaWechseln(const std::string& AOrt, std::string& AGrund, bool* ALeer = nullptr);

// Where the company dialog builds the demo company:
// $XDG_DATA_HOME/wws/demo.db, else ~/.local/share/wws/demo.db.
std::string InvAnfDemoOrt();

// Builds a company at AOrt (a SQLite path or a postgresql:// URI; the demo
// company with ADemo, else an empty one) as wws-admin demo and init do,
// whole or not at all, under a progress window over AOwner, and opens it as
// the process's company. A file or company there is replaced only with
// AErsetzen; a database with another application's tables never. False
// with the reason; then nothing of it is left and WWS_DB is as it was.
bool InvAnfFirmaAnlegen(const std::string& AOrt, bool ADemo, bool AErsetzen, void* AOwner, std::string& AGrund);

// Restores WWS_DB in the environment on destruction unless Behalten() was
// called: a failed attempt leaves the setting as it was.
class TWwsDbMerker {
 public:
  TWwsDbMerker();
  ~TWwsDbMerker();
  TWwsDbMerker(const TWwsDbMerker&) = delete;
  TWwsDbMerker& operator=(const TWwsDbMerker&) = delete;
  void Behalten() { FBehalten = true; }

 private:
  bool FGesetzt = false;
  std::string FWert;
  bool FBehalten = false;
};
