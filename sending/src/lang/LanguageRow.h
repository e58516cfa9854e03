#pragma once
// A user-interface language the component knows of: its English name, its
// 16-bit id, the name of its table file and built-in table, and the ANSI
// code page its table's texts are written in.

#include "win/Types.h"

#include <cstdint>
#include <span>
#include <string>

struct LanguageRow {
    const char* name;
    std::uint16_t id;
    const char* tableName;
    UINT codePage;
};

// The 48 known languages in their fixed order; several rows share an id,
// and where a row is searched by id the first one wins.
std::span<const LanguageRow> KnownLanguages();

// The code page of the texts in the table of that name (in any case);
// CP_ACP for a name no language has, whose texts are taken as they are.
UINT LanguageCodePage(const std::string& tableName);
