// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The voice as a listener hears it, on a sound server of the benchmark's own at its default
// settings (PulseAudio, and PipeWire with its PulseAudio service): how long after a key its echo
// starts, with the stream running and after a quiet spell, and how late each clip of a read-out
// starts against the moment it is asked for, with how much of the read-out is heard. The times
// are read from a recording of the server's null sink. Run without TALLIMO_SOUND_SERVER, the
// program runs itself once for each server; a server that cannot run here is left out.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "tests/support/busymachine.h"
#include "tests/support/recordedvoice.h"
#include "tests/support/soundserver.h"

using namespace tallimo;

namespace {

heard::RecordedVoice *voice = nullptr;

// Two busy processes for the length of a measurement, where the run asks for them.
std::unique_ptr<BusyMachine> LoadFor(bool busy)
{
    return busy ? std::make_unique<BusyMachine>() : nullptr;
}

// Key presses, each after the given quiet; the time is from each key to the start of its echo.
void KeyEcho(benchmark::State &state, int quietBefore, bool busy)
{
    const QStringList keys = {"1_wav", "add_wav", "7_wav", "zuo_wav", "5_wav"};
    int unheard = 0, broken = 0;
    int key = 0;
    double earliest = 1e9, latest = 0;
    for (auto _ : state) {
        QTest::qWait(quietBefore);
        const auto load = LoadFor(busy);
        // The echo is looked for in what is recorded until a while after it.
        const heard::Found echo = voice->EchoKeys({keys[key++ % keys.size()]}, {300}).front();
        unheard += echo.likeness < 0.9 || !echo.Heard();
        broken += !echo.Whole();
        earliest = std::min(earliest, echo.Lateness());
        latest = std::max(latest, echo.Lateness());
        state.SetIterationTime(echo.Lateness());
    }
    state.counters["late_min_ms"] = 1000 * earliest;
    state.counters["late_max_ms"] = 1000 * latest;
    state.counters["unheard"] = unheard;
    state.counters["not_whole"] = broken;
}

// 12345 read out at the 280 ms rate; the time is the latest start of a clip against its Play. The
// spread of what was heard, and of the clips' lateness, is given with the mean.
void ReadOut(benchmark::State &state, bool busy)
{
    double heardSeconds = 0, dueSeconds = 0, earliest = 1e9, latest = 0, sum = 0;
    double leastHeard = 1e9, mostHeard = 0;
    int clips = 0, unheard = 0, broken = 0;
    for (auto _ : state) {
        const auto load = LoadFor(busy);
        const heard::HeardReadOut readOut = voice->ReadOut12345();
        leastHeard = std::min(leastHeard, readOut.soundHeard);
        mostHeard = std::max(mostHeard, readOut.soundHeard);
        double latestHere = 0;
        for (const heard::Found &clip : readOut.clips) {
            earliest = std::min(earliest, clip.Lateness());
            latestHere = std::max(latestHere, clip.Lateness());
            sum += clip.Lateness();
            unheard += !clip.Heard();
            broken += !clip.Whole();
            ++clips;
        }
        latest = std::max(latest, latestHere);
        heardSeconds += readOut.soundHeard;
        dueSeconds += readOut.soundDue;
        state.SetIterationTime(latestHere);
    }
    state.counters["heard_s"] =
        benchmark::Counter(heardSeconds, benchmark::Counter::kAvgIterations);
    state.counters["heard_min_s"] = leastHeard;
    state.counters["heard_max_s"] = mostHeard;
    state.counters["due_s"] = benchmark::Counter(dueSeconds, benchmark::Counter::kAvgIterations);
    state.counters["late_min_ms"] = 1000 * earliest;
    state.counters["late_mean_ms"] = clips ? 1000 * sum / clips : 0;
    state.counters["late_max_ms"] = 1000 * latest;
    state.counters["unheard"] = unheard;
    state.counters["not_whole"] = broken;
}

// Runs this program once for each server, with the same arguments.
int RunOnEachServer(int argc, char *argv[])
{
    int status = 0;
    for (const char *server : {"pulseaudio", "pipewire"}) {
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TALLIMO_SOUND_SERVER"), QString::fromLatin1(server));
        run.setProcessEnvironment(environment);
        run.setProcessChannelMode(QProcess::ForwardedChannels);
        QStringList arguments;
        for (int i = 1; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        run.start(QCoreApplication::applicationFilePath(), arguments);
        run.waitForFinished(-1);
        if (run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0)
            status = 1;
    }
    return status;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (qEnvironmentVariableIsEmpty("TALLIMO_SOUND_SERVER"))
        return RunOnEachServer(argc, argv);

    benchmark::Initialize(&argc, argv);
    const SoundServer::Kind kind = SoundServer::KindOfThisRun();
    const std::string server = SoundServer::NameOf(kind).toStdString();
    SoundServer sound(kind);
    const QString why = sound.Start();
    if (!why.isEmpty()) {
        std::printf("%s left out: %s\n", server.c_str(), qPrintable(why));
        return 0;
    }
    heard::RecordedVoice recorded;
    const QString wrong = recorded.Start(sound.Address());
    if (!wrong.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", server.c_str(), qPrintable(wrong));
        return 1;
    }
    voice = &recorded;
    // The first clip of a run opens the sound output; its echo is no measure of a running voice.
    recorded.EchoKeys({QStringLiteral("eqr_wav")}, {300});

    for (const bool busy : {false, true}) {
        const std::string load = busy ? "/busy" : "/idle";
        benchmark::RegisterBenchmark(("KeyEcho/" + server + load).c_str(), KeyEcho, 0, busy)
            ->UseManualTime()
            ->Iterations(10)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("KeyEchoAfterQuiet/" + server + load).c_str(), KeyEcho, 2500,
                                     busy)
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("ReadOut12345/" + server + load).c_str(), ReadOut, busy)
            ->UseManualTime()
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
