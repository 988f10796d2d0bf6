#pragma once
// The folder window's output as its runs make it: the lines of the current run, kept in the
// batches they came in (one string would need twice its size each time it grows, and a long run
// stays linear), and each file's result for saving the run.

#include <string>
#include <vector>

#include "jobs/folder_run.h"

namespace tessik {

class FolderOutput {
  public:
    // The separator is the window's copy of the caller's setting, fixed for the window's life.
    explicit FolderOutput(std::u16string separator) : separator_(std::move(separator)) {}

    // A new run starts.
    void Clear();
    // The rows' lines, to go at the end of the field; they are kept with the others.
    const std::u16string& Add(std::vector<FolderLine> rows);
    // Every line of the run, for a field that must be set whole.
    std::u16string Whole() const;
    // Every file of the run that got its line, in the walk's order.
    const std::vector<FolderResult>& Results() const { return results_; }

  private:
    const std::u16string separator_;
    std::vector<std::u16string> batches_;
    std::vector<FolderResult> results_;
};

}  // namespace tessik
