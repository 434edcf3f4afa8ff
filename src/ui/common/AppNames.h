#pragma once
// Names and numbers by which the program and other programs find each other.

namespace kolvex {

// The single-instance lock; also the caption of the program's message boxes.
inline constexpr const char* kLockName = "Kolvex 1.0 Beta";
inline constexpr const char* kMessageCaption = "Kolvex 1.0 Beta";
inline constexpr const char* kStartupErrorCaption = "Kolvex Error";
inline constexpr const char* kMainWindowClass = "TVORN_MainForm";
inline constexpr const char* kApplicationTitle = "Kolvex";
inline constexpr const char* kTrayTip = "Kolvex 1.0 Beta";
inline constexpr const char* kMinimizeSwitch = "/am";
inline constexpr const char* kHandOffFileName = "parg.prg";

// Messages between copies of the program (and the tray icon's, kept for its number).
inline constexpr int kMessageTrayIcon = 2146;
inline constexpr int kMessageShow = 2147;
inline constexpr int kMessageFolder = 2148;

}  // namespace kolvex
