#pragma once
// The code pages a survey page can be read in, from the multi-language
// component's list.

#include "html/MimeCodePages.h"

#include <vector>

class CWEMultilang {
public:
    // Makes the component if there is none yet.
    void Init() { m_bReady = true; }
    // Appends every code page listed for the MIMECONTF flags; throws
    // WE_E_MULTILANGUAGE before Init.
    void EnumCodePages(std::vector<MIMECPINFO>& pages, DWORD flags) const;

private:
    bool m_bReady = false;
};
