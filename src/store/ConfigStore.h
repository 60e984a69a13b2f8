// The saved configurations and the current record: string values under one
// registry key, each operation opening and closing the key.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class ConfigStore {
public:
    static constexpr size_t kBufferSize = 256;
    using Buffer = char[kBufferSize];
    // The longest data Write takes, in bytes.
    static constexpr size_t kMaxData = kBufferSize - 1;

    // The name of the value holding the configuration applied last.
    static constexpr const char* kCurrentRecord = "curnet";

    explicit ConfigStore(HKEY root = HKEY_LOCAL_MACHINE, std::string subkey = "SOFTWARE\\Dravenholt\\Pelorin");

    // Refuses data longer than kMaxData, writing nothing.
    bool Write(const std::string& data, const std::string& name) const;
    // Changes dest only when the value was read.
    bool Read(Buffer& dest, const std::string& name) const;
    bool Delete(const std::string& name) const;
    // Whether a value of that name is stored, whatever its length.
    bool Has(const std::string& name) const;
    // Whether Write could open the key, creating it when missing.
    bool CanWrite() const;
    // The names to list: every value's but those containing "curnet".
    bool List(std::vector<std::string>& names) const;

    // Whether the registry takes a and b for one value name: the same bytes, or
    // the same UTF-16 text upper-cased, compared unit by unit.
    static bool IsSameName(const std::string& a, const std::string& b);
    // A name that would overwrite the current record, or never be listed.
    static bool IsReservedName(const std::string& name);
    // The longest leading part of text that Write takes, never cutting a
    // double-byte character in two.
    static std::string FitToWrite(const std::string& text);

private:
    HKEY m_root;
    std::string m_subkey;
};
