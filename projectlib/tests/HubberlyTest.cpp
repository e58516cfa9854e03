// The Hubberly object used directly: settings, projects in the registry and
// on disk, and the answers to bad input.

#include "CHubberly.h"
#include "HubberlyTestSupport.h"
#include "ProjectlibTestFolder.h"

#include "com/ComPtr.h"
#include "win/CodePage.h"

#include <fstream>

namespace fs = std::filesystem;

namespace {

class HubberlyTest : public ::testing::Test {
protected:
    void SetUp() override { folder.SeedDataDir(); }

    CComPtr<IHubberly> New()
    {
        CComPtr<IHubberly> hubberly;
        EXPECT_EQ(S_OK, CHubberly::CreateInstance(IID_IHubberly, reinterpret_cast<void**>(&hubberly),
                                                  CWEProjectStore(folder.ModuleDir().string())));
        return hubberly;
    }

    std::optional<std::string> ProjectText(LONG id, const char* name) const
    {
        return folder.Text(HKEY_CURRENT_USER, folder.ProjectKey(id), name);
    }
    std::optional<DWORD> ProjectNumber(LONG id, const char* name) const
    {
        return folder.Number(HKEY_CURRENT_USER, folder.ProjectKey(id), name);
    }
    fs::path ProjectFolder(LONG id) const { return folder.DataDir() / std::to_string(id); }
    std::optional<DWORD> Counter() const
    {
        return folder.Number(HKEY_CURRENT_USER, folder.kProductKey, "ProjectsCounter");
    }

    // A completed project with a picture file in its folder.
    LONG Finished(const char* name)
    {
        CComPtr<IHubberly> hubberly = New();
        LONG id = Create(hubberly, name);
        std::ofstream(ProjectFolder(id) / "_kqwpic_000.png") << "png";
        EXPECT_EQ(S_OK, hubberly->FinalizeProject(id));
        return id;
    }

    ProjectlibTestFolder folder;
};

TEST_F(HubberlyTest, FreshObjectHoldsTheDefaults)
{
    CComPtr<IHubberly> hubberly = New();
    EXPECT_EQ("survey@example.com", TextProperty(hubberly, "Email"));
    EXPECT_EQ("[OK]", TextProperty(hubberly, "SuccessMark"));
    EXPECT_EQ("[FAIL]", TextProperty(hubberly, "FailedMark"));
    EXPECT_EQ("Survey results", TextProperty(hubberly, "Subject"));
    EXPECT_EQ(0u, TextProperty(hubberly, "TextBlock").find("You mail client cannot display HTML.\r\n"
                                                            "You can fill the survey form online at "));
    EXPECT_EQ(1, NumberProperty(hubberly, "NoEmptySections"));
    EXPECT_EQ(2, NumberProperty(hubberly, "Viewer"));
    EXPECT_EQ(1, NumberProperty(hubberly, "FixRatio"));
    EXPECT_EQ(0, NumberProperty(hubberly, "DefValues"));
    EXPECT_EQ(VT_EMPTY, Property(hubberly, "ProjectName").vt);
    EXPECT_EQ(VT_EMPTY, Property(hubberly, "Completed").vt);
}

TEST_F(HubberlyTest, PropertiesByNameInAnyCaseAndByType)
{
    CComPtr<IHubberly> hubberly = New();
    EXPECT_EQ("survey@example.com", TextProperty(hubberly, "email"));

    EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant("UseTextBlock"), CComVariant(true)));
    EXPECT_EQ(-1, NumberProperty(hubberly, "usetextblock"));
    EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant("Viewer"), CComVariant(SHORT{-3})));
    EXPECT_EQ(-3, NumberProperty(hubberly, "Viewer"));
    EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant("viewer"), CComVariant("three")));
    EXPECT_EQ("three", TextProperty(hubberly, "Viewer"));
    EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant("Custom"), CComVariant(LONG{7})));
    EXPECT_EQ(7, NumberProperty(hubberly, "CUSTOM"));

    CComVariant unknown;
    EXPECT_EQ(S_OK, hubberly->GetProperty(CComVariant("NoSuchName"), &unknown));
    EXPECT_EQ(VT_EMPTY, unknown.vt);
}

