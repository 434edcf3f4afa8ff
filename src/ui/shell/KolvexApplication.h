#pragma once
// The desktop program from launch to exit.

namespace kolvex {

// Runs the program; returns its exit status.
int RunKolvex(int argc, char** argv);

// Ends every running event loop, the nested ones too: the program's exit once it has
// shut down. QCoreApplication::quit would first ask the windows to close and be dropped
// when one stays open (a progress window while a scan unwinds), leaving a program
// without a way out.
void EndEventLoops();

}  // namespace kolvex
