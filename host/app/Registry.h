#pragma once
// Persisted settings (colours, export settings). CRegistry's static calls go to
// the installed host's CRegistryStore: typed values (string, 32-bit number,
// binary) under (key type, key, value name), names compared without case as the
// system registry does. The store can be read from and written to an INI file:
// one "[key]" section per key ("[key@N]" for key type N other than 0) with lines
// value=data, data being "text" (quoted, \-escaped), dword:0000ff00 or
// hex:0a,1b; an unquoted data text is read as a plain string.

#include "platform/String.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class CRegistryStore {
public:
    enum EType { REG_STRING, REG_DWORD, REG_BINARY };

    bool GetString(int keyType, const CString& key, const CString& value, CString& data) const;
    bool GetDword(int keyType, const CString& key, const CString& value, std::uint32_t& data) const;
    bool GetBinary(int keyType, const CString& key, const CString& value, std::vector<std::uint8_t>& data) const;
    void SetString(int keyType, const CString& key, const CString& value, const CString& data);
    void SetDword(int keyType, const CString& key, const CString& value, std::uint32_t data);
    void SetBinary(int keyType, const CString& key, const CString& value, const std::vector<std::uint8_t>& data);
    bool Remove(int keyType, const CString& key, const CString& value);
    bool Exists(int keyType, const CString& key, const CString& value) const;
    void Clear() { m_sections.clear(); }

    std::string ToIni() const;
    // Merges the INI text into the store; false (store unchanged) on a malformed line.
    bool FromIni(const std::string& text);
    bool LoadIni(const CString& path);
    bool SaveIni(const CString& path) const;

private:
    struct SEntry {
        EType eType = REG_STRING;
        CString sText;
        std::uint32_t dwValue = 0;
        std::vector<std::uint8_t> aBytes;
    };
    struct SNoCase {
        bool operator()(const std::wstring& a, const std::wstring& b) const;
    };
    using Section = std::map<std::wstring, SEntry, SNoCase>;

    const SEntry* Find(int keyType, const CString& key, const CString& value) const;
    void Store(int keyType, const CString& key, const CString& value, SEntry entry);

    std::map<std::wstring, Section, SNoCase> m_sections;
};

class CRegistry {
public:
    static CString GetRegistryValue(int keyType, const CString& key, const CString& value, const wchar_t* def);
    static std::uint32_t GetRegistryValue(int keyType, const CString& key, const CString& value, std::uint32_t def);
    static int GetRegistryValue(int keyType, const CString& key, const CString& value, int def);
    // Binary: false (data emptied) when the value is missing or not binary.
    static bool GetRegistryValue(int keyType, const CString& key, const CString& value,
                                 std::vector<std::uint8_t>& data);

    // False when no host (hence no store) is installed.
    static bool SetRegistryValue(int keyType, const CString& key, const CString& value, const wchar_t* data);
    static bool SetRegistryValue(int keyType, const CString& key, const CString& value, std::uint32_t data);
    static bool SetRegistryValue(int keyType, const CString& key, const CString& value, int data);
    static bool SetRegistryValue(int keyType, const CString& key, const CString& value,
                                 const std::vector<std::uint8_t>& data);
};
