// The wizard's three long steps on a survey page of 1,900 fields (a form
// between <TABLE> and <TR>, windows-1251, a picture): loading the page,
// checking it, and making the project with its page and answer table. Each
// is set beside the bare work of the same kind in the same run: parsing the
// same bytes with libxml2, and writing the finished page and running the
// same CREATE TABLE on the same database with sqlite3.

#include "bench/BenchRow.h"
#include "wizard/CWEFieldsDataSet.h"
#include "wizard/CWEHTMLChecker.h"
#include "wizard/CWEProjectCreator.h"

#include "com/Activation.h"
#include "html/MimeCodePages.h"
#include "win/CodePage.h"
#include "win/Registry.h"

#include <libxml/HTMLparser.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::string SurveyPage(int fields)
{
    std::string page = "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">"
                       "<TITLE>\xC0\xED\xEA\xE5\xF2\xE0</TITLE></HEAD><BODY><IMG SRC=img/logo.gif>"
                       "<TABLE BORDER=0><FORM ACTION=mailto:a@b.cd METHOD=POST>\r\n";
    for (int i = 0; i < fields; ++i)
        page += "<TR><TD>\xC2\xEE\xEF\xF0\xEE\xF1 " + std::to_string(i) + "<TD><INPUT TYPE=TEXT NAME=q" +
                std::to_string(i) + " SIZE=20>\r\n";
    return page + "<TR><TD><INPUT TYPE=SUBMIT VALUE=Send></FORM></TABLE></BODY></HTML>\r\n";
}

void Write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

bool SetText(HKEY root, const char* path, const char* name, const std::string& text)
{
    HKEY key = nullptr;
    if (RegCreateKeyEx(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG rc = RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                  static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

void Ratio(const char* what, double ours, double bare)
{
    std::printf("%-7s ours %9.2f ms   bare %9.2f ms   ratio %6.2f\n", what, ours, bare, ours / bare);
    bench::PrintTimeRow(("wizard: " + std::string(what)).c_str(), "ms", ours, bare);
}

}  // namespace

int main()
{
    const fs::path root = fs::temp_directory_path() / ("pollenta-bench-wizard-" + std::to_string(getpid()));
    fs::create_directories(root / "registry");
    setenv("POLLENTA_REGISTRY", (root / "registry").c_str(), 1);
    SetText(HKEY_CURRENT_USER, "Software\\Velquin Ltd\\Pollenta", "DataDir", (root / "data").string());
    SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\11.0\\Access\\Menu Add-Ins", "", "");
    const std::string regsvr = std::string("'") + POLLENTA_BIN_DIR + "/regsvr' /s '" + POLLENTA_BIN_DIR + "/Gastrel.so'";
    if (std::system(regsvr.c_str()) != 0) {
        std::fprintf(stderr, "bench_wizard: Gastrel.so cannot be registered\n");
        return 1;
    }
    CoInitialize(nullptr);
    const std::string bytes = SurveyPage(1900);
    const std::string pagePath = (root / "site/survey.htm").string();
    Write(pagePath, bytes);
    Write(root / "site/img/logo.gif", "GIF89a");
    const std::string database = (root / "answers.db").string();
    const std::string bareDatabase = (root / "bare.db").string();

    auto start = Clock::now();
    pollenta::html::HtmlDocument loaded;
    loaded.Load(pagePath);
    const double loadOurs = Ms(Clock::now() - start);
    start = Clock::now();
    std::ifstream file(pagePath, std::ios::binary);
    const std::string read((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    xmlDoc* bare = htmlReadMemory(read.data(), static_cast<int>(read.size()), nullptr, "windows-1251",
                                  HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING);
    xmlFreeDoc(bare);
    const double loadBare = Ms(Clock::now() - start);

    CWEHTMLDocument document;
    CWEErrors errors;
    CWEProjectSettings settings;
    start = Clock::now();
    const DWORD checked = CWEHTMLChecker().Check(document, pagePath, errors, settings);
    const double checkOurs = Ms(Clock::now() - start);
    if (checked != 0x200022B0) {
        std::fprintf(stderr, "bench_wizard: the check failed: %s\n", errors.GetText(0).c_str());
        return 1;
    }

    CWEFieldsDataSet fields;
    fields.Build(*document.Document());
    settings.m_strSourcePath = pagePath;
    settings.m_strConnectionString = "Provider=SQLite;Data Source=" + database + ";FailIfMissing=False";
    std::vector<MIMECPINFO> pages;
    EnumCodePages(MIMECONTF_BROWSER, 0, pages);
    for (const MIMECPINFO& page : pages)
        if (ToNarrow(page.wszWebCharset, CP_UTF8) == "windows-1251")
            settings.m_CodePage = page;
    start = Clock::now();
    const int created = CWEProjectCreator(&document, &errors, &settings, &fields, CWEProjectCreator::kCreating).Create();
    const double createOurs = Ms(Clock::now() - start);
    if (!created) {
        std::fprintf(stderr, "bench_wizard: the creation failed: %s\n", errors.GetText(0).c_str());
        return 1;
    }

    start = Clock::now();
    Write(root / "bare/index.html", loaded.Serialize());
    fs::copy_file(root / "site/img/logo.gif", root / "bare/_kqwpic_001.gif");
    sqlite3* db = nullptr;
    sqlite3_open(bareDatabase.c_str(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db, settings.m_strSqlRequest.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const double createBare = Ms(Clock::now() - start);

    std::printf("survey page: %.2f MB, 1900 fields, windows-1251, form between TABLE and TR\n",
                bytes.size() / 1048576.0);
    Ratio("load", loadOurs, loadBare);
    std::printf("check   ours %9.2f ms   (load, walk and picture check; no bare counterpart)\n", checkOurs);
    Ratio("create", createOurs, createBare);
    CoUninitialize();
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
