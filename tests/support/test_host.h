#pragma once

#include "form/form1_controller.h"
#include "platform/system_file_system.h"

namespace orvex::test {

// The machine as the controller's tests see it: the real file system (or one a test
// passes in) without a Wine prefix, and a registry that tells `found`.
class TestHost : public Host {
  public:
    TestHost() : m_files(&m_system) {}
    explicit TestHost(FileSystem& files) : m_files(&files) {}

    FileSystem& files() override { return *m_files; }
    InstallFound findInstall() override { return found; }

    InstallFound found;

  private:
    SystemFileSystem m_system;
    FileSystem* m_files;
};

// Collects the messages a window would show.
class ShownMessages {
  public:
    void add(const UserMessages& shown) {
        m_messages.insert(m_messages.end(), shown.begin(), shown.end());
    }
    const UserMessages& messages() const { return m_messages; }
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const UserMessage& message : m_messages) {
            all.push_back(message.text);
        }
        return all;
    }
    void clear() { m_messages.clear(); }

  private:
    UserMessages m_messages;
};

}  // namespace orvex::test
