#pragma once

#include <string>

#include "colour/colour_slots.h"

namespace orvex::test {

// A file list with one entry, selected, in `folder`.
class OneFileList : public FileListView {
  public:
    explicit OneFileList(std::string entryName) : entry(std::move(entryName)) {}
    std::string folder;
    std::string entry;
    std::string Path() const override { return folder; }
    int ListIndex() const override { return 0; }
    int ListCount() const override { return 1; }
    std::string List(int) const override { return entry; }
};

// The section of colour slot `slot`: "VECTOR3-000" .. "VECTOR3-023".
inline std::string slotSection(int slot) {
    const std::string digits = "00" + std::to_string(slot);
    return "VECTOR3-" + digits.substr(digits.size() - 3);
}

}  // namespace orvex::test
