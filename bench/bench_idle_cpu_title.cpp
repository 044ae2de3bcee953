// How busy the program keeps the machine on the title screen: CPU seconds over wall seconds of
// the real program on the SDL backend (SDL's offscreen video driver, its dummy audio driver)
// over 350 title frames of the sample game. Start-up is taken out by running the program twice,
// for 35 and for 385 frames, and dividing the differences; a loop that spins between frames
// reads near 1, one that waits for the next due frame reads what drawing the frames costs.
// Prints "ratio idle_cpu_title VALUE" like the other bench programs (the arguments they take are
// ignored).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int start_frames = 35;
constexpr int measured_frames = 350;

struct Usage {
  double cpu_seconds = 0, wall_seconds = 0;
  bool ok = false;
};

// Runs program in dir with the environment's additions; its CPU time and the wall time.
Usage run(const std::string& program, const fs::path& dir, int frames) {
  auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid < 0) return {};
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    setenv("QORV_BACKEND", "sdl", 1);
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("QORV_FRAMES", std::to_string(frames).c_str(), 1);
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return {};
  Usage u;
  u.wall_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  u.cpu_seconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  u.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return u;
}

// The sample game, without the window question: the offscreen driver has no message boxes.
bool make_game(const fs::path& dir) {
  std::string command = std::string(QORV_MAKE_SAMPLE_GAME) + " '" + dir.string() + "' >/dev/null";
  if (std::system(command.c_str()) != 0) return false;
  fs::path ini = dir / "game.ini";
  std::stringstream text;
  text << std::ifstream(ini).rdbuf();
  std::string s = text.str();
  std::size_t at = s.find("window=1");
  if (at != std::string::npos) s.replace(at, 8, "window=0");
  std::ofstream(ini, std::ios::trunc) << s;
  return true;
}

}  // namespace

int main() {
  char pattern[] = "/tmp/qorv-idle-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  fs::path dir = pattern;
  int code = 1;
  if (make_game(dir)) {
    Usage short_run = run(QORV_GAME, dir, start_frames);
    Usage long_run = run(QORV_GAME, dir, start_frames + measured_frames);
    double wall = long_run.wall_seconds - short_run.wall_seconds;
    if (short_run.ok && long_run.ok && wall > 0) {
      std::printf("ratio idle_cpu_title %.4f\n", (long_run.cpu_seconds - short_run.cpu_seconds) / wall);
      code = 0;
    } else {
      std::printf("ratio idle_cpu_title unmeasured\n");
    }
  }
  std::error_code ignored;
  fs::remove_all(dir, ignored);
  return code;
}
