#pragma once
// Where following starts when a log is attached: at the end of its last
// complete line, so a line the game is writing at that moment is delivered
// whole once it is finished, instead of being lost to both the past-log sort
// and the live reader.

#include "core/platform/shared_file.h"
#include "core/text/units.h"

namespace ruv {

// The offset just past the last line feed before size, or 0 when the file
// holds none. A last line longer than one read block is left behind (the
// reader would cut it there anyway): the offset is then size.
ByteOffset attachPoint(platform::SharedReadFile& file, ByteOffset size);

}  // namespace ruv
