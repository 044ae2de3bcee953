// The program: reads the automation variables, then runs WinMain.
#include <cstdio>
#include <string>

#include "app/win_main.h"
#include "platform/automation.h"
#include "platform/window.h"

int main() {
  std::string error;
  if (!platform::init_automation(error)) {
    std::fprintf(stderr, "qorv: %s\n", error.c_str());
    return 2;
  }
  // The command line is not read.
  return WinMain(platform::program_instance(), nullptr, "", 1);
}
