#pragma once
// Small helpers shared by the engine's source files (not part of its interface).
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/framework/TKWDInfo.h"
#include "support/recordfile/Tiafile.h"
#include "support/types/TVglInvAnf_Inv.h"

namespace InvAnfIntern {

// Stock types whose stock is counted and booked: 1 to 16 and 18.
inline bool BestandsTypGezaehlt(int AOrdinal) { return (AOrdinal >= 1 && AOrdinal <= 16) || AOrdinal == 18; }

// A stock record counts by its figures when A <= B or C != 0.
inline bool BestandZaehlt(int32_t AA, int32_t AB, int32_t AC) { return AA <= AB || AC != 0; }

// Closed services register their failures and then answer as if nothing
// were there (an iterator finds no article). A step that relies on them asks
// afterwards whether one of the classes registered a failure meanwhile: the
// pending errors of those classes (already logged and shown to the user) are
// taken from the registry, and older ones are dropped at the start.
class TDienstFehler {
 public:
  explicit TDienstFehler(std::initializer_list<const char*> AKlassen) {
    for (const char* K : AKlassen) {
      FKlassen.push_back(std::string(K) + ".");
      KWDInfo().FehlerTerminate(FKlassen.back());
    }
  }
  bool Aufgetreten() const {
    bool Fehler = false;
    for (const std::string& K : FKlassen) {
      try {
        KWDInfo().FehlerRaise(K);
      } catch (const EKWDFehler&) {
        Fehler = true;
      }
    }
    return Fehler;
  }

 private:
  std::vector<std::string> FKlassen;
};

// The request file's key order (counting date, product group, branch): where
// requests are locked or written one after another, every program takes
// them in this order, so none waits on another in a cycle.
inline bool SchluesselVor(const TVglInvAnf_Inv& A, const TVglInvAnf_Inv& B) {
  if (A.Zaehldatum != B.Zaehldatum) return A.Zaehldatum < B.Zaehldatum;
  if (A.WG != B.WG) return A.WG < B.WG;
  return A.FilNr < B.FilNr;
}

// Selects the request key on the request file and sets AAnforderung's values.
inline void SchluesselSetzen(Tiafile& AIA, const TVglInvAnf_Inv& AAnforderung) {
  AIA.SelectKey(Tiafile::KEY_ANFORDERUNG);
  AIA.Key_Zaehldatum.SetKeyWert(AAnforderung.Zaehldatum);
  AIA.Key_WG.SetKeyWert(AAnforderung.WG);
  AIA.Key_FilNr.SetKeyWert(AAnforderung.FilNr);
}

// Sorts positions of a request list (L: a list of TInventurDetails) into that order.
template <class L>
void InSchluesselFolge(const L& AInventuren, std::vector<int32_t>& APositionen) {
  std::sort(APositionen.begin(), APositionen.end(), [&](int32_t A, int32_t B) {
    return SchluesselVor(AInventuren.GetItem_Ptr(A)->InvAnf, AInventuren.GetItem_Ptr(B)->InvAnf);
  });
}

}  // namespace InvAnfIntern
