#pragma once
// quarn-sim's command line: options, the script from a file or standard
// input, the run and the closing line.
//
//   quarn-sim [--trace] [--full-scan] [--level FILE] [SCRIPT]

#include <istream>
#include <ostream>

// Runs quarn-sim with its command-line arguments; returns the exit code
// (0 the script ran to its end, 2 a bad argument, script line or level).
int RunSimulatorCommand(int argc, char** argv, std::istream& standardInput, std::ostream& out,
                        std::ostream& err);
