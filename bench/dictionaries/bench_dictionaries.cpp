// Loading the dictionary set, looking codes up and searching clear texts.

#include "RawResource.h"
#include "SyntheticSets.h"
#include "ZAVDictionaries.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

TZAVDictionaries &BuiltIn()
{
    static std::unique_ptr<TZAVDictionaries> Set = LoadDictionariesFromResource();
    return *Set;
}

// The synthetic set read once, for the look-up benchmarks.
const TZAVDictionaries &FullSizeSet()
{
    static const std::unique_ptr<TZAVDictionaries> Set = [] {
        QBuffer Buf;
        Buf.setData(SyntheticFullSet());
        Buf.open(QIODevice::ReadOnly);
        auto Result = std::make_unique<TZAVDictionaries>();
        Result->Clear();
        Result->ReadData(&Buf);
        return Result;
    }();
    return *Set;
}

void BM_LoadBuiltInSetFromResource(benchmark::State &State)
{
    for (auto _ : State) {
        std::unique_ptr<TZAVDictionaries> Set = LoadDictionariesFromResource();
        benchmark::DoNotOptimize(Set.get());
    }
}
BENCHMARK(BM_LoadBuiltInSetFromResource)->Unit(benchmark::kMicrosecond);

void BM_LoadFullSizeSet(benchmark::State &State)
{
    const QByteArray Data = SyntheticFullSet();
    for (auto _ : State) {
        QBuffer Buf;
        Buf.setData(Data);
        Buf.open(QIODevice::ReadOnly);
        auto Set = std::make_unique<TZAVDictionaries>();
        Set->Clear();
        Set->ReadData(&Buf);
        benchmark::DoNotOptimize(Set->Count());
        // Releasing the set is not part of loading it.
        State.PauseTiming();
        Set.reset();
        State.ResumeTiming();
    }
    State.counters["bytes"] = double(Data.size());
}
BENCHMARK(BM_LoadFullSizeSet)->Unit(benchmark::kMillisecond);

void BM_FindInStrat(benchmark::State &State)
{
    const TZAVDict *Strat = BuiltIn().GetDictionary(wbStrat);
    const QString Code = QStringLiteral("qh");
    const QString Graded = QStringLiteral("qh3"); // falls back to the code without grade
    for (auto _ : State) {
        benchmark::DoNotOptimize(Strat->Find(Code, true));
        benchmark::DoNotOptimize(Strat->Find(Graded, true));
    }
}
BENCHMARK(BM_FindInStrat);

void BM_FindInFullSizeDictionary(benchmark::State &State)
{
    const TZAVDictionaries &Set = FullSizeSet();
    const TZAVDict *Big = Set.Dictionary(6); // 7,125 entries, as S3STRAT
    const QString Code = QStringLiteral("c04711");
    for (auto _ : State)
        benchmark::DoNotOptimize(Big->Find(Code, true));
}
BENCHMARK(BM_FindInFullSizeDictionary);

void BM_FindClearTextOverAllDictionaries(benchmark::State &State)
{
    const TZAVDictionaries &Set = BuiltIn();
    const QString Text = QStringLiteral("ton");
    for (auto _ : State) {
        qsizetype Hits = 0;
        for (int I = 0; I < Set.Count(); ++I)
            Hits += Set.Dictionary(I)->FindClearText(Text, false).size();
        benchmark::DoNotOptimize(Hits);
    }
}
BENCHMARK(BM_FindClearTextOverAllDictionaries)->Unit(benchmark::kMicrosecond);

void BM_FindClearTextFullSize(benchmark::State &State)
{
    const TZAVDictionaries &Set = FullSizeSet();
    const QString Text = QStringLiteral("t 1");
    for (auto _ : State) {
        qsizetype Hits = 0;
        for (int I = 0; I < Set.Count(); ++I)
            Hits += Set.Dictionary(I)->FindClearText(Text, false).size();
        benchmark::DoNotOptimize(Hits);
    }
}
BENCHMARK(BM_FindClearTextFullSize)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
