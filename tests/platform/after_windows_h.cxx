// Compiled by mingw-w64 alone (-fsyntax-only), never linked: the seam, the backend table and the
// system's headers hold up after <windows.h> and its macros, and the seam's key codes are the
// Windows virtual-key codes the game's input is written in.
#include <windows.h>

#include "platform/backend.h"
#include "platform/bmp_file.h"
#include "platform/controls.h"
#include "platform/platform.h"
#include "platform/system/executable_folder.h"
#include "platform/system/file_lock.h"
#include "platform/system/file_replace.h"
#include "platform/system/game_files.h"
#include "platform/system/quit_signals.h"
#include "platform/system/quoted.h"
#include "platform/system/regular_file.h"
#include "platform/system/settings.h"
#include "platform/system/staged_file.h"
#include "platform/system/thread.h"
#include "platform/system/user_folders.h"
#include "platform/system/version.h"
#include "platform/test_hooks.h"
#include "platform/timed_clips.h"
#include "platform/wav_file.h"
#include "platform/window_picture.h"

static_assert(platform::kKeyLeftButton == VK_LBUTTON);
static_assert(platform::kKeyRightButton == VK_RBUTTON);
static_assert(platform::kKeyTab == VK_TAB);
static_assert(platform::kKeyShift == VK_SHIFT);
static_assert(platform::kKeyControl == VK_CONTROL);
static_assert(platform::kKeyEscape == VK_ESCAPE);
static_assert(platform::kKeySpace == VK_SPACE);
static_assert(platform::kKeyLeft == VK_LEFT);
static_assert(platform::kKeyRight == VK_RIGHT);
