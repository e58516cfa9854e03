#pragma once
// The binary form in which a folder record is kept in the registry, little
// endian and without padding:
//
//     flags (4) | store id length S (4) | S bytes | folder id length F (4) | F bytes
//
// exactly S + F + 12 bytes. The display name is not kept.

#include "settings/CWEWatchedFolder.h"

#include <vector>

std::vector<BYTE> EncodeFolderRecord(const CWEWatchedFolder& folder);
// False for bytes that are not exactly one record (lengths that run past
// the end, or bytes left over); `folder` is unchanged then.
bool DecodeFolderRecord(const std::vector<BYTE>& bytes, CWEWatchedFolder& folder);
