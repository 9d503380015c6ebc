// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/soundserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <csignal>
#include <functional>

namespace tallimo {

namespace {

constexpr int StartMilliseconds = 10000;

// Waits, keeping events flowing, until the condition holds or the process has ended.
bool WaitFor(const std::function<bool()> &condition, const QProcess &process)
{
    return QTest::qWaitFor(
               [&] { return condition() || process.state() == QProcess::NotRunning; },
               StartMilliseconds) &&
           condition();
}

QString Missing(const QStringList &programs)
{
    QStringList missing;
    for (const QString &program : programs)
        if (QStandardPaths::findExecutable(program).isEmpty())
            missing << program;
    return missing.isEmpty() ? QString() : missing.join(QStringLiteral(", ")) + " not installed";
}

// The session manager of the test's PipeWire looks after no device of the machine: the test's
// server plays into its null sink only, and the machine's own sound stays as it is.
constexpr char NoDevices[] = R"(alsa_monitor.enabled = false
v4l2_monitor.enabled = false
libcamera_monitor.enabled = false
)";
constexpr char NoBluetooth[] = "bluez_monitor.enabled = false\n";

bool WriteFile(const QString &path, const char *text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == qint64(qstrlen(text));
}

}  // namespace

SoundServer::Kind SoundServer::KindOfThisRun()
{
    return qgetenv("TALLIMO_SOUND_SERVER") == "pipewire" ? Kind::PipeWire : Kind::PulseAudio;
}

QString SoundServer::NameOf(Kind kind)
{
    return kind == Kind::PipeWire ? QStringLiteral("PipeWire") : QStringLiteral("PulseAudio");
}

SoundServer::SoundServer(Kind kind) : kind_(kind) {}

SoundServer::~SoundServer()
{
    Resume();
    for (auto process = processes_.rbegin(); process != processes_.rend(); ++process) {
        (*process)->terminate();
        if (!(*process)->waitForFinished(5000))
            (*process)->kill();
        (*process)->waitForFinished();
    }
}

QString SoundServer::Start()
{
    if (!folder_.isValid())
        return QStringLiteral("no temporary folder");
    environment_ = QProcessEnvironment::systemEnvironment();
    // Everything the servers keep goes to the test's folder; as root they run as a user's server
    // all the same.
    environment_.insert(QStringLiteral("HOME"), folder_.path());
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder_.path());
    environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), folder_.filePath("config"));
    environment_.insert(QStringLiteral("XDG_STATE_HOME"), folder_.filePath("state"));
    environment_.insert(QStringLiteral("PULSE_RUNTIME_PATH"), folder_.filePath("pulse"));
    environment_.insert(QStringLiteral("PULSE_STATE_PATH"), folder_.filePath("state"));
    for (const char *name :
         {"PULSE_SERVER", "PIPEWIRE_REMOTE", "PIPEWIRE_RUNTIME_DIR", "DBUS_SESSION_BUS_ADDRESS"})
        environment_.remove(QString::fromLatin1(name));
    const QString socket = folder_.filePath(QStringLiteral("pulse/native"));
    const QString why = kind_ == Kind::PipeWire ? StartPipeWire(socket) : StartPulseAudio(socket);
    if (!why.isEmpty())
        return why;
    address_ = QStringLiteral("unix:") + socket;
    // Qt's sound output reads the server's address when it first connects.
    qputenv("PULSE_SERVER", address_.toLocal8Bit());
    return {};
}

