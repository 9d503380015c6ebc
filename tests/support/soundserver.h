// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A sound server of a test's own, for the voice as a listener hears it: PulseAudio, or PipeWire
// with its PulseAudio service, run in a temporary folder with their default settings and one null
// sink at its default settings, which becomes the default output of this process. Nothing of the
// machine's own sound is touched.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace tallimo {

class SoundServer {
public:
    enum class Kind { PulseAudio, PipeWire };

    // The kind named by TALLIMO_SOUND_SERVER ("pulseaudio" or "pipewire"), PulseAudio without it.
    static Kind KindOfThisRun();
    static QString NameOf(Kind kind);

    static constexpr char SinkName[] = "tallimo_heard";

    explicit SoundServer(Kind kind);
    ~SoundServer();

    SoundServer(const SoundServer &) = delete;
    SoundServer &operator=(const SoundServer &) = delete;

    // Starts the server and points this process at it. Empty when it runs, else why it does not.
    QString Start();

    // As a hung server: it keeps its connections but answers nothing.
    void Suspend();
    void Resume();

    Kind kind() const { return kind_; }

    // The address for PULSE_SERVER.
    QString Address() const { return address_; }

private:
    QString StartPulseAudio(const QString &socket);
    QString StartPipeWire(const QString &socket);
    QProcess &Launch(const QString &program, const QStringList &arguments);
    // Runs pactl against the server; empty when it succeeded, else what it said.
    QString Pactl(const QStringList &arguments);
    void SignalAll(int signal);

    Kind kind_;
    QTemporaryDir folder_;
    QProcessEnvironment environment_;
    // In the order started; they are ended in the reverse order.
    std::vector<std::unique_ptr<QProcess>> processes_;
    QString address_;
};

}  // namespace tallimo
