#pragma once

// Work the first window needs that pool threads can do while the main thread waits for the
// browser engine's helper process to start.
namespace WarmUp {

// Call once the program knows it is the one that runs (a program that hands over and ends at
// once would end under the pool's feet), before the first browser pane is made.
void startMeanwhile();

} // namespace WarmUp
