#pragma once
// A report layout of the suite's report viewer: a UTF-8 text file in the
// layout folder (GetDirWwsByName(19, ...)), read by the layout dialog and by
// the viewer.
//
//   # Lines beginning with '#' or ';' are comments; blank lines are ignored.
//   [Layout]
//   Titel=Zählliste mit Größen           the name the layout dialog shows
//   Bericht=Zaehlliste                   which report the viewer renders (required)
//   Beschreibung=Ein Größenraster ...    one line for the layout dialog
//   Geschuetzt=J                         shipped with the program: the dialog
//                                        copies it but never changes or deletes it
//   [Parameter]
//   AnzProGroe=J                         name=value, passed to the report as
//   Schriftgroesse=9                     "Param_" + name, in this order
//
// Keys of [Layout] ignore case; unknown keys there are ignored (a newer
// program may add some). A parameter name consists of letters, digits and
// '_'; its value is the rest of the line after the first '=', without the
// blanks around it. Everything else is an error naming the line.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

struct TKWDLayoutDatei {
  std::string Titel;
  std::string Bericht;
  std::string Beschreibung;
  bool Geschuetzt = false;
  std::vector<std::pair<std::string, std::string>> Parameter;  // in file order
  std::vector<int> ParameterZeilenNr;  // the file's line of each parameter (AusText only)

  static constexpr size_t KMaxGroesse = 64 * 1024;

  // Throws std::runtime_error with a German text naming the file (and line);
  // a file above KMaxGroesse is refused unread.
  static TKWDLayoutDatei Lesen(const std::string& APfad);
  static TKWDLayoutDatei AusText(const std::string& AText, const std::string& AName);
  std::string AlsText() const;
  // Writes through a temporary file beside it and a rename: a reader never
  // sees half a layout. Throws std::runtime_error.
  void Schreiben(const std::string& APfad) const;

  // The file's line of the last parameter AName; 0 when unknown.
  int ZeileVon(const std::string& AName) const;

  // "name=value" lines, as the layout list carries them.
  std::vector<std::string> ParameterZeilen() const;
  // Replaces the parameters by "name=value" lines; false (nothing changed)
  // and the 1-based number of the first bad line in AFehlerZeile otherwise.
  bool ParameterZeilenSetzen(const std::vector<std::string>& AZeilen, int& AFehlerZeile);
};

// A valid parameter name: letters, digits and '_', at least one character.
bool KWDLayoutParameterName(const std::string& AName);
// Splits "name=value" (blanks around both removed); false for anything else.
bool KWDLayoutParameterZeile(const std::string& AZeile, std::string& AName, std::string& AWert);
