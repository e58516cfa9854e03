#pragma once
// A failure inside the layer, carried up to the interface method that turns
// it into its HRESULT and the text GetLastError reports.

#include "win/Types.h"

#include <stdexcept>
#include <string>

namespace pollenta::mapi {

class CMapiError : public std::runtime_error {
public:
    CMapiError(HRESULT hr, const std::string& text) : std::runtime_error(text), m_hr(hr) {}
    HRESULT Code() const { return m_hr; }

private:
    HRESULT m_hr;
};

}  // namespace pollenta::mapi
