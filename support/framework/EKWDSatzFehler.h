#pragma once
// A failure told in two parts: one German sentence a user can act on, and
// the technical text (the server's, a library's or the system's words, raw
// line breaks and all) for the log and a message box's details. The user
// never reads the technical text behind the sentence.
#include <stdexcept>
#include <string>

// The base of every exception that carries both parts. what() is the
// sentence; without one, the technical text.
class EKWDSatzFehler : public std::runtime_error {
 public:
  explicit EKWDSatzFehler(const std::string& ASatz, std::string ATechnisch = {});
  // The sentence for the user, empty when the failure has none of its own.
  const std::string& Satz() const { return FSatz; }
  const std::string& Technisch() const { return FTechnisch; }
  // What a user reads when there is no sentence of its own.
  virtual std::string ErsatzSatz() const { return "Es ist ein Fehler aufgetreten."; }

 private:
  std::string FSatz;
  std::string FTechnisch;
};

struct TKWDFehlerTeile {
  std::string Satz;       // never empty
  std::string Technisch;  // may be empty
};

// The two parts of any exception: an EKWDSatzFehler gives its own; memory
// and system failures get a German sentence with the library's text as the
// technical part; any other exception's what() is the sentence (the
// program's own exceptions are German sentences).
TKWDFehlerTeile KWDFehlerTeile(const std::exception& AE);

// One log entry's text for both parts.
std::string KWDFehlerLogText(const TKWDFehlerTeile& ATeile);
