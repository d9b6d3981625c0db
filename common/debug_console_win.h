#pragma once
// The debug console: a console window for diagnostic text, opened on demand.

namespace velmo {

// Opens the console the first time; does nothing afterwards.
void InitConsoleWindow();

}  // namespace velmo
