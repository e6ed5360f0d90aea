// The simulator's command line:
//   peekbar_sim [--seconds N] [--seed S] [--steps N]   episodes from seed S on, for N seconds
//   peekbar_sim_planted --plant NAME [...]             the same with one mended fault put back
//   peekbar_sim_planted --list-plants                   the faults it can put back
//   peekbar_sim --replay "tick:0,0 pointer:4,0 ..."      one list of steps, as a failure prints it,
//                                                      traced: what each location holds after each step
// Each episode is a fresh world run through the steps its own seed (S, S+1,
// ...) chooses. A failure prints the seed, the promise, the list shrunk to
// what still breaks it and the command that replays that list; the exit
// code is then 1.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sim/simulation.h"

namespace {

using namespace peekbar::sim;

// How to run this program again as it runs now: its name, and the fault put back.
std::string Invocation(const char* program, const char* plant) {
  std::string text = program;
  if (plant != nullptr) text += std::string(" --plant ") + plant;
  return text;
}

int Report(const std::vector<Step>& steps, const Failure& failure, const std::string& origin,
           const std::string& invocation, std::size_t stepsRun, double seconds) {
  std::printf("FAILED %s: %s after step %zu (%zu steps run, %.1f s): %s\n", origin.c_str(), failure.invariant.c_str(),
              failure.step, stepsRun, seconds, failure.detail.c_str());
  const std::vector<Step> shrunk = Shrink(steps, failure);
  const auto again = RunSteps(shrunk);
  std::printf("shrunk from %zu to %zu steps (%s)\n", failure.step + 1, shrunk.size(),
              again ? again->detail.c_str() : "no longer fails");
  std::printf("replay: %s --replay \"%s\"\n", invocation.c_str(), StepsText(shrunk).c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = 10;
  std::uint64_t seed = 1;
  std::size_t episodeSteps = 2000;
  const char* plant = nullptr;
  for (int i = 1; i < argc; i += 2) {
    const std::string_view arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (arg == "--seconds" && value) {
      seconds = std::atof(value);
    } else if (arg == "--seed" && value) {
      seed = std::strtoull(value, nullptr, 10);
    } else if (arg == "--steps" && value) {
      episodeSteps = std::strtoull(value, nullptr, 10);
    } else if (arg == "--list-plants") {
      for (const PlantName& plant : Plants()) std::printf("%-32s %s\n", plant.name, plant.what);
      return 0;
    } else if (arg == "--plant" && value) {
      plant = value;
      if (!PlantFault(value)) {
        std::fprintf(stderr, "peekbar_sim: no fault named %s here (peekbar_sim_planted --list-plants)\n", value);
        return 2;
      }
    } else if (arg == "--replay" && value) {
      const auto steps = ParseSteps(value);
      if (!steps) {
        std::fprintf(stderr, "peekbar_sim: cannot read the steps\n");
        return 2;
      }
      const auto failure = RunSteps(*steps, nullptr, stdout);
      if (!failure) {
        std::printf("passed: %zu steps\n", steps->size());
        return 0;
      }
      std::printf("FAILED replay: %s after step %zu: %s\n", failure->invariant.c_str(), failure->step,
                  failure->detail.c_str());
      return 1;
    } else {
      std::fprintf(stderr, "usage: peekbar_sim [--seconds N] [--seed S] [--steps N] | --replay STEPS\n");
      return 2;
    }
  }
  const auto start = std::chrono::steady_clock::now();
  const auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
  RunCounts counts;
  std::uint64_t episodes = 0;
  for (std::uint64_t s = seed; elapsed() < seconds; ++s, ++episodes) {
    const std::vector<Step> steps = GenerateSteps(s, episodeSteps);
    if (const auto failure = RunSteps(steps, &counts)) {
      const std::string origin = "seed " + std::to_string(s) + " (--seed " + std::to_string(s) + " --steps " +
                                 std::to_string(episodeSteps) + ")";
      return Report(steps, *failure, origin, Invocation(argv[0], plant), counts.steps, elapsed());
    }
  }
  const double took = elapsed();
  std::printf("passed: %llu episodes from seed %llu, %zu steps in %.1f s (%.0f steps a second)\n",
              static_cast<unsigned long long>(episodes), static_cast<unsigned long long>(seed), counts.steps, took,
              counts.steps / took);
  return 0;
}
