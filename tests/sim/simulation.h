// The whole program under a seeded simulation: the real core on the fake
// desktop, clock, settings and journal, driven by a list of steps that one
// seed chooses (a user, other programs, the system), with the program's
// promises checked after every step. A failing list is shrunk to a short
// one that still fails, printed as text that replays it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace peekbar::sim {

enum class Op : std::uint8_t {
  // The user.
  Tick,           // the watch timer, after one of a few intervals
  Pointer,        // to an edge, a corner, a window or away
  Modifier,       // Ctrl, Shift or Alt pressed or released
  Command,        // a tray-menu command
  PickWindow,     // a window picked from the tray menu for a location
  Unregister,     // a location's unregister item
  KeywordDialog,  // a location's keyword dialog, typed and confirmed or cancelled, ticks under it
  OptionsSheet,   // the options sheet, edited and confirmed or cancelled, ticks and a profile choice under it
  TrayClick,      // the tray icon clicked or double-clicked
  Hotkey,         // one of the registered hotkeys pressed
  // Other programs.
  NewWindow,
  CloseWindow,
  HideWindow,
  ShowWindow,
  MinimizeWindow,
  RenameWindow,
  MoveWindow,
  HangWindow,  // its thread stops answering, or answers again
  ProcessDies,  // every window of one process gone at once
  OwnedPopup,  // a dialog of one of its windows comes up
  CommandInWait,  // a command sent to Peekbar while it next waits on a program
  // The system.
  ClockJump,
  SecondMonitor,  // attached or detached
  Rescale,        // the first monitor's scaling changed
  SwitchDesktop,  // another virtual desktop in front
  SettingsFail,   // a settings file refuses writes (held by another program), or takes them again
  ShellRestart,
  JournalFails,   // the journal's folders refuse writes, or take them again
  End,            // exit, end of the session, kill, crash, or a whole tree killed; then a new start
};

struct Step {
  Op op = Op::Tick;
  std::uint16_t a = 0;  // what the step picks among (interpreted modulo what exists then)
  std::uint16_t b = 0;
  friend bool operator==(const Step&, const Step&) = default;
};

// "tick:3,0 pointer:17,0 ...": one word per step.
std::string StepsText(const std::vector<Step>& steps);
std::optional<std::vector<Step>> ParseSteps(std::string_view text);

// The steps one seed chooses: the same seed, the same steps, bit for bit.
std::vector<Step> GenerateSteps(std::uint64_t seed, std::size_t count);

struct Failure {
  std::size_t step = 0;    // the step after which the promise was broken
  std::string invariant;   // which promise
  std::string detail;
};

struct RunCounts {
  std::size_t steps = 0;
};

// Runs the steps on a fresh world and checks every promise after each;
// with a trace, each step is written there with the windows each location
// holds after it.
std::optional<Failure> RunSteps(const std::vector<Step>& steps, RunCounts* counts = nullptr,
                                std::FILE* trace = nullptr);

// A shorter list that still breaks the same promise.
std::vector<Step> Shrink(std::vector<Step> steps, const Failure& failure);

// The faults that were mended and can be put back, one at a time, in the
// simulator's own build ("name", what it is); empty in every other build.
struct PlantName {
  const char* name;
  const char* what;
};
std::vector<PlantName> Plants();
// Puts the named fault back for the runs that follow; false for a name not known.
bool PlantFault(std::string_view name);

}  // namespace peekbar::sim
