#pragma once
// An object that can write itself to a binary stream and read itself back.

#include <istream>
#include <ostream>

class CZrStreamable {
public:
    virtual ~CZrStreamable() = default;
    virtual bool Save(std::ostream& out) { return true; }
    virtual bool Load(std::istream& in) { return true; }
};
