#pragma once
// The macros of one copy with this recipient's values: the fixed ones as
// registered, the built-in ones (address, names, list) worked out once, and
// the owner's ones asked through the item's event.

#include "CZrAdrMapEntry.h"
#include "MacroSearch.h"

#include "mapi/IAddrBook.h"

#include <string>

class TMMailItem;

class CZrUniformMacroList {
public:
    void Create(TMMailItem* lpTMMailItem, IAddrBook* lpAddrBook, const std::string& key,
                const CZrAdrMapEntry& entry);

    const CZrUniformMacros& Macros() const { return m_macros; }
    const std::string& Email() const { return m_strEmail; }
    const std::string& DisplayName() const { return m_strName; }

    // Quotes and bracketed parts gone, blanks single: 'Smith, John' (Sales)
    // gives Smith, John.
    static std::string CleanName(const std::string& name);
    // The part of an address before "@", capitalised: JOHN.smith@... gives
    // John.smith; a text without "@" after its first character unchanged.
    static std::string NameFromAddress(const std::string& address);

private:
    void UpdateMacroEmail();
    void UpdateMacroName();
    std::string FirstName() const;
    std::string LastName() const;
    std::string EvalCustomMacro(const std::string& name);

    TMMailItem* m_lpTMMailItem = nullptr;
    IAddrBook* m_lpAddrBook = nullptr;
    std::string m_strKey;
    const CZrAdrMapEntry* m_lpEntry = nullptr;
    CZrUniformMacros m_macros;
    std::string m_strEmail;
    std::string m_strName;
};
