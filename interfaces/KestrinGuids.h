#pragma once
// The fixed identities of the mail add-in Kestrin: its type library and
// AppID.

#include "com/Guid.h"

// {2639070C-3D0A-4597-8A3F-D1256EF4CA5B}
inline constexpr GUID LIBID_KestrinLib = {0x2639070C, 0x3D0A, 0x4597, {0x8A, 0x3F, 0xD1, 0x25, 0x6E, 0xF4, 0xCA, 0x5B}};
// {661FB1BF-937B-48C8-AD0F-785E33DD2116}
inline constexpr GUID APPID_Kestrin = {0x661FB1BF, 0x937B, 0x48C8, {0xAD, 0x0F, 0x78, 0x5E, 0x33, 0xDD, 0x21, 0x16}};
