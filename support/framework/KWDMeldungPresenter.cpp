#include "support/framework/KWDMeldungPresenter.h"

#include <algorithm>
#include <cctype>
#include <iostream>
#include <mutex>

#include "support/framework/KWDSettings.h"
#include "support/framework/TKWDSkriptPresenter.h"

namespace {
std::mutex GMutex;
std::shared_ptr<TKWDMeldungPresenter>& Aktuell() {
  static std::shared_ptr<TKWDMeldungPresenter> P = std::make_shared<TKWDStderrPresenter>();
  return P;
}

bool IstFrage(int AArt) { return AArt == KWD_MB_JANEIN || AArt == KWD_MB_SCHLIESSEN; }
}  // namespace

int TKWDStderrPresenter::Zeigen(const TKWDMeldung& AMeldung) {
  if (!AMeldung.Gruppe.empty()) std::cerr << "[" << AMeldung.Gruppe << " " << AMeldung.Nr << "] ";
  std::cerr << AMeldung.Text << std::endl;
  if (!IstFrage(AMeldung.Art)) return KWD_MR_OK;
  std::string Antwort = KWDSettingOr("WWS_ANTWORT", "");
  std::transform(Antwort.begin(), Antwort.end(), Antwort.begin(), [](unsigned char C) { return std::tolower(C); });
  if (Antwort == "ja" || Antwort == "yes" || Antwort == "6") return KWD_MR_YES;
  if (AMeldung.Art == KWD_MB_SCHLIESSEN && (Antwort == "abbrechen" || Antwort == "cancel" || Antwort == "2"))
    return KWD_MR_CANCEL;
  return KWD_MR_NO;
}

std::shared_ptr<TKWDMeldungPresenter> KWDMeldungPresenterSet(std::shared_ptr<TKWDMeldungPresenter> APresenter) {
  std::lock_guard Sperre(GMutex);
  auto Alt = Aktuell();
  Aktuell() = APresenter ? std::move(APresenter) : std::make_shared<TKWDStderrPresenter>();
  return Alt;
}

std::shared_ptr<TKWDMeldungPresenter> KWDMeldungPresenter() {
  std::lock_guard Sperre(GMutex);
  return Aktuell();
}

int TKWDSkriptPresenter::Zeigen(const TKWDMeldung& AMeldung) {
  std::lock_guard Sperre(FMutex);
  FGezeigt.push_back(AMeldung);
  if (!FAntworten.empty()) {
    const int Antwort = FAntworten.front();
    FAntworten.pop_front();
    return Antwort;
  }
  return IstFrage(AMeldung.Art) ? FStandard : KWD_MR_OK;
}

void TKWDSkriptPresenter::Antworten(std::initializer_list<int> AAntworten) {
  std::lock_guard Sperre(FMutex);
  FAntworten.insert(FAntworten.end(), AAntworten.begin(), AAntworten.end());
}

std::vector<TKWDMeldung> TKWDSkriptPresenter::Gezeigt() const {
  std::lock_guard Sperre(FMutex);
  return FGezeigt;
}

void TKWDSkriptPresenter::Leeren() {
  std::lock_guard Sperre(FMutex);
  FGezeigt.clear();
  FAntworten.clear();
}

TKWDSkriptPresenterScope::TKWDSkriptPresenterScope(int AStandard)
    : FPresenter(std::make_shared<TKWDSkriptPresenter>(AStandard)), FAlt(KWDMeldungPresenterSet(FPresenter)) {}

TKWDSkriptPresenterScope::~TKWDSkriptPresenterScope() { KWDMeldungPresenterSet(FAlt); }
