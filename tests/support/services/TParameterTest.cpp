#include <stdexcept>

#include "ServicesTestUmgebung.h"
#include "support/db/KWDDatenbank.h"
#include "support/services/TParameter.h"

class TParameterTest : public TServicesTest {};
WWS_SERVICES_BACKENDS(TParameterTest);

TEST_P(TParameterTest, UngeschriebeneSchluesselLiefernIhreVorgaben) {
  TParameter& P = KWDParameter();
  EXPECT_EQ(P.GetIntegerValueByName("STARTMON"), 1);
  for (const char* Name : {"INVAVIS", "INVAUSWA", "INVREKLA", "INVRETOU", "INVRESER", "INVBFWEC"})
    EXPECT_FALSE(P.GetBooleanValueByName(Name)) << Name;
  EXPECT_EQ(P.GetCharValueByName("INVABWBE"), ' ');
  EXPECT_EQ(P.GetIntegerValueByName("INVABWMA"), 10000);
  EXPECT_EQ(P.GetIntegerValueByName("GIBTESNICHT"), 0);
  EXPECT_FALSE(P.Gespeichert("STARTMON").has_value());
}

TEST_P(TParameterTest, GeschriebeneWerteKommenUnveraendertZurueck) {
  TParameter& P = KWDParameter();
  P.SetIntegerValueByName("STARTMON", 7);
  P.SetBooleanValueByName("INVBFWEC", true);
  P.SetCharValueByName("INVABWBE", 'M');
  P.SetIntegerValueByName("INVABWMA", 3333);
  P.SetStringValueByName("FREITEXT", "Grüße; 'x'");
  P.SetBooleanValueByName("INVBFWEC", false);  // overwrite, not a second row

  // Read back through a second connection: the values are in the database.
  KWDDatenbank_Set(FDb->Open());
  EXPECT_EQ(P.GetIntegerValueByName("STARTMON"), 7);
  EXPECT_FALSE(P.GetBooleanValueByName("INVBFWEC"));
  EXPECT_EQ(P.Gespeichert("INVBFWEC"), "0");
  EXPECT_EQ(P.GetCharValueByName("INVABWBE"), 'M');
  EXPECT_EQ(P.GetIntegerValueByName("INVABWMA"), 3333);
  EXPECT_EQ(P.GetStringValueByName("FREITEXT"), "Grüße; 'x'");

  P.Entfernen("STARTMON");
  EXPECT_EQ(P.GetIntegerValueByName("STARTMON"), 1);
}

TEST_P(TParameterTest, UngueltigeWerteWerdenAbgewiesenUndNichtsGeschrieben) {
  TParameter& P = KWDParameter();
  P.SetIntegerValueByName("STARTMON", 4);
  EXPECT_THROW(P.SetIntegerValueByName("STARTMON", 13), std::invalid_argument);
  EXPECT_THROW(P.SetIntegerValueByName("STARTMON", 0), std::invalid_argument);
  EXPECT_THROW(P.SetIntegerValueByName("INVABWMA", 10001), std::invalid_argument);
  EXPECT_THROW(P.SetStringValueByName("STARTMON", "April"), std::invalid_argument);
  EXPECT_THROW(P.SetStringValueByName("INVAVIS", "ja"), std::invalid_argument);
  EXPECT_THROW(P.SetBooleanValueByName("STARTMON", true), std::invalid_argument);
  EXPECT_THROW(P.SetCharValueByName("INVABWBE", '\0'), std::invalid_argument);
  EXPECT_EQ(P.GetIntegerValueByName("STARTMON"), 4);
  EXPECT_FALSE(P.Gespeichert("INVABWMA").has_value());
  EXPECT_FALSE(P.Gespeichert("INVAVIS").has_value());
}

TEST_P(TParameterTest, UnlesbarGespeicherterWertLiefertDieVorgabe) {
  // Another program (or a hand edit) stored something this type cannot read.
  auto Stmt = KWDDatenbank().Prepare("INSERT INTO parameter (name, wert) VALUES (?, ?)");
  for (auto [Name, Wert] : {std::pair{"STARTMON", "13"}, {"INVAVIS", "vielleicht"}, {"INVABWBE", "zu lang"}}) {
    Stmt->Reset();
    Stmt->BindText(1, Name);
    Stmt->BindText(2, Wert);
    Stmt->Execute();
  }
  EXPECT_EQ(KWDParameter().GetIntegerValueByName("STARTMON"), 1);
  EXPECT_FALSE(KWDParameter().GetBooleanValueByName("INVAVIS"));
  EXPECT_EQ(KWDParameter().GetCharValueByName("INVABWBE"), ' ');
}

TEST_P(TParameterTest, ListeZeigtVorgabenUndGespeicherteSchluessel) {
  KWDParameter().SetIntegerValueByName("STARTMON", 10);
  KWDParameter().SetStringValueByName("ZUSATZ", "x");
  bool StartmonGefunden = false, ZusatzGefunden = false, AvisVorgabe = false;
  for (const auto& E : KWDParameter().Liste()) {
    if (E.Name == "STARTMON") StartmonGefunden = E.Gespeichert && E.Wert == "10";
    if (E.Name == "ZUSATZ") ZusatzGefunden = E.Gespeichert && E.Wert == "x";
    if (E.Name == "INVAVIS") AvisVorgabe = !E.Gespeichert && E.Wert == "0";
  }
  EXPECT_TRUE(StartmonGefunden);
  EXPECT_TRUE(ZusatzGefunden);
  EXPECT_TRUE(AvisVorgabe);
}
