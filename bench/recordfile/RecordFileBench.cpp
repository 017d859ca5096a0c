// Keyed reads, key-list reads (a batch of 20 keys in one statement), inserts
// of stock-take records (51 columns) and increments of request values: the
// record files against hand-written prepared statements on the same
// database, per backend. Compare the pairs of one run: layer time / raw time
// is the layer's overhead.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "support/db/TDbConnection.h"
#include "support/recordfile/RecordFileSchema.h"
#include "support/recordfile/Tiafile.h"
#include "support/recordfile/Tivfile.h"
#include "tests/fixtures/TestDb.h"

namespace {

constexpr int VORRAT = 5000;  // records present for the keyed reads

std::string Spalten() {
  std::string S = "wijahr, zaehldatum, filnr, prodid1, prodid2, prodid3, bestandstyp, satzkz, sollmenge, grvon, grbis";
  for (int i = 1; i <= RF_GROESSEN; ++i) S += ", gr" + std::to_string(i);
  return S;
}

struct TBankDb {
  explicit TBankDb(TDbBackend ABackend) : Db(ABackend), Conn(Db.Open()) {
    RecordFileSchemaEnsure(*Conn);
    Tivfile F(*Conn);
    TDbTransaction T(*Conn);
    for (int i = 0; i < VORRAT; ++i) Fuellen(F, i, 1);
    Tiafile A(*Conn);
    A.Zaehldatum.SetWert(45300);
    A.WG.SetWert("01");
    A.FilNr.SetWert(1);
    A.PrepareWrite(wrdonInsert);
    A.WriteRecord(wrdonInsert);
    T.Commit();
  }
  static void Fuellen(Tivfile& F, int AI, int AFil) {
    F.WiJahr.SetWert(45292);
    F.Zaehldatum.SetWert(45300);
    F.FilNr.SetWert(AFil);
    F.ProduktId.SetWert(TInt32Trio{AI, 0, 0});
    F.Bestandstyp.SetWert('1');
    F.SatzKZ.SetWert(' ');
    for (int g = 1; g <= RF_GROESSEN; ++g) F.SetGR_MESU(g, g + AI);
    F.PrepareWrite(wrdonInsert);
    F.WriteRecord(wrdonInsert);
  }
  TTestDb Db;
  std::unique_ptr<TDbConnection> Conn;
};

void LesenRoh(benchmark::State& AState, TBankDb* ADb) {
  auto Stmt = ADb->Conn->Prepare("SELECT " + Spalten() +
                                 " FROM inventur WHERE wijahr = ? AND zaehldatum = ? AND filnr = ? AND prodid1 = ?"
                                 " AND prodid2 = ? AND prodid3 = ? AND bestandstyp = ?");
  int i = 0, Summe = 0;
  for (auto _ : AState) {
    Stmt->Reset();
    Stmt->BindDouble(1, 45292);
    Stmt->BindDouble(2, 45300);
    Stmt->BindInt(3, 1);
    Stmt->BindInt(4, i++ % VORRAT);
    Stmt->BindInt(5, 0);
    Stmt->BindInt(6, 0);
    Stmt->BindText(7, "1");
    if (!Stmt->Step()) AState.SkipWithError("Satz fehlt");
    // Take every column out, as a program filling its record would.
    for (int c = 0; c < Stmt->ColumnCount(); ++c)
      if (c == 6 || c == 7)
        Summe += static_cast<int>(Stmt->ColumnText(c).size());
      else
        Summe += static_cast<int>(Stmt->ColumnDouble(c));
    Stmt->Reset();
  }
  benchmark::DoNotOptimize(Summe);
}

void LesenDatei(benchmark::State& AState, TBankDb* ADb) {
  Tivfile F(*ADb->Conn);
  int i = 0, Summe = 0;
  for (auto _ : AState) {
    F.Key_WiJahr.SetKeyWert(45292);
    F.Key_Zaehldatum.SetKeyWert(45300);
    F.Key_FilNr.SetKeyWert(1);
    F.Key_ProduktId.SetKeyWert(TInt32Trio{i++ % VORRAT, 0, 0});
    F.Key_Bestandstyp.SetKeyWert('1');
    if (!F.Get_equal()) AState.SkipWithError("Satz fehlt");
    Summe += F.GetGR_MESU(40);
  }
  benchmark::DoNotOptimize(Summe);
}

// Inserts run in transactions of 1000 records, as a booking writes batches.
void EinfuegenRoh(benchmark::State& AState, TBankDb* ADb) {
  std::string Werte = "?";
  for (int c = 1; c < 11 + RF_GROESSEN; ++c) Werte += ", ?";
  auto Stmt = ADb->Conn->Prepare("INSERT INTO inventur (" + Spalten() + ") VALUES (" + Werte + ")");
  static int Nr = 0;
  int n = 0;
  ADb->Conn->Begin();
  for (auto _ : AState) {
    const int I = ++Nr;
    Stmt->Reset();
    Stmt->BindDouble(1, 45292);
    Stmt->BindDouble(2, 45300);
    Stmt->BindInt(3, 2);
    Stmt->BindInt(4, I);
    Stmt->BindInt(5, 0);
    Stmt->BindInt(6, 0);
    Stmt->BindText(7, "1");
    Stmt->BindText(8, " ");
    int64_t Summe = 0;
    for (int g = 1; g <= RF_GROESSEN; ++g) Summe += g + I;
    Stmt->BindInt(9, Summe);
    Stmt->BindInt(10, 1);
    Stmt->BindInt(11, RF_GROESSEN);
    for (int g = 1; g <= RF_GROESSEN; ++g) Stmt->BindInt(11 + g, g + I);
    Stmt->Run();
    if (++n % 1000 == 0) {
      ADb->Conn->Commit();
      ADb->Conn->Begin();
    }
  }
  ADb->Conn->Commit();
}

void EinfuegenDatei(benchmark::State& AState, TBankDb* ADb) {
  Tivfile F(*ADb->Conn);
  static int Nr = 0;
  int n = 0;
  ADb->Conn->Begin();
  for (auto _ : AState) {
    TBankDb::Fuellen(F, ++Nr, 3);
    if (++n % 1000 == 0) {
      ADb->Conn->Commit();
      ADb->Conn->Begin();
    }
  }
  ADb->Conn->Commit();
}

constexpr int BATCH = 20;  // keys of one key-list read, as a booking batch reads them

// The hand-written form of a key-list read: one arm per key, joined by UNION ALL.
void ListeRoh(benchmark::State& AState, TBankDb* ADb) {
  std::string Sql;
  for (int k = 0; k < BATCH; ++k)
    Sql += std::string(k ? " UNION ALL " : "") + "SELECT CAST(? AS INTEGER), " + Spalten() +
           " FROM inventur WHERE wijahr = ? AND zaehldatum = ? AND filnr = ? AND prodid1 = ? AND prodid2 = ? AND prodid3 = ?";
  auto Stmt = ADb->Conn->PrepareGanz(Sql);
  int i = 0, Summe = 0;
  for (auto _ : AState) {
    Stmt->Reset();
    int P = 1;
    for (int k = 0; k < BATCH; ++k) {
      Stmt->BindInt(P++, k);
      Stmt->BindDouble(P++, 45292);
      Stmt->BindDouble(P++, 45300);
      Stmt->BindInt(P++, 1);
      Stmt->BindInt(P++, i++ % VORRAT);
      Stmt->BindInt(P++, 0);
      Stmt->BindInt(P++, 0);
    }
    int Zeilen = 0;
    while (Stmt->Step()) {
      ++Zeilen;
      for (int c = 0; c < Stmt->ColumnCount(); ++c)
        if (c == 7 || c == 8)
          Summe += static_cast<int>(Stmt->ColumnText(c).size());
        else
          Summe += static_cast<int>(Stmt->ColumnDouble(c));
    }
    if (Zeilen != BATCH) AState.SkipWithError("Sätze fehlen");
  }
  benchmark::DoNotOptimize(Summe);
}

void ListeDatei(benchmark::State& AState, TBankDb* ADb) {
  Tivfile F(*ADb->Conn);
  int i = 0, Summe = 0;
  for (auto _ : AState) {
    F.KeyListeLeeren();
    for (int k = 0; k < BATCH; ++k) {
      F.Key_WiJahr.SetKeyWert(45292);
      F.Key_Zaehldatum.SetKeyWert(45300);
      F.Key_FilNr.SetKeyWert(1);
      F.Key_ProduktId.SetKeyWert(TInt32Trio{i++ % VORRAT, 0, 0});
      F.KeyListeAnfuegen();
    }
    int Zeilen = 0;
    for (bool G = F.Get_first_KeyListe(); G; G = F.Get_next(), ++Zeilen) Summe += F.GetGR_MESU(40) + F.KeyListePosition();
    if (Zeilen != BATCH) AState.SkipWithError("Sätze fehlen");
  }
  benchmark::DoNotOptimize(Summe);
}

// Increments of a request's values in transactions of 1000, as bookings add them.
void ErhoehenRoh(benchmark::State& AState, TBankDb* ADb) {
  auto Stmt = ADb->Conn->Prepare(
      "UPDATE inventuranforderung SET ek_soll = ek_soll + ?, ek_ist = ek_ist + ? WHERE zaehldatum = ? AND wg = ? "
      "AND filnr = ?");
  int n = 0;
  ADb->Conn->Begin();
  for (auto _ : AState) {
    Stmt->Reset();
    Stmt->BindDouble(1, 1.25);
    Stmt->BindDouble(2, 0.5);
    Stmt->BindDouble(3, 45300);
    Stmt->BindText(4, "01");
    Stmt->BindInt(5, 1);
    Stmt->Run();
    if (++n % 1000 == 0) {
      ADb->Conn->Commit();
      ADb->Conn->Begin();
    }
  }
  ADb->Conn->Commit();
}

void ErhoehenDatei(benchmark::State& AState, TBankDb* ADb) {
  Tiafile F(*ADb->Conn);
  int n = 0;
  ADb->Conn->Begin();
  for (auto _ : AState) {
    F.SelectKey(Tiafile::KEY_ANFORDERUNG);
    F.Key_Zaehldatum.SetKeyWert(45300);
    F.Key_WG.SetKeyWert("01");
    F.Key_FilNr.SetKeyWert(1);
    F.EKSoll.SetWert(1.25);
    F.EKIst.SetWert(0.5);
    F.WertErhoehen({&F.EKSoll, &F.EKIst});
    if (++n % 1000 == 0) {
      ADb->Conn->Commit();
      ADb->Conn->Begin();
    }
  }
  ADb->Conn->Commit();
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::vector<std::unique_ptr<TBankDb>> Dbs;
  for (TDbBackend B : TTestDb::Available()) {
    Dbs.push_back(std::make_unique<TBankDb>(B));
    TBankDb* Db = Dbs.back().get();
    const std::string N = TDbBackendName(B);
    benchmark::RegisterBenchmark(("Lesen/Roh/" + N).c_str(), LesenRoh, Db);
    benchmark::RegisterBenchmark(("Lesen/Datei/" + N).c_str(), LesenDatei, Db);
    benchmark::RegisterBenchmark(("Einfuegen/Roh/" + N).c_str(), EinfuegenRoh, Db);
    benchmark::RegisterBenchmark(("Einfuegen/Datei/" + N).c_str(), EinfuegenDatei, Db);
    benchmark::RegisterBenchmark(("Schluesselliste/Roh/" + N).c_str(), ListeRoh, Db);
    benchmark::RegisterBenchmark(("Schluesselliste/Datei/" + N).c_str(), ListeDatei, Db);
    benchmark::RegisterBenchmark(("Erhoehen/Roh/" + N).c_str(), ErhoehenRoh, Db);
    benchmark::RegisterBenchmark(("Erhoehen/Datei/" + N).c_str(), ErhoehenDatei, Db);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
