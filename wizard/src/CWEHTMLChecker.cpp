#include "wizard/CWEHTMLChecker.h"

#include "PathKinds.h"
#include "PictureKind.h"
#include "TheForm.h"
#include "WizardResources.h"
#include "WizardText.h"

#include "wizard/CWEHTMLPictureFinder.h"
#include "wizard/FormControlKind.h"
#include "wizard/UrlDecodeInPlace.h"
#include "wizard/WEUtils.h"
#include "wizard/WizardIds.h"

#include "html/HtmlInput.h"
#include "html/HtmlSelect.h"
#include "html/InternetUrl.h"
#include "keytree/CalcStringCRC64.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

using pollenta::html::HtmlElement;

namespace {

// Browsers post a form in one of three encodings; the add-in reads the
// first, which is also what any other value of the attribute means.
bool IsUnreadEncoding(const std::string& enctype)
{
    return enctype == "text/plain" || enctype == "multipart/form-data";
}

}  // namespace

DWORD CWEHTMLChecker::Check(CWEHTMLDocument& document, const std::string& typedPath, CWEErrors& errors,
                            CWEProjectSettings& settings)
{
    try {
        const std::string pagePath = AbsolutePagePath(typedPath);
        if (pagePath.empty())
            CWEException::ThrowFormatted(WE_E_NO_PATH, {});
        document.Load(pagePath);
        pollenta::html::HtmlForm form = TheForm(*document.Document());
        m_strPattern = LoadWizardString(IDS_FIELD_PATTERN);
        m_nNameCounter = 1;
        m_nControls = 0;
        m_nSubmits = 0;
        m_names.RemoveAll();
        m_columnNames.clear();
        CheckControls(form, errors);
        const std::string enctype = LowerAscii(TrimBlanks(form.GetAttribute("enctype")));
        if (IsUnreadEncoding(enctype))
            errors.Add(WE_W_FORM_ENCODING, {enctype});
        if (m_nControls == 0)
            CWEException::ThrowFormatted(WE_E_NO_CONTROLS, {});
        if (m_nSubmits == 0)
            CWEException::ThrowFormatted(WE_E_NO_SUBMIT, {});
        CWEHTMLPictureFinder finder;
        finder.Init(document.Document(), pagePath, &errors, &settings, this);
        finder.Find();
        TakeDefaults(*document.Document(), form, settings);
        return WE_S_OK;
    } catch (const CWEException& exception) {
        errors.AddException(exception);
        return exception.GetId();
    } catch (const std::exception& exception) {
        errors.AddOther(exception);
        return WE_E_UNEXPECTED;
    }
}

void CWEHTMLChecker::CheckControls(pollenta::html::HtmlForm& form, CWEErrors& errors)
{
    for (HtmlElement control : form.Elements()) {
        if (control.Is("INPUT") || control.Is("BUTTON")) {
            CheckInput(control, errors);
        } else if (control.Is("SELECT")) {
            CheckSelect(control, errors);
        } else if (control.Is("TEXTAREA")) {
            NameIfUnnamed(control, WE_W_TEXTAREA_NAME, errors);
            CheckDuplicate(control.Name(), errors);
            ++m_nControls;
        }
        if (KindOfControl(control) == FormControlKind::Field)
            CheckColumnName(control.Name(), errors);
    }
}

void CWEHTMLChecker::CheckColumnName(const std::string& name, CWEErrors& errors)
{
    const auto [known, added] = m_columnNames.emplace(LowerAscii(name), name);
    if (!added && known->second != name)
        errors.Add(WE_E_NAMES_DIFFER_IN_CASE, {known->second, name});
}

void CWEHTMLChecker::CheckInput(HtmlElement& control, CWEErrors& errors)
{
    const FormControlKind kind = KindOfControl(control);
    if (kind == FormControlKind::Submit || kind == FormControlKind::Reset) {
        if (!control.Name().empty()) {
            control.SetName("");
            errors.Add(kind == FormControlKind::Submit ? WE_W_SUBMIT_NAME : WE_W_RESET_NAME);
        }
        m_nSubmits += kind == FormControlKind::Submit ? 1 : 0;
    } else if (control.Is("BUTTON")) {
        return;  // a plain button posts nothing
    } else {
        NameIfUnnamed(control, WE_W_INPUT_NAME, errors);
        if (pollenta::html::HtmlInput(control).Type() != "radio")
            CheckDuplicate(control.Name(), errors);
    }
    ++m_nControls;
}

void CWEHTMLChecker::CheckSelect(HtmlElement& control, CWEErrors& errors)
{
    NameIfUnnamed(control, WE_W_SELECT_NAME, errors);
    const std::string name = control.Name();
    CheckDuplicate(name, errors);
    pollenta::html::HtmlSelect select(control);
    if (select.Type() == "select-multiple")
        errors.Add(WE_W_SELECT_MULTIPLE, {name});
    const std::vector<pollenta::html::HtmlOption> options = select.Options();
    for (const pollenta::html::HtmlOption& option : options) {
        if (option.Text().empty() && option.Value().empty())
            errors.Add(WE_W_EMPTY_OPTION, {name});
    }
    if (options.empty())
        errors.Add(WE_W_NO_OPTIONS, {name});
    ++m_nControls;
}

void CWEHTMLChecker::NameIfUnnamed(HtmlElement& control, DWORD warning, CWEErrors& errors)
{
    if (!control.Name().empty())
        return;
    errors.Add(warning);
    char name[64];
    std::snprintf(name, sizeof name, m_strPattern.c_str(), m_nNameCounter++);
    control.SetName(name);
}

void CWEHTMLChecker::CheckDuplicate(const std::string& name, CWEErrors& errors)
{
    const std::uint64_t key = CalcStringCRC64(name.c_str());
    if (m_names.Find(key))
        errors.Add(WE_W_DUPLICATE_NAME, {name});
    else
        m_names.Insert(key, 0);
}

void CWEHTMLChecker::TakeDefaults(const pollenta::html::HtmlDocument& document, const pollenta::html::HtmlForm& form,
                                  CWEProjectSettings& settings)
{
    if (!document.Title().empty())
        settings.m_strProjectName = document.Title();
    const std::string action = LowerAscii(TrimBlanks(form.Action()));
    if (GetUrlScheme(action.c_str()) == INTERNET_SCHEME_MAILTO) {
        const std::string rest = action.substr(action.find(':') + 1);
        settings.m_strEmail = rest.substr(0, rest.find('?'));
    }
}

int CWEHTMLChecker::OnPicture(CWEPicture& picture, CWEProjectSettings& data, CWEErrors& errors, bool& changed,
                              int number)
{
    if (picture.m_strSource.empty())
        WE_THROW_UNEXPECTED();
    const std::string& path = picture.m_strSource;
    if (!IsExistingFile(path))
        errors.Add(WE_E_PICTURE_MISSING, {path});
    else if (SniffedPictureExtension(path).empty())
        errors.Add(WE_E_NOT_A_PICTURE, {path});
    // Written so that the copy, which resolves the page's references as this
    // check does, finds the same file.
    picture.m_strDestination = UrlEncodedPath(path);
    changed = true;
    return 1;
}
