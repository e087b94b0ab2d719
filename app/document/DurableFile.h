// Replacing a file in one step: the new contents go to a hidden temporary file beside the
// target, reach the disk, and only then are renamed over the target, so the target is the old
// file or the whole new one, also after a crash or power cut. Used by every writer of a file
// that a user or a script takes as complete (the document file, the exports).
#pragma once

#include <functional>
#include <string>
#include <string_view>

enum class FileWriteOutcome {
    Written,
    OpenFailed,   // the temporary file could not be created: nothing was written
    WriteFailed,  // writing, flushing or renaming failed: the target is unchanged
};

// Calls `write` with the name of a fresh temporary file beside `path` (`write` creates it, fills
// and closes it, and says how that went), then flushes it to the disk, renames it over `path`
// and flushes the folder. On any failure the temporary file is removed and `path` is left as it
// was. Temporary files that earlier writes of `path` left behind when their process died are
// removed first; writes still running in other processes keep theirs.
FileWriteOutcome ReplaceFileDurably(
    const std::string& path, const std::function<FileWriteOutcome(const std::string&)>& write);

// The same with the whole contents given as bytes, written exactly (no line-end translation).
FileWriteOutcome WriteFileDurably(const std::string& path, std::string_view bytes);