TEST_F(HubberlyTest, WrongArgumentTypesChangeNothing)
{
    CComPtr<IHubberly> hubberly = New();
    EXPECT_EQ(E_INVALIDARG, hubberly->SetProperty(CComVariant(LONG{1}), CComVariant("x")));
    EXPECT_EQ(E_INVALIDARG, hubberly->SetProperty(CComVariant("Subject"), CComVariant(2.5)));
    EXPECT_EQ("Survey results", TextProperty(hubberly, "Subject"));

    CComVariant value(LONG{5});
    EXPECT_EQ(E_INVALIDARG, hubberly->GetProperty(CComVariant(LONG{1}), &value));
    EXPECT_EQ(VT_EMPTY, value.vt);

    LONG id = -1;
    EXPECT_EQ(E_INVALIDARG, hubberly->CreateProject(CComVariant(LONG{12}), &id));
    EXPECT_FALSE(Counter());
    EXPECT_EQ(E_INVALIDARG, hubberly->GetProjectProperty(4096, CComVariant(LONG{1}), &value));
    EXPECT_EQ(E_INVALIDARG, hubberly->GetProjectProperty(0, CComVariant("Subject"), &value));
    EXPECT_EQ(E_INVALIDARG, hubberly->GetProjectProperty(-4096, CComVariant("Subject"), &value));
}

TEST_F(HubberlyTest, NullTextsReadAsEmpty)
{
    CComPtr<IHubberly> hubberly = New();
    VARIANT nullText;
    VariantInit(&nullText);
    nullText.vt = VT_BSTR;
    nullText.bstrVal = nullptr;
    EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant("Subject"), nullText));
    EXPECT_EQ("", TextProperty(hubberly, "Subject"));
    CComVariant value;
    EXPECT_EQ(S_OK, hubberly->GetProperty(nullText, &value));
    EXPECT_EQ(VT_EMPTY, value.vt);
}

TEST_F(HubberlyTest, ErrorStrings)
{
    CComPtr<IHubberly> hubberly = New();
    BSTR text = nullptr;
    ASSERT_EQ(S_OK, hubberly->GetErrorString(2, &text));
    EXPECT_EQ("Specified project is not exist.", TextOf(text));
    ASSERT_EQ(S_OK, hubberly->GetErrorString(11, &text));
    EXPECT_EQ("Field is not found.", TextOf(text));
    ASSERT_EQ(S_OK, hubberly->GetErrorString(20, &text));
    EXPECT_EQ("Created record was not saved because it violates the structure of the underlying database "
              "(adRecSchemaViolation).",
              TextOf(text));
    ASSERT_EQ(S_OK, hubberly->GetErrorString(21, &text));
    EXPECT_EQ("Unknown error, code 21.", TextOf(text));
    ASSERT_EQ(S_OK, hubberly->GetErrorString(0x7FFFFFFF, &text));
    EXPECT_EQ("Unknown error, code 2147483647.", TextOf(text));
    // A failed call hands back no text, whatever the variable held before.
    BSTR stale = SysAllocString(u"stale");
    text = stale;
    EXPECT_EQ(E_INVALIDARG, hubberly->GetErrorString(1, &text));
    EXPECT_EQ(nullptr, text);
    text = stale;
    EXPECT_EQ(E_INVALIDARG, hubberly->GetErrorString(-5, &text));
    EXPECT_EQ(nullptr, text);
    SysFreeString(stale);
}

TEST_F(HubberlyTest, WarningIndexesOutsideTheListAreRejected)
{
    CComPtr<IHubberly> hubberly = New();
    LONG count = -1;
    ASSERT_EQ(S_OK, hubberly->get_WarningsCount(&count));
    EXPECT_EQ(0, count);
    BSTR stale = SysAllocString(u"stale");
    BSTR name = stale;
    LONG id = 0;
    EXPECT_EQ(E_INVALIDARG, hubberly->WarningObjectName(count, &name));
    EXPECT_EQ(nullptr, name);
    name = stale;
    EXPECT_EQ(E_INVALIDARG, hubberly->WarningObjectName(-1, &name));
    EXPECT_EQ(nullptr, name);
    SysFreeString(stale);
    EXPECT_EQ(E_INVALIDARG, hubberly->WarningId(count, &id));
}

