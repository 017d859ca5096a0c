#pragma once
// JSON output of the command-line tools. Texts come from the company, where
// other programs of the suite may have stored bytes that are no UTF-8 (a
// legacy client's Latin-1 "ä"): such a byte becomes U+FFFD instead of ending
// the whole output with an exception.
#include <nlohmann/json.hpp>
#include <string>

template <class TJson>
std::string CliJsonText(const TJson& AJson, int AEinzug = 2) {
  return AJson.dump(AEinzug, ' ', false, TJson::error_handler_t::replace);
}
