#pragma once
// The journal beside a registry file ("HKEY_CURRENT_USER.reg.journal"):
// the changes made since the file was last written whole, one record per
// durable write. Its first line names the very file it continues, so a
// journal left over from before the file was rewritten is known as such
// and never applied twice. Each record carries its length and a checksum:
// a record cut short by a writer that died is the journal's end, a damaged
// record with more after it is damage.
//
//     Pollenta registry journal 1 <file identity>\n
//     R <length:4> <crc32:4> <changes>     (integers little-endian)

#include "RegistryChange.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

class RegistryJournal {
public:
    // Which registry file a journal continues: none, or the file as it was
    // when its journal was begun (a rewrite makes a new file).
    struct FileIdentity {
        bool present = false;
        uint64_t device = 0;
        uint64_t inode = 0;
        uint64_t size = 0;
        int64_t modified = 0; // nanoseconds
        int64_t changed = 0;  // nanoseconds

        static FileIdentity Of(const struct stat& status);
        bool operator==(const FileIdentity&) const = default;
    };

    static std::string Header(const FileIdentity& file);
    // The file a journal's text continues, and where its records begin;
    // nothing when the text holds no whole header of this kind.
    static std::optional<FileIdentity> ReadHeader(std::string_view text, size_t& recordsStart);

    static std::string Record(const RegistryChanges& changes);

    struct Records {
        std::vector<RegistryChanges> changes;
        size_t end = 0;         // just after the last whole record
        bool damaged = false;   // a bad record with more after it
        std::string error;      // what was wrong there, with its offset
    };
    // The whole records of text from offset from on.
    static Records Read(std::string_view text, size_t from);
};
