// Replaying a metafile onto any device context, scaled so that its frame
// fills a rectangle: the target is given a mapping from the frame (in pixels
// of the reference device) onto the rectangle, and each record is drawn
// through the target's own operations. Fonts, pen widths, clip rectangles
// and character positions all scale with that mapping. The target's state
// is restored afterwards, and the metafile never draws outside the target's
// clip.
#pragma once

#include "platform/gdi/dc.h"
#include "platform/gdi/metafile_records.h"

namespace win32::gdi {

bool PlayMetafile(const emf::Metafile& metafile, DeviceContext& target, const RECT& destination);

// The frame in reference-device pixels (right and bottom exclusive); the
// drawing's bounds when the frame is empty.
RECT FrameInPixels(const emf::Header& header);

}  // namespace win32::gdi
