#include "app/FirmaOrt.h"

#include <QUrl>
#include <QUrlQuery>
#include <filesystem>

#include "support/db/TDbPostgres.h"

namespace {

QString Q(const std::string& AText) { return QString::fromStdString(AText); }
std::string S(const QString& AText) { return AText.toStdString(); }
QByteArray Kodiert(const std::string& AText) { return QUrl::toPercentEncoding(Q(AText)); }

}  // namespace

bool IstServerOrt(const std::string& AOrt) {
  return AOrt.starts_with("postgresql://") || AOrt.starts_with("postgres://");
}

std::string PgUri(const TPgZiel& AZiel, const std::string& AKennwort) {
  const bool Socket = !AZiel.Host.empty() && AZiel.Host.front() == '/';
  QByteArray Uri = "postgresql://";
  if (!AZiel.Benutzer.empty()) Uri += Kodiert(AZiel.Benutzer) + "@";
  if (!Socket) {
    // An IPv6 address stands in brackets.
    const bool V6 = AZiel.Host.find(':') != std::string::npos;
    Uri += V6 ? "[" + QByteArray::fromStdString(AZiel.Host) + "]" : Kodiert(AZiel.Host);
  }
  if (!AZiel.Port.empty()) Uri += ":" + Kodiert(AZiel.Port);
  Uri += "/" + Kodiert(AZiel.Datenbank);
  QByteArrayList Parameter;
  if (Socket) Parameter << "host=" + Kodiert(AZiel.Host);
  if (!AKennwort.empty()) Parameter << "password=" + Kodiert(AKennwort);
  if (!Parameter.isEmpty()) Uri += "?" + Parameter.join('&');
  return Uri.toStdString();
}

std::string MitZeitgrenze(const std::string& AUri, int ASekunden) {
  return AUri + (AUri.find('?') == std::string::npos ? "?" : "&") + "connect_timeout=" + std::to_string(ASekunden);
}

std::optional<TPgZiel> PgZielLesen(const std::string& AOrt) {
  if (!IstServerOrt(AOrt)) return std::nullopt;
  const QUrl Url(Q(AOrt), QUrl::StrictMode);
  if (!Url.isValid()) return std::nullopt;
  TPgZiel Ziel;
  Ziel.Host = S(Url.host(QUrl::FullyDecoded));
  Ziel.Port = Url.port() > 0 ? std::to_string(Url.port()) : "5432";
  Ziel.Benutzer = S(Url.userName(QUrl::FullyDecoded));
  Ziel.Datenbank = S(Url.path(QUrl::FullyDecoded)).substr(Url.path().startsWith('/') ? 1 : 0);
  const QUrlQuery Parameter(Url);
  for (const auto& [Name, Wert] : Parameter.queryItems(QUrl::FullyDecoded)) {
    if (Name == QLatin1String("host")) Ziel.Host = S(Wert);
    if (Name == QLatin1String("port")) Ziel.Port = S(Wert);
    if (Name == QLatin1String("dbname")) Ziel.Datenbank = S(Wert);
    if (Name == QLatin1String("user")) Ziel.Benutzer = S(Wert);
  }
  return Ziel;
}

std::string OhneKennwort(const std::string& AOrt) {
  if (!IstServerOrt(AOrt)) return AOrt;
  QUrl Url(Q(AOrt));
  if (!Url.isValid()) return AOrt;
  Url.setPassword({});
  QUrlQuery Parameter(Url);
  Parameter.removeAllQueryItems(QStringLiteral("password"));
  Url.setQuery(Parameter);
  return S(Url.toString(QUrl::FullyEncoded));
}

TFirmaBeschreibung FirmaBeschreiben(const std::string& AOrt) {
  TFirmaBeschreibung B;
  if (const auto Ziel = PgZielLesen(AOrt)) {
    B.Name = Ziel->Datenbank.empty() ? Ziel->Benutzer : Ziel->Datenbank;
    B.Art = "PostgreSQL-Server";
    B.Ort = (Ziel->Benutzer.empty() ? "" : Ziel->Benutzer + "@") + PgServerAnzeige(Ziel->Host, Ziel->Port) + "/" +
            Ziel->Datenbank;
    return B;
  }
  B.Name = std::filesystem::path(AOrt).stem().string();
  B.Art = "SQLite-Datei";
  B.Ort = AOrt;
  return B;
}
