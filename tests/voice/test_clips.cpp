// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "app/voice/clipnames.h"
#include "app/voice/clipplayerloader.h"
#include "app/voice/sinkclipplayer.h"

using namespace tallimo;

namespace {

const QStringList MonoClips = {
    "0_WAV",        "1_WAV",       "2_WAV",        "3_WAV",   "4_WAV",   "5_WAV",    "6_WAV",
    "7_WAV",        "8_WAV",       "9_WAV",        "10_WAV",  "BAI_WAV", "QIAN_WAV", "WAN_WAV",
    "YI_WAV",       "FU_WAV",      "POINT_WAV",    "BS_WAV",  "C_WAV",   "EQR_WAV",  "NCF_WAV",
    "LEICHENG_WAV", "KAIFANG_WAV", "PINGFANG_WAV", "MOD_WAV", "SIN_WAV", "COS_WAV",  "TAN_WAV",
    "ASIN_WAV",     "ACOS_WAV",    "ATAN_WAV",     "LOG_WAV", "PI_WAV",
};
const QStringList StereoClips = {"ADD_WAV", "SUB_WAV",  "MUL_WAV", "DIV_WAV",
                                  "FEN_WAV", "JIAO_WAV", "ZUO_WAV", "YOU_WAV"};

struct WaveFormat {
    bool pcm = false;
    int channels = 0;
    int rate = 0;
    int bits = 0;
    double seconds = 0;
};

// Walks the chunks of a RIFF WAVE file for its format and the length of its samples.
WaveFormat ReadWave(const QByteArray &bytes)
{
    WaveFormat wave;
    if (!bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        return wave;
    }
    int blockAlign = 0;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char *body = bytes.constData() + at + 8;
        if (id == "fmt " && size >= 16) {
            wave.pcm = qFromLittleEndian<quint16>(body) == 1;
            wave.channels = qFromLittleEndian<quint16>(body + 2);
            wave.rate = static_cast<int>(qFromLittleEndian<quint32>(body + 4));
            blockAlign = qFromLittleEndian<quint16>(body + 12);
            wave.bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data" && wave.rate > 0 && blockAlign > 0) {
            wave.seconds = static_cast<double>(size) / blockAlign / wave.rate;
        }
        at += 8 + size + (size & 1);
    }
    return wave;
}

// A row of a clip name and its resource, named after the name.
void Row(const char *name, const char *resource)
{
    QTest::newRow(*name != '\0' ? name : "empty")
        << QString::fromUtf8(name) << QString::fromUtf8(resource);
}

QStringList messages;

void KeepMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    messages << message;
}

}  // namespace

class TestClips : public QObject {
    Q_OBJECT
private slots:
    void keyEcho_data()
    {
        QTest::addColumn<uint>("key");
        QTest::addColumn<QString>("clip");
        QTest::newRow("0") << uint(U'0') << QStringLiteral("0_wav");
        QTest::newRow("7") << uint(U'7') << QStringLiteral("7_wav");
        QTest::newRow("9") << uint(U'9') << QStringLiteral("9_wav");
        QTest::newRow("+") << uint(U'+') << QStringLiteral("add_wav");
        QTest::newRow("-") << uint(U'-') << QStringLiteral("sub_wav");
        QTest::newRow("*") << uint(U'*') << QStringLiteral("mul_wav");
        QTest::newRow("/") << uint(U'/') << QStringLiteral("div_wav");
        QTest::newRow(".") << uint(U'.') << QStringLiteral("point_wav");
        QTest::newRow("(") << uint(U'(') << QStringLiteral("zuo_wav");
        QTest::newRow(")") << uint(U')') << QStringLiteral("you_wav");
        QTest::newRow("backspace") << uint(U'\b') << QStringLiteral("bs_wav");
        QTest::newRow("=") << uint(U'=') << QString();
        QTest::newRow("Enter") << uint(U'\r') << QString();
        QTest::newRow("^") << uint(U'^') << QString();
        QTest::newRow("a") << uint(U'a') << QString();
        QTest::newRow("壹") << uint(U'壹') << QString();
    }

    void keyEcho()
    {
        QFETCH(uint, key);
        QFETCH(QString, clip);
        QCOMPARE(KeyEchoClip(key), clip);
        QVERIFY(clip.isEmpty() || !ClipResource(clip).isEmpty());
    }

    void namesIgnoreCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("resource");
        Row("EQR_WAV", ":/clips/eqr.wav");
        Row("eqr_wav", ":/clips/eqr.wav");
        Row("Leicheng_Wav", ":/clips/leicheng.wav");
        Row("10_wav", ":/clips/10.wav");
        Row("11_wav", "");
        Row("eqr", "");
        Row("eqr.wav", "");
        Row("../clips/eqr_wav", "");
        Row("", "");
    }

    void namesIgnoreCase()
    {
        QFETCH(QString, name);
        QFETCH(QString, resource);
        QCOMPARE(ClipResource(name), resource);
    }

    void everyClipIsEmbeddedInItsFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("bits");
        for (const QString &name : MonoClips) {
            QTest::newRow(qPrintable(name)) << name << 1 << 44100 << 16;
        }
        for (const QString &name : StereoClips) {
            QTest::newRow(qPrintable(name)) << name << 2 << 44100 << 16;
        }
        QTest::newRow("YUAN_WAV") << "YUAN_WAV" << 1 << 16000 << 8;
    }

    void everyClipIsEmbeddedInItsFormat()
    {
        QFETCH(QString, name);
        QFETCH(int, channels);
        QFETCH(int, rate);
        QFETCH(int, bits);
        QFile file(ClipResource(name));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
        const WaveFormat wave = ReadWave(file.readAll());
        QVERIFY(wave.pcm);
        QCOMPARE(wave.channels, channels);
        QCOMPARE(wave.rate, rate);
        QCOMPARE(wave.bits, bits);
        QVERIFY2(wave.seconds >= 0.1 && wave.seconds <= 1.1,
                 qPrintable(QString::number(wave.seconds)));
    }

    // This machine and the build machines have no audio output: every clip is dropped without a
    // crash, a hang or a warning for each play.
    void playerIsSilentWithoutAudioOutput()
    {
        if (!QMediaDevices::audioOutputs().isEmpty()) {
            QSKIP("this machine has an audio output");
        }
        SinkClipPlayer player;
        player.Play(QStringLiteral("eqr_wav"));
        messages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(KeepMessage);
        for (const QString &name : MonoClips + StereoClips + QStringList{"YUAN_WAV", "no_wav"}) {
            player.Play(name);
            player.Play(name.toLower());
        }
        player.Stop();
        QCoreApplication::processEvents();
        qInstallMessageHandler(previous);
        QCOMPARE(messages, QStringList());
    }

    // The program finds the player in the module beside it, and goes on without sound where the
    // module is missing, saying why.
    void theModuleMakesThePlayer()
    {
        const auto loaded = LoadClipPlayer(QStringLiteral(AUDIO_MODULE_FOLDER));
        QVERIFY(!dynamic_cast<SilentPlayer *>(loaded.get()));
        loaded->Play(QStringLiteral("eqr_wav"));
        loaded->Stop();

        QTemporaryDir empty;
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(QStringLiteral("^module tallimo_audio not loaded: .+")));
        const auto missing = LoadClipPlayer(empty.path());
        QVERIFY(dynamic_cast<SilentPlayer *>(missing.get()));
        missing->Play(QStringLiteral("eqr_wav"));
    }
};

QTEST_MAIN(TestClips)
#include "test_clips.moc"
