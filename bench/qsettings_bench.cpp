// The QSettings peer (IniFormat) on the same files: a load reads the 48 values
// through a fresh QSettings, a save writes the 24 values and syncs after each one
// (as our save writes each value through to the file), and the section list is
// childGroups(). QSettings keeps parsed files of up to about 100 KB in a cache and
// serves an unchanged one from it after a stat; that is its normal behaviour.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QString>
#include <fstream>
#include <string>

#include "bench_files.h"

namespace {

using namespace orvex::bench;

QString hostFile(const std::string& name) {
    return QString::fromStdString(benchDataFolder() + "/" + name);
}

QString sectionKey(int slot, const char* key) {
    return QString("VECTOR3-%1/%2").arg(slot, 3, 10, QChar('0')).arg(key);
}

void load(benchmark::State& state, const OptionsFileSize& size) {
    const QString file = hostFile(optionsFileName(size));
    for (auto _ : state) {
        QSettings settings(file, QSettings::IniFormat);
        for (int slot = 0; slot < 24; ++slot) {
            benchmark::DoNotOptimize(settings.value(sectionKey(slot, "OptionName"), "Bad Read"));
            benchmark::DoNotOptimize(settings.value(sectionKey(slot, "OptionValue"), "1,1,1"));
        }
    }
}

void save(benchmark::State& state, const OptionsFileSize& size) {
    const std::string name = std::string("save-qsettings_") + size.label + ".ini";
    {
        std::ofstream out(benchDataFolder() + "/" + name, std::ios::binary | std::ios::trunc);
        out << SyntheticOptionsFile(size.bytes);
    }
    const QString file = hostFile(name);
    int round = 0;
    for (auto _ : state) {
        ++round;
        QSettings settings(file, QSettings::IniFormat);
        for (int slot = 0; slot < 24; ++slot) {
            settings.setValue(sectionKey(slot, "OptionValue"),
                              QString::fromStdString(ColourTextForRound(round, slot)));
            settings.sync();
        }
        if (settings.status() != QSettings::NoError) {
            state.SkipWithError("QSettings could not write the file");
            break;
        }
    }
    QFile::remove(file);
}

void sections(benchmark::State& state, const OptionsFileSize& size) {
    const QString file = hostFile(optionsFileName(size));
    for (auto _ : state) {
        QSettings settings(file, QSettings::IniFormat);
        benchmark::DoNotOptimize(settings.childGroups());
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    for (const OptionsFileSize& size : kOptionsFileSizes) {
        const std::string label = size.label;
        benchmark::RegisterBenchmark(("load/" + label).c_str(), load, size)
            ->Unit(benchmark::kMicrosecond);
        auto* saving = benchmark::RegisterBenchmark(("save/" + label).c_str(), save, size)
                           ->Unit(benchmark::kMicrosecond)
                           ->MinTime(0.3);
        if (size.bytes > 1024 * 1024) {
            saving->Repetitions(1);  // one save takes half a minute
        }
        benchmark::RegisterBenchmark(("sections/" + label).c_str(), sections, size)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
