// Time from process start to the first painted frame (reported by the program on the shared
// monotonic clock): the game against a bare Qt window of the same size.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {
QString programBeside(const char* name)
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget().section('/', 0, -2) + '/' + name;
}

void runToFirstFrame(benchmark::State& state, const char* program)
{
    const QString path = programBeside(program);
    QTemporaryDir config; // the game must not touch the real settings
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    // A stored language keeps the first-start language question out of the measurement.
    QDir(config.path()).mkpath(QStringLiteral("FrobnyGames/FrobnyOffice"));
    QFile ini(config.path() + QStringLiteral("/FrobnyGames/FrobnyOffice/V1.ini"));
    if (ini.open(QIODevice::WriteOnly))
        ini.write("[common]\ntongue=0\n");
    ini.close();
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        const auto start = std::chrono::steady_clock::now();
        process.start(path, {});
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError(qPrintable(QStringLiteral("%1 did not finish cleanly").arg(path)));
            break;
        }
        bool parsed = false;
        const long long frameNs = process.readAllStandardOutput().trimmed().toLongLong(&parsed);
        if (!parsed) {
            state.SkipWithError("the program did not report its first frame");
            break;
        }
        const long long startNs =
            std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count();
        state.SetIterationTime(static_cast<double>(frameNs - startNs) * 1e-9);
    }
}

void BM_BareWindowFirstFrame(benchmark::State& state)
{
    runToFirstFrame(state, "startup_bare");
}
void BM_GameFirstFrame(benchmark::State& state)
{
    runToFirstFrame(state, "startup_game");
}
} // namespace

BENCHMARK(BM_BareWindowFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_GameFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
