#pragma once
// JSON output of the command-line tools. Texts come from the company, where
// other programs of the suite may have stored bytes that are no UTF-8 (a
// legacy client's Latin-1 "ä"): such a byte becomes U+FFFD (KWDUtf8.h, the
// suite's one reading of valid UTF-8) instead of ending the whole output
// with an exception.
#include <nlohmann/json.hpp>
#include <string>

#include "support/types/KWDUtf8.h"

// Calls AText for each text value of AJson while it returns true; false when
// it stopped. The names of an object are this program's own words.
template <class TJson, class TFunktion>
bool CliJsonJederText(TJson& AJson, const TFunktion& AText) {
  if (AJson.is_string()) return AText(AJson);
  if (AJson.is_structured())  // iterating a single value would yield itself
    for (auto& Wert : AJson)
      if (!CliJsonJederText(Wert, AText)) return false;
  return true;
}

template <class TJson>
std::string CliJsonText(const TJson& AJson, int AEinzug = 2) {
  using TText = typename TJson::string_t;
  // The library replaces too, should a name ever carry a stored text.
  const auto Schreiben = [AEinzug](const TJson& J) { return J.dump(AEinzug, ' ', false, TJson::error_handler_t::replace); };
  if (CliJsonJederText(AJson, [](const TJson& T) { return KWDIstUtf8(T.template get_ref<const TText&>()); }))
    return Schreiben(AJson);
  TJson Kopie = AJson;  // only when a text needs replacing
  CliJsonJederText(Kopie, [](TJson& T) {
    T = KWDUtf8Ersetzen(T.template get_ref<const TText&>());
    return true;
  });
  return Schreiben(Kopie);
}
