// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the settings file and the text codecs, with the checks of
// support/settingswrites.h; a fault aborts with its description, as does any crash or
// sanitizer report.

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/support/settingswrites.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (const char *fault = tallimo::settingswrites::WriteFault(input)) {
        std::fprintf(stderr, "fuzz_settings: %s\n", fault);
        std::abort();
    }
    return 0;
}
