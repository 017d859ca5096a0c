#include "tools/common/CliDeutsch.h"

#include <map>
#include <memory>
#include <regex>
#include <sstream>

namespace {

std::string Zitat(const std::string& AText) { return "\u201E" + AText + "\u201C"; }

// The type shown beside an option: "INT:INT in [1 - 999]" becomes "ZAHL (1 bis 999)".
std::string TypText(const std::string& ATyp) {
  static const std::map<std::string, std::string> Namen{{"TEXT", "TEXT"}, {"INT", "ZAHL"}, {"UINT", "ZAHL"},
                                                        {"FLOAT", "ZAHL"}, {"NUMBER", "ZAHL"}, {"BOOLEAN", "JA/NEIN"}};
  const auto Trenner = ATyp.find(':');
  const std::string Basis = ATyp.substr(0, Trenner);
  const auto Name = Namen.find(Basis);
  std::string Text = Name != Namen.end() ? Name->second : Basis;
  static const std::regex Bereich(R"(in \[(.+) - (.+)\])");
  std::smatch Teile;
  if (Trenner != std::string::npos) {
    const std::string Rest = ATyp.substr(Trenner + 1);
    if (std::regex_search(Rest, Teile, Bereich)) Text += " (" + Teile[1].str() + " bis " + Teile[2].str() + ")";
  }
  return Text;
}

class TDeutscheHilfe : public CLI::Formatter {
 public:
  TDeutscheHilfe() {
    label("Usage", "Aufruf");
    label("OPTIONS", "OPTIONEN");
    label("SUBCOMMAND", "BEFEHL");
    label("SUBCOMMANDS", "BEFEHLE");
    label("Positionals", "Argumente");
    column_width(34);
  }

  std::string make_group(std::string AGruppe, bool APositional, std::vector<const CLI::Option*> AOptionen) const override {
    if (AGruppe == "Options") AGruppe = "Optionen";
    return CLI::Formatter::make_group(AGruppe, APositional, std::move(AOptionen));
  }

  std::string make_subcommands(const CLI::App* AApp, CLI::AppFormatMode AModus) const override {
    std::string Text = CLI::Formatter::make_subcommands(AApp, AModus);
    for (auto Pos = Text.find("\nSubcommands:\n"); Pos != std::string::npos; Pos = Text.find("\nSubcommands:\n", Pos))
      Text.replace(Pos, 14, "\nBefehle:\n");
    return Text;
  }

