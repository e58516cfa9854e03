#pragma once
// A page an add-in added to the Options dialog.

#include "com/ComPtr.h"

#include <string>

namespace pollenta::outlook {

struct OptionsPage {
    // The page control's ProgID; empty when the add-in gave the object.
    std::string progId;
    CComPtr<IUnknown> object;
    std::string title;
};

}  // namespace pollenta::outlook
