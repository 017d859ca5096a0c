#include "support/framework/KWDPause.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace {
std::mutex GMutex;
TKWDPauseHook GHook;
}  // namespace

void KWDPause(int AMillisekunden) {
  TKWDPauseHook Hook;
  {
    std::lock_guard Sperre(GMutex);
    Hook = GHook;
  }
  if (Hook) {
    Hook(AMillisekunden);
    return;
  }
  if (AMillisekunden > 0) std::this_thread::sleep_for(std::chrono::milliseconds(AMillisekunden));
}

TKWDPauseHook KWDPauseSet(TKWDPauseHook AHook) {
  std::lock_guard Sperre(GMutex);
  auto Alt = std::move(GHook);
  GHook = std::move(AHook);
  return Alt;
}
