// Takes the instance marker in a process of its own, for the marker tests.
//   try NAME             prints "held" or "busy" and ends
//   hold NAME            prints "held" or "busy", then lives until its input ends
//   hold-then-exec NAME  prints "held" or "busy", then replaces itself with "wait"
//   wait                 prints "waiting", then lives until its input ends
// Waiting is bounded, so a forgotten helper ends by itself.

#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/os/InstanceMarker.h"

namespace {

void waitForEndOfInput() {
  pollfd input{STDIN_FILENO, POLLIN, 0};
  char byte;
  while (poll(&input, 1, 60'000) > 0 && read(STDIN_FILENO, &byte, 1) > 0) {
  }
}

bool report(bool held) {
  std::fputs(held ? "held\n" : "busy\n", stdout);
  std::fflush(stdout);
  return held;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "wait") {
    // Said once the replacing program runs, so the marker's fate is settled.
    std::fputs("waiting\n", stdout);
    std::fflush(stdout);
    waitForEndOfInput();
    return 0;
  }
  if (argc != 3) return 2;
  const bool held = report(korvalinx::AcquireInstanceMarker(argv[2]));
  if (mode == "try") return 0;
  if (mode == "hold") {
    if (held) waitForEndOfInput();
    return 0;
  }
  if (mode == "hold-then-exec") {
    char waitMode[] = "wait";
    char* const args[] = {argv[0], waitMode, nullptr};
    execv("/proc/self/exe", args);
    return 3;
  }
  return 2;
}
