#include <windows.h>

#include <map>
#include <vector>

#include "registry.h"

namespace orvex {

namespace {

// The registry itself. A key is opened in both views; a value is taken from the
// 32-bit view (where a 32-bit installer on 64-bit Windows registers) when it has
// it, else from the 64-bit view.
class Win32RegistryBackend : public RegistryBackend {
  public:
    ~Win32RegistryBackend() override {
        for (const auto& entry : m_openKeys) {
            closeViews(entry.second);
        }
    }

    long openKey(std::uint32_t root, const std::string& keyPath, KeyHandle& key) override {
        // Predefined keys are 32-bit values, sign-extended into a handle.
        const HKEY rootKey =
            reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
        std::vector<HKEY> views;
        LONG status = ERROR_FILE_NOT_FOUND;
        for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
            HKEY opened = nullptr;
            status = RegOpenKeyExA(rootKey, keyPath.c_str(), 0, KEY_READ | view, &opened);
            if (status == ERROR_SUCCESS) {
                views.push_back(opened);
            }
        }
        if (views.empty()) {
            return status;
        }
        key = m_nextHandle++;
        m_openKeys.emplace(key, std::move(views));
        return ERROR_SUCCESS;
    }

    long queryValueInfo(KeyHandle key, const std::string& valueName, std::uint32_t& type,
                        std::uint32_t& size) override {
        LONG status = ERROR_INVALID_HANDLE;
        for (const HKEY view : viewsOf(key)) {
            DWORD valueType = 0;
            DWORD valueSize = 0;
            status =
                RegQueryValueExA(view, valueName.c_str(), nullptr, &valueType, nullptr, &valueSize);
            if (status == ERROR_SUCCESS) {
                type = valueType;
                size = valueSize;
                return status;
            }
        }
        return status;
    }

    long queryValueData(KeyHandle key, const std::string& valueName, std::uint32_t& type,
                        unsigned char* data, std::uint32_t& size) override {
        LONG status = ERROR_INVALID_HANDLE;
        for (const HKEY view : viewsOf(key)) {
            DWORD valueType = 0;
            DWORD valueSize = size;
            status =
                RegQueryValueExA(view, valueName.c_str(), nullptr, &valueType, data, &valueSize);
            if (status != ERROR_FILE_NOT_FOUND) {
                type = valueType;
                size = valueSize;
                return status;
            }
        }
        return status;
    }

    long closeKey(KeyHandle key) override {
        const auto open = m_openKeys.find(key);
        if (open == m_openKeys.end()) {
            return ERROR_INVALID_HANDLE;
        }
        closeViews(open->second);
        m_openKeys.erase(open);
        return ERROR_SUCCESS;
    }

  private:
    static void closeViews(const std::vector<HKEY>& views) {
        for (const HKEY view : views) {
            RegCloseKey(view);
        }
    }

    const std::vector<HKEY>& viewsOf(KeyHandle key) const {
        static const std::vector<HKEY> none;
        const auto open = m_openKeys.find(key);
        return open == m_openKeys.end() ? none : open->second;
    }

    std::map<KeyHandle, std::vector<HKEY>> m_openKeys;
    KeyHandle m_nextHandle = 1;
};

}  // namespace

std::unique_ptr<RegistryBackend> MakeSystemRegistryBackend() {
    return std::make_unique<Win32RegistryBackend>();
}

}  // namespace orvex
