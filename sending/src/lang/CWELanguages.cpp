#include "CWELanguages.h"

#include "LanguageImage.h"
#include "ModuleString.h"

#include <strings.h>

#include <filesystem>
#include <fstream>

CWELanguages::CWELanguages() : m_available(KnownLanguages().size(), false) {}

bool CWELanguages::IsLanguageAvailable(const std::string& tableName) const
{
    // Only a file counts: a folder of that name would open but never read.
    const std::string path = m_strFolder + "/" + tableName;
    std::error_code error;
    std::ifstream file;
    if (std::filesystem::is_regular_file(path, error))
        file.open(path, std::ios::binary);
    return file.is_open() || !FindBuiltInTexts(tableName).empty();
}

bool CWELanguages::SelectLanguage(const std::string& folder, const std::string& defaultName)
{
    m_strFolder = folder;
    m_nCurrentId = NoLanguage;
    std::span<const LanguageRow> rows = KnownLanguages();
    std::string defaultTable = defaultName;
    bool defaultAvailable = false;
    const LanguageRow* firstAvailable = nullptr;
    bool englishAvailable = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        m_available[i] = IsLanguageAvailable(rows[i].tableName);
        if (!m_available[i])
            continue;
        if (!firstAvailable)
            firstAvailable = &rows[i];
        defaultAvailable = defaultAvailable || strcasecmp(rows[i].tableName, defaultName.c_str()) == 0;
        englishAvailable = englishAvailable || strcasecmp(rows[i].tableName, "English") == 0;
    }
    if (!defaultAvailable && firstAvailable)
        defaultTable = firstAvailable->tableName;

    bool fallbackLoaded = m_fallbackTable.Load(defaultTable, m_strFolder);
    std::string mainTable = englishAvailable ? std::string("English") : defaultTable;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (m_available[i] && strcasecmp(rows[i].tableName, mainTable.c_str()) == 0) {
            m_nCurrentId = rows[i].id;
            break;
        }
    }
    bool mainLoaded = m_mainTable.Load(mainTable, m_strFolder) || m_mainTable.Load(defaultTable, m_strFolder);
    return mainLoaded || fallbackLoaded;
}

const LanguageRow* CWELanguages::FirstRowWithId(std::uint32_t id, bool availableOnly) const
{
    std::span<const LanguageRow> rows = KnownLanguages();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].id == id && (!availableOnly || m_available[i]))
            return &rows[i];
    }
    return nullptr;
}

void CWELanguages::SetLanguageId(std::uint32_t id)
{
    if (id == m_nCurrentId)
        return;
    const LanguageRow* row = FirstRowWithId(id, true);
    if (!row)
        return;
    m_mainTable.Load(row->tableName, m_strFolder);
    m_nCurrentId = id;
}

std::uint32_t CWELanguages::GetLanguageId() const
{
    return FirstRowWithId(m_nCurrentId, false) ? m_nCurrentId : EnglishId;
}

std::string CWELanguages::GetLanguageName()
{
    if (const LanguageRow* row = FirstRowWithId(m_nCurrentId, false))
        m_strLanguageName = row->tableName;
    return m_strLanguageName;
}

const char* CWELanguages::GetLangString(std::uint32_t id, std::size_t* length) const
{
    auto mainLock = m_mainTable.Hold();
    if (const char* text = m_mainTable.FindString(id, length))
        return text;
    return m_fallbackTable.FindString(id, length);
}

std::string CWELanguages::LoadLangString(std::uint32_t id) const
{
    std::size_t length = 0;
    auto mainLock = m_mainTable.Hold();
    if (const char* text = GetLangString(id, &length))
        return std::string(text, length);
    const char* resource = ModuleString(id);
    return resource ? resource : "";
}

CWELanguages& Languages()
{
    static CWELanguages languages;
    return languages;
}
