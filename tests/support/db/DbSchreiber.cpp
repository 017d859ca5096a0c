// Test helper: a second program that inserts rows into the same company
// database, in small transactions, as a booking program would.
//   wws_db_schreiber ORT PROGRAMM ANZAHL
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/db/TDbConnection.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "Aufruf: wws_db_schreiber ORT PROGRAMM ANZAHL\n");
    return 2;
  }
  try {
    auto Db = TDbConnection::Open(argv[1]);
    auto Einfuegen = Db->Prepare("INSERT INTO buchung (programm, nr) VALUES (?, ?)");
    const int Anzahl = std::atoi(argv[3]);
    for (int Nr = 0; Nr < Anzahl; Nr += 5) {
      TDbTransaction Transaktion(*Db);
      for (int I = Nr; I < Nr + 5 && I < Anzahl; ++I) {
        Einfuegen->BindText(1, argv[2]);
        Einfuegen->BindInt(2, I);
        Einfuegen->Run();
      }
      Transaktion.Commit();
    }
    return 0;
  } catch (const std::exception& E) {
    std::fprintf(stderr, "%s\n", E.what());
    return 1;
  }
}
