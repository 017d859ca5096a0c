// Writing: insert, update, UNIQUE refusals, writes in a transaction, texts.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "support/recordfile/TAAFile.h"
#include "support/recordfile/Tiafile.h"
#include "support/recordfile/Tivfile.h"
#include "tests/support/recordfile/RecordFileTestDb.h"

namespace {

class TQLX_DBFileSchreiben : public RecordFileTest {
 protected:
  void Neu(Tiafile& F, const std::string& AWG, int AFil) {
    F.ClearRecord();
    F.Zaehldatum.SetWert(45300);
    F.WG.SetWert(AWG);
    F.FilNr.SetWert(AFil);
    F.Abschlussdatum.SetWert(KWD_KEIN_DATUM);
    F.KZZaehlung.SetWert('A');
    F.PrepareWrite(wrdonInsert);
    F.WriteRecord(wrdonInsert);
  }
  bool Lesen(Tiafile& F, const std::string& AWG, int AFil) {
    F.Key_Zaehldatum.SetKeyWert(45300);
    F.Key_WG.SetKeyWert(AWG);
    F.Key_FilNr.SetKeyWert(AFil);
    return F.Get_equal();
  }
};

TEST_P(TQLX_DBFileSchreiben, NewRequestStartsWithZeroValuesAndUpdatesInPlace) {
  Tiafile F(Conn());
  F.EKSoll.SetWert(99.5);  // left over in the buffer: prepare write clears it
  Neu(F, "01", 3);
  Tiafile G(Conn());
  ASSERT_TRUE(Lesen(G, "01", 3));
  EXPECT_EQ(G.EKSoll.GetWert(), 0.0);
  EXPECT_EQ(G.Abschlussdatum.GetWert(), KWD_KEIN_DATUM);

  G.EKSoll.SetWert(12.25);
  G.KZZaehlung.SetWert('B');
  G.WriteRecord(wrdonUpdate);
  // An update may change the key: the record read is the one rewritten.
  G.FilNr.SetWert(4);
  G.WriteRecord(wrdonUpdate);
  EXPECT_FALSE(Lesen(F, "01", 3));
  ASSERT_TRUE(Lesen(F, "01", 4));
  EXPECT_EQ(F.EKSoll.GetWert(), 12.25);
  EXPECT_EQ(F.GetSatz().KZZaehlung, 'B');
  EXPECT_EQ(F.GetSatz().WG, "01");
}

TEST_P(TQLX_DBFileSchreiben, DuplicateKeysAreRefusedAndTheStoredRecordStays) {
  Tiafile F(Conn());
  Neu(F, "01", 3);
  F.EKIst.SetWert(5);
  try {
    Neu(F, "01", 3);
    FAIL() << "duplicate request written";
  } catch (const EDbError& E) {
    EXPECT_TRUE(E.IsUniqueViolation());
    EXPECT_NE(std::string(E.what()).find("inventuranforderung"), std::string::npos);
  }
  ASSERT_TRUE(Lesen(F, "01", 3));
  EXPECT_FALSE(F.Get_next());

  // The stock-take file refuses a second record for the same stock type.
  Tivfile V(Conn());
  V.ProduktId.SetWert(TInt32Trio{1, 2, 3});
  V.Bestandstyp.SetWert('1');
  V.WriteRecord(wrdonInsert);
  EXPECT_THROW(V.WriteRecord(wrdonInsert), EDbError);
  V.Bestandstyp.SetWert('2');
  EXPECT_NO_THROW(V.WriteRecord(wrdonInsert));
}

// An insert binds only what changed since the insert before: every record
// must still come back as its own buffer was, also after a refused insert
// and for values that compare equal but differ in their bits (-0.0, 0.0).
TEST_P(TQLX_DBFileSchreiben, EveryInsertStoresItsOwnBufferWhatTheOneBeforeBound) {
  struct TSatz {
    std::string WG;
    int FilNr;
    double EKSoll;
    char KZ;
  };
  const std::vector<TSatz> Saetze{
      {"01", 1, 0.0, 'A'}, {"02", 1, -0.0, 'A'}, {"02x", 2, -0.0, 'B'}, {"03", 2, 0.0, '\0'}, {"04", 1, 2.5, 'A'}};
  Tiafile F(Conn());
  auto Schreiben = [&](const TSatz& S) {
    F.ClearRecord();
    F.Zaehldatum.SetWert(45300);
    F.WG.SetWert(S.WG);
    F.FilNr.SetWert(S.FilNr);
    F.EKSoll.SetWert(S.EKSoll);
    F.KZZaehlung.SetWert(S.KZ);
    F.WriteRecord(wrdonInsert);
  };
  for (size_t I = 0; I < Saetze.size(); ++I) {
    Schreiben(Saetze[I]);
    if (I == 2) {
      EXPECT_THROW(Schreiben({"01", 1, 9.0, 'C'}), EDbError);  // refused: the first record again
    }
  }
  Tiafile L(Conn());
  for (const TSatz& S : Saetze) {
    SCOPED_TRACE(S.WG);
    ASSERT_TRUE(Lesen(L, S.WG, S.FilNr));
    EXPECT_EQ(L.EKSoll.GetWert(), S.EKSoll);
    EXPECT_EQ(L.KZZaehlung.GetWert(), S.KZ);
    EXPECT_FALSE(L.Get_next());
  }
}

TEST_P(TQLX_DBFileSchreiben, UpdateNeedsARecordAndAWritableFile) {
  Tiafile F(Conn());
  EXPECT_THROW(F.WriteRecord(wrdonUpdate), std::runtime_error);
  Neu(F, "01", 1);
  Tiafile Nur(Conn(), RF_OPEN_LESEN);
  ASSERT_TRUE(Lesen(Nur, "01", 1));
  EXPECT_THROW(Nur.WriteRecord(wrdonUpdate), std::runtime_error);
  EXPECT_THROW(Tiafile(Conn(), 5), std::invalid_argument);
  // A record deleted by someone else since it was read is not silently "updated".
  ASSERT_TRUE(Lesen(F, "01", 1));
  Tiafile Anderer(Conn());
  ASSERT_TRUE(Lesen(Anderer, "01", 1));
  Anderer.DeleteRecord();
  EXPECT_THROW(F.WriteRecord(wrdonUpdate), std::runtime_error);
}

TEST_P(TQLX_DBFileSchreiben, StockTakeRecordCarriesItsTotalsAndSizes) {
  Tivfile V(Conn());
  V.WiJahr.SetWert(45292);
  V.Zaehldatum.SetWert(45300);
  V.FilNr.SetWert(2);
  V.ProduktId.SetWert(TInt32Trio{7, 0, 1});
  V.Bestandstyp.SetWert('1');
  V.SetGR_MESU(3, 4);
  V.SetGR_MESU(40, -1);
  V.PrepareWrite(wrdonInsert);
  V.WriteRecord(wrdonInsert);
  // Written without prepare write after a buffer with sizes: no stale totals.
  V.Bestandstyp.SetWert('2');
  for (int i = V.GRIndexMin(); i <= V.GRIndexMax(); ++i) V.SetGR_MESU(i, 0);
  V.WriteRecord(wrdonInsert);

  Tivfile L(Conn());
  L.Key_WiJahr.SetKeyWertAndFilter(45292);
  L.Key_Zaehldatum.SetKeyWertAndFilter(45300);
  L.Key_FilNr.SetKeyWertAndFilter(2);
  ASSERT_TRUE(L.Get_ge());
  EXPECT_EQ(L.GetGR_MESU(3), 4);
  EXPECT_EQ(L.GetGR_MESU(40), -1);
  EXPECT_EQ(L.Sollmenge.GetWert(), 3);
  EXPECT_EQ(L.GrVon.GetWert(), 3);
  EXPECT_EQ(L.GrBis.GetWert(), 40);
  ASSERT_TRUE(L.Get_next());
  EXPECT_EQ(L.Sollmenge.GetWert(), 0);
  EXPECT_EQ(L.GrVon.GetWert(), 1);
  EXPECT_EQ(L.GrBis.GetWert(), 1);
  EXPECT_FALSE(L.Get_next());
  EXPECT_THROW(L.GetGR_MESU(41), std::out_of_range);
}

TEST_P(TQLX_DBFileSchreiben, WritesInATransactionAreSeenAndRolledBack) {
  Tiafile F(Conn());
  {
    TDbTransaction T(Conn());
    Neu(F, "01", 1);
    Neu(F, "02", 1);
    ASSERT_TRUE(Lesen(F, "02", 1));  // a read in the bracket sees the queued writes
    F.EKSoll.SetWert(3);
    F.WriteRecord(wrdonUpdate);
    ASSERT_TRUE(Lesen(F, "02", 1));
    EXPECT_EQ(F.EKSoll.GetWert(), 3);
  }  // not committed
  EXPECT_FALSE(F.Get_first());

  // A refused write surfaces no later than the commit (SQLite at once,
  // PostgreSQL when the queued batch is sent), and nothing is kept.
  EXPECT_THROW(
      {
        TDbTransaction T(Conn());
        Neu(F, "01", 1);
        Neu(F, "01", 1);
        T.Commit();
      },
      EDbError);
  EXPECT_FALSE(F.Get_first());
}

TEST_P(TQLX_DBFileSchreiben, HostileTextsComeBackUnchanged) {
  const std::string Texte[] = {"'; DROP TABLE artikel; --", std::string("a\0b", 3), "Größe \"XL\" ä€",
                               std::string(10000, 'x') + "\\%_?"};
  TAAFile A(Conn());
  int i = 0;
  for (const auto& T : Texte) {
    A.ClearRecord();
    A.ProduktId.SetWert(TInt32Trio{++i, 0, 0});
    A.Text1.SetWert(T);
    A.Pruefschaerfe.SetWert('\'');
    A.WriteRecord(wrdonInsert);
  }
  Tiafile F(Conn());
  Neu(F, Texte[0], 1);
  ASSERT_TRUE(Lesen(F, Texte[0], 1));  // as a key value, too
  EXPECT_EQ(F.WG.GetWert(), Texte[0]);

  A.ResetForReuse();
  i = 0;
  for (bool Ok = A.Get_first(); Ok; Ok = A.Get_next()) {
    EXPECT_EQ(A.Text1.GetWert(), Texte[i++]);
    EXPECT_EQ(A.Pruefschaerfe.GetWert(), '\'');
  }
  EXPECT_EQ(i, 4);
  A.Text1.SetFilterMinMax(Texte[1]);
  ASSERT_TRUE(A.Get_first());
  EXPECT_EQ(A.ProduktId.GetWert().I1, 2);
}

TEST_P(TQLX_DBFileSchreiben, IncrementAddsInTheDatabaseWithoutLosingAnotherProgramsPart) {
  Tiafile F(Conn());
  Neu(F, "01", 3);
  auto Erhoehen = [](Tiafile& AF, double ASoll, double AIst) {
    AF.SelectKey(Tiafile::KEY_ANFORDERUNG);
    AF.Key_Zaehldatum.SetKeyWert(45300);
    AF.Key_WG.SetKeyWert("01");
    AF.Key_FilNr.SetKeyWert(3);
    AF.EKSoll.SetWert(ASoll);
    AF.EKIst.SetWert(AIst);
    AF.WertErhoehen({&AF.EKSoll, &AF.EKIst});
  };
  // A second program adds its part between this one's read and its commit.
  auto Andere = FDb->Open();
  Tiafile G(*Andere);
  {
    TDbTransaction T(Conn());
    Erhoehen(F, 1.25, 0.5);
    T.Commit();
  }
  Erhoehen(G, 2.0, 0.0);
  {
    TDbTransaction T(Conn());
    Erhoehen(F, 0.25, 0.25);
    T.Commit();
  }
  Tiafile H(Conn());
  ASSERT_TRUE(Lesen(H, "01", 3));
  EXPECT_DOUBLE_EQ(H.EKSoll.GetWert(), 3.5);
  EXPECT_DOUBLE_EQ(H.EKIst.GetWert(), 0.75);
  EXPECT_EQ(H.KZZaehlung.GetWert(), 'A');

  // No record is made for a key that has none; only numbers, only whole keys.
  F.Key_FilNr.SetKeyWert(9);
  F.WertErhoehen({&F.EKSoll});
  EXPECT_FALSE(Lesen(H, "01", 9));
  EXPECT_THROW(F.WertErhoehen({&F.WG}), std::logic_error);
  Tiafile Teil(Conn());
  Teil.Key_Zaehldatum.SetKeyWert(45300);
  EXPECT_THROW(Teil.WertErhoehen({&Teil.EKSoll}), std::logic_error);
}

TEST_P(TQLX_DBFileSchreiben, LockingReadKeepsAnotherProgramsChangeWaitingUntilTheCommit) {
  Tiafile F(Conn());
  Neu(F, "01", 3);
  Neu(F, "02", 3);
  auto Andere = FDb->Open();
  std::future<int64_t> Aendern;
  {
    TDbTransaction T(Conn());
    F.SelectKey(Tiafile::KEY_ANFORDERUNG);
    F.SetSperrendLesen(true);
    F.Key_Zaehldatum.SetKeyWert(45300);
    F.Key_WG.SetKeyWert("01");
    F.Key_FilNr.SetKeyWert(3);
    F.KeyListeAnfuegen();
    ASSERT_TRUE(F.Get_first_KeyListe());
    EXPECT_EQ(F.KZZaehlung.GetWert(), 'A');
    EXPECT_FALSE(F.Get_next());  // read to its end: no open read keeps an old snapshot
    Aendern = std::async(std::launch::async, [&] {
      auto S = Andere->Prepare("UPDATE inventuranforderung SET kz_zaehlung = 'L' WHERE wg = '01'");
      return S->Execute();
    });
    EXPECT_EQ(Aendern.wait_for(std::chrono::milliseconds(400)), std::future_status::timeout)
        << "the record was changed while it was read locked";
    F.KZZaehlung.SetWert('E');
    F.WriteRecord(wrdonUpdate);
    T.Commit();
  }
  EXPECT_EQ(Aendern.get(), 1);
  Tiafile H(Conn());
  ASSERT_TRUE(Lesen(H, "01", 3));
  EXPECT_EQ(H.KZZaehlung.GetWert(), 'L');  // after the commit, not lost under it
}

INSTANTIATE_TEST_SUITE_P(Backends, TQLX_DBFileSchreiben, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace
