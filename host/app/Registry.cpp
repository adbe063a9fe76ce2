#include "host/app/Registry.h"

#include "host/app/AppServices.h"

#include <cstdio>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::wstring SectionName(int keyType, const CString& key)
{
    if (keyType == 0) return key.str();
    return key.str() + L"@" + std::to_wstring(keyType);
}

std::string Trim(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    const size_t last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

std::string QuoteText(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out + "\"";
}

bool UnquoteText(const std::string& quoted, std::string& text)
{
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return false;
    text.clear();
    for (size_t i = 1; i + 1 < quoted.size(); ++i) {
        char c = quoted[i];
        if (c == '\\') {
            if (i + 2 >= quoted.size()) return false;
            switch (quoted[++i]) {
            case 'n': c = '\n'; break;
            case 'r': c = '\r'; break;
            case 't': c = '\t'; break;
            case '\\': c = '\\'; break;
            case '"': c = '"'; break;
            default: return false;
            }
        }
        text += c;
    }
    return true;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseDword(const std::string& digits, std::uint32_t& value)
{
    if (digits.empty() || digits.size() > 8) return false;
    value = 0;
    for (char c : digits) {
        const int d = HexDigit(c);
        if (d < 0) return false;
        value = (value << 4) | static_cast<std::uint32_t>(d);
    }
    return true;
}

bool ParseBytes(const std::string& list, std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    if (list.empty()) return true;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        item = Trim(item);
        if (item.size() != 2 || HexDigit(item[0]) < 0 || HexDigit(item[1]) < 0) return false;
        bytes.push_back(static_cast<std::uint8_t>(HexDigit(item[0]) * 16 + HexDigit(item[1])));
    }
    return true;
}

CRegistryStore* HostRegistry()
{
    IAppServices* host = GetAppServices();
    return host ? host->GetRegistry() : nullptr;
}

} // namespace

bool CRegistryStore::SNoCase::operator()(const std::wstring& a, const std::wstring& b) const
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const wint_t ca = std::towlower(static_cast<wint_t>(a[i]));
        const wint_t cb = std::towlower(static_cast<wint_t>(b[i]));
        if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
}

const CRegistryStore::SEntry* CRegistryStore::Find(int keyType, const CString& key, const CString& value) const
{
    const auto section = m_sections.find(SectionName(keyType, key));
    if (section == m_sections.end()) return nullptr;
    const auto entry = section->second.find(value.str());
    return entry == section->second.end() ? nullptr : &entry->second;
}

void CRegistryStore::Store(int keyType, const CString& key, const CString& value, SEntry entry)
{
    m_sections[SectionName(keyType, key)][value.str()] = std::move(entry);
}

bool CRegistryStore::GetString(int keyType, const CString& key, const CString& value, CString& data) const
{
    const SEntry* entry = Find(keyType, key, value);
    if (!entry || entry->eType != REG_STRING) return false;
    data = entry->sText;
    return true;
}

bool CRegistryStore::GetDword(int keyType, const CString& key, const CString& value, std::uint32_t& data) const
{
    const SEntry* entry = Find(keyType, key, value);
    if (!entry || entry->eType != REG_DWORD) return false;
    data = entry->dwValue;
    return true;
}

bool CRegistryStore::GetBinary(int keyType, const CString& key, const CString& value,
                               std::vector<std::uint8_t>& data) const
{
    const SEntry* entry = Find(keyType, key, value);
    if (!entry || entry->eType != REG_BINARY) return false;
    data = entry->aBytes;
    return true;
}

void CRegistryStore::SetString(int keyType, const CString& key, const CString& value, const CString& data)
{
    SEntry entry;
    entry.eType = REG_STRING;
    entry.sText = data;
    Store(keyType, key, value, std::move(entry));
}

void CRegistryStore::SetDword(int keyType, const CString& key, const CString& value, std::uint32_t data)
{
    SEntry entry;
    entry.eType = REG_DWORD;
    entry.dwValue = data;
    Store(keyType, key, value, std::move(entry));
}

void CRegistryStore::SetBinary(int keyType, const CString& key, const CString& value,
                               const std::vector<std::uint8_t>& data)
{
    SEntry entry;
    entry.eType = REG_BINARY;
    entry.aBytes = data;
    Store(keyType, key, value, std::move(entry));
}

bool CRegistryStore::Remove(int keyType, const CString& key, const CString& value)
{
    const auto section = m_sections.find(SectionName(keyType, key));
    if (section == m_sections.end()) return false;
    return section->second.erase(value.str()) > 0;
}

bool CRegistryStore::Exists(int keyType, const CString& key, const CString& value) const
{
    return Find(keyType, key, value) != nullptr;
}

