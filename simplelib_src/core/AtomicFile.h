// AtomicFile: writing a file that a user cares about (a world, a save game) so that a
// failure never costs the previous version.
//
// The bytes go to a temporary file in the same folder; every write is checked, the data
// is flushed to the disk, and only then is the temporary file renamed over the target and
// the folder synced. On any failure the temporary file is removed, the target is left as
// it was, and the reason is returned for the caller to report.
//
// Depends on: POSIX file calls only.
#pragma once

#include <string>

// True when the whole content now lies in the file. On failure, false and a one-line
// reason in *reason (when given), for example "No space left on device".
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string* reason = nullptr);
