// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/voice/clipsamples.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tallimo {

namespace {

constexpr quint16 Pcm = 1;

// The samples of a recording as numbers from -1 to 1, the channels of a frame side by side.
struct Recording {
    int rate = 0;
    int channels = 0;
    std::vector<float> samples;

    qsizetype Frames() const { return channels > 0 ? qsizetype(samples.size()) / channels : 0; }
};

Recording ReadPcmWave(const QByteArray &wave)
{
    Recording recording;
    if (wave.size() < 12 || !wave.startsWith("RIFF") || wave.mid(8, 4) != "WAVE")
        return recording;
    int bits = 0;
    bool pcm = false;
    for (qsizetype at = 12; at + 8 <= wave.size();) {
        const QByteArray id = wave.mid(at, 4);
        const qsizetype size = std::min<qsizetype>(
            qFromLittleEndian<quint32>(wave.constData() + at + 4), wave.size() - at - 8);
        const char *body = wave.constData() + at + 8;
        if (id == "fmt " && size >= 16) {
            pcm = qFromLittleEndian<quint16>(body) == Pcm;
            recording.channels = qFromLittleEndian<quint16>(body + 2);
            recording.rate = static_cast<int>(qFromLittleEndian<quint32>(body + 4));
            bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data") {
            if (!pcm || recording.channels <= 0 || recording.rate <= 0)
                return {};
            if (bits == 8) {
                for (qsizetype i = 0; i < size; ++i)
                    recording.samples.push_back((quint8(body[i]) - 128) / 128.0f);
            } else if (bits == 16) {
                for (qsizetype i = 0; i + 1 < size; i += 2)
                    recording.samples.push_back(qFromLittleEndian<qint16>(body + i) / 32768.0f);
            } else {
                return {};
            }
            recording.samples.resize(recording.Frames() * recording.channels);
            return recording;
        }
        at += 8 + size + (size & 1);
    }
    return {};
}

// One output frame from one frame of the recording: a single output channel hears all the
// recorded ones; otherwise each output channel takes its own, and a mono recording fills all.
void MixFrame(const float *frame, int channels, int outputChannels, float *out)
{
    if (outputChannels == 1) {
        float sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += frame[c];
        out[0] = sum / float(channels);
        return;
    }
    for (int c = 0; c < outputChannels; ++c)
        out[c] = c < channels ? frame[c] : (channels == 1 ? frame[0] : 0.0f);
}

// The full scale of the integer formats is a power of two, so that 8-bit and 16-bit samples
// come out unchanged in a format at least as wide.
template <typename Integer>
Integer Scaled(float value, double fullScale, double offset = 0)
{
    return Integer(std::clamp(std::round(value * fullScale + offset),
                              double(std::numeric_limits<Integer>::min()),
                              double(std::numeric_limits<Integer>::max())));
}

void WriteSample(float value, QAudioFormat::SampleFormat format, char *out)
{
    switch (format) {
    case QAudioFormat::UInt8:
        *reinterpret_cast<quint8 *>(out) = Scaled<quint8>(value, 128, 128);
        break;
    case QAudioFormat::Int16:
        qToLittleEndian<qint16>(Scaled<qint16>(value, 32768), out);
        break;
    case QAudioFormat::Int32:
        qToLittleEndian<qint32>(Scaled<qint32>(value, 2147483648.0), out);
        break;
    case QAudioFormat::Float:
        qToLittleEndian<float>(std::clamp(value, -1.0f, 1.0f), out);
        break;
    default:
        break;
    }
}

}  // namespace

QByteArray ClipSamples(const QByteArray &wave, const QAudioFormat &output)
{
    const Recording recording = ReadPcmWave(wave);
    const int outputChannels = output.channelCount();
    const int bytesPerSample = output.bytesPerSample();
    if (recording.Frames() == 0 || !output.isValid() || outputChannels <= 0 || bytesPerSample <= 0)
        return {};

    std::vector<float> mixed(std::size_t(recording.Frames()) * outputChannels);
    for (qsizetype f = 0; f < recording.Frames(); ++f)
        MixFrame(&recording.samples[f * recording.channels], recording.channels, outputChannels,
                 &mixed[f * outputChannels]);

    const double step = double(recording.rate) / output.sampleRate();
    const auto frames = qsizetype(std::floor(double(recording.Frames() - 1) / step)) + 1;
    QByteArray samples(frames * outputChannels * bytesPerSample, Qt::Uninitialized);
    char *out = samples.data();
    for (qsizetype f = 0; f < frames; ++f) {
        const double at = double(f) * step;
        const auto before = std::min(qsizetype(at), recording.Frames() - 1);
        const auto after = std::min(before + 1, recording.Frames() - 1);
        const auto weight = float(at - double(before));
        for (int c = 0; c < outputChannels; ++c) {
            const float value = mixed[before * outputChannels + c] * (1 - weight) +
                                mixed[after * outputChannels + c] * weight;
            WriteSample(value, output.sampleFormat(), out);
            out += bytesPerSample;
        }
    }
    return samples;
}

QByteArray Silence(const QAudioFormat &format, qsizetype bytes)
{
    const char zero = format.sampleFormat() == QAudioFormat::UInt8 ? char(0x80) : char(0);
    return QByteArray(bytes, zero);
}

}  // namespace tallimo
