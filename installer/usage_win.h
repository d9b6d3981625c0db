#pragma once
// "Qindle -?": the usage and the exit codes, on the console the program was
// started from (or into the file its output is sent to), else in a message
// box, as a windowed program has no console of its own.
namespace velmo {

// Returns the exit code: 0.
int ShowUsage();

}  // namespace velmo
