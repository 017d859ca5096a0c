#pragma once
// The suite's folders under one root: setting WWS_HOME, else
// $XDG_DATA_HOME/wws, else ~/.local/share/wws.
#include <string>

inline constexpr int KWD_ORDNER_ANZAHL = 24;
inline constexpr int KWD_ORDNER_DATEN = 0;
inline constexpr int KWD_ORDNER_LAYOUT = 19;
inline constexpr int KWD_ORDNER_LISTEN = 20;
// Folder names by number; entry 19 is the layout folder ("Layout").
extern const char* const C_KWDFolder_Value[KWD_ORDNER_ANZAHL];

std::string KWDWwsRoot();
// Full path of AFile in the folder named AOrdner ("Listen", "Layout", or any
// entry of C_KWDFolder_Value); an empty name is the data folder (the root).
// With AAnlegen the folder is created. Throws std::invalid_argument for a
// folder or file name that would leave the root ("..", '/' in the folder name,
// an absolute file name).
std::string GetDirWwsByName(const std::string& AOrdner, const std::string& ADatei, bool AAnlegen = true);
std::string GetDirWwsByName(int AOrdnerNr, const std::string& ADatei, bool AAnlegen = true);
