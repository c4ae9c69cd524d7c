#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts `program` as a separate process with the argument vector program, args... (no shell
// is involved, so names with blanks or quotes pass unchanged) in `workingDirectory` (the
// current one when empty), and returns without waiting for it. A program name without "/" is
// looked up on PATH; a relative path counts from the current directory. The child is reaped
// in the background when it ends. False when the program is missing, not executable, or the
// process could not be started.
bool startDetached(const std::string& program, const std::vector<std::string>& args,
                   const std::string& workingDirectory);

} // namespace platform