std::string CRegistryStore::ToIni() const
{
    std::string out;
    for (const auto& [sectionName, section] : m_sections) {
        if (section.empty()) continue;
        out += "[" + CString(sectionName).ToUtf8() + "]\n";
        for (const auto& [name, entry] : section) {
            out += CString(name).ToUtf8() + "=";
            switch (entry.eType) {
            case REG_STRING: out += QuoteText(entry.sText.ToUtf8()); break;
            case REG_DWORD: out += FormatNarrow("dword:%08x", entry.dwValue); break;
            case REG_BINARY: {
                out += "hex:";
                for (size_t i = 0; i < entry.aBytes.size(); ++i) {
                    out += FormatNarrow(i ? ",%02x" : "%02x", entry.aBytes[i]);
                }
                break;
            }
            }
            out += "\n";
        }
        out += "\n";
    }
    return out;
}

bool CRegistryStore::FromIni(const std::string& text)
{
    // Parse into a copy so that a malformed file leaves the store as it was.
    std::map<std::wstring, Section, SNoCase> sections = m_sections;
    Section* current = nullptr;
    std::stringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3) return false;
            current = &sections[CString::FromUtf8(line.substr(1, line.size() - 2)).str()];
            continue;
        }
        const size_t equals = line.find('=');
        if (!current || equals == std::string::npos || equals == 0) return false;
        const std::wstring name = CString::FromUtf8(Trim(line.substr(0, equals))).str();
        const std::string data = Trim(line.substr(equals + 1));
        SEntry entry;
        std::string plain;
        if (data.rfind("dword:", 0) == 0) {
            entry.eType = REG_DWORD;
            if (!ParseDword(data.substr(6), entry.dwValue)) return false;
        } else if (data.rfind("hex:", 0) == 0) {
            entry.eType = REG_BINARY;
            if (!ParseBytes(data.substr(4), entry.aBytes)) return false;
        } else if (!data.empty() && data.front() == '"') {
            if (!UnquoteText(data, plain)) return false;
            entry.sText = CString::FromUtf8(plain);
        } else {
            entry.sText = CString::FromUtf8(data);
        }
        (*current)[name] = std::move(entry);
    }
    m_sections = std::move(sections);
    return true;
}

bool CRegistryStore::LoadIni(const CString& path)
{
    std::ifstream file(std::filesystem::path(path.str()), std::ios::binary);
    if (!file) return false;
    std::stringstream buffer;
    buffer << file.rdbuf();
    return FromIni(buffer.str());
}

bool CRegistryStore::SaveIni(const CString& path) const
{
    std::ofstream file(std::filesystem::path(path.str()), std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file << ToIni();
    return static_cast<bool>(file.flush());
}

CString CRegistry::GetRegistryValue(int keyType, const CString& key, const CString& value, const wchar_t* def)
{
    CString data;
    const CRegistryStore* store = HostRegistry();
    if (store && store->GetString(keyType, key, value, data)) return data;
    return CString(def);
}

std::uint32_t CRegistry::GetRegistryValue(int keyType, const CString& key, const CString& value, std::uint32_t def)
{
    std::uint32_t data = 0;
    const CRegistryStore* store = HostRegistry();
    return store && store->GetDword(keyType, key, value, data) ? data : def;
}

int CRegistry::GetRegistryValue(int keyType, const CString& key, const CString& value, int def)
{
    return static_cast<int>(GetRegistryValue(keyType, key, value, static_cast<std::uint32_t>(def)));
}

bool CRegistry::GetRegistryValue(int keyType, const CString& key, const CString& value,
                                 std::vector<std::uint8_t>& data)
{
    const CRegistryStore* store = HostRegistry();
    if (store && store->GetBinary(keyType, key, value, data)) return true;
    data.clear();
    return false;
}

bool CRegistry::SetRegistryValue(int keyType, const CString& key, const CString& value, const wchar_t* data)
{
    CRegistryStore* store = HostRegistry();
    if (!store) return false;
    store->SetString(keyType, key, value, CString(data));
    return true;
}

bool CRegistry::SetRegistryValue(int keyType, const CString& key, const CString& value, std::uint32_t data)
{
    CRegistryStore* store = HostRegistry();
    if (!store) return false;
    store->SetDword(keyType, key, value, data);
    return true;
}

bool CRegistry::SetRegistryValue(int keyType, const CString& key, const CString& value, int data)
{
    return SetRegistryValue(keyType, key, value, static_cast<std::uint32_t>(data));
}

bool CRegistry::SetRegistryValue(int keyType, const CString& key, const CString& value,
                                 const std::vector<std::uint8_t>& data)
{
    CRegistryStore* store = HostRegistry();
    if (!store) return false;
    store->SetBinary(keyType, key, value, data);
    return true;
}
