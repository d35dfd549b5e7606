#pragma once
// The game's paths are UTF-8 everywhere; Windows takes them as UTF-16, so that a folder such as
// C:\Users\Jürgen opens whatever the code page.
#include <string>

namespace platform {

std::wstring widePath(const std::string& utf8);
std::string utf8Path(const std::wstring& wide);

} // namespace platform
