#pragma once

#include "base/Texts.h"

// The words the engine shows the user more than once, in one place; tx()
// turns them into the user's language where they are shown.
inline constexpr const char* kSuccessText = txNoop("\r\nSuccess.");
inline constexpr const char* kFailedText = txNoop("\r\nFailed, please try again.");
inline constexpr const char* kTimeoutText = txNoop("\r\nTimeout!");
