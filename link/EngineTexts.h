#pragma once

// The words the engine shows the user more than once, in one place.
inline constexpr const char* kSuccessText = "\r\nSuccess.";
inline constexpr const char* kFailedText = "\r\nFailed, please try again.";
inline constexpr const char* kTimeoutText = "\r\nTimeout!";
