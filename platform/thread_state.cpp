#include "platform/thread_state.h"

#include <thread>
#include <unordered_map>

namespace tovrel_platform {

namespace {

// Never destroyed: threads may still post while static objects are torn down.
struct cRegistry {
  std::mutex Lock;
  std::unordered_map<DWORD, std::weak_ptr<cThreadState>> ById;
  DWORD nNextId = 1;
};

cRegistry& Registry() {
  static cRegistry* registry = new cRegistry;
  return *registry;
}

std::shared_ptr<cThreadState> Register(std::shared_ptr<cThreadState> state) {
  cRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.Lock);
  state->Id = registry.nNextId++;
  registry.ById[state->Id] = state;
  return state;
}

void Unregister(DWORD id) {
  cRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.Lock);
  registry.ById.erase(id);
}

// The process's first thread is the main thread until another marks itself.
std::atomic<std::thread::id> g_mainThread{std::this_thread::get_id()};

// The state of a thread that is not the main thread. A thread the layer did not start
// gets one on its first call and gives it up when it ends.
struct cOwnState {
  std::shared_ptr<cThreadState> State;
  bool bForeign = false;
  ~cOwnState() {
    if (bForeign && State) Unregister(State->Id);
  }
};
thread_local cOwnState t_own;

}  // namespace

std::shared_ptr<cThreadState> MainThreadState() {
  static std::shared_ptr<cThreadState>* main = new std::shared_ptr<cThreadState>(Register(std::make_shared<cThreadState>()));
  return *main;
}

bool IsMainThreadNow() { return g_mainThread.load(std::memory_order_acquire) == std::this_thread::get_id(); }

void MarkMainThreadNow() { g_mainThread.store(std::this_thread::get_id(), std::memory_order_release); }

std::shared_ptr<cThreadState> CurrentThreadState() {
  if (IsMainThreadNow()) return MainThreadState();
  if (!t_own.State) {
    t_own.State = NewThreadState();
    t_own.bForeign = true;
  }
  return t_own.State;
}

cThreadState* ExistingThreadState() {
  if (IsMainThreadNow()) return MainThreadState().get();
  return t_own.State.get();
}

std::shared_ptr<cThreadState> NewThreadState() { return Register(std::make_shared<cThreadState>()); }

std::shared_ptr<cThreadState> FindThreadState(DWORD id) {
  cRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.Lock);
  const auto found = registry.ById.find(id);
  return found == registry.ById.end() ? nullptr : found->second.lock();
}

void AdoptThreadState(std::shared_ptr<cThreadState> state) {
  t_own.State = std::move(state);
  t_own.bForeign = false;
}

void EndThreadState(const std::shared_ptr<cThreadState>& state, unsigned exitCode) {
  Unregister(state->Id);
  std::vector<std::weak_ptr<cThreadState>> watchers;
  {
    std::lock_guard<std::mutex> lock(state->Lock);
    state->nExitCode = exitCode;
    state->bEnded.store(true, std::memory_order_release);
    watchers = state->EndWatchers;
    state->Wake.notify_all();
  }
  // A watcher registered after the copy above finds bEnded already set.
  for (const std::weak_ptr<cThreadState>& weak : watchers) {
    if (const std::shared_ptr<cThreadState> watcher = weak.lock()) {
      std::lock_guard<std::mutex> lock(watcher->Lock);
      watcher->Wake.notify_all();
    }
  }
}

void WakeEveryThread() {
  std::vector<std::shared_ptr<cThreadState>> states;
  {
    cRegistry& registry = Registry();
    std::lock_guard<std::mutex> lock(registry.Lock);
    for (const auto& [id, weak] : registry.ById)
      if (std::shared_ptr<cThreadState> state = weak.lock()) states.push_back(std::move(state));
  }
  for (const std::shared_ptr<cThreadState>& state : states) {
    std::lock_guard<std::mutex> lock(state->Lock);
    state->Wake.notify_all();
  }
}

}  // namespace tovrel_platform
