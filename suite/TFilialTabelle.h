#pragma once
// The company's branches, read once when the shared instance is created
// (GlobFilialTabelle_GetInstance / GlobFilialTabelle_ReleaseInstance).
#include <cstdint>
#include <string>
#include <vector>

struct TFiliale {
  int16_t FilNr = 0;
  std::string Name;
  // The branch is run with the suite's LV procedure (its stock is kept by the
  // LV system); requests for such branches are asked about before they are made.
  bool LV_Benutzen = false;
};

class TFilialen {
 public:
  // The branch with number ANr; nullptr when the company has no such branch.
  const TFiliale* GetFilialeByNr(int ANr) const;
  int Count() const { return static_cast<int>(FListe.size()); }
  const TFiliale& operator[](int AIndex) const { return FListe.at(static_cast<size_t>(AIndex)); }
  // One line per branch, its number in decimal, in number order (for a check list).
  std::vector<std::string> Zeilen() const;
  auto begin() const { return FListe.begin(); }
  auto end() const { return FListe.end(); }

 private:
  friend class TFilialTabelle;
  std::vector<TFiliale> FListe;  // sorted by number
};

class TFilialTabelle {
 public:
  // Reads the branches; a failure is registered under "TFilialTabelle.Create"
  // and leaves the list empty.
  TFilialTabelle();
  const TFilialen& Filialen() const { return FFilialen; }
  // Reads the branches again (another program may have added one).
  void Neuladen();

 private:
  TFilialen FFilialen;
};

// Sets the branch's LV flag in the company's branch table; false when the
// company has no branch ANr. Instances already read keep their copy until
// they are read again (Neuladen, or the next shared instance).
bool FilialeLVSetzen(int ANr, bool ALV_Benutzen);

TFilialTabelle* GlobFilialTabelle_GetInstance();
// Gives the instance back and sets AInstanz to nullptr.
void GlobFilialTabelle_ReleaseInstance(TFilialTabelle*& AInstanz);
