#pragma once
// One string table of the user-interface language, loaded from an LNG file
// beside the component or from a built-in table. The table keeps its own
// copies of the index and the texts; a returned text stays valid until the
// table is loaded again.

#include "win/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

class CWELanguageTable {
public:
    // The file <folder>/<tableName>, its texts in the code page of the
    // language of that name, else the built-in table of that name.
    bool Load(const std::string& tableName, const std::string& folder);
    bool LoadFromFile(const std::string& path, UINT codePage = CP_ACP);
    bool LoadFromResource(const std::string& tableName);
    // Takes a copy of a whole LNG image after checking that every count,
    // offset and text lies inside it; anything else leaves the table empty.
    // Texts written in `codePage` are kept in the process's ANSI code page,
    // the one every caller reads them in.
    bool Attach(const unsigned char* image, std::size_t size, UINT codePage = CP_ACP);

    // The text of an id, or null; its length in bytes on request.
    const char* FindString(std::uint32_t id, std::size_t* length = nullptr) const;
    std::uint32_t Count() const;

    // Held across a lookup that goes on into another table.
    std::unique_lock<std::recursive_mutex> Hold() const { return std::unique_lock(m_lock); }

private:
    struct IndexEntry {
        std::uint32_t id;
        std::uint32_t offset;
    };

    void Clear();
    void ConvertToAnsi(UINT codePage);

    mutable std::recursive_mutex m_lock;
    std::uint32_t m_nCount = 0;
    std::vector<IndexEntry> m_index;
    std::vector<char> m_strings;
};
