#include "CWEPageGenerator.h"

#include "AnsiPath.h"
#include "CWEAccessProperties.h"
#include "CWEColorText.h"
#include "CWEControlWriter.h"
#include "CWEHtmlText.h"
#include "CWETableDescription.h"

#include "win/CodePage.h"

#include <cstdio>

using namespace gastrel;

namespace {

constexpr LONG kWarnNoRecordSource = 4;
constexpr LONG kWarnBackgroundLeftOut = 8;
constexpr LONG kWarnNoSubmitButton = 9;
constexpr LONG kWarnNoDefaultGiven = 31;

constexpr LONG kDetail = 0;
constexpr LONG kFormHeader = 1;
constexpr LONG kFormFooter = 2;

constexpr const char* kProductAddress = "https://pollenta.velquin.example/";

std::string ToUtf8(const std::string& ansi) { return GetACP() == CP_UTF8 ? ansi : Recode(ansi, CP_ACP, CP_UTF8); }

}  // namespace

CWEPageGenerator::CWEPageGenerator(CWEPropertyList& properties, LONG projectId, std::string projectFolder)
    : m_properties(properties), m_projectId(projectId)
{
    m_state.projectFolder = std::move(projectFolder);
    m_state.defValues = m_properties.GetNumber("DefValues") != 0;
    m_state.pictureConverter = std::make_unique<CWEPictureConverter>(
        m_state.projectFolder, m_properties.GetNumber("FixRatio") != 0, m_state.pictureNames);
    m_state.pictures = std::make_unique<CWEPictureExtractor>(*m_state.pictureConverter);
}

HRESULT CWEPageGenerator::Generate(IDispatch* application, IDispatch* form, LONG generation, LONG& result)
{
    result = 0;
    std::optional<std::string> source = ReadText(form, "RecordSource");
    if (source && !source->empty()) {
        if (source->front() != '[')
            source = "[" + *source + "]";
        m_recordSource = source;
        CWETableDescription(m_state, m_projectId, m_properties).Store(application, *source);
    } else {
        m_state.Warn(form, kWarnNoRecordSource);
    }
    m_background = BackgroundAttribute(form);
    std::optional<LONG> bodyColour;
    const std::string sections = Sections(form, bodyColour);
    const std::string head = Head();
    const std::string body = FormStart(generation, bodyColour) + sections;
    const std::string tail = "</FORM>\r\n</BODY>\r\n</HTML>\r\n";
    if (m_state.defaultsGiven == 0 && m_state.defValues)
        m_state.Warn(form, kWarnNoDefaultGiven);
    if (m_state.submitButtons == 0)
        m_state.Warn(form, kWarnNoSubmitButton);
    const HRESULT hr = WritePage(ToUtf8(head), ToUtf8(body), ToUtf8(tail));
    if (FAILED(hr))
        return hr;
    result = m_state.severe ? 2 : m_state.warnings.empty() ? 0 : 1;
    return S_OK;
}

std::string CWEPageGenerator::BackgroundAttribute(IDispatch* form)
{
    CWEPictureExtractor::Picture picture;
    std::vector<LONG> warnings;
    m_hasBackgroundPicture = m_state.pictures->GetPicture(form, picture, warnings);
    for (LONG id : warnings)
        m_state.Warn(form, id);
    if (!m_hasBackgroundPicture)
        return "";
    if (m_properties.GetNumber("UseSectionBackground") == 0)
        m_state.Warn(form, kWarnBackgroundLeftOut);
    std::string attribute = " BACKGROUND=\"" + picture.fileName + "\"";
    if (!picture.css.empty())
        attribute += " Style=\"" + picture.css + "\"";
    return attribute;
}

std::string CWEPageGenerator::Sections(IDispatch* form, std::optional<LONG>& bodyColour)
{
    std::string body;
    double top = 0;
    for (LONG index : {kFormHeader, kDetail, kFormFooter}) {
        CComPtr<IDispatch> section = ReadItem(form, "Section", index);
        if (!section)
            continue;
        double height = 0;
        std::optional<LONG> colour;
        body += SectionDiv(section, top, height, colour);
        top += height;
        if (index == kDetail && m_properties.GetNumber("UseSectionBackground") != 0)
            bodyColour = colour;
    }
    return body;
}

