#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "platform/status.h"

namespace orvex {

// Predefined root keys, as the registry numbers them.
constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;

// Registry value types the reader tells apart.
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

// Status codes of the backends: 0 is success, anything else a failure.
constexpr long kRegistryOk = 0;
constexpr long kRegistryNotFound = 2;    // ERROR_FILE_NOT_FOUND
constexpr long kRegistryMoreData = 234;  // ERROR_MORE_DATA

// What RegistryGetKeyValue hands back: no value, a text (8-bit, ANSI code page) or
// a signed 32-bit integer. A default is passed and returned as one of these too.
struct NoValue {
    bool operator==(const NoValue&) const { return true; }
};
using RegistryValue = std::variant<NoValue, std::string, std::int32_t>;

// What RegistryGetKeyValue found, and the message titled "RegistryGetKeyValue" the
// user must see after a trapped failure.
struct RegistryRead {
    RegistryValue value;
    std::optional<UserMessage> report;
};

// The text form used by start-up: no value -> "", an integer -> its decimal digits.
std::string RegistryValueToText(const RegistryValue& value);

// The few registry calls the reader is built on, in their ANSI forms. Each returns
// kRegistryOk or an error code; the reader only looks at zero against non-zero.
class RegistryBackend {
  public:
    using KeyHandle = std::uintptr_t;

    virtual ~RegistryBackend() = default;

    // Opens `keyPath` below the predefined `root` for reading.
    virtual long openKey(std::uint32_t root, const std::string& keyPath, KeyHandle& key) = 0;
    // The type and the size in bytes of the value's data (a string's size counts its
    // terminating NUL).
    virtual long queryValueInfo(KeyHandle key, const std::string& valueName, std::uint32_t& type,
                                std::uint32_t& size) = 0;
    // Copies the value's data into `data`, which holds `size` bytes, and sets `size`
    // to the number of bytes written. Fails (kRegistryMoreData) when the data does
    // not fit; `data` may be null only when `size` is 0.
    virtual long queryValueData(KeyHandle key, const std::string& valueName, std::uint32_t& type,
                                unsigned char* data, std::uint32_t& size) = 0;
    virtual long closeKey(KeyHandle key) = 0;
};

// Reads one value through `backend`:
// - REG_SZ: the text up to its first NUL; size 0 gives the empty text;
// - REG_BINARY: one character per byte;
// - REG_DWORD: the integer, read as signed;
// - a missing key or value, or any other type (REG_EXPAND_SZ, REG_MULTI_SZ, ...):
//   `defaultValue`;
// - a string or binary value whose data cannot be read after its size was known:
//   no value; a number value in that case: `defaultValue`.
// A failure thrown inside (exhausted memory, a backend that throws) gives no value
// and the report "Error: <number>. <description>" titled "RegistryGetKeyValue".
// Numbers: 7 "Out of memory" for exhausted memory, the code and message of a
// std::system_error, otherwise 51 with the exception's text ("Internal error" when
// it has none).
RegistryRead RegistryGetKeyValue(RegistryBackend& backend, std::uint32_t root,
                                 const std::string& keyPath, const std::string& valueName,
                                 const RegistryValue& defaultValue);

// The same over the machine's registry: on Windows the registry itself, 32-bit view
// first, then the 64-bit view; elsewhere the system.reg of the first Wine prefix
// (see wine_prefixes.h) that holds the value. With no registry at all the key
// counts as missing.
RegistryRead RegistryGetKeyValue(std::uint32_t root, const std::string& keyPath,
                                 const std::string& valueName, const RegistryValue& defaultValue);

// The backend RegistryGetKeyValue uses when none is given.
std::unique_ptr<RegistryBackend> MakeSystemRegistryBackend();

}  // namespace orvex
