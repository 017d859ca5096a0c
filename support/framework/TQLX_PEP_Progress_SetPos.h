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
  virtual void SetCaption(const std::string& ACaption) = 0;
  virtual void SetDetail(const std::string& ADetail) = 0;
  virtual void SetMax(int AMax) = 0;
  virtual void SetPos(int APos) = 0;
  virtual int Max() const = 0;
  virtual int Pos() const = 0;
  virtual void SetStyle(TProgressBarStyle AStyle) = 0;
  virtual TProgressBarStyle Style() const = 0;
  // One step further (wraps to 0 past the maximum, as a marquee does).
  virtual void StepIt() = 0;
  virtual bool Sichtbar() const = 0;

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
  // Told after line AIndex of Zaehler() was added or changed.
  virtual void ZaehlerGeaendert(std::size_t AIndex) { (void)AIndex; }

 private:
  std::vector<TZaehlerZeile> FZaehler;
};

// The headless progress: keeps its state (so the engine's reads are real) and
// draws one line on stderr when stderr is a terminal.
class TKWDTerminalProgress : public TQLX_PEP_Progress_SetPos {
 public:
  explicit TKWDTerminalProgress(bool AAusgabe);
  ~TKWDTerminalProgress() override;
  void ProgressShow(bool AModal) override;
  void ProgressHide() override;
  void SetCaption(const std::string& ACaption) override;
  void SetDetail(const std::string& ADetail) override;
  void SetMax(int AMax) override;
  void SetPos(int APos) override;
  int Max() const override { return FMax; }
  int Pos() const override { return FPos; }
  void SetStyle(TProgressBarStyle AStyle) override;
  TProgressBarStyle Style() const override { return FStyle; }
  void StepIt() override;
  bool Sichtbar() const override { return FSichtbar; }
  const std::string& Caption() const { return FCaption; }
  const std::string& Detail() const { return FDetail; }

 protected:
  void ZaehlerGeaendert(std::size_t AIndex) override;

 private:
  void Zeichnen();
  bool FAusgabe;
  bool FSichtbar = false;
  std::string FCaption, FDetail;
  int FMax = 100;
  int FPos = 0;
  TProgressBarStyle FStyle = TProgressBarStyle::pbstNormal;
};

using TKWDProgressFabrik = std::function<std::unique_ptr<TQLX_PEP_Progress_SetPos>(void* AOwner)>;
// Replaces the factory; an empty function restores the terminal progress. Returns the old one.
TKWDProgressFabrik KWDProgressFabrikSet(TKWDProgressFabrik AFabrik);
