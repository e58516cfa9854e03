// The installer and command-line entry points of the library: an import run
// by dllrun in a process of its own, and the ones that ask the user run here
// with a hook answering their boxes.

#include "FormTextWriter.h"
#include "ProjectlibTestFolder.h"
#include "SqliteTestFile.h"

#include "ui/MessageBox.h"
#include "win/Msi.h"

#include <dlfcn.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

const std::string kBinDir = POLLENTA_BIN_DIR;
const std::string kMenuAddins = "SOFTWARE\\Microsoft\\Office\\11.0\\Access\\Menu Add-Ins";

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// The exit status of dllrun; what it writes to standard error goes into
// `errors` when given.
int DllRun(const std::string& arguments, const fs::path* errors = nullptr)
{
    const std::string redirect = errors ? " 2>" + Quoted(errors->string()) : "";
    const int status = std::system((Quoted(kBinDir + "/dllrun") + " " + arguments + redirect).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

FormTextWriter SurveyForm()
{
    FormTextWriter form;
    form.Begin("Form").Text("RecordSource", "Answers").Begin().Begin("Section").Number("Height", 1134).Begin();
    form.Begin("TextBox").Text("Name", "Town").Text("ControlSource", "Town").End();
    form.Begin("CommandButton").Text("Name", "Submit").Text("Caption", "Send").End();
    form.End().End().End().End();
    return form;
}

class EntryPointsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.SeedDataDir();
        ProjectlibTestFolder::SetText(HKEY_CURRENT_USER, "Software\\Other", "Kept", "yes");
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_LOCAL_MACHINE, kMenuAddins.c_str(), 0, nullptr, 0,
                                                KEY_ALL_ACCESS, nullptr, &key, nullptr));
        RegCloseKey(key);
        for (const char* module : {"Gastrel.so", "Access.so"})
            ASSERT_EQ(0, std::system((Quoted(kBinDir + "/regsvr") + " /s " + Quoted(kBinDir + "/" + module)).c_str()));
        fs::create_directories(folder.Path() / "db" / "forms");
        database.SetPath((folder.Path() / "db" / "survey.db").string());
        database.Sql("CREATE TABLE Answers (Town VARCHAR(50))");
        std::ofstream(folder.Path() / "db" / "forms" / "Survey.bas", std::ios::binary) << SurveyForm().Utf16LeWithBom();
    }
    void TearDown() override
    {
        SetMessageBoxHook({});
        if (gastrel)
            dlclose(gastrel);
    }

    std::vector<std::string> Projects() const
    {
        return folder.Subkeys(HKEY_CURRENT_USER, std::string(ProjectlibTestFolder::kProductKey) + "\\Projects");
    }
    std::optional<std::string> ProjectText(const std::string& id, const char* name) const
    {
        return folder.Text(HKEY_CURRENT_USER, folder.ProjectKey(std::stol(id)), name);
    }
    std::optional<DWORD> ProjectNumber(const std::string& id, const char* name) const
    {
        return folder.Number(HKEY_CURRENT_USER, folder.ProjectKey(std::stol(id)), name);
    }

    template <class Entry>
    Entry Export(const char* name)
    {
        if (!gastrel)
            gastrel = dlopen((kBinDir + "/Gastrel.so").c_str(), RTLD_NOW);
        EXPECT_NE(nullptr, gastrel) << dlerror();
        return gastrel ? reinterpret_cast<Entry>(dlsym(gastrel, name)) : nullptr;
    }
    UINT CustomAction(const char* name, const std::string& data)
    {
        const MSIHANDLE session = MsiOpenPropertySession({{"CustomActionData", data}});
        const UINT result = Export<UINT (*)(MSIHANDLE)>(name)(session);
        MsiCloseHandle(session);
        return result;
    }
    // Answers every box with the next of `answers`, recording what it said.
    void AnswerBoxes(std::vector<int> answers)
    {
        SetMessageBoxHook([this, answers](const MessageBoxRequest& request) {
            boxes.push_back(request);
            return answers.at(std::min(boxes.size(), answers.size()) - 1);
        });
    }
    std::string Import(const std::string& switches, const std::string& name, const std::string& form,
                       const std::string& parameters = "")
    {
        return switches + " \"" + name + "\" \"" + database.Path() + "\" " + form + " " + parameters;
    }

    ProjectlibTestFolder folder;
    SqliteTestFile database;
    void* gastrel = nullptr;
    std::vector<MessageBoxRequest> boxes;
};

