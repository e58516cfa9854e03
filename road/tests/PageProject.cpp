#include "PageProject.h"

#include "RoadFailure.h"

#include "wizard/CWEErrors.h"
#include "wizard/CWEFieldsDataSet.h"
#include "wizard/CWEHTMLChecker.h"
#include "wizard/CWEHTMLDocument.h"
#include "wizard/CWEProjectCreator.h"
#include "wizard/CWEProjectSettings.h"

#include "html/MimeCodePages.h"
#include "win/CodePage.h"

#include <sqlite3.h>

namespace {

std::string ErrorList(const CWEErrors& errors)
{
    std::string text;
    for (std::size_t i = 0; i < errors.GetCount(); ++i)
        text += "\n" + errors.GetText(i);
    return text;
}

// The page's code page as the wizard's list offers it.
void ChooseCodePage(CWEProjectSettings& settings, const std::string& charset)
{
    std::vector<MIMECPINFO> pages;
    EnumCodePages(MIMECONTF_BROWSER, 0, pages);
    for (const MIMECPINFO& page : pages)
        if (ToNarrow(page.wszWebCharset, CP_UTF8) == charset) {
            settings.m_CodePage = page;
            return;
        }
    throw RoadFailure("the wizard offers no code page " + charset);
}

// What choosing a new file in the data-link prompt does.
void MakeEmptyDatabase(const std::filesystem::path& path)
{
    std::filesystem::create_directories(path.parent_path());
    sqlite3* db = nullptr;
    const int rc = sqlite3_open(path.c_str(), &db);
    sqlite3_close(db);
    Require(rc == SQLITE_OK, "cannot make the database " + path.string());
}

}  // namespace

std::string MakeProjectFromPage(const PageProjectRequest& request)
{
    CWEHTMLDocument document;
    CWEErrors errors;
    CWEProjectSettings settings;
    CWEFieldsDataSet fields;
    const std::string page = request.page.string();
    CWEHTMLChecker().Check(document, page, errors, settings);
    Require(errors.CountErrors() == 0, "the wizard refuses the page:" + ErrorList(errors));
    fields.Build(*document.Document());
    errors.RemoveAll();

    MakeEmptyDatabase(request.database);
    settings.m_strSourcePath = page;
    settings.m_strEmail = request.email;
    settings.m_strSubject = request.subject;
    settings.m_lCollectRecipients = 1;
    settings.m_lCollectSenders = 1;
    settings.m_strConnectionString = "Provider=SQLite;Data Source=" + request.database.string();
    settings.m_strRecordSource = request.table;
    ChooseCodePage(settings, "windows-1252");

    CWEProjectCreator creator(&document, &errors, &settings, &fields, CWEProjectCreator::kCreating);
    Require(creator.Create() == 1, "the wizard could not create the project:" + ErrorList(errors));
    return settings.m_strProjectName;
}
