// Second program for the completion and deletion tests: opens the company of
// WWS_DB and completes every request still in the requested state (or, with
// "loeschen" as second argument, deletes every request there is), with the
// pause between lock passes shortened to argv[1] milliseconds.
// Exit 0: all done; 3: articles stayed (locked by others, or failing); 1: error.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "engine/TQLX_InvAnfMani.h"
#include "suite/SuiteDatenbank.h"
#include "support/framework/KWDPause.h"
#include "support/framework/TKWDInfo.h"
#include "support/recordfile/Tiafile.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) return 1;
  const int PauseMs = std::stoi(argv[1]);
  const bool Loeschen = argc == 3 && std::string(argv[2]) == "loeschen";
  KWDPauseSet([PauseMs](int) { std::this_thread::sleep_for(std::chrono::milliseconds(PauseMs)); });
  SuiteDatenbankOeffnen();
  std::vector<TVglInvAnf_Inv> Anforderungen;
  {
    Tiafile IA(RF_OPEN_NORMAL, -1);
    IA.SelectKey(Tiafile::KEY_ANFORDERUNG);
    for (bool G = IA.Get_first(); G; G = IA.Get_next()) {
      TVglInvAnf_Inv A;
      A.FilNr = static_cast<int16_t>(IA.FilNr.GetWert());
      A.WG = IA.WG.GetWert();
      A.WiJahr = YearOf(IA.WiJahr.GetWert());
      A.Zaehldatum = IA.Zaehldatum.GetWert();
      A.KZZaehlung = static_cast<uint8_t>(Loeschen ? Char_2_IA_KZZaehlung(IA.KZZaehlung.GetWert())
                                                   : TQLX_IA_KZZaehlung::iazAngefordert);
      Anforderungen.push_back(A);
    }
  }
  std::vector<TQLX_clMeldung> Meldungen;
  TQLX_InvAnfMani Mani;
  const bool Fertig = Loeschen ? Mani.InventurenLoeschen(Anforderungen, Meldungen)
                               : Mani.InventurAnforderungVervollstaendigen(Anforderungen, Meldungen);
  // Before the engine ends: its end takes its registered errors.
  if (!KWDInfo().Anstehend().empty()) return 1;
  return Fertig ? 0 : 3;
}
