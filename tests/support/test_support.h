#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/messages.h"

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

// Records every message shown while it lives instead of showing it.
class MessageRecorder {
  public:
    struct Message {
        std::string text;
        std::string title;
    };

    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<Message>& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }

  private:
    std::vector<Message> m_messages;
    MessageHandler m_previous;
};

// Byte-exact file access for fixtures and checks.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// The folder of committed fixture files (tests/data).
std::filesystem::path DataDir();

}  // namespace orvex::test