  std::string make_option_opts(const CLI::Option* AOpt) const override {
    if (!AOpt->get_option_text().empty()) return " " + AOpt->get_option_text();
    std::string Text;
    if (AOpt->get_type_size() != 0) {
      // An argument's own name (SCHLUESSEL, BENUTZER) already says what it takes.
      const std::string Typ = AOpt->get_type_name().empty() ? "" : TypText(AOpt->get_type_name());
      if (!Typ.empty() && !(AOpt->get_positional() && Typ == "TEXT")) Text += " " + Typ;
      if (!AOpt->get_default_str().empty()) Text += " (Vorgabe " + AOpt->get_default_str() + ")";
      if (AOpt->get_expected_max() == CLI::detail::expected_max_vector_size) Text += " ...";
      if (AOpt->get_required()) Text += " (Pflicht)";
    }
    for (const CLI::Option* Braucht : AOpt->get_needs()) Text += " (nur mit " + Braucht->get_name() + ")";
    for (const CLI::Option* Nicht : AOpt->get_excludes()) Text += " (nicht mit " + Nicht->get_name() + ")";
    return Text;
  }
};

// The deepest command the line chose.
const CLI::App& Gewaehlt(const CLI::App& AApp) {
  const CLI::App* App = &AApp;
  for (;;) {
    const auto Unter = App->get_subcommands();
    if (Unter.empty()) return *App;
    App = Unter.front();
  }
}

std::string Befehle(const CLI::App& AApp) {
  std::string Liste;
  for (const CLI::App* Unter : const_cast<CLI::App&>(AApp).get_subcommands([](CLI::App*) { return true; }))
    Liste += (Liste.empty() ? "" : ", ") + Unter->get_name();
  return Liste;
}

std::string Programmname(const CLI::App& AApp) {
  const CLI::App* App = &AApp;
  while (App->get_parent()) App = App->get_parent();
  return App->get_name();
}

// Everything after the first ": " of a CLI11 text.
std::string NachDoppelpunkt(const std::string& AText) {
  const auto Pos = AText.find(": ");
  return Pos == std::string::npos ? AText : AText.substr(Pos + 2);
}

std::string Satz(const CLI::App& AApp, const CLI::ParseError& AFehler) {
  const std::string Art = AFehler.get_name();
  const std::string Text = AFehler.what();
  std::smatch T;
  // Whatever CLI11 complains about first, a word it could not place is the
  // real mistake (an unknown option also makes a required one look missing).
  std::vector<std::string> Uebrig = AApp.remaining(true);
  if (Uebrig.empty() && Art == "ExtrasError") {
    std::istringstream Woerter(NachDoppelpunkt(Text));
    for (std::string W; Woerter >> W;) Uebrig.push_back(W);
  }
  if (!Uebrig.empty()) {
    const std::string& Erstes = Uebrig.front();
    const CLI::App& Befehl = Gewaehlt(AApp);
    if (Erstes.rfind('-', 0) == 0) {
      const std::string Wo = Befehl.get_parent() ? " beim Befehl " + Befehl.get_name() : "";
      return "Unbekannte Option " + Zitat(Erstes) + Wo + ".";
    }
    if (!const_cast<CLI::App&>(Befehl).get_subcommands([](CLI::App*) { return true; }).empty())
      return "Unbekannter Befehl " + Zitat(Erstes) + " (bekannt: " + Befehle(Befehl) + ").";
    return "Überzähliger Wert " + Zitat(Erstes) + ".";
  }
  if (Art == "RequiredError") {
    if (Text.find("subcommand") != std::string::npos) {
      const CLI::App& Befehl = Gewaehlt(AApp);
      return "Es fehlt der Befehl (" + Befehle(Befehl) + ").";
    }
    if (std::regex_match(Text, T, std::regex(R"((\S+) is required)")))
      return "Die Angabe " + T[1].str() + " fehlt.";
    return "Eine notwendige Angabe fehlt.";
  }
  if (Art == "ConversionError") {
    if (std::regex_match(Text, T, std::regex(R"(Could not convert: (\S+) = (.*))")))
      return "Der Wert " + Zitat(T[2].str()) + " für " + T[1].str() + " ist nicht lesbar.";
    if (std::regex_match(Text, T, std::regex(R"(The value (.*) is not an allowed value for (\S+))")))
      return "Der Wert " + Zitat(T[1].str()) + " ist für " + T[2].str() + " nicht erlaubt.";
    if (std::regex_match(Text, T, std::regex(R"((\S+): (too many inputs for a flag|Should be true/false or a number))")))
      return T[1].str() + " ist ein Schalter und nimmt keinen Wert.";
    return "Ein Wert ist nicht lesbar.";
  }
  if (Art == "ValidationError") {
    if (std::regex_match(Text, T, std::regex(R"((\S+): Value (.*) not in range (\S+) to (\S+))")))
      return "Der Wert " + Zitat(T[2].str()) + " für " + T[1].str() + " liegt nicht zwischen " + T[3].str() +
             " und " + T[4].str() + ".";
    if (std::regex_match(Text, T, std::regex(R"((\S+): .*)"))) return "Der Wert für " + T[1].str() + " ist ungültig.";
    return "Ein Wert ist ungültig.";
  }
  if (Art == "ArgumentMismatch") {
    if (std::regex_match(Text, T, std::regex(R"((\S+): \d+ required .* missing)")))
      return "Zu " + T[1].str() + " fehlt der Wert.";
    if (std::regex_match(Text, T, std::regex(R"(Expected (exactly|at least) (\d+) arguments to (\S+), got (\d+))")))
      return T[3].str() + " erwartet " + (T[1].str() == "exactly" ? "genau " : "mindestens ") + T[2].str() +
             " Werte, erhalten: " + T[4].str() + ".";
    if (std::regex_match(Text, T, std::regex(R"((\S+)(:| was) .*)"))) return "Falsche Zahl von Werten für " + T[1].str() + ".";
    return "Falsche Zahl von Werten.";
  }
  if (Art == "RequiresError" && std::regex_match(Text, T, std::regex(R"((\S+) requires (\S+))")))
    return T[1].str() + " geht nur zusammen mit " + T[2].str() + ".";
  if (Art == "ExcludesError" && std::regex_match(Text, T, std::regex(R"((\S+) excludes (\S+))")))
    return T[1].str() + " und " + T[2].str() + " schließen sich aus.";
  return "Der Aufruf ist fehlerhaft.";
}

}  // namespace

void CliDeutschEinrichten(CLI::App& AApp, const std::string& AFusszeile) {
  AApp.formatter(std::make_shared<TDeutscheHilfe>());
  AApp.set_help_flag("-h,--help", "Diese Hilfe zeigen");
  if (!AFusszeile.empty()) AApp.footer(AFusszeile);
}

std::string CliFehlerText(const CLI::App& AApp, const CLI::ParseError& AFehler) {
  return "Der Aufruf ist fehlerhaft: " + Satz(AApp, AFehler) + " Hilfe: " + Programmname(AApp) + " --help";
}
