// Cost of the live clear text: the layer page translates eight fields on every keystroke
// and every row of the layer list.

#include "SyntheticSets.h"
#include "ZAVParser.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// The built-in set in ZAV_Dictionaries for the whole program.
TZAVDictionaries *BuiltInSet()
{
    static const std::unique_ptr<TZAVDictionaries> Set = [] {
        std::unique_ptr<TZAVDictionaries> S = LoadDictionariesFromResource();
        if (!S)
            std::abort();
        return S;
    }();
    ZAV_Dictionaries = Set.get();
    return Set.get();
}

// Ten tokens: plain, graded, bracketed entries and one unknown code.
const QString TenTokens = QStringLiteral("mS,fs2,g3,u4,h,k5-X2,gs1,pf3(xyz)");

void BM_PetroTenTokens(benchmark::State &State)
{
    BuiltInSet();
    for (auto _ : State) {
        QString Text = MakeNiceText(ParsePetroText(TenTokens));
        benchmark::DoNotOptimize(Text);
    }
}
BENCHMARK(BM_PetroTenTokens);

// The same against a petrography dictionary of the full catalogue's size (2,461
// entries): the built-in entries plus made-up codes of one to five letters.
void BM_PetroTenTokensFullSize(benchmark::State &State)
{
    TZAVDictionaries *Set = BuiltInSet();
    TZAVDict *Petro = Set->GetDictionary(wbPetro);
    const int Original = Petro->Count();
    GrowToFullSizePetrography(Petro);
    for (auto _ : State) {
        QString Text = MakeNiceText(ParsePetroText(TenTokens));
        benchmark::DoNotOptimize(Text);
    }
    // Back to the built-in entries for the benchmarks that follow.
    std::vector<TObject *> Added;
    for (TObject *Obj : *Petro)
        if (static_cast<TZAVAtom *>(Obj)->ClearText() == u"Kunstgestein")
            Added.push_back(Obj);
    for (TObject *Obj : Added)
        Petro->Remove(Obj);
    if (Petro->Count() != Original)
        std::abort();
}
BENCHMARK(BM_PetroTenTokensFullSize);

void BM_ColorThreePieces(benchmark::State &State)
{
    BuiltInSet();
    const QString Field = QStringLiteral("grbnro");
    for (auto _ : State) {
        QString Text = ParseColor(QStringView(Field));
        benchmark::DoNotOptimize(Text);
    }
}
BENCHMARK(BM_ColorThreePieces);

void BM_StratRange(benchmark::State &State)
{
    BuiltInSet();
    const QString Field = QStringLiteral("q-t?");
    for (auto _ : State) {
        QString Text = ParseStrat(Field);
        benchmark::DoNotOptimize(Text);
    }
}
BENCHMARK(BM_StratRange);

} // namespace

BENCHMARK_MAIN();
