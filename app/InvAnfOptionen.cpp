#include "app/InvAnfOptionen.h"

#include <QCommandLineParser>
#include <QStringList>

#include "support/types/KWDUtf8.h"
#include "widgets/KWDVersion.h"

namespace {
std::string Zitat(const QString& AText) { return "\u201E" + AText.toStdString() + "\u201C"; }
const std::string KHilfeVerweis = " Hilfe: invanf --help";
const std::string KDbOhneWert =
    "Die Option --db braucht einen Wert: den Pfad einer SQLite-Datei oder eine postgresql://-Adresse.";

// The option the parser refused, as it was given ("-platform", "--firma=ja"):
// the first that is unknown or carries a value it takes none of. Empty when
// none is: then --db, the only option with a value, ended the line without one.
QString Abgelehnt(const QCommandLineParser& AParser, const QStringList& AArgumente) {
  for (const QString& A : AArgumente.mid(1)) {
    if (A == QLatin1String("--")) break;
    if (A.size() < 2 || !A.startsWith(QLatin1Char('-'))) continue;
    const QString Name = A.mid(A.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
    if (AParser.unknownOptionNames().contains(Name) || (A.contains(QLatin1Char('=')) && Name != QLatin1String("db")))
      return A;
  }
  return {};
}
}  // namespace

TInvAnfOptionen InvAnfOptionenLesen(int AArgc, const char* const* AArgv) {
  TInvAnfOptionen Opt;
  auto Ablehnen = [&Opt](const std::string& ASatz) {
    Opt.Fehler = "invanf: " + ASatz + KHilfeVerweis;
    return Opt;
  };
  // Bytes that are no UTF-8 would reach the company changed.
  if (const std::string Fehler = KWDUtf8AngabeFehler(AArgc, AArgv); !Fehler.empty()) return Ablehnen(Fehler);
  QStringList Argumente{QStringLiteral("invanf")};
  for (int I = 1; I < AArgc; ++I) Argumente << QString::fromUtf8(AArgv[I] ? AArgv[I] : "");

  QCommandLineParser Parser;
  // "-platform" is one unknown option (Qt's own), not eight letters.
  Parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption Hilfe(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption Version(QStringList{QStringLiteral("V"), QStringLiteral("version")});
  const QCommandLineOption Firma(QStringLiteral("firma"));
  const QCommandLineOption Demo(QStringLiteral("demo"));
  const QCommandLineOption Db(QStringLiteral("db"), QString(), QStringLiteral("ORT"));
  Parser.addOptions({Hilfe, Version, Firma, Demo, Db});
  if (!Parser.parse(Argumente)) {
    const QString Option = Abgelehnt(Parser, Argumente);
    return Ablehnen(Option.isEmpty() ? KDbOhneWert : "Unbekannte Option " + Zitat(Option) + ".");
  }
  const QStringList Orte = Parser.values(Db);
  if (!Parser.positionalArguments().isEmpty())
    return Ablehnen("Unerwartetes Argument " + Zitat(Parser.positionalArguments().front()) +
                    " (invanf nimmt nur Optionen).");
  if (Orte.contains(QString())) return Ablehnen(KDbOhneWert);
  if (Orte.size() > 1) return Ablehnen("Die Option --db darf nur einmal angegeben werden.");
  if (Parser.isSet(Demo) && Parser.isSet(Db)) return Ablehnen("Die Optionen --demo und --db schließen einander aus.");
  Opt.Hilfe = Parser.isSet(Hilfe);
  Opt.Version = Parser.isSet(Version);
  Opt.Firma = Parser.isSet(Firma);
  Opt.Demo = Parser.isSet(Demo);
  if (!Orte.isEmpty()) Opt.Db = Orte.front().toStdString();
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
