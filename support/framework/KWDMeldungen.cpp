#include "support/framework/KWDMeldungen.h"

#include <cctype>
#include <map>
#include <mutex>
#include <utility>

namespace {
using TSchluessel = std::pair<std::string, int>;

const std::map<TSchluessel, std::string>& Katalog() {
  static const std::map<TSchluessel, std::string> K = {
      {{"STANDARD", 997}, "%s"},
      {{"INVANF", 1001},
       "Das Zähldatum liegt vor dem Beginn des Wirtschaftsjahres.\nBitte geben Sie ein Datum innerhalb des "
       "Wirtschaftsjahres ein."},
      {{"INVANF", 1002},
       "Das Zähldatum liegt in der Vergangenheit.\nBitte geben Sie das heutige oder ein späteres Datum ein."},
      {{"INVANF", 1003},
       "Bitte markieren oder wählen Sie zuerst die Inventur aus, deren Inventuraufnahmeliste gedruckt werden soll."},
      {{"INVANF", 1004}, "Bitte wählen Sie ein Wirtschaftsjahr aus der Liste aus."},
      {{"INVANF", 1005},
       "Die Inventuranforderung für %s in Filiale %s zum Zähldatum %s konnte nicht angelegt werden: Für dieses "
       "Zähldatum, diese Warengruppe und diese Filiale besteht bereits eine Inventur, oder die Anforderung ist nicht "
       "zulässig.\nSie wird übersprungen."},
      {{"INVANF", 1006}, "Die Inventuranforderung wurde nicht mehr gefunden. Bitte aktualisieren Sie die Liste."},
      {{"INVANF", 1007},
       "Möchten Sie die Inventur vom %2:s für %3:s in Filiale %1:s mit ihrem gebuchten Sollbestand wirklich "
       "löschen?"},
      {{"INVANF", 1008}, "Die Inventuranforderungen konnten nicht vollständig bearbeitet werden."},
      {{"INVANF", 1009},
       "Einige Artikel wurden von anderen Programmen gesperrt und konnten nicht bearbeitet werden."},
      {{"INVANF", 1010},
       "Das Datum liegt mehr als zwei Monate nach dem Ende des Wirtschaftsjahres.\nMöchten Sie trotzdem eine "
       "Inventur in diesem Wirtschaftsjahr anlegen?"},
      {{"INVANF", 1011}, "Bitte wählen Sie mindestens eine Filiale aus."},
      {{"INVANF", 1012},
       "Die Warengruppe ist ungültig.\nErlaubt sind: leer (alle Warengruppen), ein einzelnes Zeichen, * (die "
       "Warengruppen 0 bis 9) oder eine ganze Zahl mit höchstens 9 Zeichen, z. B. 12 oder 105 – ohne Leer- und "
       "Steuerzeichen."},
      {{"INVANF", 1013}, "Möchten Sie die %s markierten Inventuren mit ihrem gebuchten Sollbestand wirklich löschen?"},
      {{"INVANF", 1014}, "Bitte markieren oder wählen Sie zuerst die Inventur aus, die gelöscht werden soll."},
      {{"INVANF", 1015},
       "Filialen mit und ohne Lagerverwaltung (LV) können nicht gemeinsam angefordert werden.\nBitte wählen Sie "
       "nur Filialen einer Art aus."},
      {{"INVANF", 1016},
       "Alle gewählten Filialen arbeiten mit Lagerverwaltung (LV).\nMöchten Sie die Inventur trotzdem anfordern?"},
      {{"INVANF", 1017},
       "Der Zähltag der Inventur vom %2:s für %3:s in Filiale %4:s ist vorbei. %0:s von %1:s Artikeln haben "
       "bereits einen Sollbestand.\nMöchten Sie die Inventur trotzdem vervollständigen?"},
      {{"INVANF", 1018},
       "Es gibt noch Inventuren, die nicht abgeschlossen sind.\nMöchten Sie das Fenster trotzdem schließen?"},
      {{"INVANF", 1019}, "Die Inventuren wurden angelegt.\nMöchten Sie sie jetzt gleich vervollständigen?"},
  };
  return K;
}

std::mutex GMutex;
TKWDMeldungQuelle GQuelle;
}  // namespace

std::optional<std::string> KWDMeldungVorlageIntern(const std::string& AGruppe, int ANr) {
  const auto It = Katalog().find({AGruppe, ANr});
  if (It == Katalog().end()) return std::nullopt;
  return It->second;
}

TKWDMeldungQuelle KWDMeldungQuelleSet(TKWDMeldungQuelle AQuelle) {
  std::lock_guard Sperre(GMutex);
  auto Alt = std::move(GQuelle);
  GQuelle = std::move(AQuelle);
  return Alt;
}

std::string KWDMeldungEinsetzen(const std::string& AVorlage, const std::vector<std::string>& AArgs) {
  std::string Text;
  std::size_t Naechstes = 0;
  for (std::size_t I = 0; I < AVorlage.size(); ++I) {
    if (AVorlage[I] == '%' && I + 1 < AVorlage.size()) {
      if (AVorlage[I + 1] == 's') {
        if (Naechstes < AArgs.size()) Text += AArgs[Naechstes];
        ++Naechstes;
        ++I;
        continue;
      }
      // "%2:s": the argument of that index, as the suite's format has it; a
      // following "%s" takes the one after it.
      std::size_t Ende = I + 1;
      std::size_t Index = 0;
      while (Ende < AVorlage.size() && Ende < I + 4 && std::isdigit(static_cast<unsigned char>(AVorlage[Ende])))
        Index = Index * 10 + static_cast<std::size_t>(AVorlage[Ende++] - '0');
      if (Ende > I + 1 && Ende + 1 < AVorlage.size() && AVorlage[Ende] == ':' && AVorlage[Ende + 1] == 's') {
        if (Index < AArgs.size()) Text += AArgs[Index];
        Naechstes = Index + 1;
        I = Ende + 1;
        continue;
      }
      if (AVorlage[I + 1] == '%') {
        Text += '%';
        ++I;
        continue;
      }
    }
    Text += AVorlage[I];
  }
  return Text;
}

std::string KWDMeldungText(const std::string& AGruppe, int ANr, const std::vector<std::string>& AArgs) {
  TKWDMeldungQuelle Quelle;
  {
    std::lock_guard Sperre(GMutex);
    Quelle = GQuelle;
  }
  std::optional<std::string> Vorlage;
  if (Quelle) Vorlage = Quelle(AGruppe, ANr);
  if (!Vorlage) Vorlage = KWDMeldungVorlageIntern(AGruppe, ANr);
  if (Vorlage) return KWDMeldungEinsetzen(*Vorlage, AArgs);
  std::string Text = "Meldung " + AGruppe + " " + std::to_string(ANr);
  for (std::size_t I = 0; I < AArgs.size(); ++I) Text += (I == 0 ? ": " : ", ") + AArgs[I];
  return Text;
}
