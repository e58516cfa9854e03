#pragma once
// Turns a survey project into a new mail item that the user sees in an
// inspector: the project's page with every reference to a file of its
// folder attached by content id and rewritten to "cid:", saved and shown.
//
//     CWEMessageBuilder builder(application, log);
//     if (FAILED(builder.CreateSurveyMessage(projectId, props)))
//         ShowError(builder.GetErrorText());
//
// The builder logs the client's failing calls; showing the error text is
// the caller's.

#include "log/CWELog.h"
#include "project/CWEProjectProps.h"
#include "survey/CWEPageFile.h"

#include "OutlookApplication.h"
#include "OutlookMailItem.h"

#include "com/ComBstr.h"
#include "com/ComPtr.h"

#include <string>
#include <vector>

class CWEMessageBuilder {
public:
    CWEMessageBuilder(_Application* application, CWELog& log) : m_pApplication(application), m_log(log) {}

    // S_OK, or E_FAIL with the error text of the step that failed.
    HRESULT CreateSurveyMessage(LONG projectId, const CWEProjectProps& props);
    const std::string& GetErrorText() const { return m_strError; }
    const std::vector<CWEPageFile>& GetFiles() const { return m_files; }

private:
    HRESULT Build(const CWEProjectProps& props);
    bool CollectFiles(const CWEProjectProps& props);
    bool ReadPage(const CWEProjectProps& props, std::string& page);
    void AttachFiles(_MailItem* mail);
    bool AttachFile(Attachments* attachments, const CWEPageFile& file);
    HRESULT SaveAndReopen(_MailItem* mail, CComPtr<_MailItem>& reopened, CComBSTR& entryId, CComBSTR& storeId);
    HRESULT SetBody(_MailItem* mail, const std::string& body);
    // The result, logged as the failing call when it is a failure.
    HRESULT Logged(HRESULT hr, const char* call, IUnknown* object, REFIID iid);
    // Sets the error text and ends the operation.
    [[noreturn]] void Fail(DWORD messageId, std::initializer_list<std::string> inserts = {});

    _Application* m_pApplication;
    CWELog& m_log;
    std::vector<CWEPageFile> m_files;
    std::string m_strError;
};
