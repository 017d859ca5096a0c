// Reading: key order, key values and filters, extended mode, reuse, streaming.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "support/recordfile/TAAFile.h"
#include "support/recordfile/TBFFile.h"
#include "support/recordfile/TFvkFile.h"
#include "support/recordfile/TQLX_DBLesestrecke.h"
#include "support/recordfile/Tastafile.h"
#include "support/recordfile/Tiafile.h"
#include "tests/support/recordfile/RecordFileTestDb.h"

namespace {

void Anforderung(Tiafile& F, TDateTime ADatum, const std::string& AWG, int AFil, TDateTime AWiJahr, char AKZ) {
  F.ClearRecord();
  F.Zaehldatum.SetWert(ADatum);
  F.WG.SetWert(AWG);
  F.FilNr.SetWert(AFil);
  F.WiJahr.SetWert(AWiJahr);
  F.KZZaehlung.SetWert(AKZ);
  F.PrepareWrite(wrdonInsert);
  F.WriteRecord(wrdonInsert);
}

void Bestand(TBFFile& F, TInt32Trio APid, int AFil, char ATyp, int AGr1 = 0) {
  F.ClearRecord();
  F.ProduktId.SetWert(APid);
  F.FilNr.SetWert(AFil);
  F.Bestandstyp.SetWert(ATyp);
  F.SetGR_MESU(1, AGr1);
  F.WriteRecord(wrdonInsert);
}

// "datum/wg/fil" of every record a scan delivers.
std::vector<std::string> Lauf(Tiafile& F, bool AErster) {
  std::vector<std::string> R;
  for (bool Ok = AErster; Ok; Ok = F.Get_next())
    R.push_back(std::to_string(static_cast<int>(F.Zaehldatum.GetWert())) + "/" + F.WG.GetWert() + "/" +
                std::to_string(F.FilNr.GetWert()));
  return R;
}

class TQLX_DBFileLesen : public RecordFileTest {
 protected:
  void SetUp() override {
    RecordFileTest::SetUp();
    Tiafile F(Conn());
    Anforderung(F, 45300, "02", 1, 45292, 'A');
    Anforderung(F, 45300, "01", 2, 45292, 'B');
    Anforderung(F, 45300, "01", 1, 45292, 'A');
    Anforderung(F, 45200, "", 7, 44927, 'A');
    Anforderung(F, 45400, "01", 1, 45292, 'A');
  }
};

TEST_P(TQLX_DBFileLesen, FirstNextGeAndEqualFollowTheSelectedKey) {
  Tiafile F(Conn());
  F.SelectKey(Tiafile::KEY_ANFORDERUNG);
  EXPECT_EQ(Lauf(F, F.Get_first()),
            (std::vector<std::string>{"45200//7", "45300/01/1", "45300/01/2", "45300/02/1", "45400/01/1"}));
  EXPECT_FALSE(F.Found());

  F.Key_Zaehldatum.SetKeyWert(45300);
  F.Key_WG.SetKeyWert("01");
  F.Key_FilNr.SetKeyWert(2);
  EXPECT_EQ(Lauf(F, F.Get_ge()), (std::vector<std::string>{"45300/01/2", "45300/02/1", "45400/01/1"}));
  EXPECT_TRUE(F.Get_equal());
  EXPECT_EQ(F.KZZaehlung.GetWert(), 'B');
  F.Key_FilNr.SetKeyWert(3);
  EXPECT_FALSE(F.Get_equal());
  EXPECT_FALSE(F.Found());

  // Another key orders by its own segments.
  F.SelectKey(Tiafile::KEY_ZAEHLSTATUS);
  F.Key_KZZaehlung.SetKeyWertAndFilter('B');
  EXPECT_EQ(Lauf(F, F.Get_ge()), (std::vector<std::string>{"45300/01/2"}));
  EXPECT_THROW(F.SelectKey(9), std::out_of_range);
}

TEST_P(TQLX_DBFileLesen, KeyFilterEndsTheRangeAndFieldFiltersNarrowIt) {
  Tiafile F(Conn());
  F.Key_Zaehldatum.SetKeyWertAndFilter(45300);
  EXPECT_EQ(Lauf(F, F.Get_ge()), (std::vector<std::string>{"45300/01/1", "45300/01/2", "45300/02/1"}));

  F.ResetForReuse();
  F.WiJahr.SetFilterMinMax(45292);
  EXPECT_EQ(Lauf(F, F.Get_first()), (std::vector<std::string>{"45300/01/1", "45300/01/2", "45300/02/1", "45400/01/1"}));
  F.KZZaehlung.SetFilter("BX");
  EXPECT_EQ(Lauf(F, F.Get_first()), (std::vector<std::string>{"45300/01/2"}));
  F.FilterClear();
  F.Zaehldatum.SetFilterMinMax(45250, 45350);
  EXPECT_EQ(Lauf(F, F.Get_first()).size(), 3u);
  EXPECT_THROW(F.KZZaehlung.SetFilter(""), std::invalid_argument);
}

// Filtered leading segments are read as equal, the set segments after them
// still as a lower bound; a filter on a later segment keeps the whole bound.
TEST_P(TQLX_DBFileLesen, ReadFromKeyMixesFilteredAndBoundSegments) {
  Tiafile F(Conn());
  F.SelectKey(Tiafile::KEY_ANFORDERUNG);
  F.Key_Zaehldatum.SetKeyWertAndFilter(45300);
  F.Key_WG.SetKeyWert("01");
  F.Key_FilNr.SetKeyWert(2);
  EXPECT_EQ(Lauf(F, F.Get_ge()), (std::vector<std::string>{"45300/01/2", "45300/02/1"}));
  F.Key_WG.SetKeyWertAndFilter("01");
  EXPECT_EQ(Lauf(F, F.Get_ge()), (std::vector<std::string>{"45300/01/2"}));
  F.Key_FilNr.SetKeyWertAndFilter(1);
  EXPECT_EQ(Lauf(F, F.Get_ge()), (std::vector<std::string>{"45300/01/1"}));
  EXPECT_TRUE(F.Get_equal());
  EXPECT_EQ(F.KZZaehlung.GetWert(), 'A');

  // Only the branch filtered: the bound (45300, "01", 1) still holds for the
  // segments before it.
  F.ResetForReuse();
  F.Key_Zaehldatum.SetKeyWert(45300);
  F.Key_WG.SetKeyWert("01");
  F.Key_FilNr.SetKeyWertAndFilter(1);
  EXPECT_EQ(Lauf(F, F.Get_ge()), (std::vector<std::string>{"45300/01/1", "45300/02/1", "45400/01/1"}));
  // A later filtered value is bound anew on the kept statement.
  F.Key_FilNr.SetKeyWertAndFilter(2);
  EXPECT_EQ(Lauf(F, F.Get_ge()), (std::vector<std::string>{"45300/01/2"}));
}

TEST_P(TQLX_DBFileLesen, ResetForReuseForgetsKeysFiltersAndExtendedFilter) {
  Tiafile F(Conn());
  F.SelectKey(Tiafile::KEY_ZAEHLSTATUS);
  F.Key_KZZaehlung.SetKeyWertAndFilter('B');
  F.WiJahr.SetFilterMinMax(1);
  F.FilNr.SetWert(7);
  F.ExtendedFilterAdd(F.FilNr, RF_VGL_GLEICH, RF_VERK_UND);
  F.ExtendedFilterFinalize();
  F.SetUsedField({&F.WG});
  ASSERT_FALSE(F.Get_first());

  F.ResetForReuse();
  EXPECT_EQ(F.KeyNr(), Tiafile::KEY_ANFORDERUNG);
  EXPECT_EQ(Lauf(F, F.Get_first()).size(), 5u);
  EXPECT_EQ(Lauf(F, F.Get_ge()).size(), 5u);
  EXPECT_THROW(F.Get_first_extMode(), std::logic_error);  // the extended filter is gone, not finalized
}

TEST_P(TQLX_DBFileLesen, UsedFieldsReadOnlyWhatIsNamed) {
  Tiafile F(Conn());
  F.SetUsedField({&F.KZZaehlung});
  ASSERT_TRUE(F.Get_first());
  EXPECT_EQ(F.KZZaehlung.GetWert(), 'A');
  EXPECT_EQ(F.WiJahr.GetWert(), 0.0);       // not read
  EXPECT_EQ(F.Zaehldatum.GetWert(), 45200);  // identity: always read
  F.SetUsedField({});
  ASSERT_TRUE(F.Get_first());
  EXPECT_EQ(F.WiJahr.GetWert(), 44927);
}

TEST_P(TQLX_DBFileLesen, ExtendedFilterGroupsOrTermsAndHonoursNotEqual) {
  TFvkFile V(Conn());
  const TInt32Trio P1{1, 0, 0}, P2{2, 0, 0};
  int Nr = 0;
  for (TInt32Trio P : {P1, P2})
    for (int Fil : {1, 2, 3})
      for (char Art : {'F', 'Z'}) {
        V.ClearRecord();
        V.LfdNr.SetWert(++Nr);
        V.ProduktId.SetWert(P);
        V.FilNr.SetWert(Fil);
        V.Satzart.SetWert(Art);
        V.Bewegungsart.SetWert(Fil == 3 ? "24" : "23");
        V.WriteRecord(wrdonInsert);
      }
  auto Filialen = [&](bool AOk) {
    std::vector<int> R;
    for (; AOk; AOk = V.Get_next_extMode()) R.push_back(V.FilNr.GetWert());
    return R;
  };
  V.SelectKey(TFvkFile::KEY_PRODUKT);
  V.ExtendedFilterClear();
  V.ProduktId.SetWert(P2);
  V.ExtendedFilterAdd(V.ProduktId, RF_VGL_GLEICH, RF_VERK_UND);
  V.Satzart.SetWert('F');
  V.ExtendedFilterAdd(V.Satzart, RF_VGL_GLEICH, RF_VERK_UND);
  V.Bewegungsart.SetWert("23");
  V.ExtendedFilterAdd(V.Bewegungsart, RF_VGL_GLEICH, RF_VERK_UND);
  for (int Fil : {1, 3}) {
    V.FilNr.SetWert(Fil);
    V.ExtendedFilterAdd(V.FilNr, RF_VGL_GLEICH, RF_VERK_ODER);
  }
  V.ExtendedFilterFinalize();
  V.LeseVerhalten_SQL_Set(2);
  EXPECT_EQ(Filialen(V.Get_ge_extMode()), (std::vector<int>{1}));  // branch 3 has movement type "24"

  V.ExtendedFilterClear();
  V.Satzart.SetWert('Z');
  V.ExtendedFilterAdd(V.Satzart, RF_VGL_UNGLEICH, RF_VERK_UND);
  V.FilNr.SetWert(1);
  V.ExtendedFilterAdd(V.FilNr, RF_VGL_UNGLEICH, RF_VERK_UND);
  V.ExtendedFilterFinalize();
  EXPECT_EQ(Filialen(V.Get_first_extMode()), (std::vector<int>{2, 3, 2, 3}));
  EXPECT_THROW(V.ExtendedFilterAdd(V.FilNr, 9, RF_VERK_UND), std::invalid_argument);
  EXPECT_THROW(V.LeseVerhalten_SQL_Set(3), std::invalid_argument);
}

TEST_P(TQLX_DBFileLesen, KeyValuesBecomeAnExtendedFilter) {
  Tastafile H(Conn());
  const TInt32Trio P{5, 6, 7};
  for (auto [Pid, Datum, Nr] : {std::tuple{P, 45000.0, "A-1"}, {P, 45100.0, "A-2"}, {TInt32Trio{5, 6, 8}, 45200.0, "B"}}) {
    H.ClearRecord();
    H.ProduktId.SetWert(Pid);
    H.Eingabedatum.SetWert(Datum);
    H.ArtNr.SetWert(Nr);
    H.WriteRecord(wrdonInsert);
  }
  H.ResetForReuse();
  H.Key_ProduktId.SetKeyWert(P);
  H.KeyWerteToExtendedFiltern();
  std::vector<std::string> Nummern;
  for (bool Ok = H.Get_first_extMode(); Ok; Ok = H.Get_next_extMode()) Nummern.push_back(H.ArtNr.GetWert());
  EXPECT_EQ(Nummern, (std::vector<std::string>{"A-1", "A-2"}));
}

TEST_P(TQLX_DBFileLesen, StockScanByProductAndBranchEndsAtTheBranch) {
  TBFFile B(Conn());
  const TInt32Trio P{10, 1, 0};
  Bestand(B, P, 1, '3');
  Bestand(B, P, 1, '1');
  Bestand(B, P, 2, '1');
  Bestand(B, TInt32Trio{10, 2, 0}, 1, '1');
  B.ResetForReuse();
  B.Key_ProduktId.SetKeyWertAndFilter(P);
  B.Key_FilNr.SetKeyWertAndFilter(1);
  std::string Typen;
  for (bool Ok = B.Get_ge(); Ok; Ok = B.Get_next()) Typen += B.Bestandstyp.GetWert();
  EXPECT_EQ(Typen, "13");
}

TEST_P(TQLX_DBFileLesen, LargeStreamedScanWhileAnotherFileReads) {
  constexpr int N = 20000;
  {
    TDbTransaction T(Conn());
    TBFFile B(Conn());
    for (int i = 0; i < N; ++i) Bestand(B, TInt32Trio{i, 0, 0}, 1 + i % 3, '1', i);
    TAAFile A(Conn());
    for (int i = 0; i < 100; ++i) {
      A.ClearRecord();
      A.ProduktId.SetWert(TInt32Trio{i * 200, 0, 0});
      A.Text1.SetWert("Artikel " + std::to_string(i));
      A.WriteRecord(wrdonInsert);
    }
    T.Commit();
  }
  TBFFile B(Conn());
  TAAFile A(Conn());
  B.SetUsedField({&B.ProduktId, &B.FilNr});
  B.ExtendedFilterClear();
  for (int Fil : {1, 2}) {
    B.FilNr.SetWert(Fil);
    B.ExtendedFilterAdd(B.FilNr, RF_VGL_GLEICH, RF_VERK_ODER);
  }
  B.ExtendedFilterFinalize();
  B.LeseVerhalten_SQL_Set(2);
  int Gelesen = 0, Artikel = 0, Letzte = -1;
  for (bool Ok = B.Get_ge_extMode(); Ok; Ok = B.Get_next_extMode()) {
    ++Gelesen;
    const int I = B.ProduktId.GetWert().I1;
    ASSERT_GT(I, Letzte);  // key order
    Letzte = I;
    if (I % 200 == 0) {
      A.Key_ProduktId.SetKeyWert(B.ProduktId.GetWert());
      ASSERT_TRUE(A.Get_equal());
      EXPECT_EQ(A.Text1.GetWert(), "Artikel " + std::to_string(I / 200));
      ++Artikel;
    }
  }
  EXPECT_EQ(Gelesen, 13334);  // the 6666 records of branch 3 stay out
  EXPECT_EQ(Artikel, 67);  // multiples of 200 whose branch (1 + i % 3) is 1 or 2
}

// "datum/wg/fil" of every request in key order.
std::vector<std::string> AlleAnforderungen(TDbConnection& AConn) {
  Tiafile F(AConn);
  return Lauf(F, F.Get_first());
}

TEST_P(TQLX_DBFileLesen, ReadStretchSeesOneSnapshotAndLeavesNoTransaction) {
  auto Andere = FDb->Open();
  {
    TQLX_DBLesestrecke Strecke(Conn());
    EXPECT_EQ(Strecke.Offen(), GetParam() == TDbBackend::SQLite);
    const auto Vorher = AlleAnforderungen(Conn());
    ASSERT_EQ(Vorher.size(), 5u);
    {
      // Another program writes meanwhile and is not held up.
      Tiafile G(*Andere);
      Anforderung(G, 45500, "03", 4, 45292, 'A');
    }
    if (Strecke.Offen()) {
      EXPECT_EQ(AlleAnforderungen(Conn()), Vorher);
    }
  }
  EXPECT_EQ(AlleAnforderungen(Conn()).size(), 6u);
  // Nothing of the stretch stays open: the connection writes in a
  // transaction of its own again.
  TDbTransaction T(Conn());
  Tiafile F(Conn());
  Anforderung(F, 45600, "04", 5, 45292, 'A');
  T.Commit();
  EXPECT_EQ(AlleAnforderungen(*Andere).size(), 7u);
}

TEST_P(TQLX_DBFileLesen, ReadStretchInsideATransactionLeavesItToTheCaller) {
  TDbTransaction T(Conn());
  Tiafile F(Conn());
  Anforderung(F, 45500, "03", 4, 45292, 'A');
  {
    TQLX_DBLesestrecke Strecke(Conn());
    EXPECT_FALSE(Strecke.Offen());
    EXPECT_EQ(AlleAnforderungen(Conn()).size(), 6u);
  }
  EXPECT_TRUE(Conn().InTransaction());
  T.Commit();
  EXPECT_EQ(AlleAnforderungen(*FDb->Open()).size(), 6u);
}

TEST_P(TQLX_DBFileLesen, KeyListReadsManyKeysAndNamesEachRecordsKey) {
  Tiafile F(Conn());
  F.SelectKey(Tiafile::KEY_ANFORDERUNG);
  auto Schluessel = [&](TDateTime ADatum, const std::string& AWG, int AFil) {
    F.Key_Zaehldatum.SetKeyWert(ADatum);
    F.Key_WG.SetKeyWert(AWG);
    F.Key_FilNr.SetKeyWert(AFil);
    F.KeyListeAnfuegen();
  };
  Schluessel(45400, "01", 1);
  Schluessel(45999, "x", 1);  // none
  Schluessel(45200, "", 7);
  Schluessel(45300, "01", 2);
  std::set<std::string> Gelesen;
  for (bool Ok = F.Get_first_KeyListe(); Ok; Ok = F.Get_next())
    Gelesen.insert(std::to_string(F.KeyListePosition()) + ":" + std::to_string(F.FilNr.GetWert()) +
                   F.KZZaehlung.GetWert());
  EXPECT_EQ(Gelesen, (std::set<std::string>{"0:1A", "2:7A", "3:2B"}));
  EXPECT_FALSE(F.Found());
  // The list stays for another read; a key with fewer segments does not fit it.
  EXPECT_EQ(F.KeyListeAnzahl(), 4);
  F.ResetForReuse();
  F.Key_Zaehldatum.SetKeyWert(45300);
  F.KeyListeAnfuegen();
  F.Key_Zaehldatum.SetKeyWert(45400);
  F.KeyListeAnfuegen();
  EXPECT_TRUE(F.Get_first_KeyListe());
  int Anzahl = 1;
  while (F.Get_next()) ++Anzahl;
  EXPECT_EQ(Anzahl, 4);  // three on the 45300th day, one on the 45400th
  F.Key_WG.SetKeyWert("01");
  EXPECT_THROW(F.KeyListeAnfuegen(), std::logic_error);
}

TEST_P(TQLX_DBFileLesen, KeyListsOfSeveralFilesSentTogetherNameTheirKeysAndKeepFilters) {
  TBFFile B(Conn());
  for (int I = 0; I < 150; ++I) {
    Bestand(B, TInt32Trio{I, 0, 0}, 1, '3', I);
    Bestand(B, TInt32Trio{I, 0, 0}, 1, '1', I);
    Bestand(B, TInt32Trio{I, 0, 0}, 2, '1', I);
  }
  B.ResetForReuse();
  B.SelectKey(TBFFile::KEY_PRODUKT_FILIALE);
  // More keys than one statement takes, from the last article down.
  for (int I = 149; I >= 0; --I) {
    B.Key_ProduktId.SetKeyWert(TInt32Trio{I, 0, 0});
    B.Key_FilNr.SetKeyWert(1);
    B.KeyListeAnfuegen();
  }
  B.KeyListeSenden();
  Tiafile F(Conn());
  F.SelectKey(Tiafile::KEY_ANFORDERUNG);
  F.SetUsedField({&F.KZZaehlung});
  F.KZZaehlung.SetFilterMinMax('A');
  F.Key_Zaehldatum.SetKeyWert(45300);
  F.KeyListeAnfuegen();
  F.KeyListeSenden();

  std::multiset<std::string> Typen;
  bool Zugeordnet = true;
  for (bool Ok = B.Get_first_KeyListe(); Ok; Ok = B.Get_next()) {
    Zugeordnet = Zugeordnet && B.ProduktId.GetWert().I1 == 149 - B.KeyListePosition() &&
                 B.GetGR_MESU(1) == B.ProduktId.GetWert().I1 && B.FilNr.GetWert() == 1;
    Typen.insert(std::to_string(B.KeyListePosition()) + B.Bestandstyp.GetWert());
  }
  EXPECT_EQ(Typen.size(), 300u);
  EXPECT_TRUE(Zugeordnet);
  EXPECT_EQ(Typen.count("01") + Typen.count("03") + Typen.count("1491") + Typen.count("1493"), 4u);
  std::vector<int> Filialen;
  for (bool Ok = F.Get_first_KeyListe(); Ok; Ok = F.Get_next()) Filialen.push_back(F.FilNr.GetWert());
  EXPECT_EQ(Filialen, (std::vector<int>{1, 1}));  // "01" and "02" of branch 1; state 'B' filtered out

  // An empty list reads nothing; a normal read in between ends what was sent.
  B.KeyListeLeeren();
  EXPECT_FALSE(B.Get_first_KeyListe());
  F.KeyListeSenden();
  EXPECT_TRUE(F.Get_first());
  EXPECT_FALSE(F.Get_first_KeyListe() && F.KeyListePosition() != 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, TQLX_DBFileLesen, ::testing::ValuesIn(TTestDb::Available()), TTestDbName);

}  // namespace
