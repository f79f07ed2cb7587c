// Forked workers and the parent that polls their pipes. A frame on a pipe is its length (8 bytes), a kind
// ('F' a file: its number and its record; 'P' a piece of a file's violations sent ahead of it, the same way;
// 'E' the end: what the run found outside files) and the bytes.
#include "HWorkerPool.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <string>
#include <string_view>

#include "HError.h"
#include "HResultCodec.h"

namespace {

constexpr size_t kFlushBytes = 1 << 16;

// Each file, largest first, to the worker with the fewest bytes so far; the same sizes give the same shares.
std::vector<size_t> Share(const std::vector<std::string>& paths, size_t workers) {
  std::vector<uintmax_t> sizes;
  for (const std::string& path : paths) {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    sizes.push_back(error ? 0 : size);
  }
  std::vector<size_t> order(sizes.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return sizes[a] > sizes[b]; });
  std::vector<uintmax_t> load(workers, 0);
  std::vector<size_t> owner(sizes.size());
  for (const size_t file : order) {
    const size_t least = static_cast<size_t>(std::min_element(load.begin(), load.end()) - load.begin());
    owner[file] = least;
    load[least] += sizes[file] + 1;
  }
  return owner;
}

void WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) _exit(3);  // the parent is gone: nobody is left to tell
    bytes.remove_prefix(static_cast<size_t>(written));
  }
}

// The worker's side: frames gathered and written in large pieces.
class KFrameWriter {
 public:
  explicit KFrameWriter(int fd) : m_fd(fd) {}

  void File(size_t number, const HFileResult& file, char kind) {
    const size_t start = Open(kind);
    const uint64_t wide = number;
    m_out.append(reinterpret_cast<const char*>(&wide), sizeof wide);
    HResultCodec::Encode(file, m_out);
    Close(start);
    if (m_out.size() >= kFlushBytes) Flush();
  }

  void End(const HRunResult& run) {
    const size_t start = Open('E');
    HResultCodec::EncodeRun(run, m_out);
    Close(start);
    Flush();
  }

 private:
  size_t Open(char kind) {
    const size_t start = m_out.size();
    m_out.append(sizeof(uint64_t), '\0');
    m_out += kind;
    return start;
  }
  void Close(size_t start) {
    const uint64_t length = m_out.size() - start - sizeof(uint64_t);
    std::memcpy(m_out.data() + start, &length, sizeof length);
  }
  void Flush() {
    WriteAll(m_fd, m_out);
    m_out.clear();
  }

  int m_fd;
  std::string m_out;
};

[[noreturn]] void RunWorker(int fd, size_t me, const std::vector<size_t>& owner,
                            const HWorkerPool::Work& work) {
  KFrameWriter frames(fd);
  HRunResult run;
  try {
    run = work({[&](size_t file) { return owner[file] == me; },
                [&](size_t file, const HFileResult& result) { frames.File(file, result, 'F'); },
                [&](size_t file, const HFileResult& piece) { frames.File(file, piece, 'P'); }});
  } catch (const std::exception& error) {
    run.errors.push_back({"", 0, error.what()});
  }
  frames.End(run);
  close(fd);
  // No destructor and no exit handler of the parent's objects runs twice, and no buffer is written twice.
  _exit(0);
}

struct KWorker {
  pid_t pid = -1;
  int fd = -1;
  std::string buffer;
  bool ended = false;
};

// The parent's side: complete frames out of a worker's bytes.
// What a worker found outside files joins the parent's, each error and warning once.
void Join(HRunResult run, HRunResult& result) {
  for (HInputError& error : run.errors) {
    const auto same = [&](const HInputError& e) {
      return e.file == error.file && e.message == error.message;
    };
    if (std::none_of(result.errors.begin(), result.errors.end(), same))
      result.errors.push_back(std::move(error));
  }
  for (HWarning& warning : run.warnings) {
    const auto same = [&](const HWarning& w) {
      return w.file == warning.file && w.line == warning.line && w.rule == warning.rule &&
             w.message == warning.message;
    };
    if (std::none_of(result.warnings.begin(), result.warnings.end(), same))
      result.warnings.push_back(std::move(warning));
  }
  result.rules.merge(run.rules);
}

