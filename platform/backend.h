#pragma once
// The backend the program runs on, picked at start from QORV_BACKEND: "headless" selects the
// test backend (memory framebuffer, scripted input, recorded message boxes); "sdl" or nothing
// selects the real one.
namespace platform {

enum class Backend { Sdl, Headless };

Backend current_backend();

}  // namespace platform
