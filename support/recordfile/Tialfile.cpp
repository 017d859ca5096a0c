#include "support/recordfile/Tialfile.h"

#include <filesystem>
#include <stdexcept>

#include "support/db/TDbConnection.h"
#include "support/framework/KWDOrdner.h"

Tialfile::Tialfile() : TQLX_DBFile(RFTabelle_Zaehlliste()), TGroessenFelder(static_cast<TQLX_DBFile&>(*this)) {}

Tialfile::~Tialfile() {
  try {
    Close();
  } catch (...) {
    // A destructor must not throw; the rows of a failed print are simply not kept.
  }
}

void Tialfile::SetFileNameRel(const std::string& AName) { FPfad = GetDirWwsByName(KWD_ORDNER_DATEN, AName, true); }

void Tialfile::SetFileName(const std::string& APfad) { FPfad = APfad; }

void Tialfile::OpenOut(int AKanal) {
  if (AKanal != -1) throw std::invalid_argument("Zähllistendatei: nur die eigene Satzlänge (-1) ist möglich");
  if (FPfad.empty()) throw std::runtime_error("Zähllistendatei: kein Dateiname gesetzt");
  Close();
  // A leftover file of an earlier print by a process with the same id goes.
  for (const char* Endung : {"", "-wal", "-shm", "-journal"}) std::filesystem::remove(FPfad + Endung);
  auto Conn = TDbConnection::Open(FPfad, true);
  for (const auto& Sql : RFTabelleDDL(Def())) Conn->ExecScript(Sql);
  Conn->Begin();  // one transaction per print: appends are cheap, readers see all or nothing
  VerbindungSetzen(std::move(Conn));
  ResetForReuse();
}

void Tialfile::OpenIn() {
  if (FPfad.empty()) throw std::runtime_error("Zähllistendatei: kein Dateiname gesetzt");
  Close();
  VerbindungSetzen(TDbConnection::Open(FPfad, false));
  ResetForReuse();
}

void Tialfile::Close() {
  TDbConnection* Conn = Verbindung();
  if (!Conn) return;
  SchliessenStatements();
  try {
    if (Conn->InTransaction()) Conn->Commit();
  } catch (...) {
    VerbindungSetzen(nullptr);
    throw;
  }
  VerbindungSetzen(nullptr);
}
