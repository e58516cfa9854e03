#pragma once
// A user-interface language the component knows of: its English name, its
// 16-bit id and the name of its table file and built-in table.

#include <cstdint>
#include <span>

struct LanguageRow {
    const char* name;
    std::uint16_t id;
    const char* tableName;
};

// The 48 known languages in their fixed order; several rows share an id,
// and where a row is searched by id the first one wins.
std::span<const LanguageRow> KnownLanguages();