TEST_F(EntryPointsTest, MsaDbRegCLFromTheCommandLineMakesAFinalizedProjectWithItsPageAndFields)
{
    const std::string line = "/SILENT \"My \"\"best\"\" survey\" " + database.Path() +
                             " Survey Email|text|ann@example.com|IsSample|BOOL|1|";
    ASSERT_EQ(0, DllRun(Quoted(kBinDir + "/Gastrel.so") + " MsaDbRegCL " + Quoted(line)));
    const std::vector<std::string> projects = Projects();
    ASSERT_EQ(1u, projects.size());
    const std::string& id = projects[0];
    EXPECT_EQ("My \"best\" survey", ProjectText(id, "ProjectName"));
    EXPECT_EQ(1u, ProjectNumber(id, "Completed"));
    EXPECT_EQ(static_cast<DWORD>(-1), ProjectNumber(id, "IsSample"));  // a true boolean
    EXPECT_EQ("ann@example.com", ProjectText(id, "Email"));
    EXPECT_EQ("[Answers]", ProjectText(id, "RecordSource"));
    EXPECT_EQ((std::vector<std::string>{"Town"}),
              folder.Subkeys(HKEY_CURRENT_USER, folder.ProjectKey(std::stol(id)) + "\\Fields"));
    EXPECT_TRUE(fs::exists(folder.DataDir() / id / "index.html"));
}

TEST_F(EntryPointsTest, AFailingImportLeavesNoProjectBehindAndExitsWithItsResult)
{
    const struct {
        const char* name;
        std::string line;
        int exitStatus;
        const char* told;
    } cases[] = {
        {"form missing", Import("/SILENT", "Survey", "Missing"), 7, "Failed to open form in the design mode (0x8007"},
        {"no submit button, so severe", Import("/SILENT", "Survey", "Survey", "x"), 11,
         "Pollenta component error while generating HTML code for the form."},
        {"database missing", "/SILENT Survey /nowhere/none.db Survey", 3, "Unable to open database (0x8007"},
        {"too few words", "/SILENT Survey", 255, "Result code: -1"},
    };
    database.Sql("DROP TABLE Answers");  // the form's record source no longer reads
    const fs::path errors = folder.Path() / "errors.txt";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.exitStatus, DllRun(Quoted(kBinDir + "/Gastrel.so") + " MsaDbRegCL " + Quoted(c.line), &errors));
        EXPECT_NE(std::string::npos, ReadAll(errors).find(c.told)) << ReadAll(errors);
        EXPECT_EQ(0u, Projects().size());
        EXPECT_TRUE(fs::is_empty(folder.DataDir()) || !fs::exists(folder.DataDir()));
    }
}

TEST_F(EntryPointsTest, ASilentImportThatSucceedsExitsWithZeroAndSaysSoOnStandardError)
{
    const fs::path errors = folder.Path() / "errors.txt";
    EXPECT_EQ(0, DllRun(Quoted(kBinDir + "/Gastrel.so") + " MsaDbRegCL " +
                            Quoted(Import("/SILENT", "Survey", "Survey")), &errors));
    const std::string told = ReadAll(errors);
    EXPECT_NE(std::string::npos, told.find("Pollenta Installation: Project 'Survey' is succesfuly created.")) << told;
    EXPECT_NE(std::string::npos, told.find("Result code: 0")) << told;
    EXPECT_EQ(1u, Projects().size());
}

TEST_F(EntryPointsTest, MsaDbRegMSITakesItsCommandLineFromTheInstallerProperty)
{
    EXPECT_EQ(0, DllRun("/msi " + Quoted(kBinDir + "/Gastrel.so") + " MsaDbRegMSI " +
                     Quoted("CustomActionData=" + Import("/SILENTOK", "Survey", "Survey"))));
    EXPECT_EQ(1u, Projects().size());
}

