#pragma once
// A step of the road that did not work, with what it saw: the helpers throw
// it, and the test names the hop in which it happened.
//
//     Require(status == 0, "dllrun ended with " + std::to_string(status));

#include <stdexcept>
#include <string>

class RoadFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline void Require(bool holds, const std::string& what)
{
    if (!holds)
        throw RoadFailure(what);
}
