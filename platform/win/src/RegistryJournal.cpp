#include "RegistryJournal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>

namespace {

constexpr std::string_view kMagic = "Pollenta registry journal 1 ";
constexpr char kRecordMark = 'R';
constexpr size_t kFrame = 9; // mark, length, checksum

uint32_t Crc32(std::string_view bytes)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> entries{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes)
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void PutNumber(std::string& out, uint32_t number)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((number >> shift) & 0xFF);
}

void PutText(std::string& out, std::string_view text)
{
    PutNumber(out, static_cast<uint32_t>(text.size()));
    out += text;
}

uint32_t NumberAt(std::string_view bytes, size_t at)
{
    uint32_t number = 0;
    for (int i = 3; i >= 0; --i)
        number = number << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return number;
}

// Reads the changes of one record whose checksum held; anything that does
// not fit is damage all the same.
class ChangeReader {
public:
    explicit ChangeReader(std::string_view bytes) : m_bytes(bytes) {}

    RegistryChanges Changes()
    {
        RegistryChanges changes(Number());
        for (RegistryChange& change : changes) {
            const uint32_t kind = Byte();
            if (kind < 1 || kind > 5)
                throw std::runtime_error("unknown change " + std::to_string(kind));
            change.kind = static_cast<RegistryChange::Kind>(kind);
            change.path.resize(Number());
            for (std::string& name : change.path)
                name = Text();
            change.value.name = Text();
            change.value.type = Number();
            const std::string data = Text();
            change.value.data.assign(data.begin(), data.end());
        }
        if (m_at != m_bytes.size())
            throw std::runtime_error("bytes after the last change");
        return changes;
    }

private:
    void Need(size_t count) const
    {
        if (m_bytes.size() - m_at < count)
            throw std::runtime_error("change cut short");
    }
    uint32_t Byte()
    {
        Need(1);
        return static_cast<unsigned char>(m_bytes[m_at++]);
    }
    uint32_t Number()
    {
        Need(4);
        const uint32_t number = NumberAt(m_bytes, m_at);
        m_at += 4;
        return number;
    }
    std::string Text()
    {
        const uint32_t size = Number();
        Need(size);
        std::string text(m_bytes.substr(m_at, size));
        m_at += size;
        return text;
    }

    std::string_view m_bytes;
    size_t m_at = 0;
};

bool AllZero(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == '\0'; });
}

} // namespace

RegistryJournal::FileIdentity RegistryJournal::FileIdentity::Of(const struct stat& status)
{
    auto nanoseconds = [](const timespec& time) { return int64_t(time.tv_sec) * 1'000'000'000 + time.tv_nsec; };
    return {true,
            static_cast<uint64_t>(status.st_dev),
            static_cast<uint64_t>(status.st_ino),
            static_cast<uint64_t>(status.st_size),
            nanoseconds(status.st_mtim),
            nanoseconds(status.st_ctim)};
}

std::string RegistryJournal::Header(const FileIdentity& file)
{
    std::string header(kMagic);
    for (int64_t field : {int64_t(file.present), int64_t(file.device), int64_t(file.inode), int64_t(file.size),
                          file.modified, file.changed})
        header += std::to_string(field) + ' ';
    header.back() = '\n';
    return header;
}

std::optional<RegistryJournal::FileIdentity> RegistryJournal::ReadHeader(std::string_view text, size_t& recordsStart)
{
    const size_t end = text.find('\n');
    if (!text.starts_with(kMagic) || end == std::string_view::npos)
        return std::nullopt;
    int64_t fields[6] = {};
    const char* at = text.data() + kMagic.size();
    const char* stop = text.data() + end;
    for (int64_t& field : fields) {
        auto [next, error] = std::from_chars(at, stop, field);
        if (error != std::errc())
            return std::nullopt;
        at = next < stop && *next == ' ' ? next + 1 : next;
    }
    if (at != stop)
        return std::nullopt;
    recordsStart = end + 1;
    return FileIdentity{fields[0] != 0,
                        static_cast<uint64_t>(fields[1]),
                        static_cast<uint64_t>(fields[2]),
                        static_cast<uint64_t>(fields[3]),
                        fields[4],
                        fields[5]};
}

std::string RegistryJournal::Record(const RegistryChanges& changes)
{
    std::string body;
    PutNumber(body, static_cast<uint32_t>(changes.size()));
    for (const RegistryChange& change : changes) {
        body += static_cast<char>(change.kind);
        PutNumber(body, static_cast<uint32_t>(change.path.size()));
        for (const std::string& name : change.path)
            PutText(body, name);
        PutText(body, change.value.name);
        PutNumber(body, change.value.type);
        PutText(body, std::string_view(reinterpret_cast<const char*>(change.value.data.data()), change.value.data.size()));
    }
    std::string record(1, kRecordMark);
    PutNumber(record, static_cast<uint32_t>(body.size()));
    PutNumber(record, Crc32(body));
    return record + body;
}

RegistryJournal::Records RegistryJournal::Read(std::string_view text, size_t from)
{
    Records read;
    read.end = from;
    auto damage = [&](size_t at, const std::string& what) {
        read.damaged = true;
        read.error = "record at byte " + std::to_string(at) + ": " + what;
        return read;
    };
    for (size_t at = from; at < text.size();) {
        const std::string_view rest = text.substr(at);
        // A writer that died may leave part of a record, or a tail the file
        // system extended but never filled: the journal ends before it.
        if (rest[0] != kRecordMark)
            return AllZero(rest) ? read : damage(at, "no record mark");
        if (rest.size() < kFrame)
            return read;
        const size_t length = NumberAt(rest, 1);
        if (rest.size() - kFrame < length)
            return read;
        const std::string_view body = rest.substr(kFrame, length);
        const bool last = rest.size() == kFrame + length;
        if (Crc32(body) != NumberAt(rest, 5))
            return last ? read : damage(at, "checksum does not match");
        try {
            read.changes.push_back(ChangeReader(body).Changes());
        } catch (const std::exception& error) {
            return damage(at, error.what());
        }
        at += kFrame + length;
        read.end = at;
    }
    return read;
}
