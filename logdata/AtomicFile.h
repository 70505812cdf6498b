#pragma once

#include <functional>
#include <iosfwd>
#include <string>

// Files the program makes are written whole or not at all: the content goes to
// a hidden temporary file in the target's folder, is flushed to the disk and
// only then renamed over the target. A failure, a full disk or a kill midway
// leaves the file that had the name before exactly as it was.

// Writes the content; false when it could not (its stream failed, or it gave up).
using FileWriter = std::function<bool(std::ostream& out)>;

// 0 when `path` holds all that `write` wrote, otherwise the system's error
// number of the step that failed (ECANCELED when the writer gave up without
// one). On failure only the temporary file is removed. A symbolic link at
// `path` keeps pointing to the file, which is replaced; an existing file's
// permission bits carry over to the new one.
int writeFileAtomically(const std::string& path, const FileWriter& write);

// 0 when a file can be created in `folder` (a temporary one is made and
// removed again), otherwise the system's error number.
int folderWriteError(const std::string& folder);
