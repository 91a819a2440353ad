#pragma once

#include <string>

// Writes `contents` to `path` so that the old file stays whole until the new one is
// complete: the text goes to a temporary file in the same folder, is flushed to disk and
// then renamed over the old one. A crash or a full disk never leaves a truncated save.
// The new file keeps the old one's permissions (a new file gets 0666 less the umask), and a
// path that is a link is written through: the file it points to is replaced, the link stays.
// Returns false (and logs why, naming the file) when anything fails; the old file is then
// untouched and the temporary file removed. A write that succeeds also removes the
// temporary files that writes of the same file killed halfway left behind (their process
// gone), so they do not pile up beside the save.
bool writeFileAtomically(const std::string& path, const std::string& contents);
