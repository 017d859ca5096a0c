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

void TQLX_PEP_Progress_SetPos::AddCounter(const std::string& AName, const std::string& ACaption) {
  for (std::size_t I = 0; I < FZaehler.size(); ++I)
    if (FZaehler[I].Name == AName) {
      FZaehler[I].Caption = ACaption;
      ZaehlerGeaendert(I);
      return;
    }
  FZaehler.push_back({AName, ACaption, {}});
  ZaehlerGeaendert(FZaehler.size() - 1);
}

void TQLX_PEP_Progress_SetPos::SetCounter(const std::string& AName, const std::string& AWert) {
  for (std::size_t I = 0; I < FZaehler.size(); ++I)
    if (FZaehler[I].Name == AName) {
      if (FZaehler[I].Wert == AWert) return;
      FZaehler[I].Wert = AWert;
      ZaehlerGeaendert(I);
      return;
    }
  FZaehler.push_back({AName, AName, AWert});
  ZaehlerGeaendert(FZaehler.size() - 1);
}

std::string TQLX_PEP_Progress_SetPos::Counter(const std::string& AName) const {
  for (const auto& Z : FZaehler)
    if (Z.Name == AName) return Z.Wert;
  return {};
}

TKWDTerminalProgress::TKWDTerminalProgress(bool AAusgabe) : FAusgabe(AAusgabe) {}

TKWDTerminalProgress::~TKWDTerminalProgress() {
  if (FSichtbar) ProgressHide();
}

void TKWDTerminalProgress::ProgressShow(bool) {
  FSichtbar = true;
  Zeichnen();
}

void TKWDTerminalProgress::ProgressHide() {
  if (FSichtbar && FAusgabe) std::fputs("\r\033[K", stderr);
  FSichtbar = false;
}

void TKWDTerminalProgress::SetCaption(const std::string& ACaption) {
  FCaption = ACaption;
  Zeichnen();
}

void TKWDTerminalProgress::SetDetail(const std::string& ADetail) {
  FDetail = ADetail;
  Zeichnen();
}

void TKWDTerminalProgress::SetMax(int AMax) {
  FMax = std::max(0, AMax);
  FPos = std::min(FPos, FMax);
  Zeichnen();
}

void TKWDTerminalProgress::SetPos(int APos) {
  FPos = std::clamp(APos, 0, FMax);
  Zeichnen();
}

void TKWDTerminalProgress::SetStyle(TProgressBarStyle AStyle) {
  FStyle = AStyle;
  Zeichnen();
}

void TKWDTerminalProgress::StepIt() {
  FPos = FPos >= FMax ? 0 : FPos + 1;
  Zeichnen();
}

void TKWDTerminalProgress::ZaehlerGeaendert(std::size_t) { Zeichnen(); }

void TKWDTerminalProgress::Zeichnen() {
  if (!FAusgabe || !FSichtbar) return;
  if (FStyle == TProgressBarStyle::pbstMarquee) {
    static const char Rad[] = "|/-\\";
    std::fprintf(stderr, "\r\033[K%s %s %c", FCaption.c_str(), FDetail.c_str(), Rad[FPos % 4]);
  } else {
    const int Prozent = FMax > 0 ? static_cast<int>(100LL * FPos / FMax) : 0;
    std::fprintf(stderr, "\r\033[K%s %s %3d%%", FCaption.c_str(), FDetail.c_str(), Prozent);
  }
  for (const auto& Z : Zaehler())
    if (!Z.Wert.empty()) std::fprintf(stderr, "  %s%s", Z.Caption.c_str(), Z.Wert.c_str());
  std::fflush(stderr);
}