QString SoundServer::StartPulseAudio(const QString &socket)
{
    const QString missing = Missing({"pulseaudio", "parecord"});
    if (!missing.isEmpty())
        return missing;
    QProcess &server = Launch(
        QStringLiteral("pulseaudio"),
        {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "--log-target=stderr",
         QStringLiteral("--load=module-null-sink sink_name=") + SinkName,
         "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket});
    if (!WaitFor([&socket] { return QFile::exists(socket); }, server))
        return QStringLiteral("pulseaudio did not start: ") +
               QString::fromLocal8Bit(server.readAll()).trimmed();
    return {};
}

QString SoundServer::StartPipeWire(const QString &socket)
{
    const QString missing =
        Missing({"pipewire", "pipewire-pulse", "wireplumber", "dbus-daemon", "pactl", "parecord"});
    if (!missing.isEmpty())
        return missing;
    const QString config = folder_.filePath(QStringLiteral("config/wireplumber"));
    if (!WriteFile(config + "/main.lua.d/99-no-devices.lua", NoDevices) ||
        !WriteFile(config + "/bluetooth.lua.d/99-no-bluetooth.lua", NoBluetooth))
        return QStringLiteral("the session manager's settings cannot be written");

    // The session manager needs a session bus; the test's is its own.
    const QString bus = folder_.filePath(QStringLiteral("bus"));
    QProcess &busDaemon =
        Launch(QStringLiteral("dbus-daemon"),
               {"--session", "--nofork", "--nopidfile", "--address=unix:path=" + bus});
    if (!WaitFor([&bus] { return QFile::exists(bus); }, busDaemon))
        return QStringLiteral("dbus-daemon did not start");
    environment_.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), "unix:path=" + bus);

    const QString core = folder_.filePath(QStringLiteral("pipewire-0"));
    QProcess &pipewire = Launch(QStringLiteral("pipewire"), {});
    if (!WaitFor([&core] { return QFile::exists(core); }, pipewire))
        return QStringLiteral("pipewire did not start: ") +
               QString::fromLocal8Bit(pipewire.readAll()).trimmed();
    Launch(QStringLiteral("wireplumber"), {});
    QProcess &pulse = Launch(QStringLiteral("pipewire-pulse"), {});
    if (!WaitFor([&socket] { return QFile::exists(socket); }, pulse))
        return QStringLiteral("pipewire-pulse did not start: ") +
               QString::fromLocal8Bit(pulse.readAll()).trimmed();

    address_ = QStringLiteral("unix:") + socket;
    QString why =
        Pactl({"load-module", "module-null-sink", QStringLiteral("sink_name=") + SinkName});
    if (!why.isEmpty())
        return QStringLiteral("no null sink: ") + why;
    // The default sink is the session manager's to keep: asked until it has taken it up.
    QElapsedTimer waited;
    waited.start();
    while (!(why = Pactl({"set-default-sink", SinkName})).isEmpty()) {
        if (waited.hasExpired(StartMilliseconds))
            return QStringLiteral("the null sink is not the default: ") + why;
        QTest::qWait(50);
    }
    return {};
}

QProcess &SoundServer::Launch(const QString &program, const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment_);
    process->setProcessChannelMode(QProcess::MergedChannels);
    // What it says is kept only to explain a start that failed.
    process->start(program, arguments);
    processes_.push_back(std::move(process));
    return *processes_.back();
}

QString SoundServer::Pactl(const QStringList &arguments)
{
    QProcessEnvironment environment = environment_;
    environment.insert(QStringLiteral("PULSE_SERVER"), address_);
    QProcess pactl;
    pactl.setProcessEnvironment(environment);
    pactl.setProcessChannelMode(QProcess::MergedChannels);
    pactl.start(QStringLiteral("pactl"), arguments);
    if (!pactl.waitForFinished(StartMilliseconds))
        return QStringLiteral("pactl did not answer");
    const QString said = QString::fromLocal8Bit(pactl.readAll()).trimmed();
    if (pactl.exitStatus() != QProcess::NormalExit || pactl.exitCode() != 0)
        return said.isEmpty() ? QStringLiteral("pactl failed") : said;
    return {};
}

void SoundServer::Suspend() { SignalAll(SIGSTOP); }

void SoundServer::Resume() { SignalAll(SIGCONT); }

void SoundServer::SignalAll(int signal)
{
    for (const auto &process : processes_)
        if (process->state() != QProcess::NotRunning)
            ::kill(pid_t(process->processId()), signal);
}

}  // namespace tallimo
