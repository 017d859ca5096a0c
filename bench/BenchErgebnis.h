#pragma once
// What completing or deleting one request left in the company, as one
// number: the request's state and values (in cents) and every stock-take
// record of its day and branch, hashed in key order. Equal numbers: the same
// database result. 48 bits, so the number travels exactly as a double.
#include <cmath>
#include <cstdint>
#include <string>

#include "support/db/KWDDatenbank.h"
#include "support/db/TDbConnection.h"
#include "support/types/TVglInvAnf_Inv.h"

inline double BenchErgebnis(const TVglInvAnf_Inv& AAnforderung) {
  uint64_t H = 1469598103934665603ull;  // FNV-1a
  auto Mischen = [&H](int64_t AWert) {
    for (int I = 0; I < 8; ++I) {
      H ^= static_cast<uint64_t>(AWert >> (8 * I)) & 0xffu;
      H *= 1099511628211ull;
    }
  };
  TDbConnection& Db = KWDDatenbank();
  auto A = Db.Prepare(
      "SELECT kz_zaehlung, ek_soll, ek_ist FROM inventuranforderung WHERE zaehldatum = ? AND wg = ? AND filnr = ?");
  A->BindDouble(1, AAnforderung.Zaehldatum);
  A->BindText(2, AAnforderung.WG);
  A->BindInt(3, AAnforderung.FilNr);
  if (A->Step()) {
    for (const char Z : A->ColumnText(0)) Mischen(Z);
    Mischen(std::llround(A->ColumnDouble(1) * 100));
    Mischen(std::llround(A->ColumnDouble(2) * 100));
  } else {
    Mischen(-1);
  }
  A->Reset();

  std::string Spalten = "wijahr, prodid1, prodid2, prodid3, bestandstyp, satzkz, sollmenge, grvon, grbis";
  for (int G = 1; G <= 40; ++G) Spalten += ", gr" + std::to_string(G);
  auto S = Db.Prepare("SELECT " + Spalten +
                      " FROM inventur WHERE zaehldatum = ? AND filnr = ? ORDER BY prodid1, prodid2, prodid3, bestandstyp");
  S->BindDouble(1, AAnforderung.Zaehldatum);
  S->BindInt(2, AAnforderung.FilNr);
  while (S->Step()) {
    Mischen(std::llround(S->ColumnDouble(0) * 86400));
    for (int C = 1; C < S->ColumnCount(); ++C)
      if (C == 4 || C == 5)
        for (const char Z : S->ColumnText(C)) Mischen(Z);
      else
        Mischen(S->ColumnInt(C));
  }
  return static_cast<double>(H & ((uint64_t{1} << 48) - 1));
}
