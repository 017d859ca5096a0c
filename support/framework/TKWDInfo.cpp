#include "support/framework/TKWDInfo.h"

#include <algorithm>
#include <optional>

#include "support/framework/KWDLog.h"
#include "support/framework/KWDMeldungen.h"

namespace {
// "TFoo.Bar" -> "TFoo."; a name without a point covers every error ("").
std::string Bereich(const std::string& AName) {
  const auto Punkt = AName.find('.');
  return Punkt == std::string::npos ? std::string() : AName.substr(0, Punkt + 1);
}

bool ImBereich(const TKWDFehler& AFehler, const std::string& ABereich) {
  return AFehler.Name.compare(0, ABereich.size(), ABereich) == 0;
}

int Zeigen(TKWDMeldung AMeldung) noexcept {
  try {
    return KWDMeldungPresenter()->Zeigen(AMeldung);
  } catch (const std::exception& E) {
    KWDLogSchreiben("TKWDInfo.ShowMeldung", std::string("Meldung konnte nicht angezeigt werden: ") + E.what());
  } catch (...) {
    KWDLogSchreiben("TKWDInfo.ShowMeldung", "Meldung konnte nicht angezeigt werden.");
  }
  return AMeldung.Art == KWD_MB_HINWEIS ? KWD_MR_OK : (AMeldung.Art == KWD_MB_SCHLIESSEN ? KWD_MR_CANCEL : KWD_MR_NO);
}

std::mutex GHookMutex;
TKWDProcessMessagesHook GHook;
}  // namespace

void TKWDInfo::RegisterException(const std::string& AName, const std::exception& AE, bool AReport) noexcept {
  try {
    RegisterException(AName, KWDFehlerTeile(AE), AReport);
  } catch (...) {
    // Out of memory while handling an error: nothing sensible is left to do.
  }
}

void TKWDInfo::RegisterException(const std::string& AName, const std::string& AText, bool AReport) noexcept {
  try {
    RegisterException(AName, TKWDFehlerTeile{AText, {}}, AReport);
  } catch (...) {
  }
}

void TKWDInfo::RegisterException(const std::string& AName, const TKWDFehlerTeile& ATeile, bool AReport) noexcept {
  try {
    KWDLogSchreiben(AName, KWDFehlerLogText(ATeile));
    {
      std::lock_guard Sperre(FMutex);
      FAnstehend.push_back({AName, ATeile.Satz, ATeile.Technisch, AReport});
      while (FAnstehend.size() > KMaxAnstehend) FAnstehend.pop_front();
    }
    if (AReport) {
      TKWDMeldung M;
      M.Gruppe = "FEHLER";
      M.Argumente = {AName, ATeile.Satz};
      M.Text = ATeile.Satz;
      M.Details = KWDFehlerDetails(AName, ATeile.Technisch);
      Zeigen(std::move(M));
    }
  } catch (...) {
    // Out of memory while handling an error: nothing sensible is left to do.
  }
}

void TKWDInfo::FehlerRaise(const std::string& AName, int ANr, const std::string& AText1, const std::string& AText2,
                           int AWert1, int AWert2) {
  std::optional<TKWDFehler> Aeltester;
  {
    std::lock_guard Sperre(FMutex);
    const std::string B = Bereich(AName);
    for (const auto& F : FAnstehend)
      if (ImBereich(F, B)) {
        Aeltester = F;
        break;
      }
    if (!Aeltester) return;
    std::erase_if(FAnstehend, [&](const TKWDFehler& F) { return ImBereich(F, B); });
  }
  KWDLogSchreiben(AName, "FehlerRaise " + std::to_string(ANr) + " " + AText1 + " " + AText2 + " " +
                             std::to_string(AWert1) + " " + std::to_string(AWert2) + ": " + Aeltester->Name);
  throw EKWDFehler(Aeltester->Name, Aeltester->Text, Aeltester->Technisch, Aeltester->Gemeldet);
}

void TKWDInfo::FehlerTerminate(const std::string& AName, int, const std::string&, const std::string&, int,
                               int) noexcept {
  std::lock_guard Sperre(FMutex);
  const std::string B = Bereich(AName);
  std::erase_if(FAnstehend, [&](const TKWDFehler& F) { return ImBereich(F, B); });
}

int TKWDInfo::ShowMeldung(int AArt, const std::string& AGruppe, int ANr, const std::vector<std::string>& AArgs,
                          void* AOwner, int AStandard) noexcept {
  TKWDMeldung M;
  try {
    M.Art = AArt;
    M.Standard = AStandard;
    M.Gruppe = AGruppe;
    M.Nr = ANr;
    M.Argumente = AArgs;
    M.Owner = AOwner;
    M.Text = KWDMeldungText(AGruppe, ANr, AArgs);
  } catch (...) {
    return AArt == KWD_MB_HINWEIS ? KWD_MR_OK : KWD_MR_NO;
  }
  return Zeigen(std::move(M));
}

std::vector<TKWDFehler> TKWDInfo::Anstehend() const {
  std::lock_guard Sperre(FMutex);
  return {FAnstehend.begin(), FAnstehend.end()};
}

std::string KWDFehlerDetails(const std::string& AName, const std::string& ATechnisch) {
  const std::string Wo = "In \u201E" + AName + "\u201C ist ein Fehler aufgetreten.";
  return ATechnisch.empty() ? Wo : Wo + "\n" + ATechnisch;
}

TKWDInfo& KWDInfo() {
  static TKWDInfo Info;
  return Info;
}

void KWDInfoProcessMessages(int AMillisekunden) {
  TKWDProcessMessagesHook Hook;
  {
    std::lock_guard Sperre(GHookMutex);
    Hook = GHook;
  }
  if (Hook) Hook(AMillisekunden);
}

TKWDProcessMessagesHook KWDInfoProcessMessagesHookSet(TKWDProcessMessagesHook AHook) {
  std::lock_guard Sperre(GHookMutex);
  auto Alt = std::move(GHook);
  GHook = std::move(AHook);
  return Alt;
}
