#pragma once

// The main function of the benchmarks that work on files: a Qt application (QtSql loads its
// driver plugin through it), one temporary folder for the run, and an engine error reported
// instead of ending in terminate.

#include "ZavDatabaseError.h"

#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

// The run's temporary folder.
inline QString &BenchWorkDir()
{
    static QString Path;
    return Path;
}

template <typename TApplication>
int RunFileBenchmarks(int argc, char **argv, const char *AName)
{
    TApplication App(argc, argv);
    QTemporaryDir Dir;
    BenchWorkDir() = Dir.path();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    try {
        benchmark::RunSpecifiedBenchmarks();
    } catch (const EDatabaseError &E) {
        std::fprintf(stderr, "%s: %s\n", AName, E.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
