#pragma once
// One change to a registry root, as the journal keeps it: what was done and
// where, rather than the tree it left behind, so that writing it costs the
// same however large the file is. Applying a change to a tree that holds it
// already leaves that tree as it was.

#include "RegistryNode.h"

#include <string>
#include <vector>

struct RegistryChange {
    enum class Kind : unsigned char {
        CreateKey = 1,    // path and the keys along it are made where missing
        SetValue = 2,     // path's value `value.name` holds `value` (keys made where missing)
        DeleteValue = 3,  // path's value `value.name` is gone
        DeleteSubkey = 4, // path's subkey `value.name` is gone with all below it
        ClearKey = 5,     // path keeps neither values nor subkeys
    };

    Kind kind = Kind::CreateKey;
    std::vector<std::string> path; // from the root of the file
    RegistryValue value;           // the value, or the name the change is about

    // Whether applying would make any difference to root. A key missing on
    // the way makes a removal a change of nothing.
    bool ChangesAnything(const RegistryNode& root) const;
    // Applies the change; returns false when a key on the path is missing
    // (CreateKey and SetValue make them instead).
    bool ApplyTo(RegistryNode& root) const;
};

using RegistryChanges = std::vector<RegistryChange>;
