#pragma once
// The desktop program from launch to exit.

namespace kolvex {

// Runs the program; returns its exit status.
int RunKolvex(int argc, char** argv);

}  // namespace kolvex