TEST_F(HubberlyTest, SettingsReachTheRegistryOnlyWhileAProjectIsCurrent)
{
    CComPtr<IHubberly> hubberly = New();
    EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant("Subject"), CComVariant("Before")));
    LONG id = Create(hubberly, "Survey");
    ASSERT_GT(id, 0);
    EXPECT_FALSE(ProjectText(id, "Subject"));
    EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant("subject"), CComVariant("After")));
    EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant("Viewer"), CComVariant(LONG{3})));
    EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant("RecordSource"), CComVariant("[Answers]")));
    // The value goes under the name as the list first held it.
    EXPECT_EQ("After", ProjectText(id, "Subject"));
    EXPECT_EQ(3u, ProjectNumber(id, "Viewer"));
    EXPECT_EQ("[Answers]", ProjectText(id, "RecordSource"));
    EXPECT_EQ("Survey", ProjectText(id, "ProjectName"));
}

TEST_F(HubberlyTest, NewProjectHasKeyFolderAndGrowingId)
{
    CComPtr<IHubberly> hubberly = New();
    LONG first = Create(hubberly, "Survey");
    ASSERT_GT(first, 0);
    EXPECT_EQ(1, first / 4096);
    EXPECT_LT(first % 4096, 4095);
    EXPECT_TRUE(fs::is_directory(ProjectFolder(first)));
    EXPECT_EQ(0u, ProjectNumber(first, "Completed").value_or(0));

    BSTR text = nullptr;
    ASSERT_EQ(S_OK, hubberly->GetProjectName(first, &text));
    EXPECT_EQ("Survey", TextOf(text));
    ASSERT_EQ(S_OK, hubberly->GetProjectDir(first, &text));
    EXPECT_EQ(ProjectFolder(first).string(), TextOf(text));

    // Creating again before finalizing replaces the unfinished project.
    LONG second = Create(hubberly, "Survey");
    EXPECT_GT(second, first);
    EXPECT_EQ(2, second / 4096);
    EXPECT_FALSE(folder.KeyExists(HKEY_CURRENT_USER, folder.ProjectKey(first)));
    EXPECT_FALSE(fs::exists(ProjectFolder(first)));
    EXPECT_TRUE(fs::is_directory(ProjectFolder(second)));
    EXPECT_EQ(2u, Counter());
    EXPECT_EQ(std::vector<LONG>{second}, Projects(hubberly, 0));
}

TEST_F(HubberlyTest, FinalizedProjectBecomesTheDefaultsOfTheNextObject)
{
    CComPtr<IHubberly> hubberly = New();
    LONG id = Create(hubberly, "Survey");
    hubberly->SetProperty(CComVariant("Subject"), CComVariant("Answers to the survey"));
    hubberly->SetProperty(CComVariant("Email"), CComVariant("answers@example.org"));
    ASSERT_EQ(S_OK, hubberly->FinalizeProject(id));

    EXPECT_EQ(1u, ProjectNumber(id, "Completed"));
    EXPECT_EQ(static_cast<DWORD>(id), folder.Number(HKEY_CURRENT_USER, folder.kProductKey, "LastProjectID"));
    // The default text became part of the project.
    EXPECT_EQ(0u, ProjectText(id, "TextBlock").value_or("").find("You mail client cannot display HTML."));
    // The object itself starts over from the project just finalized.
    EXPECT_EQ("Survey", TextProperty(hubberly, "ProjectName"));
    EXPECT_EQ(1, NumberProperty(hubberly, "Completed"));
    EXPECT_EQ(E_FAIL, hubberly->FinalizeProject(id));

    CComPtr<IHubberly> next = New();
    EXPECT_EQ("Answers to the survey", TextProperty(next, "Subject"));
    EXPECT_EQ("answers@example.org", TextProperty(next, "EMAIL"));
    EXPECT_EQ("Survey", TextProperty(next, "ProjectName"));
    EXPECT_EQ("[OK]", TextProperty(next, "SuccessMark"));
}

TEST_F(HubberlyTest, FinalizingAnotherIdChangesNothing)
{
    LONG last = Finished("Earlier");
    CComPtr<IHubberly> hubberly = New();
    EXPECT_EQ(E_FAIL, hubberly->FinalizeProject(0));
    EXPECT_EQ(E_FAIL, hubberly->FinalizeProject(last));
    LONG id = Create(hubberly, "Survey");
    EXPECT_EQ(E_FAIL, hubberly->FinalizeProject(id + 1));
    EXPECT_EQ(E_FAIL, hubberly->FinalizeProject(0));
    EXPECT_EQ(0u, ProjectNumber(id, "Completed").value_or(0));
    EXPECT_EQ(static_cast<DWORD>(last), folder.Number(HKEY_CURRENT_USER, folder.kProductKey, "LastProjectID"));
    EXPECT_EQ(S_OK, hubberly->FinalizeProject(id));
}

