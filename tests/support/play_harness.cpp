#include "tests/support/play_harness.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "demo/demo_game.h"

extern char** environ;

namespace {

constexpr const char* kInputFile = "play_input.txt";
constexpr const char* kTraceFile = "play_trace.jsonl";
constexpr const char* kOutputFile = "play_output.txt";

// A JSON value of the small kind the trace holds: null, a number, true/false, a string,
// an array or an object.
struct cJson {
  enum class eType { Null, Number, Bool, String, Array, Object };
  eType Type = eType::Null;
  double dNumber = 0;
  bool bValue = false;
  std::string strValue;
  std::vector<cJson> vItems;
  std::vector<std::pair<std::string, cJson>> vMembers;

  const cJson* Member(const std::string& name) const {
    for (const auto& [key, value] : vMembers)
      if (key == name) return &value;
    return nullptr;
  }
};

class cJsonReader {
 public:
  explicit cJsonReader(const std::string& text) : m_Text(text) {}

  bool ReadDocument(cJson& out) {
    if (!ReadValue(out, 0)) return false;
    SkipSpace();
    return m_nPos == m_Text.size() || Fail("text after the value");
  }
  const std::string& Error() const { return m_Error; }

 private:
  // Deeper nesting than the trace ever has is refused rather than followed.
  static constexpr int kMaxDepth = 16;

  bool Fail(const std::string& what) {
    if (m_Error.empty()) m_Error = what + " at column " + std::to_string(m_nPos);
    return false;
  }
  void SkipSpace() {
    while (m_nPos < m_Text.size() && std::strchr(" \t\r\n", m_Text[m_nPos]) != nullptr) ++m_nPos;
  }
  bool Take(char c) {
    SkipSpace();
    if (m_nPos < m_Text.size() && m_Text[m_nPos] == c) {
      ++m_nPos;
      return true;
    }
    return false;
  }
  bool TakeWord(const char* word) {
    const std::size_t n = std::strlen(word);
    if (m_Text.compare(m_nPos, n, word) != 0) return false;
    m_nPos += n;
    return true;
  }
  bool ReadString(std::string& out) {
    if (!Take('"')) return Fail("a string expected");
    while (m_nPos < m_Text.size() && m_Text[m_nPos] != '"') {
      if (m_Text[m_nPos] == '\\') {
        if (++m_nPos >= m_Text.size()) break;
      }
      out.push_back(m_Text[m_nPos++]);
    }
    if (m_nPos >= m_Text.size()) return Fail("an unterminated string");
    ++m_nPos;
    return true;
  }
  bool ReadValue(cJson& out, int depth) {
    if (depth > kMaxDepth) return Fail("too deep");
    SkipSpace();
    if (m_nPos >= m_Text.size()) return Fail("a value expected");
    const char c = m_Text[m_nPos];
    if (c == '{') {
      ++m_nPos;
      out.Type = cJson::eType::Object;
      if (Take('}')) return true;
      do {
        std::string key;
        if (!ReadString(key)) return false;
        if (!Take(':')) return Fail("':' expected");
        cJson value;
        if (!ReadValue(value, depth + 1)) return false;
        out.vMembers.emplace_back(std::move(key), std::move(value));
      } while (Take(','));
      return Take('}') || Fail("'}' expected");
    }
    if (c == '[') {
      ++m_nPos;
      out.Type = cJson::eType::Array;
      if (Take(']')) return true;
      do {
        if (!ReadValue(out.vItems.emplace_back(), depth + 1)) return false;
      } while (Take(','));
      return Take(']') || Fail("']' expected");
    }
    if (c == '"') {
      out.Type = cJson::eType::String;
      return ReadString(out.strValue);
    }
    if (TakeWord("null")) return true;
    if (TakeWord("true") || TakeWord("false")) {
      out.Type = cJson::eType::Bool;
      out.bValue = m_Text[m_nPos - 1] == 'e' && m_Text.compare(m_nPos - 4, 4, "true") == 0;
      return true;
    }
    const char* start = m_Text.c_str() + m_nPos;
    char* end = nullptr;
    out.dNumber = std::strtod(start, &end);
    if (end == start) return Fail("a value expected");
    out.Type = cJson::eType::Number;
    m_nPos += static_cast<std::size_t>(end - start);
    return true;
  }

