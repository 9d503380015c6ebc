// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <cstddef>
#include <iterator>

namespace tallimo {

// One of the window's images, drawn from its SVG source at build time: a toolbar image has
// `scale` 1 at the toolbar's size and 2 for high-density screens; the program's icon
// ("calculator") comes at several sizes, each of scale 1. The pixels are premultiplied ARGB, row
// by row.
struct ToolbarImage {
    const char *name;
    int scale;
    int width;
    int height;
    const quint32 *pixels;
};

extern const ToolbarImage ToolbarImages[];
extern const std::size_t ToolbarImageCount;

}  // namespace tallimo