std::string CWEPageGenerator::SectionDiv(IDispatch* section, double top, double& height, std::optional<LONG>& colour)
{
    CComPtr<IDispatch> controls = ReadObject(section, "Controls");
    const LONG count = ReadLong(controls, "Count").value_or(0);
    if (count == 0 && m_properties.GetNumber("NoEmptySections") != 0)
        return "";
    height = ReadLong(section, "Height").value_or(0);
    std::string div = "<DIV ";
    std::optional<std::string> name = ReadText(section, "ControlName");
    if (!name)
        name = ReadText(section, "FormName");
    if (!name)
        name = ReadText(section, "Name");
    if (name && !name->empty())
        div += "id=\"" + EscapeAttribute(*name) + "\" ";
    div += "Style=\"";
    colour = ReadLong(section, "BackColor");
    if (colour && !m_hasBackgroundPicture)
        div += "background-color: " + ColorText(*colour) + "; ";
    div += "TOP: " + Centimetres(top) + "cm; LEFT: 0cm; HEIGHT: " + Centimetres(height) +
           "cm; WIDTH: 100%; POSITION: absolute\">\r\n";
    CWEControlWriter writer(m_state);
    for (LONG i = 0; i < count; ++i)
        if (CComPtr<IDispatch> control = ReadItem(controls, "Item", i))
            i += writer.Write(control, div, CWEControlWriter::Place());
    return div + "</DIV>\r\n";
}

std::string CWEPageGenerator::Head() const
{
    std::string head = "<HTML>\r\n<HEAD>\r\n<META http-equiv=content-type content=\"text/html; charset=utf-8\">\r\n";
    head += "<META name=\"GENERATOR\" content=\"Pollenta; " + std::string(kProductAddress) + "\"\r\n>";
    const std::vector<std::string>& styles = m_state.styles.Entries();
    if (!styles.empty()) {
        head += "<STYLE type=\"text/css\">\r\n";
        for (size_t i = 0; i < styles.size(); ++i)
            head += "  .Style" + std::to_string(i) + " " + styles[i] + "\r\n";
        head += "</STYLE>\r\n";
    }
    return head + "</HEAD>\r\n";
}

std::string CWEPageGenerator::FormStart(LONG generation, const std::optional<LONG>& bodyColour)
{
    std::string text = "<BODY LEFTMARGIN=0 TOPMARGIN=0 RIGHTMARIGN=0 BOTTOMMARGIN=0";
    if (const std::string colour = bodyColour ? AttributeColorText(*bodyColour) : ""; !colour.empty())
        text += " BGCOLOR=" + colour;
    text += m_background + ">\r\n";
    text += "<!-- Generated " + std::to_string(generation) + " -->\r\n";
    // The address and subject are parts of a URL: encoded, so that "&", "#"
    // or "?" in a subject do not cut it short.
    std::string action = "mailto:" + PercentEncode(ToUtf8(m_properties.GetText("Email")), "@!$'()*+,;=");
    const std::string subject = m_properties.GetText("Subject");
    if (!subject.empty())
        action += "?Subject=" + PercentEncode(ToUtf8(subject));
    // The page is UTF-8; without ACCEPT-CHARSET a browser may post in the
    // charset the respondent switched the page to.
    text += "<FORM ACTION=\"" + EscapeAttribute(action) + "\" METHOD=POST ACCEPT-CHARSET=\"UTF-8\">\r\n";
    text += "<INPUT TYPE=HIDDEN NAME=kqProjectID VALUE=\"" + std::to_string(m_projectId) + "\">\r\n";
    if (m_properties.GetNumber("CollectRecipients") != 0)
        text += "<INPUT TYPE=HIDDEN NAME=RecipientEmail VALUE=\"%%RECIPIENT%%\">\r\n";
    return text;
}

HRESULT CWEPageGenerator::WritePage(const std::string& head, const std::string& body, const std::string& tail) const
{
    std::FILE* file = std::fopen(FileSystemPath(m_state.projectFolder + "/index.html").c_str(), "wb");
    if (!file)
        return E_FAIL;
    bool whole = true;
    for (const std::string* part : {&head, &body, &tail})
        whole = whole && std::fwrite(part->data(), 1, part->size(), file) == part->size();
    // A full disk may show only when the buffer is flushed.
    whole = std::fclose(file) == 0 && whole;
    return whole ? S_OK : E_FAIL;
}
