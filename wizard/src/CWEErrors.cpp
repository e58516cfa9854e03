#include "wizard/CWEErrors.h"

#include "MessageTableText.h"

#include "wizard/WizardIds.h"

void CWEErrors::Add(DWORD id, std::initializer_list<std::string> inserts)
{
    m_entries.emplace_back(id, MessageTableText(id, inserts));
}

void CWEErrors::AddText(DWORD id, const std::string& text)
{
    m_entries.emplace_back(id, text.empty() ? MessageTableText(id, {}) : text);
}

void CWEErrors::AddUnexpected(const char* file, int line)
{
    Add(WE_E_UNEXPECTED_AT, {file && *file ? file : "Unknown", std::to_string(line)});
}

void CWEErrors::AddException(const CWEException& exception)
{
    AddText(exception.GetId(), OneLine(exception.GetText()));
}

void CWEErrors::AddOther(const std::exception& exception)
{
    AddText(WE_E_UNEXPECTED, OneLine(std::string(exception.what()).substr(0, 1000)));
}

std::size_t CWEErrors::CountErrors() const
{
    std::size_t count = 0;
    for (const auto& entry : m_entries)
        count += (entry.first >> 30) == 3 ? 1 : 0;
    return count;
}
