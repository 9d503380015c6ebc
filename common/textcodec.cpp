#include "textcodec.h"

#include <QStringDecoder>

#include <iconv.h>

#include <cerrno>

namespace tallimo {

namespace {

std::optional<QByteArray> Convert(const char *to, const char *from, const QByteArray &bytes)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    QByteArray out;
    out.resize(bytes.size() * 4 + 16);
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char *outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    const size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - static_cast<qsizetype>(outLeft));
    return out;
}

}  // namespace

std::optional<QString> DecodeGb18030(const QByteArray &bytes)
{
    const auto utf8 = Convert("UTF-8", "GB18030", bytes);
    if (!utf8)
        return std::nullopt;
    return QString::fromUtf8(*utf8);
}

QByteArray EncodeGb18030(const QString &text)
{
    // GB18030 maps every Unicode code point, so the conversion cannot fail on valid text.
    return Convert("GB18030", "UTF-8", text.toUtf8()).value_or(QByteArray());
}

QString DecodeSheetBytes(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        if (const auto gb = DecodeGb18030(bytes))
            text = *gb;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

}  // namespace tallimo
