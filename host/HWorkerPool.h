// Worker processes that check a share of the files each, with their own copy of the loaded module (the
// module is single-threaded: one thread calls it), and send every file's result to the parent, which puts
// the results back in file order: the report is the same whatever the number of workers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "HRunResult.h"

class HWorkerPool {
 public:
  // Whether the file with this number is the process's to check.
  using Take = std::function<bool(size_t)>;
  // A file checked, with its number.
  using Done = std::function<void(size_t, const HFileResult&)>;
  // What a worker's check is given: every file's result goes to done; a file's violations gathered so far
  // may go ahead to piece, which the check then clears, so that a large file's do not gather in memory.
  struct Calls {
    Take take;
    Done done;
    Done piece;
  };
  // The check of one share in a worker; returns what the run found outside any file (its files are not
  // looked at).
  using Work = std::function<HRunResult(const Calls&)>;

  // Shares the files (in file order) over at most `workers` processes, each largest file to
  // the least loaded worker, and runs the work in each. `received` hears of each file as it arrives. What
  // the workers found outside files follows in worker order, each error and warning once.
  static HRunResult Run(size_t workers, const std::vector<std::string>& paths, const Work& work,
                        const Done& received);
};
