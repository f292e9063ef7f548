// A player process for the single-instance tests, with the instance lock in
// $XDG_RUNTIME_DIR as the player has it:
//   second_player hold            holds the lock as a running player with a window does,
//                                 prints "ready" and waits to be ended
//   second_player hold-nowindow   the same, before its window exists (no process recorded)
//   second_player run yes|no      runs WinMain in the current folder, the question answered
//                                 as given; prints "box <caption>" for each box shown, then
//                                 "lock free" or "lock held" as it finds the lock after
//                                 WinMain; exits with WinMain's result
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/message_box.h"
#include "platform/single_instance.h"
#include "platform/win_time.h"
#include "shell/stand_in_scenes.h"
#include "shell/win_main.h"

namespace {

int Hold(bool bRecord) {
  cInstanceLock lock;
  if (lock.Acquire("ゲーム") != eInstanceLock::kTaken) return 3;
  if (bRecord && !lock.RecordProcess()) return 4;
  std::printf("ready\n");
  std::fflush(stdout);
  for (;;) Sleep(1000);
}

int Run(bool bYes) {
  cRecordingMessageBoxes boxes;
  boxes.answers.push_back(bYes ? IDYES : IDNO);
  InstallStandInScenes();
  const int result = WinMain(nullptr, nullptr, "", 1);
  for (const MessageBoxRecord& box : boxes.shown) std::printf("box %s\n", box.caption.c_str());
  cInstanceLock probe;
  std::printf("lock %s\n", probe.Acquire("ゲーム") == eInstanceLock::kTaken ? "free" : "held");
  std::fflush(stdout);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "hold") return Hold(true);
  if (mode == "hold-nowindow") return Hold(false);
  if (mode == "run" && argc > 2) return Run(std::strcmp(argv[2], "yes") == 0);
  std::fprintf(stderr, "usage: second_player hold | hold-nowindow | run yes|no\n");
  return 2;
}
