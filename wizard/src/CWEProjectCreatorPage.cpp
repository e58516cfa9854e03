// The creator's survey page: the page read again in the chosen code page,
// its form made to send answers, its pictures copied, saved as UTF-8.

#include "wizard/CWEProjectCreator.h"

#include "MetaTags.h"
#include "PathKinds.h"
#include "PictureKind.h"
#include "TheForm.h"
#include "WizardResources.h"
#include "WizardText.h"

#include "wizard/CWEHTMLPictureFinder.h"
#include "wizard/FormControlKind.h"
#include "wizard/MailtoAction.h"
#include "wizard/ReadPageInCodePage.h"
#include "wizard/WEUtils.h"
#include "wizard/WizardIds.h"

#include "html/HtmlInput.h"
#include "win/CodePage.h"
#include "win/Errors.h"
#include "win/File.h"
#include "zr/FormatHResult.h"

#include <cstdio>
#include <fstream>

using pollenta::html::HtmlElement;

namespace {

constexpr const char* kRecipientMacro = "%%RECIPIENT%%";

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        CWEException::ThrowFormatted(WE_E_FILE_SAVE, {path});
}

}  // namespace

void CWEProjectCreator::ReloadPage()
{
    ReadPageInCodePage(*m_pWizardDocument, ToNarrow(m_settings.m_CodePage.wszWebCharset, CP_UTF8), m_document);
}

int CWEProjectCreator::RenameFormElements()
{
    const std::vector<HtmlElement> forms = m_document.Document()->Forms();
    if (forms.size() != 1) {
        m_pErrors->Add(forms.empty() ? WE_E_NO_FORMS : WE_E_MANY_FORMS);
        return 0;
    }
    pollenta::html::HtmlForm form(forms.front());
    for (HtmlElement control : form.Elements())
        RenameControl(control);
    form.SetAction(MailtoAction(m_settings.m_strEmail, m_settings.m_strSubject));
    form.SetMethod("POST");
    // The add-in reads answers URL-encoded, as a form posts them by default.
    if (form.HasAttribute("enctype"))
        form.SetAttribute("enctype", "application/x-www-form-urlencoded");
    // Answers are read as UTF-8, whatever charset the page is kept in.
    form.SetAttribute("accept-charset", "UTF-8");
    AddCollectedFields();
    m_bInsertProjectField = m_fields.FindByInitialName("kqProjectID") == nullptr;
    return 1;
}

void CWEProjectCreator::RenameControl(HtmlElement& control)
{
    if (KindOfControl(control) != FormControlKind::Field)
        return;
    const CWEField* field = m_fields.FindByInitialName(control.Name());
    if (!field) {
        m_pErrors->AddUnexpected(WE_SOURCE_FILE, __LINE__);
        return;
    }
    control.SetName(field->m_strName);
    if (!control.Is("INPUT"))
        return;
    pollenta::html::HtmlInput input(control);
    if (field->m_strName == "kqProjectID") {
        input.SetType("hidden");
        input.SetValue(std::to_string(m_settings.m_lProjectId));
    } else if (field->m_strName == "RecipientEmail" && m_settings.m_lCollectRecipients) {
        input.SetValue(kRecipientMacro);
    }
}

void CWEProjectCreator::AddCollectedFields()
{
    if (m_settings.m_lCollectRecipients && !m_fields.FindByInitialName("RecipientEmail")) {
        m_bInsertRecipientField = true;
        m_fields.AddField("RecipientEmail", 2, 50);
    }
    if (m_settings.m_lCollectSenders && !m_fields.FindByInitialName("SenderEmail"))
        m_fields.AddField("SenderEmail", 2, 50);
}

int CWEProjectCreator::CopyPictures()
{
    if (m_settings.m_lProjectId <= 0 || m_settings.m_strProjectDir.empty() || m_settings.m_strStartPage.empty() ||
        m_settings.m_strStartPage.find('/') != std::string::npos || m_settings.m_strStartPage == "..")
        WE_THROW_UNEXPECTED();
    CWEHTMLPictureFinder finder;
    finder.Init(m_document.Document(), m_settings.m_strSourcePath, m_pErrors, &m_settings, this);
    finder.Find();
    SaveFinalPage();
    return 1;
}

int CWEProjectCreator::OnPicture(CWEPicture& picture, CWEProjectSettings& data, CWEErrors& errors, bool& changed,
                                 int number)
{
    if (!IsExistingFile(picture.m_strSource)) {
        errors.Add(WE_E_PICTURE_MISSING, {picture.m_strSource});
        return 0;
    }
    const std::string kind = SniffedPictureExtension(picture.m_strSource);
    if (kind.empty()) {
        errors.Add(WE_E_NOT_A_PICTURE, {picture.m_strSource});
        return 0;
    }
    std::string extension = GetFileExtension(CWEPicture::GetFileName(picture.m_strSource));
    if (extension.empty())
        extension = kind;
    char name[64];
    std::snprintf(name, sizeof name, "_kqwpic_%03i.", number);
    picture.m_strDestination = data.m_strProjectDir + "/" + name + extension;
    changed = false;
    if (!CopyFile(picture.m_strSource.c_str(), picture.m_strDestination.c_str(), FALSE)) {
        const DWORD error = GetLastError();
        const std::string text = GetLastErrorText();
        errors.Add(WE_E_FILE_COPY,
                   {FormatHResult(static_cast<HRESULT>(error)), text, picture.m_strSource, picture.m_strDestination});
    }
    return 1;
}

void CWEProjectCreator::SaveFinalPage()
{
    pollenta::html::HtmlDocument& document = *m_document.Document();
    document.SetCharset("utf-8");
    AddHiddenFields(TheForm(document));
    const std::string text = SetMetaGenerator(FromFirstTag(document.Serialize()));
    WriteFile(m_settings.m_strProjectDir + "/" + m_settings.m_strStartPage, text);
}

// Into the form element itself, right after its start tag, so that they are
// posted with it wherever the page's markup ends the form.
void CWEProjectCreator::AddHiddenFields(pollenta::html::HtmlForm form) const
{
    // Each goes first: the project id ends up the form's first field.
    if (m_bInsertRecipientField && form.PrependHiddenInput("RecipientEmail", kRecipientMacro).IsNull())
        WE_THROW_UNEXPECTED();
    const std::string id = std::to_string(m_settings.m_lProjectId);
    if (m_bInsertProjectField && form.PrependHiddenInput("kqProjectID", id).IsNull())
        WE_THROW_UNEXPECTED();
}

std::string CWEProjectCreator::SetMetaGenerator(const std::string& text) const
{
    std::size_t end = 0;
    const std::size_t pos = FindMeta(text, {"content", "name=generator"}, end);
    if (pos == std::string::npos)
        WE_THROW_UNEXPECTED();
    std::string product;
    GetVersionString("ProductName", product);
    const std::string generator = product + "; " + LoadWizardString(IDS_WEB_ADDRESS);
    return text.substr(0, pos) + "<META name=GENERATOR content=\"" + generator + "\">" + text.substr(end);
}
