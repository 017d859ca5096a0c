#include "app/InvAnfOptionen.h"

#include "widgets/KWDVersion.h"

namespace {
std::string Zitat(const std::string& AText) { return "\u201E" + AText + "\u201C"; }
const std::string KHilfeVerweis = " Hilfe: invanf --help";
}  // namespace

TInvAnfOptionen InvAnfOptionenLesen(int AArgc, const char* const* AArgv) {
  TInvAnfOptionen Opt;
  auto Ablehnen = [&Opt](const std::string& ASatz) {
    if (Opt.Fehler.empty()) Opt.Fehler = "invanf: " + ASatz + KHilfeVerweis;
  };
  for (int I = 1; I < AArgc && Opt.Fehler.empty(); ++I) {
    const std::string Arg = AArgv[I] ? AArgv[I] : "";
    if (Arg == "-h" || Arg == "--help") {
      Opt.Hilfe = true;
    } else if (Arg == "-V" || Arg == "--version") {
      Opt.Version = true;
    } else if (Arg == "--firma") {
      Opt.Firma = true;
    } else if (Arg == "--demo") {
      Opt.Demo = true;
    } else if (Arg == "--db" || Arg.starts_with("--db=")) {
      std::string Wert;
      if (Arg == "--db") {
        if (I + 1 >= AArgc) {
          Ablehnen("Die Option --db braucht einen Wert: den Pfad einer SQLite-Datei oder eine postgresql://-Adresse.");
          break;
        }
        Wert = AArgv[++I];
      } else {
        Wert = Arg.substr(5);
      }
      if (Wert.empty()) Ablehnen("Die Option --db braucht einen Wert: den Pfad einer SQLite-Datei oder eine postgresql://-Adresse.");
      else if (Opt.Db) Ablehnen("Die Option --db darf nur einmal angegeben werden.");
      else Opt.Db = Wert;
    } else if (Arg.starts_with("-")) {
      Ablehnen("Unbekannte Option " + Zitat(Arg) + ".");
    } else {
      Ablehnen("Unerwartetes Argument " + Zitat(Arg) + " (invanf nimmt nur Optionen).");
    }
  }
  if (Opt.Demo && Opt.Db) Ablehnen("Die Optionen --demo und --db schließen einander aus.");
  return Opt;
}

std::string InvAnfHilfe() {
  return "Aufruf: invanf [OPTION]...\n"
         "Inventuranforderungen der Warenwirtschaft: die Inventuren eines Wirtschaftsjahres anlegen,\n"
         "vervollständigen, drucken und löschen.\n"
         "\n"
         "Die Firma kommt aus --db, sonst aus der Umgebungsvariablen WWS_DB, sonst aus der Einstellung\n"
         "WWS_DB in ~/.config/wws/wws.ini. Ist keine eingestellt oder lässt sie sich nicht öffnen, zeigt\n"
         "das Programm das Fenster \u201EFirma wählen\u201C: zuletzt benutzte Firmen, eine SQLite-Datei, ein\n"
         "PostgreSQL-Server oder eine neue Demofirma. Die Wahl gilt auch für die nächsten Starts.\n"
         "\n"
         "Optionen:\n"
         "      --db ORT       die Firma ORT nur für diesen Aufruf öffnen: Pfad einer SQLite-Datei\n"
         "                     oder postgresql://-Adresse (das Kennwort steht in ~/.pgpass)\n"
         "      --demo         die Demofirma ~/.local/share/wws/demo.db nur für diesen Aufruf öffnen;\n"
         "                     fehlt sie, wird sie zuerst angelegt\n"
         "      --firma        zuerst das Fenster \u201EFirma wählen\u201C zeigen\n"
         "  -h, --help         diese Hilfe zeigen und beenden\n"
         "  -V, --version      die Programmversion zeigen und beenden\n"
         "\n"
         "Rückgabewerte: 0 beendet, 1 keine grafische Anzeige oder die Firma lässt sich nicht öffnen,\n"
         "2 Aufruf abgelehnt oder keine Berechtigung für das Modul.\n";
}

std::string InvAnfVersion() {
  std::string Text = std::string("invanf (Inventuranforderungen) ") + KWD_PROGRAMM_VERSION + "\n";
  if (*KWD_PROGRAMM_STAND) Text += std::string("Stand ") + KWD_PROGRAMM_STAND + "\n";
  return Text;
}
