#include "ConfigStore.h"
#include <cstring>

namespace {

class RegKey {
public:
    RegKey() = default;
    ~RegKey() { if (m_hKey) RegCloseKey(m_hKey); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    HKEY* Receive() { return &m_hKey; }
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

// Opens the key as writing needs it, creating it when missing.
bool CreateKey(HKEY root, const std::string& subkey, RegKey& key)
{
    return RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                           key.Receive(), nullptr) == ERROR_SUCCESS;
}

size_t CharLength(const char* p) { return (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) ? 2 : 1; }

// Case-sensitive, stepping one character at a time so that a match never
// begins on the trail byte of a double-byte character.
bool ContainsCurrentRecordName(const char* name)
{
    const size_t length = std::strlen(ConfigStore::kCurrentRecord);
    for (const char* p = name; *p; p += CharLength(p)) {
        if (std::strncmp(p, ConfigStore::kCurrentRecord, length) == 0)
            return true;
    }
    return false;
}

// A value name as the registry compares it. Not lstrcmpiA, which compares as
// the locale sorts and calls some distinct names equal (Wi-Fi and Wi﹣Fi).
std::vector<WCHAR> UpperCasedWide(const std::string& name)
{
    int length = MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    std::vector<WCHAR> wide(static_cast<size_t>(length));
    if (length > 0) {
        MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), wide.data(), length);
        CharUpperBuffW(wide.data(), static_cast<DWORD>(length));
    }
    return wide;
}

}  // namespace

bool ConfigStore::IsSameName(const std::string& a, const std::string& b)
{
    return a == b || UpperCasedWide(a) == UpperCasedWide(b);
}

bool ConfigStore::IsReservedName(const std::string& name)
{
    return lstrcmpiA(name.c_str(), kCurrentRecord) == 0 || ContainsCurrentRecordName(name.c_str());
}

std::string ConfigStore::FitToWrite(const std::string& text)
{
    size_t end = 0;
    while (end < text.size()) {
        size_t next = end + CharLength(text.c_str() + end);
        if (next > kMaxData)
            break;
        end = next;
    }
    return text.substr(0, end);
}

ConfigStore::ConfigStore(HKEY root, std::string subkey) : m_root(root), m_subkey(std::move(subkey)) {}

bool ConfigStore::Write(const std::string& data, const std::string& name) const
{
    if (data.size() > kMaxData)
        return false;

    RegKey key;
    if (!CreateKey(m_root, m_subkey, key))
        return false;

    Buffer staged = {};
    std::memcpy(staged, data.data(), data.size());
    return RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(staged),
                          static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

bool ConfigStore::Read(Buffer& dest, const std::string& name) const
{
    RegKey key;
    if (RegOpenKeyExA(m_root, m_subkey.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS)
        return false;

    Buffer local = {};
    DWORD type = 0;
    DWORD size = kBufferSize;
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(local), &size) !=
        ERROR_SUCCESS)
        return false;

    // A value of 256 bytes without its own terminator still reads as text.
    local[kBufferSize - 1] = '\0';
    std::strncpy(dest, local, size + 1 < kBufferSize ? size + 1 : kBufferSize);
    return true;
}

bool ConfigStore::Delete(const std::string& name) const
{
    RegKey key;
    if (RegOpenKeyExA(m_root, m_subkey.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS)
        return false;
    return RegDeleteValueA(key.Get(), name.c_str()) == ERROR_SUCCESS;
}

bool ConfigStore::Has(const std::string& name) const
{
    RegKey key;
    if (RegOpenKeyExA(m_root, m_subkey.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS)
        return false;
    return RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool ConfigStore::CanWrite() const
{
    RegKey key;
    return CreateKey(m_root, m_subkey, key);
}

bool ConfigStore::List(std::vector<std::string>& names) const
{
    RegKey key;
    if (RegOpenKeyExA(m_root, m_subkey.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS)
        return false;

    for (DWORD index = 0;; ++index) {
        Buffer name = {};
        DWORD length = kBufferSize;
        LONG status = RegEnumValueA(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA)
            continue;  // a name too long for the buffer: skip it, list the rest
        if (status != ERROR_SUCCESS)
            break;
        if (!ContainsCurrentRecordName(name))
            names.push_back(name);
    }
    return true;
}
