// Replacing a file so that a failure never costs the user the earlier file.
//
// The content is complete in memory before anything touches the disk; it is
// written to a temporary file beside the target, flushed to the disk and
// renamed over the target, so the target holds either the earlier content or
// the new one, never a part. Plain C++ (POSIX); Qt code uses QSaveFile.
#pragma once

#include <string>
#include <string_view>

namespace hyg {

// How the content reached its place.
enum class FileReplacement {
    Renamed,  // a temporary file beside the target was renamed over it
    InPlace,  // the folder does not let us create the temporary file, but the
              // target exists and is writable: it was overwritten in place
              // (a failure now can leave it cut short; callers say so)
    NotAFile, // the target is a device or pipe (/dev/stdout, /dev/null):
              // written straight into it, never replaced
};

// Writes `content` to `path` (created or replaced; a symbolic link is
// followed, so the file it names is replaced and the link kept). A new
// file gets the usual permissions (0666 less the umask); a replaced one
// keeps its mode and, where allowed, its owner. Raises IoFault naming `path`
// and the system's reason ("cannot write k.pgl: No space left on device");
// the earlier file is then as it was (but see InPlace) and no temporary file
// is left behind.
FileReplacement WriteFileAtomically(const std::string& path, std::string_view content);

} // namespace hyg
