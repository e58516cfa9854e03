#include "wizard/CWEException.h"

#include "MessageTableText.h"
#include "WizardResources.h"

#include "wizard/WEUtils.h"
#include "wizard/WizardIds.h"
#include "zr/LoadMessageText.h"

#include "ui/MessageBox.h"

#include <cstring>

namespace {

UINT SeverityIcon(DWORD id)
{
    switch (id >> 30) {
    case 3:
        return MB_ICONERROR;
    case 2:
        return MB_ICONWARNING;
    default:
        return MB_ICONINFORMATION;
    }
}

}  // namespace

CWEException::CWEException() : m_id(WE_E_UNEXPECTED) {}

CWEException::CWEException(DWORD id, std::initializer_list<std::string> inserts) : m_id(id)
{
    FormatFromTable(id, inserts);
}

void CWEException::FormatFromTable(DWORD id, const std::vector<std::string>& inserts)
{
    m_id = id;
    if (!LoadMessageText(id).empty())
        m_text = MessageTableText(id, inserts);
}

BOOL CWEException::GetErrorMessage(LPSTR buffer, UINT size, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (buffer && size > 0) {
        const std::size_t length = std::min<std::size_t>(m_text.size(), size - 1);
        std::memcpy(buffer, m_text.data(), length);
        buffer[length] = '\0';
    }
    return TRUE;
}

int CWEException::ReportError(UINT type) const
{
    const std::string caption = LoadWizardString(SeverityCaptionId(m_id));
    return MessageBox(nullptr, m_text.c_str(), caption.c_str(), type | SeverityIcon(m_id));
}

void CWEException::ThrowFormatted(DWORD id, std::initializer_list<std::string> inserts)
{
    throw CWEException(id, inserts);
}

void CWEException::ThrowUnexpected(const char* file, int line)
{
    throw CWEException(WE_E_UNEXPECTED_AT, {file && *file ? file : "Unknown", std::to_string(line)});
}
