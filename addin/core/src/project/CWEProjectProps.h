#pragma once
// One survey project's properties as the add-in needs them to compose the
// survey message and to mark and store its answers, read from the project
// library through a fresh Hubberly object created on the calling thread.
//
//     CWEProjectProps props;
//     if (props.Load(projectId, log)) subject = props.m_strSubject;

#include "log/CWELog.h"

#include "win/CCriticalSection.h"

#include <string>

class CWEProjectProps {
public:
    CWEProjectProps();
    // Copies everything but the project id, which stays the target's own.
    CWEProjectProps& operator=(const CWEProjectProps& other);
    CWEProjectProps(const CWEProjectProps&) = delete;

    void Reset();
    // 1 when every property was read, 0 otherwise (with a log entry when the
    // library cannot be reached or a call fails). Fields read before a
    // failure keep their new values; nothing is reset.
    int Load(LONG projectId, CWELog& log);

    // The survey page: the project folder and the start page.
    std::string GetPagePath() const { return m_strProjectDir + "/" + m_strStartPage; }

    std::string m_strProjectDir;
    LONG m_lProjectId;
    LONG m_lCompleted;
    std::string m_strEmail;
    std::string m_strSubject;
    std::string m_strProjectName;
    std::string m_strFailedMark;
    std::string m_strSuccessMark;
    LONG m_lUseTextBlock;
    std::string m_strTextBlock;
    LONG m_lCollectRecipients;
    LONG m_lCollectSenders;
    std::string m_strStartPage;

private:
    int LoadLocked(LONG projectId, CWELog& log);

    CCriticalSection m_lock;
};
