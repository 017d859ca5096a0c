// TQLX_List against std::vector (with std::sort / std::lower_bound) on
// 1,000,000 items, for int and for a product-id record with an index array.
// Each operation registers the std::vector run and the TQLX_List run next to
// each other so their ratio comes from one run on the same machine state.
//
//   bench_list [--anzahl=N] [Google Benchmark options]
//
// --anzahl: N items instead (inserts and deleted blocks scale with it), for a
// quick run that only shows the program works.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "support/list/TQLX_List.h"
#include "support/types/TInt32Trio.h"

namespace {

int32_t Anzahl = 1'000'000;  // set once, before any benchmark runs
int32_t Einfuegungen() { return Anzahl / 100; }
int32_t Loeschbloecke() { return Anzahl / 1000; }
constexpr int32_t Blockgroesse = 100;

// Look-alike of the engine's to-do entry: product id plus request indices.
// ComparerGet wraps an anonymous comparison, which the list can inline;
// ComparerGet_StdFunction is the std::function form (one indirect call per comparison).
struct TBenchIndizee {
  TInt32Trio PId;
  std::vector<int> Ind;
  static int Compare(const TBenchIndizee& A, const TBenchIndizee& B) { return TInt32Trio::Compare(A.PId, B.PId); }
  static TComparer<TBenchIndizee> ComparerGet() {
    return TComparer<TBenchIndizee>([](const TBenchIndizee& A, const TBenchIndizee& B) { return Compare(A, B); });
  }
  static std::function<int(const TBenchIndizee&, const TBenchIndizee&)> ComparerGet_StdFunction() { return &Compare; }
};

template <class T>
T Wert(std::mt19937& AZufall);
template <>
int Wert<int>(std::mt19937& AZufall) {
  return static_cast<int>(AZufall() % (4u * Anzahl));
}
template <>
TBenchIndizee Wert<TBenchIndizee>(std::mt19937& AZufall) {
  const auto X = static_cast<int32_t>(AZufall() % (4u * Anzahl));
  return {TInt32Trio::Construct(X / 100, X % 100, 1), {X % 7}};
}

// How each side orders T: std::sort's comparison, and the list's comparer as
// the program gives it (none for int, the record's ComparerGet otherwise).
template <class T>
struct TOrdnung;
template <>
struct TOrdnung<int> {
  static bool Kleiner(int A, int B) { return A < B; }
  static TComparer<int> ListenComparer() { return {}; }
};
template <>
struct TOrdnung<TBenchIndizee> {
  static bool Kleiner(const TBenchIndizee& A, const TBenchIndizee& B) { return TBenchIndizee::Compare(A, B) < 0; }
  static TComparer<TBenchIndizee> ListenComparer() { return TBenchIndizee::ComparerGet(); }
};

template <class T>
const std::vector<T>& Zufallsdaten() {
  static const std::vector<T> Daten = [] {
    std::mt19937 Zufall(4711);
    std::vector<T> D;
    D.reserve(Anzahl);
    for (int32_t I = 0; I < Anzahl; ++I) D.push_back(Wert<T>(Zufall));
    return D;
  }();
  return Daten;
}

template <class T>
const std::vector<T>& SortierteDaten() {
  static const std::vector<T> Daten = [] {
    std::vector<T> D = Zufallsdaten<T>();
    std::sort(D.begin(), D.end(), TOrdnung<T>::Kleiner);
    return D;
  }();
  return Daten;
}

// Values to insert (AEinfuegen: Einfuegungen() of them) or to look up (Anzahl).
template <class T, bool AEinfuegen>
const std::vector<T>& Suchwerte() {
  static const std::vector<T> Daten = [] {
    std::mt19937 Zufall(815);
    std::vector<T> D;
    for (int32_t I = 0; I < (AEinfuegen ? Einfuegungen() : Anzahl); ++I) D.push_back(Wert<T>(Zufall));
    return D;
  }();
  return Daten;
}

template <class T>
TQLX_List<T> Liste(const std::vector<T>& AQuelle, TComparer<T> AComparer = TOrdnung<T>::ListenComparer()) {
  TQLX_List<T> L(std::move(AComparer));
  L.AddRange(AQuelle);
  return L;
}

// ---- Add: 1,000,000 single appends into an empty container
template <class T>
void Add_Std(benchmark::State& S) {
  const auto& Q = Zufallsdaten<T>();
  for (auto _ : S) {
    std::vector<T> V;
    for (const T& X : Q) V.push_back(X);
    benchmark::DoNotOptimize(V.data());
  }
}
template <class T>
void Add_List(benchmark::State& S) {
  const auto& Q = Zufallsdaten<T>();
  for (auto _ : S) {
    TQLX_List<T> L;
    for (const T& X : Q) L.Add(X);
    benchmark::DoNotOptimize(L.GetItem_Ptr(0));
  }
}

// ---- Insert: 10,000 inserts in the middle of 1,000,000 items
template <class T>
void Insert_Std(benchmark::State& S) {
  const auto& Q = Suchwerte<T, true>();
  for (auto _ : S) {
    S.PauseTiming();
    std::vector<T> V = Zufallsdaten<T>();
    S.ResumeTiming();
    for (const T& X : Q) V.insert(V.begin() + static_cast<ptrdiff_t>(V.size() / 2), X);
    benchmark::DoNotOptimize(V.data());
  }
}
template <class T>
void Insert_List(benchmark::State& S) {
  const auto& Q = Suchwerte<T, true>();
  for (auto _ : S) {
    S.PauseTiming();
    TQLX_List<T> L = Liste(Zufallsdaten<T>());
    S.ResumeTiming();
    for (const T& X : Q) L.Insert(L.Count() / 2, X);
    benchmark::DoNotOptimize(L.GetItem_Ptr(0));
  }
}

// ---- Sort: 1,000,000 random items
template <class T>
void Sort_Std(benchmark::State& S) {
  for (auto _ : S) {
    S.PauseTiming();
    std::vector<T> V = Zufallsdaten<T>();
    S.ResumeTiming();
    std::sort(V.begin(), V.end(), TOrdnung<T>::Kleiner);
    benchmark::DoNotOptimize(V.data());
  }
}
template <class T>
void Sort_ListMit(benchmark::State& S, TComparer<T> AComparer) {
  for (auto _ : S) {
    S.PauseTiming();
    TQLX_List<T> L = Liste(Zufallsdaten<T>(), AComparer);
    S.ResumeTiming();
    L.Sort();
    benchmark::DoNotOptimize(L.GetItem_Ptr(0));
  }
}
template <class T>
void Sort_List(benchmark::State& S) {
  Sort_ListMit<T>(S, TOrdnung<T>::ListenComparer());
}
void Sort_ListStdFunction(benchmark::State& S) {
  Sort_ListMit<TBenchIndizee>(S, TBenchIndizee::ComparerGet_StdFunction());
}

// ---- BinarySearch: 1,000,000 look-ups in 1,000,000 sorted items
template <class T>
void BinarySearch_Std(benchmark::State& S) {
  const auto& V = SortierteDaten<T>();
  const auto& Q = Suchwerte<T, false>();
  for (auto _ : S) {
    int64_t Treffer = 0;
    for (const T& X : Q) {
      const auto It = std::lower_bound(V.begin(), V.end(), X, TOrdnung<T>::Kleiner);
      Treffer += (It != V.end() && !TOrdnung<T>::Kleiner(X, *It)) + (It - V.begin());
    }
    benchmark::DoNotOptimize(Treffer);
  }
}
template <class T>
void BinarySearch_ListMit(benchmark::State& S, TComparer<T> AComparer) {
  const TQLX_List<T> L = Liste(SortierteDaten<T>(), std::move(AComparer));
  const auto& Q = Suchwerte<T, false>();
  for (auto _ : S) {
    int64_t Treffer = 0;
    for (const T& X : Q) {
      int32_t Index = 0;
      Treffer += L.BinarySearch(X, Index) + Index;
    }
    benchmark::DoNotOptimize(Treffer);
  }
}
template <class T>
void BinarySearch_List(benchmark::State& S) {
  BinarySearch_ListMit<T>(S, TOrdnung<T>::ListenComparer());
}
void BinarySearch_ListStdFunction(benchmark::State& S) {
  BinarySearch_ListMit<TBenchIndizee>(S, TBenchIndizee::ComparerGet_StdFunction());
}

// ---- sorted insertion: 10,000 values into 1,000,000 sorted items
template <class T>
void SortedAdd_Std(benchmark::State& S) {
  const auto& Q = Suchwerte<T, true>();
  for (auto _ : S) {
    S.PauseTiming();
    std::vector<T> V = SortierteDaten<T>();
    S.ResumeTiming();
    for (const T& X : Q) {
      const auto It = std::lower_bound(V.begin(), V.end(), X, TOrdnung<T>::Kleiner);
      if (It == V.end() || TOrdnung<T>::Kleiner(X, *It)) V.insert(It, X);
    }
    benchmark::DoNotOptimize(V.data());
  }
}
template <class T>
void SortedAdd_List(benchmark::State& S) {
  const auto& Q = Suchwerte<T, true>();
  for (auto _ : S) {
    S.PauseTiming();
    TQLX_List<T> L = Liste(SortierteDaten<T>());
    S.ResumeTiming();
    for (const T& X : Q) L.AddToSortedList_IfNotContained(X);
    benchmark::DoNotOptimize(L.GetItem_Ptr(0));
  }
}

// ---- DeleteRange: 1,000 blocks of 100 from the middle of 1,000,000 items
template <class T>
void DeleteRange_Std(benchmark::State& S) {
  for (auto _ : S) {
    S.PauseTiming();
    std::vector<T> V = Zufallsdaten<T>();
    S.ResumeTiming();
    for (int32_t I = 0; I < Loeschbloecke(); ++I) {
      const auto Mitte = V.begin() + static_cast<ptrdiff_t>(V.size() / 2);
      V.erase(Mitte, Mitte + Blockgroesse);
    }
    benchmark::DoNotOptimize(V.data());
  }
}
template <class T>
void DeleteRange_List(benchmark::State& S) {
  for (auto _ : S) {
    S.PauseTiming();
    TQLX_List<T> L = Liste(Zufallsdaten<T>());
    S.ResumeTiming();
    for (int32_t I = 0; I < Loeschbloecke(); ++I) L.DeleteRange(L.Count() / 2, Blockgroesse);
    benchmark::DoNotOptimize(L.GetItem_Ptr(0));
  }
}

template <class T>
void Registrieren(const std::string& ATyp) {
  const auto Paar = [&](const std::string& AOp, void (*AStd)(benchmark::State&), void (*AList)(benchmark::State&),
                        int AIterationen) {
    auto* B1 = benchmark::RegisterBenchmark((AOp + "/" + ATyp + "/std").c_str(), AStd);
    auto* B2 = benchmark::RegisterBenchmark((AOp + "/" + ATyp + "/TQLX_List").c_str(), AList);
    for (auto* B : {B1, B2}) {
      B->Unit(benchmark::kMillisecond);
      if (AIterationen > 0) B->Iterations(AIterationen);
    }
  };
  Paar("Add", Add_Std<T>, Add_List<T>, 0);
  Paar("InsertMiddle", Insert_Std<T>, Insert_List<T>, 1);
  Paar("Sort", Sort_Std<T>, Sort_List<T>, 0);
  Paar("BinarySearch", BinarySearch_Std<T>, BinarySearch_List<T>, 0);
  Paar("AddToSortedList", SortedAdd_Std<T>, SortedAdd_List<T>, 1);
  Paar("DeleteRange", DeleteRange_Std<T>, DeleteRange_List<T>, 0);
}

}  // namespace

int main(int argc, char** argv) {
  for (int I = 1; I < argc; ++I)
    if (std::string(argv[I]).rfind("--anzahl=", 0) == 0) {
      Anzahl = std::max(1000, std::atoi(argv[I] + 9));
      std::copy(argv + I + 1, argv + argc + 1, argv + I);  // the rest is Google Benchmark's
      --argc;
      break;
    }
  Registrieren<int>("int");
  Registrieren<TBenchIndizee>("Indizee");
  benchmark::RegisterBenchmark("Sort/Indizee/TQLX_List_stdfunction", Sort_ListStdFunction)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BinarySearch/Indizee/TQLX_List_stdfunction", BinarySearch_ListStdFunction)
      ->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
