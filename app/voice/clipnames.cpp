// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/voice/clipnames.h"

#include <QFile>
#include <QRegularExpression>

#include <string>

namespace tallimo {

namespace {

QString DigitClip(int digit) { return QString::number(digit) + QStringLiteral("_wav"); }

}  // namespace

QString KeyEchoClip(char32_t character)
{
    if (character >= U'0' && character <= U'9') {
        return DigitClip(static_cast<int>(character - U'0'));
    }
    switch (character) {
    case U'+':
        return QStringLiteral("add_wav");
    case U'-':
        return QStringLiteral("sub_wav");
    case U'*':
        return QStringLiteral("mul_wav");
    case U'/':
        return QStringLiteral("div_wav");
    case U'.':
        return QStringLiteral("point_wav");
    case U'(':
        return QStringLiteral("zuo_wav");
    case U')':
        return QStringLiteral("you_wav");
    case U'\b':
        return QStringLiteral("bs_wav");
    default:
        return {};
    }
}

QString UppercaseTextClip(char32_t character)
{
    static const std::u32string digits = U"零壹贰叁肆伍陆柒捌玖";
    const auto digit = digits.find(character);
    if (digit != std::u32string::npos) {
        return DigitClip(static_cast<int>(digit));
    }
    switch (character) {
    case U'点':
        return QStringLiteral("point_wav");
    case U'拾':
        return QStringLiteral("10_wav");
    case U'佰':
    case U'百':
        return QStringLiteral("bai_wav");
    case U'千':
        return QStringLiteral("qian_wav");
    case U'万':
        return QStringLiteral("wan_wav");
    case U'亿':
        return QStringLiteral("yi_wav");
    case U'元':
        return QStringLiteral("yuan_wav");
    case U'角':
        return QStringLiteral("jiao_wav");
    case U'分':
        return QStringLiteral("fen_wav");
    case U'负':
        return QStringLiteral("fu_wav");
    default:
        return {};
    }
}

QString NumberTextClip(char32_t character)
{
    if (character >= U'0' && character <= U'9') {
        return DigitClip(static_cast<int>(character - U'0'));
    }
    switch (character) {
    case U'.':
        return QStringLiteral("point_wav");
    case U'-':
        return QStringLiteral("fu_wav");
    default:
        return {};
    }
}

QString ClipResource(const QString &name)
{
    static const QRegularExpression clipName(QStringLiteral("^([a-z0-9]+)_wav$"));
    const QRegularExpressionMatch match = clipName.match(name.toLower());
    if (!match.hasMatch()) {
        return {};
    }
    const QString path = QStringLiteral(":/clips/") + match.captured(1) + QStringLiteral(".wav");
    return QFile::exists(path) ? path : QString();
}

}  // namespace tallimo
