#pragma once
// The suite log: one line per entry, "yyyy-mm-dd hh:mm:ss<TAB>name<TAB>text".
// File: setting WWS_LOG (a file path), else $XDG_STATE_HOME/wws/wws.log, else
// ~/.local/state/wws/wws.log. The folder is created on first write.
#include <exception>
#include <string>

std::string KWDLogDatei();
// Appends one line; line breaks in the text become blanks so each entry stays
// one line. Returns false when the log cannot be written (never throws).
bool KWDLogSchreiben(const std::string& AName, const std::string& AText) noexcept;
// A failure: its sentence and its technical text (KWDFehlerTeile).
bool KWDLogSchreiben(const std::string& AName, const std::exception& AE) noexcept;
