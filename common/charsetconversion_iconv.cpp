// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/charsetconversion.h"

#include <iconv.h>

#include <cerrno>

namespace tallimo {

namespace {

class Converter {
public:
    Converter(const char *from, const char *to) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (isOpen())
            iconv_close(cd_);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool isOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return cd_; }

private:
    iconv_t cd_;
};

}  // namespace

std::optional<QByteArray> ConvertCharset(const QByteArray &bytes, const char *from, const char *to)
{
    Converter converter(from, to);
    if (!converter.isOpen())
        return std::nullopt;

    // Between UTF-8 and GB18030 a character grows to at most twice its bytes; the loop below
    // still grows the buffer should another pair of character sets need more.
    QByteArray out(bytes.size() * 2 + 16, Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    qsizetype written = 0;
    while (true) {
        char *outPtr = out.data() + written;
        size_t outLeft = static_cast<size_t>(out.size() - written);
        const size_t done = iconv(converter.handle(), &in, &inLeft, &outPtr, &outLeft);
        written = outPtr - out.data();
        if (done == 0)
            break;
        // EILSEQ or EINVAL: invalid, truncated or unrepresentable. A positive count means
        // characters were replaced by look-alikes, which would change the text.
        if (done != static_cast<size_t>(-1) || errno != E2BIG)
            return std::nullopt;
        out.resize(out.size() * 2);
    }
    out.truncate(written);
    return out;
}

}  // namespace tallimo
