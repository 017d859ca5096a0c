#pragma once
// What the engine tests add to the suite's test company: stock and branch
// sales, written through the record files, and the engine-side helpers.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/TInvAnfAuswahl.h"
#include "engine/TQLX_InvAnfMani.h"
#include "tests/fixtures/SuiteTestUmgebung.h"

class TEngineTest : public TSuiteTest {
 protected:
  // A stock record; counts when A <= B or C != 0.
  void Bestand(const TInt32Trio& APId, int AFil, int ATyp, int AA = 0, int AB = 1, int AC = 0);
  void Verkauf(const TInt32Trio& APId, int AFil, char ASatzart = 'F', const std::string& ABewegung = "23");

  // The key the main window hands over for a request in the requested state.
  static TVglInvAnf_Inv Anf(TDate AZaehldat, const std::string& AWG, int AFil, TDate AWiJahr);

  // Per article, the requests ("WG@branch") that still have to book it.
  using TAuswahl = std::map<TInt32Trio, std::set<std::string>>;
  // The whole selection with the stock check of database kind AArt (1 or 2).
  TAuswahl Auswahl(const std::vector<TVglInvAnf_Inv>& AAnf, int AArt, std::vector<std::string>* AWarengruppen = nullptr,
                   std::vector<int16_t>* AFilialen = nullptr);
  // Both kinds must agree; returns their common answer.
  TAuswahl AuswahlBeide(const std::vector<TVglInvAnf_Inv>& AAnf);
  static TAuswahl AlsAuswahl(const TInventurListe& AInventuren, const TToDoListe& AToDo);

 private:
  int FLfdNr = 0;
};
