#pragma once
// The folder that holds the running program, so that a game started from elsewhere can find the
// files installed beside it.
#include <string>

namespace platform {

// The absolute folder of the running executable, symbolic links resolved; empty when the system
// does not say.
std::string executableFolder();

} // namespace platform
