#include "suite/SuiteDatenbankNeu.h"

#include <cstdlib>
#include <filesystem>

#include "suite/SuiteDatenbank.h"
#include "support/db/FirmaBelegung.h"
#include "support/db/KWDDatenbank.h"
#include "support/db/TDbConnection.h"

namespace {

bool IstServer(const std::string& AOrt) {
  return AOrt.starts_with("postgresql://") || AOrt.starts_with("postgres://");
}

// Services with connections of their own (the common lock) and child
// programs find the same company.
void Einstellen(const std::string& AOrt) { setenv("WWS_DB", AOrt.c_str(), 1); }

// The first kinds are enough to recognise the company.
std::string Aufzaehlung(const std::vector<std::string>& ATeile) {
  std::string Text;
  for (std::size_t I = 0; I < ATeile.size() && I < 3; ++I) Text += (I ? ", " : "") + ATeile[I];
  return ATeile.size() > 3 ? Text + " ..." : Text;
}

// Other programs reading or writing the company keep its tables; they are
// not waited for long.
void Leeren(TDbConnection& ADb) {
  try {
    SuiteDatenbankLeeren(ADb);
  } catch (const EDbError& E) {
    if (E.IsInUse())
      throw EFirmaAbgelehnt("Die Firma " + ADb.Ort() +
                            " wird gerade von einem anderen Programm benutzt und wird nicht geleert; bitte beenden "
                            "Sie die Programme, die mit ihr arbeiten, und versuchen Sie es erneut.");
    if (E.IsDependentObjects())
      throw EFirmaAbgelehnt("Auf Tabellen der Firma " + ADb.Ort() +
                            " bauen Objekte einer anderen Anwendung auf; die Firma wird nicht geleert.");
    throw;
  }
}

TFirmaNeu SqliteNeu(const std::string& AOrt, bool AErsetzen, const std::function<void(TDbConnection&)>& AFuellen) {
  std::error_code Fehler;
  const bool Da = std::filesystem::exists(std::filesystem::symlink_status(AOrt, Fehler));
  // This process's own connection to the old company must not keep it from being replaced.
  KWDDatenbank_Set(nullptr);
  try {
    SqliteDateiNeuAnlegen(AOrt, AErsetzen, [&](const std::string& ANeu) {
      KWDDatenbank_Set(TDbConnection::Open(ANeu, true));
      Einstellen(ANeu);
      AFuellen(SuiteDatenbankAnlegen());
      // The last connection to the new file ends before it takes its place.
      KWDDatenbank_Set(nullptr);
    });
  } catch (...) {
    KWDDatenbank_Set(nullptr);
    Einstellen(AOrt);
    throw;
  }
  Einstellen(AOrt);
  KWDDatenbank_Set(TDbConnection::OpenFirma(AOrt));
  SuiteDatenbankOeffnen();
  return Da ? TFirmaNeu::Ersetzt : TFirmaNeu::Angelegt;
}

TFirmaNeu PostgresNeu(const std::string& AOrt, bool AErsetzen, const std::function<void(TDbConnection&)>& AFuellen) {
  KWDDatenbank_Set(TDbConnection::Open(AOrt));
  Einstellen(AOrt);
  TDbConnection& Db = KWDDatenbank();
  TFirmaNeu Ergebnis = TFirmaNeu::Angelegt;
  try {
    // Programs working in the company would find its tables gone under them.
    if (const auto Andere = FirmaFuerNeubauSperren(Db); !Andere.empty())
      throw EFirmaBelegt("Die Firma " + Db.Ort() + " ist in " + FirmaNutzerText(Andere) +
                         " geöffnet und wird nicht ersetzt; bitte beenden Sie " +
                         (Andere.size() == 1 ? "dieses Programm" : "diese Programme") + " und versuchen Sie es erneut.");
    // All or nothing: a build cut off (connection lost, server stopped,
    // program killed) is rolled back by the server as a whole.
    TDbTransaction Transaktion(Db);
    SchemaSperren(Db);  // a second build of the same company waits for this one
    if (DbIstFirma(Db)) {
      const std::vector<std::string> Daten = SuiteDatenbankDaten(Db);
      if (!Daten.empty() && !AErsetzen)
        throw EFirmaAbgelehnt("Die Firma " + Db.Ort() + " enthält bereits Daten (" + Aufzaehlung(Daten) +
                              "); sie wird nur auf ausdrücklichen Wunsch geleert und neu angelegt (mit --force).");
      Ergebnis = AErsetzen ? TFirmaNeu::Ersetzt : TFirmaNeu::Vorhanden;
      if (AErsetzen) Leeren(Db);
    } else if (!DbOhneTabellen(Db)) {  // in any schema: another application's data stays untouched
      throw EFirmaAbgelehnt("Die Datenbank " + Db.Ort() +
                            " enthält Tabellen einer anderen Anwendung und ist keine Firma; sie wird nicht verändert.");
    }
    AFuellen(SuiteDatenbankAnlegen());
    Transaktion.Commit();
    FirmaNeubauFreigeben(Db);
  } catch (...) {
    KWDDatenbank_Set(nullptr);
    throw;
  }
  return Ergebnis;
}

}  // namespace

TFirmaNeu SuiteDatenbankNeu(const std::string& AOrt, bool AErsetzen,
                            const std::function<void(TDbConnection&)>& AFuellen) {
  return IstServer(AOrt) ? PostgresNeu(AOrt, AErsetzen, AFuellen) : SqliteNeu(AOrt, AErsetzen, AFuellen);
}