  const std::string& m_Text;
  std::size_t m_nPos = 0;
  std::string m_Error;
};

bool GetNumber(const cJson& object, const char* name, double& out, std::string& error) {
  const cJson* value = object.Member(name);
  if (value == nullptr || value->Type != cJson::eType::Number) {
    error = std::string("no number \"") + name + "\"";
    return false;
  }
  out = value->dNumber;
  return true;
}

bool GetInt(const cJson& object, const char* name, int& out, std::string& error) {
  double value = 0;
  if (!GetNumber(object, name, value, error)) return false;
  out = static_cast<int>(value);
  return true;
}

bool ParseObject(const cJson& json, cTraceObject& object, std::string& error) {
  if (json.Type != cJson::eType::Object) {
    error = "an object of \"objects\" is no object";
    return false;
  }
  const cJson* kind = json.Member("kind");
  if (kind == nullptr || kind->Type != cJson::eType::String) {
    error = "an object without \"kind\"";
    return false;
  }
  object.strKind = kind->strValue;
  if (!GetInt(json, "id", object.nId, error) || !GetNumber(json, "x", object.dX, error) ||
      !GetNumber(json, "y", object.dY, error) || !GetNumber(json, "vx", object.dVx, error) ||
      !GetNumber(json, "vy", object.dVy, error) || !GetNumber(json, "cvx", object.dCmdVx, error) ||
      !GetNumber(json, "cvy", object.dCmdVy, error) || !GetInt(json, "facing", object.nFacing, error))
    return false;
  const cJson* hp = json.Member("hp");
  if (hp == nullptr) {
    error = "an object without \"hp\"";
    return false;
  }
  if (hp->Type == cJson::eType::Number) object.nHp = static_cast<int>(hp->dNumber);
  const cJson* active = json.Member("active");
  if (active == nullptr || (active->Type != cJson::eType::Bool && active->Type != cJson::eType::Number)) {
    error = "an object without \"active\"";
    return false;
  }
  object.bActive = active->Type == cJson::eType::Bool ? active->bValue : active->dNumber != 0;
  return true;
}

// Starts `program` with `args` in `folder` under `env`; stdout and stderr go to
// `outputPath`. The process id, or -1.
pid_t Spawn(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
            const std::vector<std::string>& env, const std::string& outputPath) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& entry : env) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);

  const pid_t pid = fork();
  if (pid != 0) return pid;
  // The child: only async-signal-safe calls until the exec.
  if (chdir(folder.c_str()) != 0) _exit(126);
  const int out = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out >= 0) {
    dup2(out, 1);
    dup2(out, 2);
    close(out);
  }
  execve(program.c_str(), argv.data(), envp.data());
  _exit(127);
}

// The environment of the player: this process's, with the request's entries over it.
std::vector<std::string> PlayerEnvironment(const std::map<std::string, std::string>& overrides) {
  std::map<std::string, std::string> entries;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::size_t eq = text.find('=');
    if (eq != std::string::npos) entries[text.substr(0, eq)] = text.substr(eq + 1);
  }
  for (const auto& [key, value] : overrides) entries[key] = value;
  std::vector<std::string> env;
  for (const auto& [key, value] : entries) env.push_back(key + "=" + value);
  return env;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

const cTraceObject* cTraceFrame::Find(const std::string& kind) const {
  for (const cTraceObject& object : vObjects)
    if (object.strKind == kind) return &object;
  return nullptr;
}

const cTraceObject& cTraceFrame::Player() const {
  static const cTraceObject kNone;
  const cTraceObject* player = Find("player");
  if (player == nullptr) {
    ADD_FAILURE() << "frame " << nFrame << " has no player: " << strLine;
    return kNone;
  }
  return *player;
}

bool ParseTraceLine(const std::string& line, cTraceFrame& frame, std::string& error) {
  cJson json;
  cJsonReader reader(line);
  if (!reader.ReadDocument(json)) {
    error = reader.Error();
    return false;
  }
  if (json.Type != cJson::eType::Object) {
    error = "the line is no object";
    return false;
  }
  frame = cTraceFrame();
  frame.strLine = line;
  if (!GetInt(json, "frame", frame.nFrame, error) || !GetInt(json, "state", frame.nState, error)) return false;
  const cJson* scroll = json.Member("scroll");
  if (scroll == nullptr || scroll->Type != cJson::eType::Array || scroll->vItems.size() != 2 ||
      scroll->vItems[0].Type != cJson::eType::Number || scroll->vItems[1].Type != cJson::eType::Number) {
    error = "no \"scroll\" pair";
    return false;
  }
  frame.dScrollX = scroll->vItems[0].dNumber;
  frame.dScrollY = scroll->vItems[1].dNumber;
  const cJson* objects = json.Member("objects");
  if (objects == nullptr || objects->Type != cJson::eType::Array) {
    error = "no \"objects\" list";
    return false;
  }
  for (const cJson& item : objects->vItems)
    if (!ParseObject(item, frame.vObjects.emplace_back(), error)) return false;
  return true;
}

