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

void TKWDTerminalProgress::Zeichnen() {
  if (!FAusgabe || !FSichtbar) return;
  if (FStyle == TProgressBarStyle::pbstMarquee) {
    static const char Rad[] = "|/-\\";
    std::fprintf(stderr, "\r\033[K%s %s %c", FCaption.c_str(), FDetail.c_str(), Rad[FPos % 4]);
  } else {
    const int Prozent = FMax > 0 ? static_cast<int>(100LL * FPos / FMax) : 0;
    std::fprintf(stderr, "\r\033[K%s %s %3d%%", FCaption.c_str(), FDetail.c_str(), Prozent);
  }
  std::fflush(stderr);
}
