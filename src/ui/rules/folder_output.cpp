#include "ui/rules/folder_output.h"

namespace tessik {

void FolderOutput::Clear() {
    batches_.clear();
    results_.clear();
}

const std::u16string& FolderOutput::Add(std::vector<FolderLine> rows) {
    static const std::u16string kNone;
    if (rows.empty()) return kNone;
    std::u16string& lines = batches_.emplace_back();
    for (FolderLine& row : rows) {
        lines += FolderLineText(row, separator_);
        results_.push_back(std::move(row.result));
    }
    return lines;
}

std::u16string FolderOutput::Whole() const {
    std::size_t length = 0;
    for (const std::u16string& batch : batches_) length += batch.size();
    std::u16string whole;
    whole.reserve(length);
    for (const std::u16string& batch : batches_) whole += batch;
    return whole;
}

}  // namespace tessik
