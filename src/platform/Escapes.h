#pragma once
// The kernel and udev each escape awkward bytes in the names they publish; both forms are
// undone here so mount points and labels come back byte for byte.
#include <string>
#include <string_view>

namespace kolvex {

// Undoes the kernel's escapes in /proc/self/mountinfo: a backslash and three octal digits
// stand for one byte ("\040" is a space). A backslash not followed by three octal digits
// stays as it is.
std::string decodeOctalEscapes(std::string_view text);

// Undoes udev's escapes in /dev/disk link names: "\x" and two hex digits stand for one
// byte ("\x2f" is a slash, "\x20" a space). Anything else stays as it is.
std::string decodeHexEscapes(std::string_view text);

}  // namespace kolvex
