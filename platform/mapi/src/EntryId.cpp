#include "EntryId.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <random>

namespace pollenta::mapi {

namespace {

constexpr MAPIUID kStoreProvider = {{0x50, 0x4F, 0x4C, 0x4C, 0x45, 0x4E, 0x54, 0x41, 0x2D, 0x53, 0x54, 0x4F, 0x52, 0x45, 0x00, 0x01}};
constexpr MAPIUID kBookProvider = {{0x50, 0x4F, 0x4C, 0x4C, 0x45, 0x4E, 0x54, 0x41, 0x2D, 0x41, 0x44, 0x52, 0x42, 0x4B, 0x00, 0x01}};
constexpr MAPIUID kStatusProvider = {{0x50, 0x4F, 0x4C, 0x4C, 0x45, 0x4E, 0x54, 0x41, 0x2D, 0x53, 0x54, 0x41, 0x54, 0x53, 0x00, 0x01}};
// The uid that marks one-off entry ids everywhere.
constexpr MAPIUID kOneOffUid = {{0x81, 0x2B, 0x1F, 0xA4, 0xBE, 0xA3, 0x10, 0x19, 0x9D, 0x6E, 0x00, 0xDD, 0x01, 0x0F, 0x54, 0x02}};
constexpr WORD kOneOffUnicode = 0x8000;

std::string Header(const MAPIUID& provider)
{
    std::string out(4, '\0');
    out.append(reinterpret_cast<const char*>(provider.ab), 16);
    return out;
}

void PutLe(std::string& out, ULONGLONG value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

ULONGLONG GetLe(const std::string& in, std::size_t pos, int bytes)
{
    ULONGLONG value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<ULONGLONG>(static_cast<BYTE>(in[pos + i])) << (8 * i);
    return value;
}

bool HasProvider(const std::string& bytes, const MAPIUID& provider)
{
    return bytes.size() >= 20 && std::memcmp(bytes.data() + 4, provider.ab, 16) == 0;
}

std::string WithIdentity(const MAPIUID& provider, const MAPIUID& owner, ULONG type, LONGLONG id)
{
    std::string out = Header(provider);
    out.append(reinterpret_cast<const char*>(owner.ab), 16);
    PutLe(out, type, 4);
    PutLe(out, static_cast<ULONGLONG>(id), 8);
    return out;
}

// Reads the NUL-terminated strings of a one-off id; false when one runs
// past the end.
bool ReadOneOffStrings(const std::string& bytes, std::size_t pos, bool unicode, std::string* out[3])
{
    for (int i = 0; i < 3; ++i) {
        if (!unicode) {
            std::size_t end = bytes.find('\0', pos);
            if (end == std::string::npos) return false;
            *out[i] = bytes.substr(pos, end - pos);
            pos = end + 1;
            continue;
        }
        std::u16string text;
        for (;; pos += 2) {
            if (pos + 2 > bytes.size()) return false;
            char16_t c = static_cast<char16_t>(GetLe(bytes, pos, 2));
            if (!c) break;
            text.push_back(c);
        }
        pos += 2;
        // Addresses in one-offs are plain ASCII in practice; anything wider
        // is kept as UTF-8.
        std::string narrow;
        for (char16_t c : text) {
            if (c < 0x80) narrow.push_back(static_cast<char>(c));
            else if (c < 0x800) {
                narrow.push_back(static_cast<char>(0xC0 | (c >> 6)));
                narrow.push_back(static_cast<char>(0x80 | (c & 0x3F)));
            } else {
                narrow.push_back(static_cast<char>(0xE0 | (c >> 12)));
                narrow.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
                narrow.push_back(static_cast<char>(0x80 | (c & 0x3F)));
            }
        }
        *out[i] = narrow;
    }
    return true;
}

}  // namespace

std::string CEntryId::ForStore(const MAPIUID& store)
{
    std::string out = Header(kStoreProvider);
    out.append(reinterpret_cast<const char*>(store.ab), 16);
    return out;
}

std::string CEntryId::ForObject(const MAPIUID& store, ULONG type, LONGLONG id)
{
    return WithIdentity(kStoreProvider, store, type, id);
}

std::string CEntryId::ForAddressEntry(const MAPIUID& book, ULONG type, LONGLONG id)
{
    return WithIdentity(kBookProvider, book, type, id);
}

std::string CEntryId::ForOneOff(const std::string& name, const std::string& addrType, const std::string& address)
{
    std::string out = Header(kOneOffUid);
    PutLe(out, 0, 2);
    PutLe(out, 0, 2);
    for (const std::string* text : {&name, &addrType, &address}) {
        out += *text;
        out.push_back('\0');
    }
    return out;
}

std::string CEntryId::ForStatus(ULONG resourceType)
{
    std::string out = Header(kStatusProvider);
    PutLe(out, resourceType, 4);
    return out;
}

CEntryId CEntryId::Parse(ULONG cb, const ENTRYID* eid)
{
    if (!eid || cb == 0) return {};
    return Parse(std::string(reinterpret_cast<const char*>(eid), cb));
}

CEntryId CEntryId::Parse(const std::string& bytes)
{
    CEntryId result;
    if (HasProvider(bytes, kStoreProvider) && (bytes.size() == 36 || bytes.size() == 48)) {
        std::memcpy(result.m_uid.ab, bytes.data() + 20, 16);
        if (bytes.size() == 36) {
            result.m_kind = Kind::Store;
        } else {
            result.m_kind = Kind::Object;
            result.m_type = static_cast<ULONG>(GetLe(bytes, 36, 4));
            result.m_id = static_cast<LONGLONG>(GetLe(bytes, 40, 8));
        }
    } else if (HasProvider(bytes, kBookProvider) && bytes.size() == 48) {
        result.m_kind = Kind::AddressEntry;
        std::memcpy(result.m_uid.ab, bytes.data() + 20, 16);
        result.m_type = static_cast<ULONG>(GetLe(bytes, 36, 4));
        result.m_id = static_cast<LONGLONG>(GetLe(bytes, 40, 8));
    } else if (HasProvider(bytes, kStatusProvider) && bytes.size() == 24) {
        result.m_kind = Kind::Status;
        result.m_type = static_cast<ULONG>(GetLe(bytes, 20, 4));
    } else if (HasProvider(bytes, kOneOffUid) && bytes.size() >= 24) {
        bool unicode = (GetLe(bytes, 22, 2) & kOneOffUnicode) != 0;
        std::string* fields[3] = {&result.m_name, &result.m_addrType, &result.m_address};
        if (ReadOneOffStrings(bytes, 24, unicode, fields)) {
            result.m_kind = Kind::OneOff;
            result.m_type = 6;  // MAPI_MAILUSER
        }
    }
    return result;
}

std::string SmtpSearchKey(const std::string& address)
{
    std::string key = "SMTP:" + address;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::toupper(c); });
    return key + '\0';
}

MAPIUID NewMapiUid()
{
    std::random_device device;
    MAPIUID uid;
    for (BYTE& b : uid.ab) b = static_cast<BYTE>(device());
    return uid;
}

bool operator==(const MAPIUID& a, const MAPIUID& b) { return std::memcmp(a.ab, b.ab, 16) == 0; }

}  // namespace pollenta::mapi