TEST_F(HubberlyTest, CompletedNameBlocksANewProjectInAnyLetterCase)
{
    LONG done = Finished("Опрос Survey");
    CComPtr<IHubberly> hubberly = New();
    LONG id = -1;
    ASSERT_EQ(S_OK, hubberly->CreateProject(CComVariant("опрос SURVEY"), &id));
    EXPECT_EQ(0, id);
    EXPECT_EQ(1u, Counter());
    EXPECT_EQ(std::vector<LONG>{done}, Projects(hubberly, 0));
}

TEST_F(HubberlyTest, NamesInASingleByteCodePage)
{
    ASSERT_TRUE(SetAnsiCodePage(1251));
    CComPtr<IHubberly> hubberly = New();
    LONG id = -1;
    ASSERT_EQ(S_OK, hubberly->CreateProject(CComVariant(u"Опрос"), &id));
    ASSERT_EQ(S_OK, hubberly->FinalizeProject(id));
    LONG again = -1;
    ASSERT_EQ(S_OK, hubberly->CreateProject(CComVariant(u"ОПРОС"), &again));
    EXPECT_EQ(0, again);
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, hubberly->GetProjectName(id, &name));
    EXPECT_EQ(u"Опрос", std::u16string(name, SysStringLen(name)));
    SysFreeString(name);
    SetAnsiCodePage(CP_UTF8);
}

TEST_F(HubberlyTest, UnfinishedNamesakesAreReplacedWithoutMissingACompletedOne)
{
    // Two unfinished projects and then a completed one, all of one name.
    CComPtr<IHubberly> first = New();
    CComPtr<IHubberly> second = New();
    LONG unfinishedA = Create(first, "Other A");
    LONG unfinishedB = Create(second, "Other B");
    LONG done = Finished("Other C");
    for (LONG id : {unfinishedA, unfinishedB, done})
        folder.SetText(HKEY_CURRENT_USER, folder.ProjectKey(id), "ProjectName", "Survey");

    CComPtr<IHubberly> third = New();
    LONG id = -1;
    ASSERT_EQ(S_OK, third->CreateProject(CComVariant("SURVEY"), &id));
    EXPECT_EQ(0, id);
    EXPECT_EQ(std::vector<LONG>{done}, Projects(third, 0));
    EXPECT_FALSE(fs::exists(ProjectFolder(unfinishedA)));
    EXPECT_FALSE(fs::exists(ProjectFolder(unfinishedB)));
    EXPECT_TRUE(fs::exists(ProjectFolder(done) / "_kqwpic_000.png"));
}

TEST_F(HubberlyTest, ProjectListsByKind)
{
    LONG plain = Finished("Plain");
    LONG sample = Finished("Sample");
    folder.SetNumber(HKEY_CURRENT_USER, folder.ProjectKey(sample), "IsSample", 1);
    CComPtr<IHubberly> hubberly = New();
    LONG unfinished = Create(hubberly, "Unfinished");
    // Keys under "Projects" that are no project ids are not listed.
    folder.SetText(HKEY_CURRENT_USER, std::string(folder.kProductKey) + "\\Projects\\Notes", "ProjectName", "x");
    folder.SetText(HKEY_CURRENT_USER, std::string(folder.kProductKey) + "\\Projects\\0", "ProjectName", "x");

    EXPECT_EQ((std::vector<LONG>{plain, sample}), Projects(hubberly, 1));
    EXPECT_EQ((std::vector<LONG>{unfinished}), Projects(hubberly, 2));
    EXPECT_EQ((std::vector<LONG>{sample}), Projects(hubberly, 3));
    EXPECT_EQ((std::vector<LONG>{plain, sample, unfinished}), Projects(hubberly, 7));
    EXPECT_EQ((std::vector<LONG>{plain, sample, unfinished}), Projects(hubberly, 0));
    EXPECT_EQ((std::vector<LONG>{plain, sample, unfinished}), Projects(hubberly, -1));
}

TEST_F(HubberlyTest, EmptyStoreListsNothing)
{
    CComPtr<IHubberly> hubberly = New();
    EXPECT_TRUE(Projects(hubberly, 0).empty());
}

