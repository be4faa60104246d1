#pragma once

// Where start-up spends its time: with the --startup-profile switch, each step that start-up
// marks is printed on standard error as the milliseconds since the process started, so a slow
// start can be taken apart without a profiler. Without the switch a mark costs nothing.
namespace StartupProfile {

void enable();
bool enabled();
void mark(const char *step);

} // namespace StartupProfile
