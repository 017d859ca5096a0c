#pragma once
// Where a company lives, as the setting WWS_DB names it: a SQLite file path
// or a postgresql:// URI. What the company dialog shows of it (name, kind,
// place), and the URI built from the server fields of the dialog.
#include <optional>
#include <string>

struct TPgZiel {
  std::string Host;       // name, address, or the folder of a local socket ("/run/postgresql")
  std::string Port = "5432";
  std::string Datenbank;
  std::string Benutzer;
};

bool IstServerOrt(const std::string& AOrt);

// "postgresql://benutzer@host:port/datenbank"; with AKennwort non-empty it
// is added as the parameter password (only for this process's connections,
// never stored). Every part is percent-encoded; a socket folder goes into
// the parameter host.
std::string PgUri(const TPgZiel& AZiel, const std::string& AKennwort = {});
// AUri with a connect timeout: a server that does not answer must not hold
// the window for minutes.
std::string MitZeitgrenze(const std::string& AUri, int ASekunden = 10);
// The parts of a postgresql:// URI (password and other parameters left
// out); nothing when AOrt is no such URI.
std::optional<TPgZiel> PgZielLesen(const std::string& AOrt);
// AOrt without a password parameter or password in its user part.
std::string OhneKennwort(const std::string& AOrt);

struct TFirmaBeschreibung {
  std::string Name;  // the file name without extension, or the database name
  std::string Art;   // "SQLite-Datei" or "PostgreSQL-Server"
  std::string Ort;   // the path, or "benutzer@host:port/datenbank"
};
TFirmaBeschreibung FirmaBeschreiben(const std::string& AOrt);
