#pragma once
// The progress window the engine drives. The real window comes through a
// factory (the application plugs in a Qt dialog); headless it is a terminal
// progress that writes to stderr only when stderr is a terminal.
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class TProgressBarStyle { pbstNormal, pbstMarquee };

class TQLX_PEP_Progress_SetPos {
 public:
  virtual ~TQLX_PEP_Progress_SetPos() = default;
  // Made through the current factory; AOwner (a window, may be null) is passed on.
  static std::unique_ptr<TQLX_PEP_Progress_SetPos> Create(void* AOwner = nullptr);

  virtual void ProgressShow(bool AModal) = 0;
  virtual void ProgressHide() = 0;
  bool Sichtbar() const { return FSichtbar; }

  // The state every progress keeps alike, kept here once; each setter tells
  // Geaendert() afterwards. The maximum is at least 0, the position lies
  // within 0 and the maximum.
  virtual void SetCaption(const std::string& ACaption);
  virtual void SetDetail(const std::string& ADetail);
  virtual void SetMax(int AMax);
  virtual void SetPos(int APos);
  virtual void SetStyle(TProgressBarStyle AStyle);
  // One step further (wraps to 0 past the maximum, as a marquee does).
  virtual void StepIt();
  int Max() const { return FMax; }
  int Pos() const { return FPos; }
  TProgressBarStyle Style() const { return FStyle; }
  const std::string& Caption() const { return FCaption; }
  const std::string& Detail() const { return FDetail; }

  // Named counter lines below the bar, e.g. ("ArtikelNr", "Artikelnummer: ")
  // showing the article being worked on. Lines appear in the order they were
  // added; SetCounter on a name never added adds it with the name as caption.
  void AddCounter(const std::string& AName, const std::string& ACaption);
  void SetCounter(const std::string& AName, const std::string& AWert);
  // The line's current value; empty for an unknown name.
  std::string Counter(const std::string& AName) const;

  struct TZaehlerZeile {
    std::string Name, Caption, Wert;
  };
  const std::vector<TZaehlerZeile>& Zaehler() const { return FZaehler; }

 protected:
  // Told after a value changed: caption, detail, style and counter lines
  // only when they differ, maximum and position at every call (the engine
  // reports often; a window lets pending events run then).
  virtual void Geaendert() {}
  void SichtbarSetzen(bool ASichtbar) { FSichtbar = ASichtbar; }

 private:
  std::vector<TZaehlerZeile> FZaehler;
  bool FSichtbar = false;
  std::string FCaption, FDetail;
  int FMax = 100;
  int FPos = 0;
  TProgressBarStyle FStyle = TProgressBarStyle::pbstNormal;
};

// The headless progress: keeps its state (so the engine's reads are real) and
// draws one line on stderr when stderr is a terminal.
class TKWDTerminalProgress : public TQLX_PEP_Progress_SetPos {
 public:
  explicit TKWDTerminalProgress(bool AAusgabe);
  ~TKWDTerminalProgress() override;
  void ProgressShow(bool AModal) override;
  void ProgressHide() override;

 protected:
  void Geaendert() override { Zeichnen(); }

 private:
  void Zeichnen();
  bool FAusgabe;
};

using TKWDProgressFabrik = std::function<std::unique_ptr<TQLX_PEP_Progress_SetPos>(void* AOwner)>;
// Replaces the factory; an empty function restores the terminal progress. Returns the old one.
TKWDProgressFabrik KWDProgressFabrikSet(TKWDProgressFabrik AFabrik);
