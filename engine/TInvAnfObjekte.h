#pragma once
// What the engine owns and its parts work with: the record files and suite
// services, each made on first need, and the progress window. Failures are
// registered under the engine's names ("TQLX_InvAnfMani.AAFile_CiNoC", ...),
// and the end frees them in the suite's order under "TQLX_InvAnfMani.Destroy".
#include <memory>
#include <string>

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
class TQLX_PEP_Progress_SetPos;

class TInvAnfObjekte {
 public:
  TInvAnfObjekte();
  ~TInvAnfObjekte();
  TInvAnfObjekte(const TInvAnfObjekte&) = delete;
  TInvAnfObjekte& operator=(const TInvAnfObjekte&) = delete;

  // Ready for a new use: a record file is made, or reset so that no key
  // value or filter of an earlier use survives; a service is made once.
  // Throws when it could not be made (that failure is registered).
  TAAFile& AAFile();
  TBFFile& BFFile();
  TFvkFile& FVKFile();
  Tiafile& IAFile();
  Tivfile& IVFile();
  TvglInvAnf& VglInvAnf();
  TQLX_WGN_Iterator& WGNIter();
  TWGNMani& WGNMani();  // the suite's shared manager: borrowed, given back at the end
  TSimplePriceReader& SPReader();
  TInvDel& InvDel();

  // The progress window; without one (it could not be made) they do nothing.
  void ProgressCaption(const std::string& ACaption, const std::string& ADetail, bool AMarquee);
  // Marquee: one step on and the window's messages run; else maximum and position.
  void ProgressDo(int APos, int AMax);
  void ProgressShow(bool AModal);
  void ProgressHide();

  // The window shown for one operation and hidden on every way out, also
  // when a failure of the database passes on to the caller's guard.
  class TProgressSichtbar {
   public:
    explicit TProgressSichtbar(TInvAnfObjekte& AObjekte) : FObjekte(AObjekte) { FObjekte.ProgressShow(false); }
    ~TProgressSichtbar() { FObjekte.ProgressHide(); }
    TProgressSichtbar(const TProgressSichtbar&) = delete;
    TProgressSichtbar& operator=(const TProgressSichtbar&) = delete;

   private:
    TInvAnfObjekte& FObjekte;
  };

 protected:
  // The lazy creators: "_CiNoC" makes the record file or resets it, "_CiN"
  // makes the service when absent. A failed creation is registered and the
  // field keeps its value.
  void AAFile_CiNoC();
  void BFFile_CiNoC();
  void FVKFile_CiNoC();
  void IAFile_CiNoC();
  void IVFile_CiNoC();
  void InvDel_CiN();
  void SPReader_CiN();
  void VglInvAnf_CiN();
  void WGNIter_CiN();
  void WGNMani_CiN();

  std::unique_ptr<TAAFile> FAAFile;
  std::unique_ptr<TBFFile> FBFFile;
  std::unique_ptr<TFvkFile> FFVKFile;
  std::unique_ptr<Tiafile> FIAFile;
  std::unique_ptr<Tivfile> FIVFile;
  std::unique_ptr<TvglInvAnf> FvglInvAnf;
  std::unique_ptr<TQLX_WGN_Iterator> FWGNIter;
  TWGNMani* FWGNMani = nullptr;
  std::unique_ptr<TSimplePriceReader> FSPReader;
  std::unique_ptr<TInvDel> FInvDel;
  std::unique_ptr<TQLX_PEP_Progress_SetPos> FProgress;
};
