#include "support/framework/TQLX_PEP_Progress_SetPos.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <mutex>

namespace {
std::mutex GMutex;
TKWDProgressFabrik GFabrik;
}  // namespace

std::unique_ptr<TQLX_PEP_Progress_SetPos> TQLX_PEP_Progress_SetPos::Create(void* AOwner) {
  TKWDProgressFabrik Fabrik;
  {
    std::lock_guard Sperre(GMutex);
    Fabrik = GFabrik;
  }
  if (Fabrik) return Fabrik(AOwner);
  return std::make_unique<TKWDTerminalProgress>(::isatty(STDERR_FILENO) == 1);
}

TKWDProgressFabrik KWDProgressFabrikSet(TKWDProgressFabrik AFabrik) {
  std::lock_guard Sperre(GMutex);
  auto Alt = std::move(GFabrik);
  GFabrik = std::move(AFabrik);
  return Alt;
}

void TQLX_PEP_Progress_SetPos::SetCaption(const std::string& ACaption) {
  if (ACaption == FCaption) return;
  FCaption = ACaption;
  Geaendert();
}

void TQLX_PEP_Progress_SetPos::SetDetail(const std::string& ADetail) {
  if (ADetail == FDetail) return;
  FDetail = ADetail;
  Geaendert();
}

void TQLX_PEP_Progress_SetPos::SetMax(int AMax) {
  FMax = std::max(0, AMax);
  FPos = std::min(FPos, FMax);
  Geaendert();
}

void TQLX_PEP_Progress_SetPos::SetPos(int APos) {
  FPos = std::clamp(APos, 0, FMax);
  Geaendert();
}

void TQLX_PEP_Progress_SetPos::SetStyle(TProgressBarStyle AStyle) {
  if (AStyle == FStyle) return;
  FStyle = AStyle;
  Geaendert();
}

void TQLX_PEP_Progress_SetPos::StepIt() {
  FPos = FPos >= FMax ? 0 : FPos + 1;
  Geaendert();
}

void TQLX_PEP_Progress_SetPos::AddCounter(const std::string& AName, const std::string& ACaption) {
  for (auto& Z : FZaehler)
    if (Z.Name == AName) {
      Z.Caption = ACaption;
      Geaendert();
      return;
    }
  FZaehler.push_back({AName, ACaption, {}});
  Geaendert();
}

void TQLX_PEP_Progress_SetPos::SetCounter(const std::string& AName, const std::string& AWert) {
  for (auto& Z : FZaehler)
    if (Z.Name == AName) {
      if (Z.Wert == AWert) return;
      Z.Wert = AWert;
      Geaendert();
      return;
    }
  FZaehler.push_back({AName, AName, AWert});
  Geaendert();
}

std::string TQLX_PEP_Progress_SetPos::Counter(const std::string& AName) const {
  for (const auto& Z : FZaehler)
    if (Z.Name == AName) return Z.Wert;
  return {};
}

TKWDTerminalProgress::TKWDTerminalProgress(bool AAusgabe) : FAusgabe(AAusgabe) {}

TKWDTerminalProgress::~TKWDTerminalProgress() {
  if (Sichtbar()) ProgressHide();
}

void TKWDTerminalProgress::ProgressShow(bool) {
  SichtbarSetzen(true);
  Zeichnen();
}

void TKWDTerminalProgress::ProgressHide() {
  if (Sichtbar() && FAusgabe) std::fputs("\r\033[K", stderr);
  SichtbarSetzen(false);
}

void TKWDTerminalProgress::Zeichnen() {
  if (!FAusgabe || !Sichtbar()) return;
  if (Style() == TProgressBarStyle::pbstMarquee) {
    static const char Rad[] = "|/-\\";
    std::fprintf(stderr, "\r\033[K%s %s %c", Caption().c_str(), Detail().c_str(), Rad[Pos() % 4]);
  } else {
    const int Prozent = Max() > 0 ? static_cast<int>(100LL * Pos() / Max()) : 0;
    std::fprintf(stderr, "\r\033[K%s %s %3d%%", Caption().c_str(), Detail().c_str(), Prozent);
  }
  for (const auto& Z : Zaehler())
    if (!Z.Wert.empty()) std::fprintf(stderr, "  %s%s", Z.Caption.c_str(), Z.Wert.c_str());
  std::fflush(stderr);
}
