// orvane-run as a function: loads the firmware, runs the script, writes the outputs.
//
// Exit codes: kRunOk; kRunFailed for bad usage, an unusable input file or an output that
// cannot be written (errors found before the run stop it before any output is made);
// kRunStopped when an unknown instruction ended the run (the outputs are still written).
// Outputs appear only complete (see staged_output.h). Messages go to stderr, prefixed
// "orvane-run: "; --quiet silences the configuration's messages and the tap notices, never
// an error.
#pragma once

struct RunOptions;

inline constexpr int kRunOk = 0;
inline constexpr int kRunFailed = 2;
inline constexpr int kRunStopped = 3;

int RunHeadless(const RunOptions& options);
