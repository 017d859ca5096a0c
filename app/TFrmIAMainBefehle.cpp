// The main window's commands on requests, "Zurück", the version and the
// close query.
//
// The changing commands run inside the window's work bracket (TKWDWorkBracket:
// closed on every way out), so input that arrives while the engine works -
// the engine lets pending window events run - starts nothing. Their working
// lists are locals and go with the command.
#include <QLineEdit>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/TFrmIAMain.h"
#include "dialogs/TFrmIANeu.h"
#include "dialogs/TgesperrteArtikelfrm.h"
#include "engine/TIANeuPruefung.h"
#include "engine/TQLX_InvAnfMani.h"
#include "suite/TvglInvAnf.h"
#include "widgets/TKWDVersionsDialog.h"
#include "support/db/KWDDatenbank.h"
#include "support/framework/KWDGuard.h"
#include "support/framework/KWDUhr.h"
#include "support/framework/KWDWork.h"
#include "support/framework/TKWDInfo.h"
#include "support/framework/TKWDProgramm.h"
#include "support/list/TQLX_List.h"
#include "support/services/UserRechte.h"
#include "support/types/KWDZahlFormat.h"
#include "support/types/TQLX_IA_KZZaehlung.h"

namespace {

using TAnforderungsListe = TQLX_List<TVglInvAnf_Inv>;

const std::string KGesperrtVervollstaendigen =
    "Es konnten nicht alle Inventuren vollständig angefordert werden, da folgende Artikel gesperrt waren. Bitte "
    "geben Sie diese Artikel frei. Im Anschluss kann eine neue Vervollständigung gestartet werden.";
const std::string KGesperrtLoeschen =
    "Es konnten nicht alle Inventuren vollständig gelöscht werden, da folgende Artikel gesperrt waren. Bitte geben "
    "Sie diese Artikel frei. Im Anschluss kann das Löschen erneut gestartet werden.";

bool Ist(const TVglInvAnf_Inv& AAnf, TQLX_IA_KZZaehlung AZustand) {
  return AAnf.KZZaehlung == static_cast<uint8_t>(AZustand);
}

// A count as the user reads it: "12.345".
std::string Anzahl(int AWert) { return FormatZahlDe(AWert, 0); }

}  // namespace

bool TFrmIAMain::EineNeueInventur(const std::string& AWG, int AFiliale, TDate AZaehldat, TVglInvAnf_Inv& ARec) {
  return KWDGuard(
      "TFrmIAMain.EineNeueInventur",
      [&] {
        ARec.Clear();
        if (!FInvAnfMani->InventurAnlegen(AZaehldat, FWiJahr, AWG, AFiliale)) {
          KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "INVANF", 1005, {}, this);
          return false;
        }
        ARec.FilNr = static_cast<int16_t>(AFiliale);
        // As the request is stored (without the blanks the entry field pads
        // with): completing it at once finds it by exactly this key.
        ARec.WG = TIANeuPruefung::WGOhneEndBlanks(AWG);
        ARec.WiJahr = YearOf(FWiJahr);
        ARec.Zaehldatum = AZaehldat;
        ARec.KZZaehlung = static_cast<uint8_t>(TQLX_IA_KZZaehlung::iazAngefordert);
        return true;
      },
      false);
}

void TFrmIAMain::NeueInventurenAnlegen(TDate ADatum, const std::string& AWG, const std::vector<int>& AFilialen) {
  TAnforderungsListe Neu;
  // A trailing "*" (blanks after it dropped) stands for the groups 0 to 9;
  // an entry of blanks for all groups; anything else is the group as entered.
  std::vector<std::string> Gruppen;
  if (TIANeuPruefung::Stern(AWG))
    Gruppen = TIANeuPruefung::Warengruppen(AWG);
  else if (AWG.find_first_not_of(" \t") == std::string::npos)
    Gruppen = {std::string()};
  else
    Gruppen = {AWG};
  for (const int Filiale : AFilialen)
    for (const std::string& Gruppe : Gruppen) {
      TVglInvAnf_Inv Anf;
      if (EineNeueInventur(Gruppe, Filiale, ADatum, Anf)) Neu.Add(Anf);
    }
  if (Neu.IsEmpty()) return;
  if (KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1019) != KWD_MR_YES) return;
  std::vector<TQLX_clMeldung> Meldungen;
  FInvAnfMani->InventurAnforderungVervollstaendigen(Neu.ToArray(), Meldungen);
  GesperrteArtikelZeigen(Meldungen, KGesperrtVervollstaendigen);
}

void TFrmIAMain::NeuanlageExecute() {
  KWDGuard("TFrmIAMain.NeuanlageExecute", [&] {
    if (!UserRechtePruefen({wpfWarenwirtschaft, wpfInventur, wpfInventuranforderungAendern}, "", 1, false, 0))
      return;
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.NeuanlageExecute", 5);
    if (!Arbeit.Offen() || !Schreibbar()) return;
    if (kwd_Date() > FWiJahrLastDay && KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1010) != KWD_MR_YES) return;
    NeuanlageDialog();
    Fuelle_VRListAusIAFile();
  });
}

