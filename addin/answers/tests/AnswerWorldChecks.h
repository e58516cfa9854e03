#pragma once
// How the answer world and its project stop at a step that failed: a
// std::runtime_error that says which step.

#include "win/Errors.h"

#include <stdexcept>
#include <string>

namespace AnswerWorldChecks {

inline void Check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error("answer world: " + what);
}

inline void CheckHr(HRESULT hr, const std::string& what)
{
    Check(SUCCEEDED(hr), what + " failed with " + std::to_string(static_cast<unsigned long>(hr)));
}

}  // namespace AnswerWorldChecks
