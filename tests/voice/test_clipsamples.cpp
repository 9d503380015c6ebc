// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAudioFormat>
#include <QTest>
#include <QtEndian>

#include "app/voice/clipsamples.h"

using namespace tallimo;

namespace {

// A RIFF WAVE file around the given sample bytes.
QByteArray Wave(quint16 encoding, int channels, int rate, int bits, const QByteArray &samples)
{
    QByteArray wave("RIFF\0\0\0\0WAVEfmt ", 16);
    const auto append16 = [&wave](quint16 value) {
        wave.append(reinterpret_cast<const char *>(&value), 2);
    };
    const auto append32 = [&wave](quint32 value) {
        wave.append(reinterpret_cast<const char *>(&value), 4);
    };
    append32(16);
    append16(encoding);
    append16(quint16(channels));
    append32(quint32(rate));
    append32(quint32(rate * channels * bits / 8));
    append16(quint16(channels * bits / 8));
    append16(quint16(bits));
    wave.append("data", 4);
    append32(quint32(samples.size()));
    wave.append(samples);
    qToLittleEndian<quint32>(quint32(wave.size() - 8), wave.data() + 4);
    return wave;
}

QByteArray Int16Samples(const QList<int> &values)
{
    QByteArray bytes;
    for (const int value : values) {
        const auto sample = qToLittleEndian<qint16>(qint16(value));
        bytes.append(reinterpret_cast<const char *>(&sample), 2);
    }
    return bytes;
}

QList<int> Int16Values(const QByteArray &bytes)
{
    QList<int> values;
    for (qsizetype at = 0; at + 1 < bytes.size(); at += 2)
        values << qFromLittleEndian<qint16>(bytes.constData() + at);
    return values;
}

QAudioFormat Format(int rate, int channels, QAudioFormat::SampleFormat sampleFormat)
{
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    format.setSampleFormat(sampleFormat);
    return format;
}

}  // namespace

class TestClipSamples : public QObject {
    Q_OBJECT
private slots:
    // Every recording of the catalogue comes out in the output's one format: 16-bit mono at
    // 44100 Hz here, whatever it was recorded in.
    void toSixteenBitMono_data()
    {
        QTest::addColumn<QByteArray>("wave");
        QTest::addColumn<QList<int>>("samples");
        QTest::newRow("16-bit mono 44100 Hz")
            << Wave(1, 1, 44100, 16, Int16Samples({0, 1000, -32768, 32767}))
            << QList<int>{0, 1000, -32768, 32767};
        QTest::newRow("16-bit stereo mixed down")
            << Wave(1, 2, 44100, 16, Int16Samples({1000, 3000, -2000, 0}))
            << QList<int>{2000, -1000};
        QTest::newRow("8-bit unsigned")
            << Wave(1, 1, 44100, 8, QByteArray("\x80\xc0\x40\xff\x00", 5))
            << QList<int>{0, 16384, -16384, 32512, -32768};
        QTest::newRow("22050 Hz doubled, between samples halfway")
            << Wave(1, 1, 22050, 16, Int16Samples({0, 1000, -1000}))
            << QList<int>{0, 500, 1000, 0, -1000};
        QTest::newRow("odd data length keeps whole samples")
            << Wave(1, 1, 44100, 16, Int16Samples({7, 9}) + '\x01') << QList<int>{7, 9};
    }

    void toSixteenBitMono()
    {
        QFETCH(QByteArray, wave);
        QFETCH(QList<int>, samples);
        QCOMPARE(Int16Values(ClipSamples(wave, Format(44100, 1, QAudioFormat::Int16))), samples);
    }

    // The 16000 Hz 8-bit recording on a stereo float output: the length in seconds stays, and a
    // mono recording sounds on both sides.
    void yuanOnAStereoFloatOutput()
    {
        QByteArray samples;
        for (int i = 0; i < 16000; ++i)
            samples.append(char(i % 2 ? 0xc0 : 0x40));
        const QByteArray converted =
            ClipSamples(Wave(1, 1, 16000, 8, samples), Format(48000, 2, QAudioFormat::Float));
        const qsizetype frames = converted.size() / 8;
        QVERIFY2(qAbs(frames - 48000) <= 3, qPrintable(QString::number(frames)));
        const float *values = reinterpret_cast<const float *>(converted.constData());
        QCOMPARE(values[0], -0.5f);
        QCOMPARE(values[1], -0.5f);
        QCOMPARE(values[6], 0.5f);
        QCOMPARE(values[7], 0.5f);
    }

    void notPlainPcmGivesNothing_data()
    {
        QTest::addColumn<QByteArray>("wave");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no RIFF") << QByteArray("RIFX\0\0\0\0WAVE", 12);
        QTest::newRow("float encoding") << Wave(3, 1, 44100, 32, QByteArray(8, '\0'));
        QTest::newRow("24-bit") << Wave(1, 1, 44100, 24, QByteArray(6, '\0'));
        QTest::newRow("no channels") << Wave(1, 0, 44100, 16, Int16Samples({1, 2}));
        QTest::newRow("no samples") << Wave(1, 1, 44100, 16, QByteArray());
        QTest::newRow("cut inside the header") << Wave(1, 1, 44100, 16, {}).left(30);
    }

    void notPlainPcmGivesNothing()
    {
        QFETCH(QByteArray, wave);
        QVERIFY(ClipSamples(wave, Format(44100, 1, QAudioFormat::Int16)).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestClipSamples)
#include "test_clipsamples.moc"
