// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tallimo {

// Gives back what the start needed and the resting window does not: the pages of the mapped font
// files, and the free memory at the top of the heap. The font engine maps each font file whole,
// and the start reads much of it (a Chinese font's character map and metrics span many pages)
// that nothing reads again while the window rests, since the glyphs drawn are kept apart. The
// pages stay in the system's file cache, so a glyph drawn later reads its page from there at once.
void HandBackStartMemory();

}  // namespace tallimo
