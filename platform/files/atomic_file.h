// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file whole, and clearing up after replacements that were killed.
#pragma once

#include <string>
#include <string_view>

namespace platform::files {

// Replaces the file at `path` by `bytes`: a temporary file in the same folder is
// written, synced and renamed over the old one, so a crash, a kill or a full
// disk leaves either the old file or the new one, whole. A symbolic link at
// `path` is replaced, never written through. False when it failed, and when
// the file is marked read-only (its owner may not write it): the player's
// protection stands. The old file is then untouched and no temporary file is
// left.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

// Removes the temporary files that killed writes of `path` left in its folder:
// only names of the writer's own pattern, only plain files, and none of a
// process that is still running.
void removeLeftoverTemporaries(const std::string& path);

}  // namespace platform::files