// A piece's violations join those the parent holds of the file (none, once they are spilled); the file's
// record brings the rest.
void Add(HFileResult& held, HFileResult arrived, bool whole) {
  for (const HRunResult::List list : {&HFileResult::violations, &HFileResult::suppressed}) {
    std::vector<HViolation>& into = held.*list;
    std::vector<HViolation>& from = arrived.*list;
    into.insert(into.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
    if (whole) from = std::move(into);
  }
  if (whole) held = std::move(arrived);
}

void TakeFrames(KWorker& worker, HRunResult& result, const HWorkerPool::Done& received) {
  std::string_view bytes = worker.buffer;
  uint64_t length = 0;
  while (bytes.size() >= sizeof length) {
    std::memcpy(&length, bytes.data(), sizeof length);
    if (bytes.size() - sizeof length < length) break;
    std::string_view frame = bytes.substr(sizeof length, length);
    bytes.remove_prefix(sizeof length + length);
    if (frame.starts_with('E')) {
      Join(HResultCodec::DecodeRun(frame.substr(1)), result);
      worker.ended = true;
      continue;
    }
    uint64_t number = 0;
    const bool whole = frame.starts_with('F');
    if ((!whole && !frame.starts_with('P')) || frame.size() < 1 + sizeof number)
      throw HError("a worker sent damaged results");
    std::memcpy(&number, frame.data() + 1, sizeof number);
    if (number >= result.files.size()) throw HError("a worker sent damaged results");
    Add(result.files[number], HResultCodec::DecodeFile(frame.substr(1 + sizeof number)), whole);
    if (whole) received(number, result.files[number]);
    result.Spill(number);
  }
  worker.buffer.erase(0, worker.buffer.size() - bytes.size());
}

void Gather(std::vector<KWorker>& workers, HRunResult& result, const HWorkerPool::Done& received) {
  std::vector<pollfd> polled;
  for (;;) {
    polled.clear();
    for (const KWorker& worker : workers) {
      if (worker.fd >= 0) polled.push_back({worker.fd, POLLIN, 0});
    }
    if (polled.empty()) return;
    if (poll(polled.data(), polled.size(), -1) < 0) {
      if (errno == EINTR) continue;
      throw HError(std::string("cannot wait for the workers: ") + std::strerror(errno));
    }
    for (KWorker& worker : workers) {
      const auto it =
          std::find_if(polled.begin(), polled.end(), [&](const pollfd& p) { return p.fd == worker.fd; });
      if (it == polled.end() || it->revents == 0) continue;
      char block[1 << 16];
      const ssize_t got = read(worker.fd, block, sizeof block);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) {
        close(worker.fd);
        worker.fd = -1;
        continue;
      }
      worker.buffer.append(block, static_cast<size_t>(got));
      TakeFrames(worker, result, received);
    }
  }
}

// A worker that ended without its end frame (killed, crashed in the module) leaves its files unchecked.
void Reap(std::vector<KWorker>& workers, const std::vector<size_t>& owner,
          const std::vector<std::string>& paths, HRunResult& result) {
  for (size_t i = 0; i < workers.size(); ++i) {
    int status = 0;
    while (waitpid(workers[i].pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (workers[i].ended && WIFEXITED(status) && WEXITSTATUS(status) == 0) continue;
    const std::string why = WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status))
                                                : "exit status " + std::to_string(WEXITSTATUS(status));
    result.errors.push_back({"", 0, "a worker process ended abnormally (" + why + ")"});
    for (size_t file = 0; file < owner.size(); ++file) {
      if (owner[file] != i || !result.files[file].path.empty()) continue;
      result.files[file].path = paths[file];
      result.files[file].error =
          HInputError{paths[file], 0, "not checked: its worker process ended abnormally"};
    }
  }
}

}  // namespace

HRunResult HWorkerPool::Run(size_t workers, const std::vector<std::string>& paths, const Work& work,
                            const Done& received) {
  workers = std::max<size_t>(1, std::min(workers, paths.size()));
  const std::vector<size_t> owner = Share(paths, workers);
  HRunResult result;
  result.files.resize(paths.size());
  std::vector<KWorker> pool(workers);
  for (size_t i = 0; i < workers; ++i) {
    int ends[2];
    if (pipe(ends) != 0) throw HError(std::string("cannot start a worker: ") + std::strerror(errno));
    const pid_t pid = fork();
    if (pid == 0) {
      close(ends[0]);
      for (size_t k = 0; k < i; ++k) close(pool[k].fd);
      RunWorker(ends[1], i, owner, work);
    }
    close(ends[1]);
    if (pid < 0) {
      close(ends[0]);
      throw HError(std::string("cannot start a worker: ") + std::strerror(errno));
    }
    pool[i].pid = pid;
    pool[i].fd = ends[0];
  }
  Gather(pool, result, received);
  Reap(pool, owner, paths, result);
  return result;
}
