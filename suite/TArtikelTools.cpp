#include "suite/TArtikelTools.h"

#include "support/framework/KWDGuard.h"
#include "support/framework/KWDUhr.h"

namespace {
std::string OhneRandBlanks(const std::string& AText) {
  const auto Anfang = AText.find_first_not_of(' ');
  if (Anfang == std::string::npos) return {};
  return AText.substr(Anfang, AText.find_last_not_of(' ') - Anfang + 1);
}
}  // namespace

int Char2ArtPrusch(char AZeichen) { return AZeichen >= '0' && AZeichen <= '9' ? AZeichen - '0' : 0; }

int TArtikelTools::Pruefschaerfe_4_Prodid(const TInt32Trio& APId) {
  return KWDGuard(
      "TArtikelTools.Pruefschaerfe_4_Prodid",
      [&] {
        auto& S = FSql.Get("SELECT pruefschaerfe FROM artikel WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ?");
        TAbfrageEnde Ende(S);
        BindProdId(S, 1, APId);
        if (!S.Step()) return 0;
        const std::string Zeichen = S.ColumnText(0);
        return Zeichen.empty() ? 0 : Char2ArtPrusch(Zeichen[0]);
      },
      0);
}

std::string TArtikelTools::ProduktID_2_ArtNr_Formatted(const TInt32Trio& APId, bool AMitText) {
  return KWDGuard(
      "TArtikelTools.ProduktID_2_ArtNr_Formatted",
      [&] {
        std::string Nummer;
        {
          auto& S = FSql.Get(
              "SELECT artnr, eingabedatum FROM artnr_historie "
              "WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ? AND eingabedatum > 0 AND eingabedatum < ? "
              "ORDER BY eingabedatum, artnr");
          TAbfrageEnde Ende(S);
          BindProdId(S, 1, APId);
          S.BindDouble(4, kwd_Date() + 1);
          double Neueste = 0;
          while (S.Step()) {
            std::string Kandidat = OhneRandBlanks(S.ColumnText(0));
            const double Datum = S.ColumnDouble(1);
            if (!Kandidat.empty() && (Nummer.empty() || Datum > Neueste)) {
              Nummer = std::move(Kandidat);
              Neueste = Datum;
            }
          }
        }
        if (Nummer.empty()) Nummer = APId.ToString();
        if (AMitText) {
          auto& S = FSql.Get("SELECT text1 FROM artikel WHERE prodid1 = ? AND prodid2 = ? AND prodid3 = ?");
          TAbfrageEnde Ende(S);
          BindProdId(S, 1, APId);
          if (S.Step()) {
            const std::string Text = OhneRandBlanks(S.ColumnText(0));
            if (!Text.empty()) Nummer += " " + Text;
          }
        }
        return Nummer;
      },
      APId.ToString());
}
