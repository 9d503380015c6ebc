// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAudioFormat>
#include <QByteArray>

namespace tallimo {

// The samples of a RIFF WAVE recording in plain 8-bit or 16-bit PCM, converted to the one format
// of the sound output: channels mixed down or copied, the rate converted by linear interpolation,
// the samples written in the output's sample format. Anything else gives no samples.
QByteArray ClipSamples(const QByteArray &wave, const QAudioFormat &output);

// Samples of silence in the format, as many bytes as asked for.
QByteArray Silence(const QAudioFormat &format, qsizetype bytes);

}  // namespace tallimo
