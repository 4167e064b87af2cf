#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <variant>

#include "install/registry.h"

namespace orvex {

// Sets (or, given null, unsets) one environment variable and puts the old state
// back when it goes, so that tests can move HOME and WINEPREFIX safely.
class ScopedEnvironmentVariable {
  public:
    ScopedEnvironmentVariable(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        apply(value);
    }
    ~ScopedEnvironmentVariable() { apply(m_old ? m_old->c_str() : nullptr); }
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

  private:
    void apply(const char* value) const {
#ifdef _WIN32
        _putenv_s(m_name.c_str(), value != nullptr ? value : "");
#else
        if (value != nullptr) {
            ::setenv(m_name.c_str(), value, 1);
        } else {
            ::unsetenv(m_name.c_str());
        }
#endif
    }

    std::string m_name;
    std::optional<std::string> m_old;
};

// A registry result as text, so that a failed comparison shows both sides.
inline std::string describe(const RegistryValue& value) {
    if (std::holds_alternative<NoValue>(value)) {
        return "<no value>";
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return "int " + std::to_string(*number);
    }
    return "text [" + std::get<std::string>(value) + "]";
}

}  // namespace orvex
