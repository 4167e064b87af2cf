#include "registry.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace orvex {

namespace {

using KeyHandle = RegistryBackend::KeyHandle;

RegistryValue readString(RegistryBackend& backend, KeyHandle key, const std::string& valueName,
                         std::uint32_t size) {
    if (size == 0) {
        return std::string();
    }
    std::string text(size, '\0');
    std::uint32_t type = 0;
    std::uint32_t written = size;
    if (backend.queryValueData(key, valueName, type, reinterpret_cast<unsigned char*>(text.data()),
                               written) != 0) {
        return NoValue{};
    }
    text.resize(std::min<std::size_t>(text.find('\0'), std::min(written, size)));
    return text;
}

RegistryValue readBinary(RegistryBackend& backend, KeyHandle key, const std::string& valueName,
                         std::uint32_t size) {
    if (size == 0) {
        return std::string();
    }
    std::string bytes(size, '\0');
    std::uint32_t type = 0;
    std::uint32_t written = size;
    if (backend.queryValueData(key, valueName, type, reinterpret_cast<unsigned char*>(bytes.data()),
                               written) != 0) {
        return NoValue{};
    }
    bytes.resize(std::min(written, size));
    return bytes;
}

RegistryValue readDword(RegistryBackend& backend, KeyHandle key, const std::string& valueName,
                        const RegistryValue& defaultValue) {
    unsigned char bytes[4] = {};
    std::uint32_t type = 0;
    std::uint32_t written = sizeof bytes;
    if (backend.queryValueData(key, valueName, type, bytes, written) != 0) {
        return defaultValue;
    }
    const std::uint32_t raw = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                              (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(raw);
}

RegistryValue readValue(RegistryBackend& backend, KeyHandle key, const std::string& valueName,
                        const RegistryValue& defaultValue) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (backend.queryValueInfo(key, valueName, type, size) != 0) {
        return defaultValue;
    }
    switch (type) {
        case kRegSz:
            return readString(backend, key, valueName, size);
        case kRegBinary:
            return readBinary(backend, key, valueName, size);
        case kRegDword:
            return readDword(backend, key, valueName, defaultValue);
        default:
            return defaultValue;
    }
}

RegistryRead reportTrapped(long number, const std::string& description) {
    return {NoValue{}, UserMessage{"Error: " + std::to_string(number) + ". " + description,
                                   "RegistryGetKeyValue"}};
}

constexpr long kOutOfMemory = 7;
constexpr long kInternalError = 51;

}  // namespace

std::string RegistryValueToText(const RegistryValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return std::to_string(*number);
    }
    return {};
}

RegistryRead RegistryGetKeyValue(RegistryBackend& backend, std::uint32_t root,
                                 const std::string& keyPath, const std::string& valueName,
                                 const RegistryValue& defaultValue) {
    try {
        KeyHandle key = 0;
        if (backend.openKey(root, keyPath, key) != 0) {
            return {defaultValue, std::nullopt};
        }
        RegistryValue result;
        try {
            result = readValue(backend, key, valueName, defaultValue);
        } catch (...) {
            backend.closeKey(key);
            throw;
        }
        backend.closeKey(key);
        return {std::move(result), std::nullopt};
    } catch (const std::bad_alloc&) {
        return reportTrapped(kOutOfMemory, "Out of memory");
    } catch (const std::length_error&) {
        return reportTrapped(kOutOfMemory, "Out of memory");
    } catch (const std::system_error& error) {
        return reportTrapped(error.code().value(), error.code().message());
    } catch (const std::exception& error) {
        const std::string what = error.what();
        return reportTrapped(kInternalError, what.empty() ? "Internal error" : what);
    } catch (...) {
        return reportTrapped(kInternalError, "Internal error");
    }
}

RegistryRead RegistryGetKeyValue(std::uint32_t root, const std::string& keyPath,
                                 const std::string& valueName, const RegistryValue& defaultValue) {
    const auto backend = MakeSystemRegistryBackend();
    return RegistryGetKeyValue(*backend, root, keyPath, valueName, defaultValue);
}

}  // namespace orvex
