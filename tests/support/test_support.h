#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "colour/colour_slots.h"
#include "options_files.h"

namespace orvex::test {

// A fresh folder under the system's temporary folder, removed with everything in
// it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The host path of `name` inside the folder, as text.
    std::string file(const std::string& name) const;

  private:
    std::filesystem::path m_path;
};

// Byte-exact file access for fixtures and checks.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// A file list of `entries` in `folder` with entry `index` selected.
class FakeFileList : public FileListView {
  public:
    explicit FakeFileList(std::string entry = "player7_options.ini") : entries{std::move(entry)} {}

    std::string folder;
    int index = 0;
    std::vector<std::string> entries;

    std::string Path() const override { return folder; }
    int ListIndex() const override { return index; }
    int ListCount() const override { return static_cast<int>(entries.size()); }
    std::string List(int at) const override { return entries.at(static_cast<std::size_t>(at)); }
};

// Collects what the core's operations told the user, as a window would show it.
class MessageLog {
  public:
    // Appends `told`; true when it is exactly the confirmation of a save.
    bool record(const UserMessages& told) {
        m_messages.insert(m_messages.end(), told.begin(), told.end());
        return told.size() == 1 && told[0].text == "INI file saved";
    }
    const UserMessages& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }

  private:
    UserMessages m_messages;
};

// What every slot-table test starts from: a fresh folder, a file list with the one
// entry `entry` selected in it, and the log of what the table told the user.
class SlotTableScene {
  public:
    explicit SlotTableScene(const std::string& entry) : list(entry) {
        list.folder = dir.path().string();
    }

    std::filesystem::path file() const { return dir.path() / list.entries.front(); }
    // OptionValue of `slot` as a read returns it now, "missing" when the file has none.
    std::string value(int slot) const;

    TempDir dir;
    FakeFileList list;
    MessageLog messages;
};

// `path` with "\" for "/", as the system writes host paths where Windows paths
// are expected.
std::string WindowsForm(const std::filesystem::path& path);

// The folder of committed fixture files (tests/data).
std::filesystem::path DataDir();

}  // namespace orvex::test
