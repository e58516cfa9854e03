// The creator's run and its undoing, and the project in the project library.

#include "wizard/CWEProjectCreator.h"

#include "PathKinds.h"

#include "wizard/CWECOMException.h"
#include "wizard/SqlIdentifier.h"
#include "wizard/WEUtils.h"
#include "wizard/WizardIds.h"

#include "com/Activation.h"
#include "com/Bstr.h"
#include "com/ComBstr.h"
#include "com/ComVariant.h"

namespace {

bool HasBlank(const std::string& text) { return text.find(' ') != std::string::npos; }

}  // namespace

CWEProjectCreator::CWEProjectCreator(CWEHTMLDocument* document, CWEErrors* errors, CWEProjectSettings* settings,
                                     CWEFieldsDataSet* fields, int mode)
    : m_pWizardDocument(document), m_pErrors(errors), m_pSettings(settings), m_nMode(mode)
{
    if (!document || !document->Document() || !errors || !settings || !fields || settings->m_strSourcePath.empty())
        WE_THROW_UNEXPECTED();
    m_settings.CopyFrom(*settings);
    fields->CopyTo(m_fields);
    if (m_fields.GetCount() == 0)
        WE_THROW_UNEXPECTED();
    m_strTableName = UnbracketedName(m_settings.m_strRecordSource);
    m_settings.m_strRecordSource = HasBlank(m_strTableName) ? "[" + m_strTableName + "]" : m_strTableName;
}

int CWEProjectCreator::Create()
{
    try {
        ConnectProjectLibrary();
        if (m_nMode == kCreating) {
            CreateProjectEntry();
            ReloadPage();
            if (!RenameFormElements())
                CWEException::ThrowFormatted(WE_E_RENAME, {});
            if (!CopyPictures())
                CWEException::ThrowFormatted(WE_E_PAGE_SAVE, {});
        }
        if (!CreateTable())
            CWEException::ThrowFormatted(WE_E_CREATE_TABLE, {});
        if (m_nMode == kCreating) {
            m_bTableMade = true;
            const HRESULT hr = m_spHubberly->FinalizeProject(m_settings.m_lProjectId);
            if (FAILED(hr))
                CWEException::ThrowFormatted(WE_E_FINALIZE, {});
        }
        if (m_pErrors->CountErrors() == 0)
            return 1;
    } catch (const CWEException& exception) {
        m_pErrors->AddException(exception);
    } catch (const std::exception& exception) {
        m_pErrors->AddOther(exception);
    }
    Rollback();
    return 0;
}

void CWEProjectCreator::ConnectProjectLibrary()
{
    CLSID clsid = GUID_NULL;
    CComPtr<IUnknown> unknown;
    HRESULT hr = CLSIDFromProgID(kHubberlyProgIDW, &clsid);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&unknown));
    if (SUCCEEDED(hr))
        hr = unknown->QueryInterface(IID_IHubberly, reinterpret_cast<void**>(&m_spHubberly));
    if (FAILED(hr) || !m_spHubberly)
        CWEException::ThrowFormatted(WE_E_CREATE_OBJECT, {kHubberlyProgID});
}

void CWEProjectCreator::CreateProjectEntry()
{
    if (m_settings.m_strProjectName.empty())
        WE_THROW_UNEXPECTED();
    LONG id = 0;
    if (FAILED(m_spHubberly->CreateProject(CComVariant(m_settings.m_strProjectName), &id)))
        CWEException::ThrowFormatted(WE_E_CREATE_PROJECT, {});
    // The library answers 0 for a name a finished project has (without
    // regard to case); from an id on, the project exists and must be undone.
    if (id <= 0)
        CWEException::ThrowFormatted(WE_E_PROJECT_EXISTS, {});
    m_settings.m_lProjectId = id;
    m_bProjectMade = true;

    CComBSTR folder;
    if (FAILED(m_spHubberly->GetProjectDir(id, &folder)) || folder.Length() == 0)
        CWEException::ThrowFormatted(WE_E_PROJECT_DIR, {});
    m_settings.m_strProjectDir = pollenta::com::AnsiFromBstr(folder);
    if (!IsExistingFolder(m_settings.m_strProjectDir))
        CWEException::ThrowFormatted(WE_E_PROJECT_DIR_MISSING, {m_settings.m_strProjectDir});

    SetProjectProperty("Email", CComVariant(m_settings.m_strEmail), m_settings.m_strEmail);
    SetProjectProperty("Subject", CComVariant(m_settings.m_strSubject), m_settings.m_strSubject);
    SetProjectProperty("ConnectionString", CComVariant(m_settings.m_strConnectionString),
                       m_settings.m_strConnectionString);
    SetProjectProperty("RecordSource", CComVariant(m_settings.m_strRecordSource), m_settings.m_strRecordSource);
    SetProjectProperty("FailedMark", CComVariant(m_settings.m_strFailedMark), m_settings.m_strFailedMark);
    SetProjectProperty("SuccessMark", CComVariant(m_settings.m_strSuccessMark), m_settings.m_strSuccessMark);
    SetProjectProperty("TextBlock", CComVariant(m_settings.m_strTextBlock), m_settings.m_strTextBlock);
    const LONG recipients = m_settings.m_lCollectRecipients ? 1 : 0;
    const LONG senders = m_settings.m_lCollectSenders ? 1 : 0;
    SetProjectProperty("CollectRecipients", CComVariant(recipients), std::to_string(recipients));
    SetProjectProperty("CollectSenders", CComVariant(senders), std::to_string(senders));
}

void CWEProjectCreator::SetProjectProperty(const char* name, const CComVariant& value, const std::string& shown)
{
    if (FAILED(m_spHubberly->SetProperty(CComVariant(name), value)))
        CWEException::ThrowFormatted(WE_E_SET_PROPERTY, {name, shown});
}

void CWEProjectCreator::Rollback()
{
    if (m_nMode != kCreating)
        return;
    if (m_bTableMade) {
        try {
            ExecuteSql("DROP TABLE " + QuotedTableName(), false);
            m_bTableMade = false;
        } catch (const CWEException& exception) {
            m_pErrors->AddException(exception);
        }
    }
    if (m_bProjectMade) {
        const HRESULT hr = m_spHubberly && m_settings.m_lProjectId > 0
                               ? m_spHubberly->DeleteProject(m_settings.m_lProjectId)
                               : E_POINTER;
        if (FAILED(hr))
            m_pErrors->AddException(CWECOMException(hr, m_spHubberly, IID_IHubberly, WE_SOURCE_FILE, __LINE__));
        else
            m_bProjectMade = false;
    }
}
