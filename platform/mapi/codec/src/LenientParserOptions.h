#pragma once
// Parser settings that forgive what real mail programs get wrong.

#include <gmime/gmime.h>

#include <memory>

struct ParserOptionsFree {
    void operator()(GMimeParserOptions* options) const { g_mime_parser_options_free(options); }
};
using ParserOptionsPtr = std::unique_ptr<GMimeParserOptions, ParserOptionsFree>;

// Loose address, parameter and encoded-word rules; text in no declared
// charset is read as UTF-8 or else windows-1252. Reports no warnings.
ParserOptionsPtr LenientParserOptions();