TEST_F(HubberlyTest, ProjectPropertyWithDefaults)
{
    LONG id = Finished("Survey");
    folder.SetText(HKEY_CURRENT_USER, folder.ProjectKey(id), "ConnectionString", "Provider=SQLite;Data Source=a.db");
    CComPtr<IHubberly> hubberly = New();
    hubberly->SetProperty(CComVariant("Subject"), CComVariant("Object only"));

    CComVariant value;
    ASSERT_EQ(S_OK, hubberly->GetProjectProperty(id, CComVariant("subject"), &value));
    EXPECT_EQ("Survey results", pollenta::com::AnsiFromBstr(value.bstrVal));
    value.Clear();
    ASSERT_EQ(S_OK, hubberly->GetProjectProperty(id, CComVariant("Completed"), &value));
    EXPECT_EQ(VT_I4, value.vt);
    EXPECT_EQ(1, value.lVal);
    // Only the listed properties are read.
    ASSERT_EQ(S_OK, hubberly->GetProjectProperty(id, CComVariant("ConnectionString"), &value));
    EXPECT_EQ(VT_EMPTY, value.vt);
    // A project without a key gives the defaults.
    ASSERT_EQ(S_OK, hubberly->GetProjectProperty(id + 1, CComVariant("Viewer"), &value));
    EXPECT_EQ(2, value.lVal);
    value.Clear();
    ASSERT_EQ(S_OK, hubberly->GetProjectProperty(id + 1, CComVariant("projectname"), &value));
    ASSERT_EQ(VT_BSTR, value.vt);
    EXPECT_EQ("", pollenta::com::AnsiFromBstr(value.bstrVal));
    EXPECT_EQ("Object only", TextProperty(hubberly, "Subject"));
}

TEST_F(HubberlyTest, DataFieldsOfCompletedProjectsOnly)
{
    CComPtr<IHubberly> hubberly = New();
    LONG unfinished = Create(hubberly, "Unfinished");
    folder.SetNumber(HKEY_CURRENT_USER, folder.ProjectKey(unfinished) + "\\Fields\\Name", "Type", 202);
    CComVariant fields;
    EXPECT_EQ(E_FAIL, hubberly->EnumProjectDatafields(unfinished, &fields));
    EXPECT_EQ(VT_EMPTY, fields.vt);

    LONG bare = Finished("Without fields");
    EXPECT_EQ(E_FAIL, hubberly->EnumProjectDatafields(bare, &fields));
    EXPECT_EQ(E_FAIL, hubberly->EnumProjectDatafields(0, &fields));
    EXPECT_EQ(E_FAIL, hubberly->EnumProjectDatafields(bare + 1, &fields));

    LONG id = Finished("With fields");
    for (const char* name : {"Name", "Age", "Agree"})
        folder.SetNumber(HKEY_CURRENT_USER, folder.ProjectKey(id) + "\\Fields\\" + name, "Type", 3);
    ASSERT_EQ(S_OK, hubberly->EnumProjectDatafields(id, &fields));
    ASSERT_EQ(VT_ARRAY | VT_BSTR, fields.vt);
    std::vector<std::string> names;
    for (LONG i = 0; i < 3; ++i) {
        BSTR name = nullptr;
        ASSERT_EQ(S_OK, SafeArrayGetElement(fields.parray, &i, &name));
        names.push_back(TextOf(name));
    }
    EXPECT_EQ((std::vector<std::string>{"Name", "Age", "Agree"}), names);
    LONG upper = -1;
    SafeArrayGetUBound(fields.parray, 1, &upper);
    EXPECT_EQ(2, upper);
}

TEST_F(HubberlyTest, DeleteRemovesOneProjectCompletely)
{
    LONG kept = Finished("Kept");
    LONG gone = Finished("Gone");
    for (const char* name : {"A", "B", "C"})
        folder.SetNumber(HKEY_CURRENT_USER, folder.ProjectKey(gone) + "\\Fields\\" + name, "Type", 3);
    std::ofstream(ProjectFolder(gone) / "index.html") << "<HTML>";
    std::ofstream(ProjectFolder(gone) / "noextension") << "x";

    CComPtr<IHubberly> hubberly = New();
    EXPECT_EQ(S_OK, hubberly->DeleteProject(gone));
    EXPECT_FALSE(folder.KeyExists(HKEY_CURRENT_USER, folder.ProjectKey(gone)));
    EXPECT_FALSE(fs::exists(ProjectFolder(gone)));
    EXPECT_TRUE(folder.KeyExists(HKEY_CURRENT_USER, folder.ProjectKey(kept)));
    EXPECT_TRUE(fs::exists(ProjectFolder(kept) / "_kqwpic_000.png"));

    // Nothing to delete is fine too.
    EXPECT_EQ(S_OK, hubberly->DeleteProject(gone));
    EXPECT_EQ(S_OK, hubberly->DeleteProject(0));
    EXPECT_EQ(S_OK, hubberly->DeleteProject(-kept));
    EXPECT_EQ(std::vector<LONG>{kept}, Projects(hubberly, 0));
}

