// The program as a process in the sample game, driven by the automation variables.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/fixtures/game_ini_writer.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/temp_folder.h"

namespace {

struct ProcessRun {
  int exit_code;
  std::string output;  // stdout and stderr
};

// Runs qorv in dir with the variables given (shell words, e.g. "QORV_FRAMES=40").
ProcessRun run_qorv(const fixtures::TempFolder& dir, const std::string& variables) {
  std::string command = "cd '" + dir.str() + "' && " + variables + " '" QORV_EXE "' >qorv.out 2>&1";
  int status = std::system(command.c_str());
  int code = status >= 256 ? status / 256 : status;
  return {code, dir.read("qorv.out")};
}

std::string expected_trace(const std::string& dir) {
  return "Path:" + dir + " \r\n" +
         "------------Starting Init Game------------ \r\n"
         "Grp3Ddraw -------------> ok \r\n"
         "Grp3Dput -------------> ok \r\n"
         "GrpInput -------------> ok \r\n"
         "Particle -------------> ok \r\n"
         "FightField -------------> ok \r\n"
         "PolyMemory -------------> ok \r\n"
         "ActMemory -------------> ok \r\n"
         "TswMemory -------------> ok \r\n"
         "Miles -------------> ok \r\n"
         "Stream -------------> ok \r\n"
         "bink   -------------> ok \r\n"
         "GDI-------------------> ok \r\n"
         "open_data -------------> ok \r\n"
         "------------End Init Game------------ \r\n"
         // The shut-down releases the map.
         "free_map \r\ndel_all_effect_list \r\nAct_Memoryer_Free \r\nFreePolyMemory \r\nMemoryer_Free \r\n"
         "FreeMapMemory \r\nfree_mark \r\n";
}

TEST(Process, RunsFortyHeadlessFramesInTheSampleGameAndExitsCleanly) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  ProcessRun run = run_qorv(dir, "QORV_BACKEND=headless QORV_FRAMES=40");
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_EQ(dir.read("debug.txt"), expected_trace(dir.str()));
  EXPECT_EQ(dir.read("User.cfg"), "") << "closing the window does not write User.cfg";
}

TEST(Process, ReplayedInputCanCloseTheWindow) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  dir.write("input.txt", "# close early\n2 text hello\n3 close\n");
  ProcessRun run = run_qorv(dir, "QORV_BACKEND=headless QORV_INPUT=input.txt");
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_EQ(dir.read("debug.txt"), expected_trace(dir.str()));
}

TEST(Process, ReplayedKeysReachTheLogicalKeys) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  // The screenshot key (p, a key that always drives its logical key) makes the Pic folder.
  dir.write("input.txt", "5 down p\n6 up p\n");
  ProcessRun run = run_qorv(dir, "QORV_BACKEND=headless QORV_INPUT=input.txt QORV_FRAMES=10");
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Pic"));
  // ... and writes the screen as a 640 x 480 24-bit BMP.
  const std::filesystem::path shot = dir.path() / "Pic" / "0000.bmp";
  ASSERT_TRUE(std::filesystem::exists(shot));
  EXPECT_EQ(std::filesystem::file_size(shot), 54u + 1920u * 480u);
}

TEST(Process, RefusesABadInputFileInOneLine) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  dir.write("input.txt", "0 down nokey\n");
  ProcessRun run = run_qorv(dir, "QORV_BACKEND=headless QORV_INPUT=input.txt QORV_FRAMES=5");
  EXPECT_NE(run.exit_code, 0);
  EXPECT_EQ(run.output, "qorv: QORV_INPUT input.txt, line 1: unknown key 'nokey'\n");
  EXPECT_EQ(dir.read("debug.txt"), "") << "the program did not start";
}

TEST(Process, RefusesAnUnknownSceneOrSeedInOneLine) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  struct Case {
    const char* variables;
    int exit_code;
    const char* starts;
  } cases[] = {
      {"QORV_SCENE=nosuch", 1, "qorv: QORV_SCENE: no scene 'nosuch' (scenes: "},
      {"QORV_SEED=-3", 2, "qorv: QORV_SEED must be a number from 0 up, not '-3'"},
      {"QORV_SEED=x", 2, "qorv: QORV_SEED must be a number from 0 up, not 'x'"},
      {"QORV_WATCHDOG=0", 2, "qorv: QORV_WATCHDOG must be a number of seconds above 0, not '0'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.variables);
    ProcessRun run = run_qorv(dir, std::string("QORV_BACKEND=headless QORV_FRAMES=5 ") + c.variables);
    EXPECT_EQ(run.exit_code, c.exit_code);
    EXPECT_EQ(run.output.rfind(c.starts, 0), 0u) << run.output;
    EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << "one line";
    EXPECT_EQ(dir.read("debug.txt"), "") << "the program did not start";
  }
}