void TFrmIAMain::btnCompleteClick() {
  KWDGuard("TFrmIAMain.btnCompleteClick", [&] {
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.btnCompleteClick", 5);
    if (!Arbeit.Offen() || !Schreibbar()) return;
    TAnforderungsListe Vervollstaendigen;
    TAnforderungsListe Loeschen;
    for (const TVglInvAnf_Inv& Anf : GetSelectedInfAnv()) Vervollstaendigen.Add(Anf);
    // From the last entry up, so removing one keeps the positions still to come.
    for (int32_t I = Vervollstaendigen.Count() - 1; I >= 0; --I) {
      const TVglInvAnf_Inv Anf = Vervollstaendigen[I];
      if (Ist(Anf, TQLX_IA_KZZaehlung::iazAngefordert) && EndOfTheDay(Anf.Zaehldatum) < kwd_Now()) {
        // Its counting day is over: stock has moved since. The user decides
        // with the numbers of what is booked already.
        int Total = 0;
        int Da = 0;
        FInvAnfMani->InventurAnforderungArtZaehlen(Anf, Total, Da);
        if (KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1017, {Anzahl(Da), Anzahl(Total)}) != KWD_MR_YES)
          Vervollstaendigen.Delete(I);
      } else if (Ist(Anf, TQLX_IA_KZZaehlung::iazLoeschen)) {
        Loeschen.Add(Anf);
        Vervollstaendigen.Delete(I);
      }
    }
    std::vector<TQLX_clMeldung> Meldungen;
    if (!Vervollstaendigen.IsEmpty()) {
      FInvAnfMani->InventurAnforderungVervollstaendigen(Vervollstaendigen.ToArray(), Meldungen);
      GesperrteArtikelZeigen(Meldungen, KGesperrtVervollstaendigen);
    }
    if (!Loeschen.IsEmpty()) {
      Meldungen.clear();
      FInvAnfMani->InventurenLoeschen(Loeschen.ToArray(), Meldungen);
      GesperrteArtikelZeigen(Meldungen, KGesperrtLoeschen);
    }
    Fuelle_VRListAusIAFile();
  });
}

void TFrmIAMain::LoeschenExecute() {
  KWDGuard("TFrmIAMain.LoeschenExecute", [&] {
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.LoeschenExecute", 5);
    if (!Arbeit.Offen()) return;
    if (!UserRechtePruefen({wpfWarenwirtschaft, wpfInventur, wpfInventuranforderungAendern}, "", 1, false, 0))
      return;
    if (!Schreibbar()) return;
    const std::vector<TVglInvAnf_Inv> Anforderungen = GetSelectedInfAnv();
    if (Anforderungen.empty()) {
      KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "INVANF", 1014, {}, this);
      return;
    }
    const int Antwort =
        Anforderungen.size() == 1
            ? KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1007,
                                    {Anforderungen[0].WG, std::to_string(Anforderungen[0].FilNr)}, this)
            : KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1013, {}, this);
    if (Antwort != KWD_MR_YES) return;
    std::vector<TQLX_clMeldung> Meldungen;
    FInvAnfMani->InventurenLoeschen(Anforderungen, Meldungen);
    GesperrteArtikelZeigen(Meldungen, KGesperrtLoeschen);
    Fuelle_VRListAusIAFile();
  });
}

void TFrmIAMain::SchlieenExecute() {
  KWDGuard("TFrmIAMain.SchlieenExecute", [&] {
    // While a command runs the window stays; the close query follows.
    if (!Working(this)) SetModalResult(KWD_MR_CANCEL);
  });
}

void TFrmIAMain::VersionsanzeigeExecute() {
  KWDGuard("TFrmIAMain.VersionsanzeigeExecute", [&] {
    // A modal dialog opened from the events a running command lets through
    // would halt that command until it is closed.
    if (Working(this)) return;
    VersionsInfoZeigen("Inventuren", nullptr, "");
  });
}

bool TFrmIAMain::FormCloseQuery() {
  bool Schliessen = true;
  KWDGuard("TFrmIAMain.FormCloseQuery", [&] {
    if (KWDProgramm().GetRTyp() != 1) return;
    // A request still waiting to be completed or deleted: the user confirms.
    for (TVRNode Zeile = vrInvList->GetFirst(); Zeile; Zeile = vrInvList->GetNext(Zeile)) {
      const TQLX_IA_KZZaehlung Zustand = Char_2_IA_KZZaehlung(vrInvList->GetChar(Zeile, colStatusKZ));
      if (Zustand == TQLX_IA_KZZaehlung::iazAngefordert || Zustand == TQLX_IA_KZZaehlung::iazLoeschen) {
        Schliessen = KWDInfo().ShowMeldung(KWD_MB_SCHLIESSEN, "INVANF", 1018) == KWD_MR_YES;
        return;
      }
    }
  });
  return Schliessen;
}

bool TFrmIAMain::Schreibbar() {
  if (!KWDDatenbank().NurLesen()) return true;
  KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "STANDARD", 997,
                        {"Die Firma " + KWDDatenbank().Ort() +
                         " ist nur zum Lesen geöffnet, da Sie sie nicht ändern dürfen. Inventuren lassen sich hier "
                         "nicht anlegen, vervollständigen oder löschen."},
                        this);
  return false;
}

void TFrmIAMain::GesperrteArtikelZeigen(const std::vector<TQLX_clMeldung>& AMeldungen, const std::string& AText) {
  TgesperrteArtikelfrm::Execute(AMeldungen, AText);  // shows nothing for none
}

void TFrmIAMain::NeuanlageDialog() {
  if (!FrmIANeu) throw std::runtime_error("Der Dialog für neue Inventuranforderungen fehlt.");
  TFrmIANeu& Dialog = *FrmIANeu;
  Dialog.SetInventurOffen(FvglInvAnf->IrgendeineInventurNichtAbgeschlossen());
  Dialog.SetWiJahr(FWiJahr);
  Dialog.SetWiJahrLastDay(FWiJahrLastDay);
  if (Dialog.exec() != KWD_MR_OK || Dialog.FilCount() <= 0) return;
  std::vector<int> Filialen;
  for (int I = 0; I < Dialog.FilCount(); ++I) Filialen.push_back(Dialog.Filiale(I));
  NeueInventurenAnlegen(Dialog.Datum(), Dialog.WG(), Filialen);
}
