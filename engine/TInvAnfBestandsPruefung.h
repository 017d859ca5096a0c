#pragma once
// The stock check of the article selection: an article stays with a request
// only when it is present in the request's branch, through a counting stock
// record or a branch sale of kind 'F' with movement type "23". Two ways to
// read the same answer: by key, article by article (cheap on an in-process
// database), or in two bulk reads filtered on the server. Each registers its
// failure ("TQLX_InvAnfMani.BestandPruefen_Btrieve" / "..._SQL") and is then
// false, the to-do list left as far as it got.
#include "engine/InvAnfListen.h"

#include "engine/TInvAnfDatei.h"

class TBFFile;
class TFvkFile;
class TInvAnfFortschritt;

class TInvAnfBestandsPruefung {
 public:
  TInvAnfBestandsPruefung(TInvAnfDatei<TBFFile>& ABF, TInvAnfDatei<TFvkFile>& AFVK, TInvAnfFortschritt& AFortschritt);
  bool BestandPruefen_Btrieve(TInventurListe& AInventuren, TFilialListe& AFilialen, TToDoListe& AToDo);
  bool BestandPruefen_SQL(TInventurListe& AInventuren, TFilialListe& AFilialen, TToDoListe& AToDo);

 private:
  static void DateienVorbereiten(TBFFile& ABF, TFvkFile& AFVK);
  TInvAnfDatei<TBFFile>& FBF;
  TInvAnfDatei<TFvkFile>& FFVK;
  TInvAnfFortschritt& FFortschritt;
};
