#pragma once
// How numbered messages reach the user: a replaceable presenter.
#include <memory>
#include <string>
#include <vector>

// Kinds of ShowMeldung.
inline constexpr int KWD_MB_HINWEIS = 0;     // notice, one button
inline constexpr int KWD_MB_JANEIN = 4;      // question, Yes / No
inline constexpr int KWD_MB_SCHLIESSEN = 35; // close question: Yes / No / Cancel

// Modal results (the suite's values).
inline constexpr int KWD_MR_NONE = 0;
inline constexpr int KWD_MR_OK = 1;
inline constexpr int KWD_MR_CANCEL = 2;
inline constexpr int KWD_MR_YES = 6;
inline constexpr int KWD_MR_NO = 7;

struct TKWDMeldung {
  int Art = KWD_MB_HINWEIS;
  std::string Gruppe;  // "INVANF", "STANDARD"; "FEHLER" for registered errors
  int Nr = 0;
  std::vector<std::string> Argumente;
  std::string Text;        // the finished text, arguments substituted
  // The technical side of a fault (where it happened, the server's or the
  // system's own words): a message box shows it on demand, never in Text.
  std::string Details;
  void* Owner = nullptr;   // owner window (a QWidget* in the application), may be null
  // The answer of the button Enter presses; KWD_MR_NONE: the first button.
  // A question whose "Ja" deletes or leaves work out defaults to KWD_MR_NO.
  int Standard = KWD_MR_NONE;
};

class TKWDMeldungPresenter {
 public:
  virtual ~TKWDMeldungPresenter() = default;
  // Shows the message modally and returns a KWD_MR_* result.
  virtual int Zeigen(const TKWDMeldung& AMeldung) = 0;
};

// Headless default: writes the message to stderr and answers from the setting
// WWS_ANTWORT ("ja"/"yes"/"6": Yes; "abbrechen"/"cancel"/"2": Cancel);
// otherwise a question is answered No and a notice Ok.
class TKWDStderrPresenter : public TKWDMeldungPresenter {
 public:
  int Zeigen(const TKWDMeldung& AMeldung) override;
};

// Replaces the presenter; nullptr restores the headless default. Returns the
// previous one.
std::shared_ptr<TKWDMeldungPresenter> KWDMeldungPresenterSet(std::shared_ptr<TKWDMeldungPresenter> APresenter);
std::shared_ptr<TKWDMeldungPresenter> KWDMeldungPresenter();
