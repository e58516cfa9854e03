#pragma once
// The user-interface languages of the component: which are available
// (a table file beside the component or a built-in table), the current one
// in the main table, and the start-up one in the fallback table that every
// lookup falls back to.

#include "CWELanguageTable.h"
#include "LanguageRow.h"

#include <cstdint>
#include <string>
#include <vector>

class CWELanguages {
public:
    static constexpr std::uint32_t NoLanguage = 0xFFFFFF;
    static constexpr std::uint32_t EnglishId = 4318;
    static constexpr std::uint32_t GermanId = 4326;
    static constexpr std::uint32_t RussianId = 4356;

    CWELanguages();

    // The start-up choice, with the table files looked up in `folder`.
    // False when neither the main nor the fallback language could be loaded.
    bool SelectLanguage(const std::string& folder, const std::string& defaultName);
    // Switches to the first available language with that id; nothing for
    // the current id or an id without an available language.
    void SetLanguageId(std::uint32_t id);
    std::uint32_t GetLanguageId() const;
    // The table name of the current language ("English" before any choice).
    std::string GetLanguageName();
    bool IsLanguageAvailable(const std::string& tableName) const;

    // The text in the main table, else in the fallback table, else null.
    const char* GetLangString(std::uint32_t id, std::size_t* length = nullptr) const;
    // As GetLangString, then the component's English string resources, else "".
    std::string LoadLangString(std::uint32_t id) const;

private:
    const LanguageRow* FirstRowWithId(std::uint32_t id, bool availableOnly) const;

    std::string m_strFolder;
    std::vector<bool> m_available;
    std::uint32_t m_nCurrentId = NoLanguage;
    std::string m_strLanguageName = "English";
    CWELanguageTable m_mainTable;
    CWELanguageTable m_fallbackTable;
};

// The component's languages, for the whole life of the module.
CWELanguages& Languages();