TEST_F(HubberlyTest, DeletingTheCurrentProjectResetsTheObject)
{
    Finished("Earlier");
    CComPtr<IHubberly> hubberly = New();
    LONG id = Create(hubberly, "Survey");
    hubberly->SetProperty(CComVariant("Subject"), CComVariant("Changed"));
    EXPECT_EQ(S_OK, hubberly->DeleteProject(id));
    EXPECT_EQ("Survey results", TextProperty(hubberly, "Subject"));
    EXPECT_EQ("Earlier", TextProperty(hubberly, "ProjectName"));
    EXPECT_EQ(E_FAIL, hubberly->FinalizeProject(id));
}

TEST_F(HubberlyTest, EveryDeletionWhileListingIsSeen)
{
    CComPtr<IHubberly> hubberly = New();
    std::vector<LONG> ids;
    for (const char* name : {"One", "Two", "Three", "Four"})
        ids.push_back(Finished(name));
    for (LONG id : Projects(hubberly, 0))
        EXPECT_EQ(S_OK, hubberly->DeleteProject(id));
    EXPECT_TRUE(Projects(hubberly, 0).empty());
    for (LONG id : ids)
        EXPECT_FALSE(fs::exists(ProjectFolder(id)));
}

TEST_F(HubberlyTest, ProjectVanishedBehindTheObject)
{
    LONG earlier = Finished("Earlier");
    CComPtr<IHubberly> hubberly = New();
    LONG id = Create(hubberly, "Survey");
    CComPtr<IHubberly> other = New();
    ASSERT_EQ(S_OK, other->DeleteProject(id));

    // The key is not made again, and the project cannot be completed.
    EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant("Subject"), CComVariant("Late")));
    EXPECT_FALSE(folder.KeyExists(HKEY_CURRENT_USER, folder.ProjectKey(id)));
    EXPECT_EQ(E_FAIL, hubberly->FinalizeProject(id));
    EXPECT_FALSE(folder.KeyExists(HKEY_CURRENT_USER, folder.ProjectKey(id)));
    EXPECT_EQ(static_cast<DWORD>(earlier), folder.Number(HKEY_CURRENT_USER, folder.kProductKey, "LastProjectID"));
}

TEST_F(HubberlyTest, UnknownAndNegativeIds)
{
    LONG id = Finished("Survey");
    CComPtr<IHubberly> hubberly = New();
    BSTR text = nullptr;
    EXPECT_EQ(E_FAIL, hubberly->GetProjectName(0, &text));
    EXPECT_EQ(E_FAIL, hubberly->GetProjectName(-id, &text));
    EXPECT_EQ(E_FAIL, hubberly->GetProjectName(id + 1, &text));
    EXPECT_EQ(E_FAIL, hubberly->GetProjectDir(0, &text));
    EXPECT_EQ(E_FAIL, hubberly->GetProjectDir(-1, &text));
    EXPECT_EQ(nullptr, text);
    // The folder of a project is known whether or not the project exists.
    ASSERT_EQ(S_OK, hubberly->GetProjectDir(id + 1, &text));
    EXPECT_EQ(ProjectFolder(id + 1).string(), TextOf(text));
}

TEST_F(HubberlyTest, FolderThatCannotBeMadeLeavesNothingBehind)
{
    LONG kept = Finished("Kept");
    // A file where the data folder should be: no project folder can be made
    // in it, whatever rights the test runs with.
    const fs::path blocked = folder.Path() / "blocked";
    std::ofstream(blocked) << "file";
    folder.SetText(HKEY_CURRENT_USER, folder.kProductKey, "DataDir", blocked.string());

    CComPtr<IHubberly> hubberly = New();
    LONG id = -1;
    EXPECT_EQ(E_FAIL, hubberly->CreateProject(CComVariant("Survey"), &id));
    EXPECT_EQ(0, id);
    EXPECT_EQ(std::vector<LONG>{kept}, Projects(hubberly, 0));
    EXPECT_EQ(2u, Counter());
    EXPECT_EQ(E_FAIL, hubberly->FinalizeProject(0));
    EXPECT_EQ("Kept", TextProperty(hubberly, "ProjectName"));
}

