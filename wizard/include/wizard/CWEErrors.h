#pragma once
// The errors and warnings a long step collects, in the order they arose.
// No entry is ever dropped: one without text gets its id's text from the
// message table, or the generic text with the id.

#include "wizard/CWEException.h"

#include <string>
#include <utility>
#include <vector>

class CWEErrors {
public:
    void Add(DWORD id, std::initializer_list<std::string> inserts = {});
    void AddText(DWORD id, const std::string& text);
    void AddUnexpected(const char* file, int line);
    // A caught exception, its line breaks made blanks.
    void AddException(const CWEException& exception);
    // Any other exception, as WE_E_UNEXPECTED with its message.
    void AddOther(const std::exception& exception);

    std::size_t GetCount() const { return m_entries.size(); }
    DWORD GetId(std::size_t index) const { return m_entries.at(index).first; }
    const std::string& GetText(std::size_t index) const { return m_entries.at(index).second; }
    // Entries of severity 3.
    std::size_t CountErrors() const;
    void RemoveAll() { m_entries.clear(); }

private:
    std::vector<std::pair<DWORD, std::string>> m_entries;
};
