#include "support/db/TDbPgAnmeldung.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>

#include "support/db/EDbError.h"
#include "support/db/TDbPostgres.h"

namespace {

std::string Zitat(const std::string& AText) { return "\u201E" + AText + "\u201C"; }

// The options as given (AUri parsed alone) or as used (a connection's).
std::map<std::string, std::string> Optionen(PQconninfoOption* AListe) {
  std::map<std::string, std::string> Werte;
  for (const PQconninfoOption* O = AListe; O && O->keyword; ++O)
    if (O->val && *O->val) Werte[O->keyword] = O->val;
  PQconninfoFree(AListe);
  return Werte;
}

std::map<std::string, std::string> Angegeben(const std::string& AUri) {
  char* Fehler = nullptr;
  PQconninfoOption* Liste = PQconninfoParse(AUri.c_str(), &Fehler);
  PQfreemem(Fehler);
  return Optionen(Liste);
}

// connect_timeout as libpq reads it: none, or at least two seconds.
int Zeitgrenze(PGconn* AConn) {
  const auto Werte = Optionen(PQconninfo(AConn));
  const auto It = Werte.find("connect_timeout");
  const int Sekunden = It == Werte.end() ? 0 : std::atoi(It->second.c_str());
  return Sekunden <= 0 ? 0 : std::max(Sekunden, 2);
}

// The SQLSTATE a server refused the connection with. libpq's verbose form
// puts it between the severity and the text ("FATAL:  3D000: ..."), in
// every language; the last one counts (several hosts may have been tried).
std::string ServerZustand(const std::string& ATechnisch) {
  std::string Zustand;
  for (size_t P = ATechnisch.find(":  "); P != std::string::npos; P = ATechnisch.find(":  ", P + 1)) {
    const size_t A = P + 3;
    if (A + 7 > ATechnisch.size() || ATechnisch.compare(A + 5, 2, ": ") != 0) continue;
    if (std::all_of(ATechnisch.begin() + static_cast<long>(A), ATechnisch.begin() + static_cast<long>(A + 5),
                    [](char C) { return std::isdigit(static_cast<unsigned char>(C)) || (C >= 'A' && C <= 'Z'); }))
      Zustand = ATechnisch.substr(A, 5);
  }
  return Zustand;
}

// What a second look at the server's address finds where no server answered.
enum class TNetz { Antwortet, NameUnbekannt, OhneNamensdienst, KeinSocket, Abgewiesen, Stumm };

// 0 when a connection to AAdresse is accepted within AMs, else the socket's error number.
int Anklopfen(const sockaddr* AAdresse, socklen_t ALaenge, int AFamilie, int AMs) {
  const int S = ::socket(AFamilie, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (S < 0) return errno;
  int Fehler = ::connect(S, AAdresse, ALaenge) == 0 ? 0 : errno;
  if (Fehler == EINPROGRESS) {
    pollfd P{S, POLLOUT, 0};
    socklen_t Laenge = sizeof Fehler;
    if (::poll(&P, 1, AMs) <= 0 || ::getsockopt(S, SOL_SOCKET, SO_ERROR, &Fehler, &Laenge) != 0) Fehler = ETIMEDOUT;
  }
  ::close(S);
  return Fehler;
}

TNetz NetzPruefen(const std::string& AHost, const std::string& APort, int AMs) {
  if (AHost.empty() || AHost.front() == '/') {
    sockaddr_un Adresse{};
    Adresse.sun_family = AF_UNIX;
    const std::string Pfad = AHost + "/.s.PGSQL." + APort;
    if (Pfad.size() >= sizeof Adresse.sun_path) return TNetz::KeinSocket;
    std::memcpy(Adresse.sun_path, Pfad.c_str(), Pfad.size() + 1);
    const int Fehler = Anklopfen(reinterpret_cast<const sockaddr*>(&Adresse), sizeof Adresse, AF_UNIX, AMs);
    if (Fehler == 0) return TNetz::Antwortet;
    return Fehler == ENOENT ? TNetz::KeinSocket : Fehler == ECONNREFUSED ? TNetz::Abgewiesen : TNetz::Stumm;
  }
  addrinfo Wunsch{};
  Wunsch.ai_family = AF_UNSPEC;
  Wunsch.ai_socktype = SOCK_STREAM;
  addrinfo* Liste = nullptr;
  switch (::getaddrinfo(AHost.c_str(), APort.c_str(), &Wunsch, &Liste)) {
    case 0: break;
    case EAI_NONAME:
    case EAI_NODATA:
    case EAI_FAIL:
    case EAI_ADDRFAMILY: return TNetz::NameUnbekannt;
    case EAI_AGAIN: return TNetz::OhneNamensdienst;
    default: return TNetz::Stumm;
  }
  TNetz Ergebnis = TNetz::Stumm;
  for (const addrinfo* A = Liste; A && Ergebnis != TNetz::Antwortet; A = A->ai_next) {
    const int Fehler = Anklopfen(A->ai_addr, A->ai_addrlen, A->ai_family, AMs);
    if (Fehler == 0) Ergebnis = TNetz::Antwortet;
    if (Fehler == ECONNREFUSED) Ergebnis = TNetz::Abgewiesen;
  }
  ::freeaddrinfo(Liste);
  return Ergebnis;
}

std::string Wert(const std::map<std::string, std::string>& AWerte, const char* AName) {
  const auto It = AWerte.find(AName);
  return It == AWerte.end() ? std::string() : It->second;
}

struct TZiel {
  std::string Host, Port, Db, Benutzer;
  std::string Server;  // as the user reads it, quoted
  bool KennwortAngegeben = false;
};

TZiel ZielLesen(PGconn* AConn, const std::string& AUri) {
  const auto Uri = Angegeben(AUri);
  TZiel Z;
  Z.Host = PQhost(AConn) ? PQhost(AConn) : "";
  Z.Port = PQport(AConn) && *PQport(AConn) ? PQport(AConn) : "5432";
  Z.Db = PQdb(AConn) ? PQdb(AConn) : "";
  Z.Benutzer = PQuser(AConn) ? PQuser(AConn) : "";
  Z.Server = Zitat(PgServerVon(AConn, AUri));
  Z.KennwortAngegeben = !Wert(Uri, "password").empty() || std::getenv("PGPASSWORD");
  return Z;
}

std::string Satz(PGconn* AConn, const TZiel& Z, const std::string& AZustand, bool AZeitUeberschritten,
                 int ASekunden) {
  if (PQconnectionNeedsPassword(AConn))
    return "Der Datenbankserver " + Z.Server + " verlangt für " + Zitat(Z.Benutzer) +
           " ein Kennwort; es wurde keines angegeben, und in ~/.pgpass ist keines gespeichert.";
  if (AZustand == "28P01")
    return "Die Anmeldung als " + Zitat(Z.Benutzer) + " am Datenbankserver " + Z.Server +
           " ist fehlgeschlagen: das Kennwort ist falsch (oder den Benutzer gibt es dort nicht)." +
           (Z.KennwortAngegeben ? "" : " Es ist das in ~/.pgpass gespeicherte Kennwort.");
  if (AZustand == "3D000")
    return "Die Firmendatenbank " + Zitat(Z.Db) + " gibt es auf dem Datenbankserver " + Z.Server + " nicht.";
  if (AZustand == "28000")
    return "Der Datenbankserver " + Z.Server + " weist die Anmeldung als " + Zitat(Z.Benutzer) + " an der Datenbank " +
           Zitat(Z.Db) + " ab: in seiner pg_hba.conf steht kein passender Eintrag für diesen Rechner, oder den "
           "Benutzer gibt es dort nicht.";
  if (AZustand == "42501")
    return "Der Benutzer " + Zitat(Z.Benutzer) + " darf die Datenbank " + Zitat(Z.Db) + " auf dem Datenbankserver " +
           Z.Server + " nicht öffnen (ihm fehlt das Recht CONNECT).";
  if (AZustand == "57P03")
    return "Der Datenbankserver " + Z.Server +
           " startet gerade oder wird beendet und nimmt keine Verbindungen an. Bitte gleich erneut versuchen.";
  if (!AZustand.empty()) {
    if (const std::string Ursache = EDbError("", 0, AZustand).Ursache(); !Ursache.empty()) return Ursache + ".";
  } else if (AZeitUeberschritten) {
    return "Der Datenbankserver " + Z.Server + " antwortet nicht (keine Antwort in " + std::to_string(ASekunden) +
           " Sekunden): stimmen Name und Port, und lässt das Netz die Verbindung durch?";
  } else {
    switch (NetzPruefen(Z.Host, Z.Port, ASekunden > 0 ? std::min(ASekunden, 5) * 1000 : 5000)) {
      case TNetz::NameUnbekannt: return "Den Datenbankserver " + Zitat(Z.Host) + " gibt es nicht: sein Name ist unbekannt.";
      case TNetz::OhneNamensdienst:
        return "Der Name des Datenbankservers " + Zitat(Z.Host) +
               " lässt sich nicht auflösen: der Namensdienst (DNS) antwortet nicht.";
      case TNetz::KeinSocket:
        return "Der Datenbankserver " + Z.Server +
               " ist nicht erreichbar: auf diesem Rechner wartet dort kein PostgreSQL-Server auf Verbindungen.";
      case TNetz::Abgewiesen:
        return "Der Datenbankserver " + Z.Server +
               " ist nicht erreichbar: er weist die Verbindung ab (läuft dort PostgreSQL, und stimmt der Port?).";
      case TNetz::Stumm:
        return "Der Datenbankserver " + Z.Server +
               " ist nicht erreichbar: er antwortet nicht (stimmen Name und Port, und lässt das Netz die Verbindung "
               "durch?).";
      case TNetz::Antwortet: break;
    }
  }
  return "Die Firmendatenbank " + Zitat(Z.Db) + " auf dem Datenbankserver " + Z.Server + " kann nicht geöffnet werden.";
}

}  // namespace

std::string PgServerAnzeige(const std::string& AHost, const std::string& APort) {
  const std::string Port = APort.empty() ? "5432" : APort;
  if (AHost.empty()) return "lokal (Socket, Port " + Port + ")";
  if (AHost.front() == '/') return "lokal (Socket in " + AHost + ", Port " + Port + ")";
  return (AHost.find(':') != std::string::npos ? "[" + AHost + "]" : AHost) + ":" + Port;
}

std::string PgServerVon(PGconn* AConn, const std::string& AUri) {
  const auto Uri = Angegeben(AUri);
  // Without a host libpq names its default socket folder; the user gave none.
  const bool HostGenannt = !Wert(Uri, "host").empty() || !Wert(Uri, "hostaddr").empty() || std::getenv("PGHOST") ||
                           std::getenv("PGHOSTADDR");
  return PgServerAnzeige(HostGenannt && PQhost(AConn) ? PQhost(AConn) : "", PQport(AConn) ? PQport(AConn) : "");
}

PGconn* PgAnmelden(const std::string& AUri) {
  PGconn* Conn = PQconnectStart(AUri.c_str());
  if (!Conn) throw ECompanyDbError("Für die Verbindung zum Datenbankserver fehlt der Speicher.");
  // Only for the connection's own failure: later statements' texts stay as they were.
  PQsetErrorVerbosity(Conn, PQERRORS_VERBOSE);
  const int Sekunden = Zeitgrenze(Conn);
  const auto Ende = std::chrono::steady_clock::now() + std::chrono::seconds(Sekunden);
  bool ZeitUeberschritten = false;
  PostgresPollingStatusType Stand = PGRES_POLLING_WRITING;  // as libpq asks before the first poll
  while (PQstatus(Conn) != CONNECTION_BAD && Stand != PGRES_POLLING_OK && Stand != PGRES_POLLING_FAILED) {
    pollfd P{PQsocket(Conn), static_cast<short>(Stand == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
    const auto Rest = std::chrono::duration_cast<std::chrono::milliseconds>(Ende - std::chrono::steady_clock::now());
    const int Bereit = ::poll(&P, 1, Sekunden ? static_cast<int>(std::max<int64_t>(Rest.count(), 0)) : -1);
    if (Bereit < 0 && errno == EINTR) continue;
    if (Bereit == 0) {
      ZeitUeberschritten = true;
      break;
    }
    Stand = PQconnectPoll(Conn);
  }
  if (PQstatus(Conn) == CONNECTION_OK) {
    PQsetErrorVerbosity(Conn, PQERRORS_DEFAULT);
    return Conn;
  }
  std::string Technisch = PQerrorMessage(Conn);
  Technisch.erase(Technisch.find_last_not_of(" \n\r\t") + 1);
  if (ZeitUeberschritten) Technisch += (Technisch.empty() ? "" : "\n") + std::string("connect_timeout=") +
                                       std::to_string(Sekunden) + " überschritten";
  const TZiel Ziel = ZielLesen(Conn, AUri);
  std::string Grund;
  try {
    Grund = Satz(Conn, Ziel, ServerZustand(Technisch), ZeitUeberschritten, Sekunden);
  } catch (...) {
    PQfinish(Conn);
    throw;
  }
  PQfinish(Conn);
  throw ECompanyDbError(Grund, Technisch);
}
