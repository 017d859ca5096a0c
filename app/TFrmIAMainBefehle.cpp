// The main window's commands on requests, "Zurück", the version and the
// close query.
//
// The changing commands run inside the window's work bracket (TKWDWorkBracket:
// closed on every way out), so input that arrives while the engine works -
// the engine lets pending window events run - starts nothing. Their working
// lists are locals and go with the command.
#include <QLineEdit>
#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/TFrmIAMain.h"
#include "app/TIAStatusText.h"
#include "dialogs/TFrmIANeu.h"
#include "dialogs/TgesperrteArtikelfrm.h"
#include "engine/InvAnfLesen.h"
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
#include "support/types/IABenennung.h"
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
          // Named: with "*" and several branches the refusals would look alike.
          KWDInfo().ShowMeldung(KWD_MB_HINWEIS, "INVANF", 1005,
                                {IAWarengruppeText(TIANeuPruefung::WGOhneEndBlanks(AWG)), std::to_string(AFiliale),
                                 FormatDatum(AZaehldat)},
                                this);
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

TFrmIAMain::TNeuanlage TFrmIAMain::NeueInventurenAnlegen(TDate ADatum, const std::string& AWG,
                                                          const std::vector<int>& AFilialen) {
  TNeuanlage Ergebnis;
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
      if (EineNeueInventur(Gruppe, Filiale, ADatum, Anf))
        Neu.Add(Anf);
      else
        Ergebnis.Abgelehnt.push_back(AblehnungsGrund(TIANeuPruefung::WGOhneEndBlanks(Gruppe), Filiale, ADatum));
    }
  Ergebnis.Neu = Neu.ToArray();
  if (Neu.IsEmpty()) return Ergebnis;
  if (KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1019) != KWD_MR_YES) return Ergebnis;
  Ergebnis.Vervollstaendigen = true;
  std::vector<TQLX_clMeldung> Meldungen;
  FInvAnfMani->InventurAnforderungVervollstaendigen(Ergebnis.Neu, Meldungen);
  GesperrteArtikelZeigen(Meldungen, KGesperrtVervollstaendigen);
  return Ergebnis;
}

std::string TFrmIAMain::AblehnungsGrund(const std::string& AWG, int AFiliale, TDate ADatum) {
  std::string Grund = "nicht zulässig";
  KWDGuardStill("TFrmIAMain.AblehnungsGrund", [&] {
    if (IAAnforderungLesen(ADatum, AWG, AFiliale))
      Grund = "gibt es bereits";
    else if (AFiliale >= INT16_MIN && AFiliale <= INT16_MAX &&
             !FvglInvAnf->Inventurnochfrei(AWG, ADatum, static_cast<int16_t>(AFiliale)))
      Grund = "überschneidet sich mit einer bestehenden Inventur";
  });
  return IAWarengruppeText(AWG) + ", Filiale " + std::to_string(AFiliale) + ": " + Grund;
}

void TFrmIAMain::NeuanlageExecute() {
  KWDGuard("TFrmIAMain.NeuanlageExecute", [&] {
    if (!UserRechtePruefen({wpfWarenwirtschaft, wpfInventur, wpfInventuranforderungAendern}, "", 1, false, 0))
      return;
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.NeuanlageExecute", 5);
    if (!Arbeit.Offen() || !Schreibbar()) return;
    if (kwd_Date() > FWiJahrLastDay && KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1010) != KWD_MR_YES) return;
    const TNeuanlage Ergebnis = NeuanlageDialog();
    Fuelle_VRListAusIAFile();
    // What the command made, read back from the refilled list.
    int Eroeffnet = 0;
    for (const TVglInvAnf_Inv& Anf : Ergebnis.Neu) Eroeffnet += ZeileIst(Anf, TQLX_IA_KZZaehlung::iazEroeffnet);
    TIAStatusText Status;
    Status.Teil(static_cast<int>(Ergebnis.Neu.size()),
                Ergebnis.Vervollstaendigen && Eroeffnet == static_cast<int>(Ergebnis.Neu.size())
                    ? "angelegt und vervollständigt"
                    : "angelegt");
    if (Ergebnis.Vervollstaendigen && Eroeffnet < static_cast<int>(Ergebnis.Neu.size()))
      Status.Teil(Eroeffnet, "vervollständigt")
          .Teil(static_cast<int>(Ergebnis.Neu.size()) - Eroeffnet, "nicht vollständig");
    Status.Teil(static_cast<int>(Ergebnis.Abgelehnt.size()), "übersprungen",
                TIAStatusText::Gruende(Ergebnis.Abgelehnt));
    StatusZeigen(Status.Text("Keine Inventur angelegt"));
    ZeilenZeigen(Ergebnis.Neu);
  });
}

