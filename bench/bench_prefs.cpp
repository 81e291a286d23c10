// Reading (and saving over) a 10 MB preferences file full of noise: random bytes, stray
// section headers and key lines around the real settings.
#include "app/TPreferences.h"
#include "platform/system/HomeFolder.h"
#include "platform/system/IniFile.h"
#include "platform/system/PreferencesFile.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

constexpr qsizetype kSize = 10 * 1024 * 1024;

// kind 0: random bytes with some stray lines; kind 1: nothing but tiny key lines.
QByteArray noise(int kind) {
    QRandomGenerator rng(42);
    QByteArray n;
    n.reserve(kSize / 2 + 64);
    while (n.size() < kSize / 2) {
        if (kind == 1) {
            n += "k=\n";
            continue;
        }
        switch (rng.bounded(16)) {
        case 0:
            n += "\n[Layout]\nHeight=junk\n";
            break;
        case 1:
            n += "\n[x]\nWidth=1\n";
            break;
        default:
            n += char(rng.bounded(256));
        }
    }
    return n;
}

class NoisyHome {
  public:
    explicit NoisyHome(int kind) {
        platform::HomeFolder::set(dir_.path());
        const QByteArray n = noise(kind);
        QFile f(platform::PreferencesFile::fileName());
        f.open(QIODevice::WriteOnly);
        f.write(n + "\n[Printer]\nTopMarginNudge=0x10\n[Personal]\nName=Jo\n" + n);
    }
    ~NoisyHome() { platform::HomeFolder::set(QString()); }

  private:
    QTemporaryDir dir_;
};

void BM_LoadPreferences(benchmark::State& state) {
    NoisyHome home(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(TPreferences::loadPreferences());
    state.SetBytesProcessed(state.iterations() * kSize);
}
BENCHMARK(BM_LoadPreferences)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ParseOnly(benchmark::State& state) {
    NoisyHome home(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::PreferencesFile::read());
    state.SetBytesProcessed(state.iterations() * kSize);
}
BENCHMARK(BM_ParseOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SavePreferences(benchmark::State& state) {
    NoisyHome home(int(state.range(0)));
    const TPreferences p = TPreferences::loadPreferences();
    for (auto _ : state)
        benchmark::DoNotOptimize(p.savePreferences());
    state.SetBytesProcessed(state.iterations() * kSize);
}
BENCHMARK(BM_SavePreferences)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