TEST_F(HubberlyTest, ExistingFolderOfTheNewIdIsNotTakenOver)
{
    CComPtr<IHubberly> hubberly = New();
    // Every id of the next counter value already has a folder.
    for (LONG low = 0; low < 4095; ++low)
        fs::create_directories(folder.DataDir() / std::to_string(4096 + low));
    std::ofstream(folder.DataDir() / "4096" / "foreign.txt") << "not ours";
    LONG id = -1;
    EXPECT_EQ(E_FAIL, hubberly->CreateProject(CComVariant("Survey"), &id));
    EXPECT_TRUE(Projects(hubberly, 0).empty());
    EXPECT_TRUE(fs::exists(folder.DataDir() / "4096" / "foreign.txt"));
}

TEST_F(HubberlyTest, NameTooLongToReadBackIsRefused)
{
    CComPtr<IHubberly> hubberly = New();
    LONG id = -1;
    EXPECT_EQ(E_INVALIDARG, hubberly->CreateProject(CComVariant(std::string(300, 'n')), &id));
    EXPECT_EQ(S_OK, hubberly->CreateProject(CComVariant(std::string(299, 'n')), &id));
    BSTR text = nullptr;
    ASSERT_EQ(S_OK, hubberly->GetProjectName(id, &text));
    EXPECT_EQ(299u, TextOf(text).size());
}

TEST_F(HubberlyTest, CounterAtItsLimitGivesNoId)
{
    folder.SetNumber(HKEY_CURRENT_USER, folder.kProductKey, "ProjectsCounter", 524286);
    CComPtr<IHubberly> hubberly = New();
    LONG id = Create(hubberly, "Last");
    EXPECT_EQ(524287 * 4096, id - id % 4096);
    LONG none = -1;
    EXPECT_EQ(E_FAIL, hubberly->CreateProject(CComVariant("Beyond"), &none));
    EXPECT_EQ(0, none);
}

class HubberlyWithoutDataDirTest : public HubberlyTest {
protected:
    void SetUp() override { folder.SetNumber(HKEY_CURRENT_USER, folder.kProductKey, "ProjectsCounter", 0); }
};

TEST_F(HubberlyWithoutDataDirTest, FirstProjectMakesTheLibraryFolderTheDataFolder)
{
    CComPtr<IHubberly> hubberly = New();
    LONG id = Create(hubberly, "Survey");
    ASSERT_GT(id, 0);
    EXPECT_EQ(folder.ModuleDir().string(), folder.Text(HKEY_CURRENT_USER, folder.kProductKey, "DataDir"));
    EXPECT_TRUE(fs::is_directory(folder.ModuleDir() / std::to_string(id)));
}

TEST_F(HubberlyWithoutDataDirTest, DataFolderOfTheDefaultUser)
{
    folder.SetText(HKEY_USERS, std::string(".DEFAULT\\") + folder.kProductKey, "DataDir", folder.DataDir().string());
    CComPtr<IHubberly> hubberly = New();
    LONG id = Create(hubberly, "Survey");
    EXPECT_TRUE(fs::is_directory(ProjectFolder(id)));
    EXPECT_FALSE(folder.Text(HKEY_CURRENT_USER, folder.kProductKey, "DataDir"));
}

TEST(HubberlyWithoutStoreTest, NoProductKeyNoProject)
{
    ProjectlibTestFolder folder;
    CComPtr<IHubberly> hubberly;
    ASSERT_EQ(S_OK, CHubberly::CreateInstance(IID_IHubberly, reinterpret_cast<void**>(&hubberly),
                                              CWEProjectStore(folder.ModuleDir().string())));
    LONG id = -1;
    EXPECT_EQ(E_FAIL, hubberly->CreateProject(CComVariant("Survey"), &id));
    EXPECT_EQ(0, id);
    EXPECT_EQ("Survey results", TextProperty(hubberly, "Subject"));
}

}  // namespace