const cTraceFrame& cPlayResult::At(int nFrame) const {
  static const cTraceFrame kNone;
  for (const cTraceFrame& frame : vFrames)
    if (frame.nFrame == nFrame) return frame;
  ADD_FAILURE() << "the trace has no frame " << nFrame << " (" << vFrames.size() << " frames)";
  return kNone;
}

std::vector<const cTraceFrame*> cPlayResult::PlayFrames() const {
  std::vector<const cTraceFrame*> frames;
  for (const cTraceFrame& frame : vFrames)
    if (frame.nState == 2) frames.push_back(&frame);
  return frames;
}

int cPlayResult::FirstPlayIndex() const {
  for (std::size_t i = 0; i < vFrames.size(); ++i)
    if (vFrames[i].nState == 2) return static_cast<int>(i);
  return -1;
}

std::string InputFileText(const std::vector<cInputSpan>& input) {
  std::string text;
  for (const cInputSpan& span : input)
    text += std::to_string(span.nCount) + " " + std::to_string(span.wDir) + " " + std::to_string(span.wButton) + "\n";
  return text;
}

cPlayResult RunPlayer(const std::string& program, const cPlayRequest& request) {
  cPlayResult result;
  const std::string folder = std::filesystem::current_path().string();
  std::ofstream(kInputFile, std::ios::binary) << InputFileText(request.vInput);
  std::error_code ignored;
  std::filesystem::remove(kTraceFile, ignored);

  std::map<std::string, std::string> env = {
      {"SDL_VIDEODRIVER", "dummy"},
      {"SDL_AUDIODRIVER", "dummy"},
      {"TOVREL_FRAMES", std::to_string(request.nFrames)},
      // Play counts frames, not time: the checks need not wait a 60th of a second a frame.
      {"TOVREL_UNPACED", "1"},
      {"TOVREL_INPUT", kInputFile},
      {"TOVREL_TRACE", kTraceFile},
      {"XDG_RUNTIME_DIR", folder},
  };
  for (const auto& [key, value] : request.vEnv) env[key] = value;

  const pid_t pid = Spawn(program, {request.strStagePath}, folder, PlayerEnvironment(env), folder + "/" + kOutputFile);
  if (pid < 0) {
    result.strOutput = std::string("fork: ") + std::strerror(errno);
    return result;
  }
  // <chrono> cannot be used under the build's CP932 execution character set: the wait
  // counts its own 5 ms sleeps.
  constexpr int kPollMicroseconds = 5000;
  const long polls = static_cast<long>(request.nTimeoutSeconds) * (1000000 / kPollMicroseconds);
  int status = 0;
  for (long poll = 0;; ++poll) {
    const pid_t ended = waitpid(pid, &status, WNOHANG);
    if (ended == pid) break;
    if (poll > polls) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      result.bTimedOut = true;
      break;
    }
    usleep(kPollMicroseconds);
  }
  if (!result.bTimedOut && WIFEXITED(status)) result.nExitCode = WEXITSTATUS(status);
  result.strOutput = ReadWholeFile(folder + "/" + kOutputFile);

  std::istringstream lines(ReadWholeFile(folder + "/" + kTraceFile));
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty()) continue;
    cTraceFrame frame;
    std::string error;
    if (!ParseTraceLine(line, frame, error)) {
      if (result.strTraceError.empty()) result.strTraceError = error + ": " + line;
      continue;
    }
    result.vFrames.push_back(std::move(frame));
  }
  return result;
}

cPlayResult PlayPlannedGame(const std::string& program, const cGameContent& game, const std::string& stageName,
                            int nFrames, const std::vector<cInputSpan>& input,
                            const std::vector<std::pair<std::string, std::string>>& env) {
  cPlayResult result;
  // The demo game brings what start-up needs besides the game's records (System.ini,
  // the pictures, the sounds); the game's own records are written over it.
  if (!WriteDemoGame() || !WriteGame(game)) {
    result.strOutput = "the game could not be written";
    return result;
  }
  cPlayRequest request;
  request.strStagePath = GameStagePath(stageName);
  request.nFrames = nFrames;
  request.vInput = input;
  request.vEnv = env;
  return RunPlayer(program, request);
}
