#include "platform/file_system.h"

#include "platform/file_io.h"

namespace orvex {

namespace {

class HostFiles : public FileSystem {
  public:
    FileRead readFile(const std::string& hostPath, std::uint64_t /*largest*/) override {
        FileReadResult read = ReadFileBytes(hostPath);
        FileRead result;
        result.kind = read.status == FileReadResult::Status::Ok         ? FileRead::Kind::Ok
                      : read.status == FileReadResult::Status::NotFound ? FileRead::Kind::NotFound
                                                                        : FileRead::Kind::Failed;
        result.bytes = std::move(read.bytes);
        result.reason = std::move(read.reason);
        return result;
    }
    Status replaceFile(const std::string& hostPath, std::string_view bytes) override {
        const FileWriteResult written = ReplaceFileBytes(hostPath, bytes);
        return written.ok ? Status::Success() : Status::Failure(written.reason);
    }
};

}  // namespace

FileSystem& HostFileSystem() {
    static HostFiles files;
    return files;
}

}  // namespace orvex
