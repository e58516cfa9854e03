#pragma once
// What the wizard learns about the project it makes: what its pages edit,
// what the project creator stores as project properties, and the SQL
// request for the answer table.

#include "html/MimeCodePages.h"
#include "win/Types.h"

#include <string>

class CWEProjectSettings {
public:
    CWEProjectSettings() { Reset(); }
    CWEProjectSettings(const CWEProjectSettings&) = delete;
    CWEProjectSettings& operator=(const CWEProjectSettings&) = delete;

    // Every member back to its default; returns 1.
    int Reset();
    // Takes everything but the project id and the SQL members.
    void CopyFrom(const CWEProjectSettings& other);

    std::string m_strProjectDir;
    LONG m_lProjectId;
    LONG m_lReserved1;
    std::string m_strEmail;
    std::string m_strSubject;
    std::string m_strConnectionString;
    std::string m_strRecordSource;
    std::string m_strProjectName;
    std::string m_strFailedMark;
    std::string m_strSuccessMark;
    LONG m_lReserved2;
    std::string m_strTextBlock;
    LONG m_lCollectRecipients;
    LONG m_lCollectSenders;
    std::string m_strStartPage;
    std::string m_strSourcePath;
    MIMECPINFO m_CodePage;
    std::string m_strSqlRequest;
    LONG m_lSqlEdited;
    LONG m_lSqlCheck;
    std::string m_strSqlDefault;
};