void TFrmIAMain::btnCompleteClick() {
  KWDGuard("TFrmIAMain.btnCompleteClick", [&] {
    const TKWDWorkBracket Arbeit(this, "TFrmIAMain.btnCompleteClick", 5);
    if (!Arbeit.Offen() || !Schreibbar()) return;
    TAnforderungsListe Vervollstaendigen;
    TAnforderungsListe Loeschen;
    for (const TVglInvAnf_Inv& Anf : GetSelectedInfAnv()) Vervollstaendigen.Add(Anf);
    const bool Gewaehlt = !Vervollstaendigen.IsEmpty();
    int ZaehltagVorbei = 0;
    int NichtAngefordert = 0;
    // From the last entry up, so removing one keeps the positions still to come.
    for (int32_t I = Vervollstaendigen.Count() - 1; I >= 0; --I) {
      const TVglInvAnf_Inv Anf = Vervollstaendigen[I];
      if (Ist(Anf, TQLX_IA_KZZaehlung::iazAngefordert) && EndOfTheDay(Anf.Zaehldatum) < kwd_Now()) {
        // Its counting day is over: stock has moved since. The user decides
        // with the numbers of what is booked already.
        int Total = 0;
        int Da = 0;
        FInvAnfMani->InventurAnforderungArtZaehlen(Anf, Total, Da);
        if (KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1017,
                                  {Anzahl(Da), Anzahl(Total), FormatDatum(Anf.Zaehldatum), IAWarengruppeText(Anf.WG),
                                   std::to_string(Anf.FilNr)},
                                  nullptr, KWD_MR_NO) != KWD_MR_YES) {
          Vervollstaendigen.Delete(I);
          ++ZaehltagVorbei;
        }
      } else if (Ist(Anf, TQLX_IA_KZZaehlung::iazLoeschen)) {
        Loeschen.Add(Anf);
        Vervollstaendigen.Delete(I);
      } else if (!Ist(Anf, TQLX_IA_KZZaehlung::iazAngefordert)) {
        ++NichtAngefordert;  // passed on all the same; the engine leaves it alone
      }
    }
    std::vector<TQLX_clMeldung> Meldungen;
    if (!Vervollstaendigen.IsEmpty()) {
      FInvAnfMani->InventurAnforderungVervollstaendigen(Vervollstaendigen.ToArray(), Meldungen);
      GesperrteArtikelZeigen(Meldungen, KGesperrtVervollstaendigen);
    }
    const bool GesperrtBeimVervollstaendigen = !Meldungen.empty();
    if (!Loeschen.IsEmpty()) {
      Meldungen.clear();
      FInvAnfMani->InventurenLoeschen(Loeschen.ToArray(), Meldungen);
      GesperrteArtikelZeigen(Meldungen, KGesperrtLoeschen);
    }
    Fuelle_VRListAusIAFile();

    // What happened to each request, read back from the refilled list.
    std::vector<TVglInvAnf_Inv> Bearbeitet;  // the rows the completion worked on
    int Eroeffnet = 0;
    int Unvollstaendig = 0;
    for (const TVglInvAnf_Inv& Anf : Vervollstaendigen.ToArray())
      if (Ist(Anf, TQLX_IA_KZZaehlung::iazAngefordert)) {
        Bearbeitet.push_back(Anf);
        Eroeffnet += ZeileIst(Anf, TQLX_IA_KZZaehlung::iazEroeffnet);
        Unvollstaendig += ZeileIst(Anf, TQLX_IA_KZZaehlung::iazAngefordert);
      }
    int Geloescht = 0;
    for (const TVglInvAnf_Inv& Anf : Loeschen.ToArray()) Geloescht += ZeileVon(Anf) ? 0 : 1;
    // F2 on a red row removes the request with its booked target stock: named when it is one.
    std::string Welche;
    if (Geloescht == 1 && Loeschen.Count() == 1) {
      const TVglInvAnf_Inv Anf = Loeschen[0];
      Welche = ": " + IAAnforderungText(Anf.Zaehldatum, Anf.WG, Anf.FilNr);
    }
    TIAStatusText Status;
    Status.Teil(Eroeffnet, "vervollständigt")
        .Teil(Unvollstaendig, "nicht vollständig", GesperrtBeimVervollstaendigen ? "gesperrte Artikel" : "")
        .Teil(Geloescht, "gelöscht", "Löschung angefordert" + Welche)
        .Teil(Loeschen.Count() - Geloescht, "nicht gelöscht", "gesperrte Artikel")
        .Teil(ZaehltagVorbei, "ausgelassen", "Zähltag vorbei")
        .Teil(NichtAngefordert, "unverändert", "nicht angefordert");
    StatusZeigen(Status.Text(Gewaehlt ? "Keine Inventur vervollständigt"
                                      : "Keine Inventur markiert oder ausgewählt: nichts vervollständigt"));
    ZeilenZeigen(Bearbeitet);
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
    // The date names the request: the list shows it on the first row of its date only.
    const TVglInvAnf_Inv& Erste = Anforderungen[0];
    const int Antwort =
        Anforderungen.size() == 1
            ? KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1007,
                                    {Erste.WG, std::to_string(Erste.FilNr), FormatDatum(Erste.Zaehldatum),
                                     IAWarengruppeText(Erste.WG)},
                                    this, KWD_MR_NO)
            : KWDInfo().ShowMeldung(KWD_MB_JANEIN, "INVANF", 1013, {std::to_string(Anforderungen.size())}, this,
                                    KWD_MR_NO);
    if (Antwort != KWD_MR_YES) {
      StatusZeigen("Keine Inventur gelöscht");
      return;
    }
    // Where the first of them stood: the row there afterwards keeps the user's place.
    const TVRNode Erster = ZeileVon(Erste);
    const int Position = Erster ? Erster->Index : 0;
    std::vector<TQLX_clMeldung> Meldungen;
    FInvAnfMani->InventurenLoeschen(Anforderungen, Meldungen);
    GesperrteArtikelZeigen(Meldungen, KGesperrtLoeschen);
    Fuelle_VRListAusIAFile();
    std::vector<TVglInvAnf_Inv> Geblieben;
    for (const TVglInvAnf_Inv& Anf : Anforderungen)
      if (ZeileVon(Anf)) Geblieben.push_back(Anf);
    // A single one is named: its row is gone, nothing else shows which it was.
    const bool EineWeg = Anforderungen.size() == 1 && Geblieben.empty();
    TIAStatusText Status;
    Status.Teil(static_cast<int>(Anforderungen.size() - Geblieben.size()), "gelöscht",
                EineWeg ? IAAnforderungText(Erste.Zaehldatum, Erste.WG, Erste.FilNr) : "")
        .Teil(static_cast<int>(Geblieben.size()), "nicht gelöscht", Meldungen.empty() ? "" : "gesperrte Artikel");
    StatusZeigen(Status.Text("Keine Inventur gelöscht"));
    if (!Geblieben.empty())
      ZeilenZeigen(Geblieben);
    else if (const int Zeilen = vrInvList->RowCount(); Zeilen > 0)
      vrInvList->SetSelected(vrInvList->VRList()->Node(std::min(Position, Zeilen - 1)));
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
        Schliessen =
            KWDInfo().ShowMeldung(KWD_MB_SCHLIESSEN, "INVANF", 1018, {}, nullptr, KWD_MR_NO) == KWD_MR_YES;
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

TFrmIAMain::TNeuanlage TFrmIAMain::NeuanlageDialog() {
  if (!FrmIANeu) throw std::runtime_error("Der Dialog für neue Inventuranforderungen fehlt.");
  TFrmIANeu& Dialog = *FrmIANeu;
  Dialog.SetInventurOffen(FvglInvAnf->IrgendeineInventurNichtAbgeschlossen());
  Dialog.SetWiJahr(FWiJahr);
  Dialog.SetWiJahrLastDay(FWiJahrLastDay);
  if (Dialog.exec() != KWD_MR_OK || Dialog.FilCount() <= 0) return {};
  std::vector<int> Filialen;
  for (int I = 0; I < Dialog.FilCount(); ++I) Filialen.push_back(Dialog.Filiale(I));
  return NeueInventurenAnlegen(Dialog.Datum(), Dialog.WG(), Filialen);
}
