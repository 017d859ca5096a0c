#pragma once
// What the engine owns and hands its parts: the record files and suite
// services, each made on first need (TInvAnfDatei.h), and the progress
// window. Each part takes only those it uses. Failures are registered under
// the engine's names ("TQLX_InvAnfMani.AAFile_CiNoC", ...), and the end
// frees them in the suite's order under "TQLX_InvAnfMani.Destroy".
#include "engine/TInvAnfDatei.h"
#include "engine/TInvAnfFortschritt.h"

class TAAFile;
class TBFFile;
class TFvkFile;
class Tiafile;
class Tivfile;
class TvglInvAnf;
class TQLX_WGN_Iterator;
class TWGNMani;
class TSimplePriceReader;
class TInvDel;

// The suite's shared product-group manager: borrowed on first need, given
// back at the end.
class TInvAnfWGNMani {
 public:
  TInvAnfWGNMani() = default;
  TInvAnfWGNMani(const TInvAnfWGNMani&) = delete;
  TInvAnfWGNMani& operator=(const TInvAnfWGNMani&) = delete;
  TWGNMani& Dienst();
  void Freigeben();

 private:
  TWGNMani* FWGNMani = nullptr;
};

class TInvAnfObjekte {
 public:
  TInvAnfObjekte();
  ~TInvAnfObjekte();
  TInvAnfObjekte(const TInvAnfObjekte&) = delete;
  TInvAnfObjekte& operator=(const TInvAnfObjekte&) = delete;

  TInvAnfDatei<TAAFile> AA{"TQLX_InvAnfMani.AAFile_CiNoC", "Die Artikeldatei"};
  TInvAnfDatei<TBFFile> BF{"TQLX_InvAnfMani.BFFile_CiNoC", "Die Bestandsdatei"};
  TInvAnfDatei<TFvkFile> FVK{"TQLX_InvAnfMani.FVKFile_CiNoC", "Die Filialverkaufsdatei"};
  TInvAnfDatei<Tiafile> IA{"TQLX_InvAnfMani.IAFile_CiNoC", "Die Anforderungsdatei"};
  TInvAnfDatei<Tivfile> IV{"TQLX_InvAnfMani.IVFile_CiNoC", "Die Inventurdatei"};
  TInvAnfDienst<TvglInvAnf> VglInvAnf{"TQLX_InvAnfMani.VglInvAnf_CiN", "Der Anforderungsdienst"};
  TInvAnfDienst<TQLX_WGN_Iterator> WGNIter{"TQLX_InvAnfMani.WGNIter_CiN", "Der Warengruppen-Iterator"};
  TInvAnfWGNMani WGNMani;
  TInvAnfDienst<TSimplePriceReader> SPReader{"TQLX_InvAnfMani.SPReader_CiN", "Der Preisleser"};
  TInvAnfDienst<TInvDel> InvDel{"TQLX_InvAnfMani.InvDel_CiN", "Der Inventur-Löschdienst"};
  TInvAnfFortschritt Fortschritt;
};
