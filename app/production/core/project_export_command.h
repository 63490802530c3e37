// Save KDX and Off-Line Mode hand the library the same thing: copies of both
// buffers with their sums and the area checksums, and the step flags with the
// in-sequence flag set, so that the option words carry the chip checksum when
// the steps ask for it.
#pragma once

#include "buffer/core/image_hand_over.h"
#include "shell/core/operation_runner.h"
#include "shell/core/workspace.h"

#include <memory>

namespace zephlin {

// The record as both commands hand it over; refused with "Buffer is empty"
// when nothing is loaded.
Preparation handOverProjectImages(Workspace& workspace, ImageHandOver& images);

// Save KDX: SaveKDX called directly (the library asks the host for the file).
std::unique_ptr<Command> makeSaveKdx(Workspace& workspace);
// Off-Line Mode: OffLineMode on a worker, with the wait cursor.
std::unique_ptr<Command> makeOffLineMode(Workspace& workspace);

} // namespace zephlin
