#include "suite/demo/DemoFirma.h"

#include <functional>
#include <stdexcept>

#include "suite/ArtBestTypEigenschaften.h"
#include "support/db/TDbConnection.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

namespace {

constexpr int64_t CArtikelJeTransaktion = 2000;
constexpr int64_t CArtikelHoechstens = 50'000'000;  // the product id keeps 500,000 per first part

void OptionenPruefen(const TDemoOptionen& AOptionen) {
  if (AOptionen.Artikel < 1 || AOptionen.Artikel > CArtikelHoechstens)
    throw std::invalid_argument("Die Zahl der Artikel muss zwischen 1 und " + std::to_string(CArtikelHoechstens) +
                                " liegen.");
  if (AOptionen.Filialen < 1 || AOptionen.Filialen > 999)
    throw std::invalid_argument("Die Zahl der Filialen muss zwischen 1 und 999 liegen.");
  if (AOptionen.Stichtag <= 0) throw std::invalid_argument("Der Stichtag der Demofirma fehlt.");
}

void LeerPruefen(TDbConnection& AConnection) {
  auto abfrage = AConnection.Prepare("SELECT 1 FROM artikel LIMIT 1");
  if (abfrage->Step())
    throw std::invalid_argument("Die Firma " + AConnection.Ort() +
                                " enthält bereits Artikel; Demodaten werden nur in eine leere Firma geschrieben.");
}

TDemoStatus StatusAlle() {
  TDemoStatus s;
  for (int i = 0; i < KQLX_IA_KZZAEHLUNG_ANZAHL; ++i) s.Alle.push_back(i);
  s.Angefordert = static_cast<int>(TQLX_IA_KZZaehlung::iazAngefordert);
  s.Eroeffnet = static_cast<int>(TQLX_IA_KZZaehlung::iazEroeffnet);
  s.Gezaehlt = static_cast<int>(TQLX_IA_KZZaehlung::iazGezaehlt);
  s.Abgeschlossen = static_cast<int>(TQLX_IA_KZZaehlung::iazGebucht);
  return s;
}

// A bulk load on SQLite: a large page cache and fewer WAL checkpoints. The
// journal stays WAL with synchronous NORMAL, so a crash loses at most the
// chunk being written and never damages the file.
class TSchnellLaden {
 public:
  explicit TSchnellLaden(TDbConnection& AConnection) : FConnection(AConnection) {
    if (FConnection.Backend() == TDbBackend::SQLite)
      FConnection.ExecScript("PRAGMA cache_size=-131072; PRAGMA temp_store=MEMORY; PRAGMA wal_autocheckpoint=20000");
  }
  ~TSchnellLaden() {
    if (FConnection.Backend() != TDbBackend::SQLite) return;
    try {
      FConnection.ExecScript("PRAGMA wal_autocheckpoint=1000; PRAGMA wal_checkpoint(TRUNCATE); PRAGMA cache_size=-2000");
    } catch (const std::exception&) {
      // The settings only end with the connection; nothing of the data depends on them.
    }
  }

 private:
  TDbConnection& FConnection;
};

}  // namespace

TDemoSchreiber::TZaehler DemoFirmaErzeugen(TDbConnection& AConnection, const TDemoOptionen& AOptionen,
                                           const TDemoFortschritt& AFortschritt) {
  OptionenPruefen(AOptionen);
  LeerPruefen(AConnection);
  const TDemoStatus status = StatusAlle();
  TDemoPlan plan = DemoPlanErstellen(AOptionen, status);
  const auto& eigenschaften = Get_ArtBestTyp_Eigenschaften();
  const std::function<bool(int)> istWert = [&](int ATyp) { return eigenschaften[ATyp].IstWert; };

  TSchnellLaden schnell(AConnection);
  TDemoSchreiber schreiber(AConnection);
  // A caller's transaction takes the whole company (all or nothing); each
  // part is sent on at its end so memory stays flat either way.
  const bool eigene = !AConnection.InTransaction();
  auto abschnitt = [&](const std::function<void()>& AArbeit) {
    if (!eigene) {
      AArbeit();
      AConnection.Flush();
      return;
    }
    TDbTransaction t(AConnection);
    AArbeit();
    t.Commit();
  };
  abschnitt([&] { schreiber.Stammdaten(plan); });
  for (int64_t von = 0; von < AOptionen.Artikel; von += CArtikelJeTransaktion) {
    const int64_t bis = std::min(AOptionen.Artikel, von + CArtikelJeTransaktion);
    abschnitt([&] {
      for (int64_t i = von; i < bis; ++i) {
        const TDemoArtikel art = DemoArtikelErzeugen(plan, i);
        const auto inventur = DemoInventurBuchen(art, plan.Anforderungen, status, istWert, AOptionen.Seed);
        schreiber.Artikel(art, inventur, plan.Anforderungen);
      }
    });
    if (AFortschritt) AFortschritt(bis, AOptionen.Artikel);
  }
  abschnitt([&] { schreiber.Anforderungen(plan.Anforderungen); });
  return schreiber.Zaehler();
}
