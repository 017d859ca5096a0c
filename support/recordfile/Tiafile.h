#pragma once
// Request file: one record per stock-take request.
#include "support/recordfile/TQLX_DBFile.h"

// A copy of one request record.
struct TiaSatz {
  TDateTime Zaehldatum = 0;
  std::string WG;
  int32_t FilNr = 0;
  TDateTime Abschlussdatum = 0;
  TDateTime WiJahr = 0;
  double EKSoll = 0;
  double EKIst = 0;
  char KZZaehlung = '\0';
  TDateTime Anlagedatum = 0;
  int32_t Anlagezeit = 0;
};

class Tiafile : public TQLX_DBFile {
 public:
  static constexpr int16_t KEY_ANFORDERUNG = 0;  // counting date, product group, branch
  static constexpr int16_t KEY_ZAEHLSTATUS = 1;  // counting state
  static constexpr int16_t KEY_WIJAHR = 2;       // fiscal year

  // On the company database (KWDDatenbank()).
  Tiafile(int AOpenMode, int AKanal);
  explicit Tiafile(TDbConnection& AConnection, int AOpenMode = RF_OPEN_NORMAL, int AKanal = -1);

  TDateTimeFeld Zaehldatum{*this, "zaehldatum"};
  TStringFeld WG{*this, "wg"};
  TIntegerFeld FilNr{*this, "filnr"};
  TDateTimeFeld Abschlussdatum{*this, "abschlussdatum"};
  TDateTimeFeld WiJahr{*this, "wijahr"};
  TExtendedFeld EKSoll{*this, "ek_soll"};
  TExtendedFeld EKIst{*this, "ek_ist"};
  TCharFeld KZZaehlung{*this, "kz_zaehlung"};
  TDateTimeFeld Anlagedatum{*this, "anlagedatum"};
  TIntegerFeld Anlagezeit{*this, "anlagezeit"};

  TDatumDatenKeyFeld Key_Zaehldatum{*this, KEY_ANFORDERUNG, Zaehldatum};
  TStringDatenKeyFeld Key_WG{*this, KEY_ANFORDERUNG, WG};
  TIntegerDatenKeyFeld Key_FilNr{*this, KEY_ANFORDERUNG, FilNr};
  TCharDatenKeyFeld Key_KZZaehlung{*this, KEY_ZAEHLSTATUS, KZZaehlung};
  TDatumDatenKeyFeld Key_WiJahr{*this, KEY_WIJAHR, WiJahr};

  TiaSatz GetSatz() const;

 protected:
  // A new request starts with no booked values.
  void SchreibenVorbereiten(TWrDoOn AModus) override;
};
