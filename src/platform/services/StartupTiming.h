#pragma once
// Where the time goes from the start of the process to the first picture on
// screen: with LUMVEX_TIMING set in the environment, each mark prints the
// milliseconds since the process started and its name to the standard error.
namespace lumvex {

void TimingMark(const char* what);

}  // namespace lumvex