TEST_F(EntryPointsTest, TellsAboutAFailureWithItsResultAndLetsTheUserRetryOrIgnore)
{
    AnswerBoxes({IDABORT});
    EXPECT_EQ(ERROR_INSTALL_FAILURE, CustomAction("MsaDbRegMSI", Import("/SILENTOK", "Survey", "Missing")));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Pollenta Installation", boxes[0].caption) << boxes[0].text;
    EXPECT_EQ(MB_ABORTRETRYIGNORE | MB_ICONERROR, boxes[0].type);
    EXPECT_NE(std::string::npos, boxes[0].text.find("Failed to open form in the design mode (0x8007"));
    EXPECT_NE(std::string::npos, boxes[0].text.find("  Form: Missing\r\n"));
    EXPECT_NE(std::string::npos, boxes[0].text.find("  Switches: <empty string>\r\n"));
    EXPECT_EQ(std::string::npos, boxes[0].text.find("%"));
    EXPECT_TRUE(boxes[0].text.ends_with("\r\n\r\nResult code: 7")) << boxes[0].text;

    boxes.clear();
    AnswerBoxes({IDRETRY, IDIGNORE});
    EXPECT_EQ(ERROR_SUCCESS, CustomAction("MsaDbRegMSI", Import("/SILENTOK", "Survey", "Missing")));
    EXPECT_EQ(2u, boxes.size());
    EXPECT_EQ(0u, Projects().size());

    boxes.clear();
    AnswerBoxes({IDOK});
    EXPECT_EQ(ERROR_INSTALL_FAILURE, CustomAction("MsaDbRegMSI", "/SILENTOK Survey"));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].text.find("Result code: -1"));
}

TEST_F(EntryPointsTest, ASampleThatExistsAlreadyStaysSilent)
{
    const std::string line = Import("/SILENTDP", "Sample", "Survey", "IsSample|BOOL|1|");
    AnswerBoxes({IDOK});
    EXPECT_EQ(ERROR_SUCCESS, CustomAction("MsaDbRegMSI", line));
    EXPECT_EQ(ERROR_INSTALL_FAILURE, CustomAction("MsaDbRegMSI", line));
    EXPECT_EQ(0u, boxes.size());
    // Not a sample: the user hears of it.
    EXPECT_EQ(ERROR_INSTALL_FAILURE, CustomAction("MsaDbRegMSI", Import("/SILENTDP", "Sample", "Survey")));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].text.find("Pollenta project with this name is already exist."));
}

TEST_F(EntryPointsTest, DeleteAllProjectsCLDeletesTheSamplesOrEverything)
{
    ASSERT_EQ(ERROR_SUCCESS, CustomAction("MsaDbRegMSI", Import("/SILENT", "Sample", "Survey", "IsSample|i|1|")));
    ASSERT_EQ(ERROR_SUCCESS, CustomAction("MsaDbRegMSI", Import("/SILENT", "Own", "Survey")));
    ASSERT_EQ(2u, Projects().size());
    auto deleteProjects = Export<void (*)(HWND, HINSTANCE, LPSTR, int)>("DeleteAllProjectsCL");
    char sample[] = "SAMPLE";
    deleteProjects(nullptr, nullptr, sample, 1);
    ASSERT_EQ(1u, Projects().size());
    EXPECT_EQ("Own", ProjectText(Projects()[0], "ProjectName"));
    char all[] = "";
    deleteProjects(nullptr, nullptr, all, 1);
    EXPECT_EQ(0u, Projects().size());
    EXPECT_FALSE(fs::exists(folder.DataDir()));
}

TEST_F(EntryPointsTest, UninstallRemovesProjectsLogsAndSettingsAndNothingElse)
{
    ASSERT_EQ(ERROR_SUCCESS, CustomAction("MsaDbRegMSI", Import("/SILENT", "Sample", "Survey", "IsSample|i|1|")));
    ASSERT_EQ(ERROR_SUCCESS, CustomAction("MsaDbRegMSI", Import("/SILENT", "Own", "Survey")));
    AnswerBoxes({IDYES});
    EXPECT_EQ(ERROR_SUCCESS, CustomAction("UninstallMSI", ""));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Pollenta Uninstallation", boxes[0].caption);
    EXPECT_EQ(MB_YESNO | MB_ICONQUESTION, boxes[0].type);
    EXPECT_EQ(1u, Projects().size());
    EXPECT_TRUE(folder.KeyExists(HKEY_CURRENT_USER, ProjectlibTestFolder::kProductKey));

    AnswerBoxes({IDNO});
    EXPECT_EQ(ERROR_SUCCESS, CustomAction("UninstallMSI", ""));
    EXPECT_FALSE(folder.KeyExists(HKEY_CURRENT_USER, ProjectlibTestFolder::kProductKey));
    EXPECT_FALSE(fs::exists(folder.DataDir()));
    EXPECT_EQ("yes", folder.Text(HKEY_CURRENT_USER, "Software\\Other", "Kept"));
    EXPECT_TRUE(folder.KeyExists(HKEY_LOCAL_MACHINE, kMenuAddins));
    EXPECT_TRUE(fs::exists(database.Path()));
}

}  // namespace