// The soak's two checks of the whole program. The heap figures: every block taken while the
// title ran is given back by the end. The watchdog: frames that stop coming (here the window
// question held open) end the process with its message and SIGABRT.
TEST(Process, HeapFiguresAndTheWatchdogForTheSoak) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  ProcessRun run = run_qorv(dir, "QORV_BACKEND=headless QORV_FRAMES=40 QORV_HEAP_STATS=1 QORV_WATCHDOG=60");
  EXPECT_EQ(run.exit_code, 0) << run.output;
  int start = -1, end = -1, peak_blocks = -1, frames = -1;
  long long peak_bytes = -1;
  ASSERT_EQ(std::sscanf(run.output.c_str(),
                        "qorv: heap blocks at start %d, at end %d, peak blocks %d, peak bytes %lld; "
                        "%d frames",
                        &start, &end, &peak_blocks, &peak_bytes, &frames),
            5)
      << run.output;
  EXPECT_EQ(frames, 40);
  EXPECT_EQ(end, start);
  EXPECT_GT(peak_blocks, start);
  EXPECT_GT(peak_bytes, 0);

  run = run_qorv(dir, "QORV_BACKEND=headless QORV_BOX_WAIT=600 QORV_WATCHDOG=1");
  EXPECT_EQ(run.exit_code, 128 + SIGABRT) << run.output;
  EXPECT_NE(run.output.find("qorv: no frame for 1 s of real time (QORV_WATCHDOG)\n"), std::string::npos)
      << run.output;
}

TEST(Process, SaysInOneLineWhenNoDisplayCanBeOpened) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  for (const char* variables :
       {"env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER QORV_BACKEND=sdl QORV_FRAMES=5",
        "QORV_BACKEND=sdl SDL_VIDEODRIVER=no-such-driver QORV_FRAMES=5"}) {
    SCOPED_TRACE(variables);
    ProcessRun run = run_qorv(dir, variables);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.output.find("qorv: cannot open a display"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("QORV_BACKEND=headless"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << "one line";
  }
}

// A run started in the background, so that a test can signal it.
class BackgroundRun {
 public:
  BackgroundRun(const fixtures::TempFolder& dir, const std::vector<std::string>& variables) {
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(dir.str().c_str()) != 0) _exit(126);
      for (const std::string& v : variables) putenv(const_cast<char*>(v.c_str()));
      int out = open("qorv.out", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(out, 1);
      dup2(out, 2);
      execl(QORV_EXE, QORV_EXE, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~BackgroundRun() {
    if (pid_ > 0 && !ended_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  void signal(int sig) const { kill(pid_, sig); }
  // The exit status once the process has ended, within the bound given (a hang fails).
  std::optional<int> wait_exit(std::chrono::seconds bound) {
    auto until = std::chrono::steady_clock::now() + bound;
    int status = 0;
    while (std::chrono::steady_clock::now() < until) {
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        ended_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
  }

 private:
  pid_t pid_ = -1;
  bool ended_ = false;
};

// Waits until the file holds text (the program reached that point); false at the bound.
bool wait_for_text(const fixtures::TempFolder& dir, const std::string& file, const std::string& text) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < until) {
    if (dir.read(file).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

// Ctrl+C or a termination signal ends the program in order, also while a message box waits for
// an answer that will not come (the window question, held open by QORV_BOX_WAIT).
TEST(Process, EndsInOrderOnATerminationSignal) {
  struct Case {
    const char* name;
    int sig;
    bool box_open;
  } cases[] = {{"SIGTERM in the window question", SIGTERM, true},
               {"SIGINT in the window question", SIGINT, true},
               {"SIGTERM while frames run", SIGTERM, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fixtures::TempFolder dir;
    ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
    dir.write("game.ini", fixtures::standard_game_ini("0", "0", "0", c.box_open ? "1" : "0"));
    BackgroundRun run(dir, {"QORV_BACKEND=headless", "QORV_BOX_WAIT=600"});
    ASSERT_TRUE(wait_for_text(dir, "debug.txt", c.box_open ? "Starting Init Game" : "End Init Game"));
    run.signal(c.sig);
    std::optional<int> code = run.wait_exit(std::chrono::seconds(60));
    ASSERT_TRUE(code.has_value()) << "still running after the signal";
    EXPECT_EQ(*code, 128 + c.sig) << dir.read("qorv.out");
    EXPECT_NE(dir.read("debug.txt").find("End Init Game"), std::string::npos)
        << "the start-up went on after the box and the loop then closed the window";
  }
}

}  // namespace
