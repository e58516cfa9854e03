#include "wizard/CWEMultilang.h"

#include "wizard/CWEException.h"
#include "wizard/WizardIds.h"

void CWEMultilang::EnumCodePages(std::vector<MIMECPINFO>& pages, DWORD flags) const
{
    if (!m_bReady)
        CWEException::ThrowFormatted(WE_E_MULTILANGUAGE, {});
    ::EnumCodePages(flags, 0, pages);
}
