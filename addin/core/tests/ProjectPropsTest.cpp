// A project's properties read through Gastrel.Hubberly, created by ProgID
// from a library that regsvr registered in this test's registry. This
// program does not link the project library.

#include "AddinTestFolder.h"
#include "Regsvr.h"

#include "project/CWEProjectProps.h"
#include "project/VariantToString.h"

#include "IHubberly.h"

#include "com/Activation.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"

namespace fs = std::filesystem;

namespace {

class ProjectPropsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.m_strLogFolderPath = (folder.Path() / "logs").string();
        fs::create_directories(settings.m_strLogFolderPath);
        log.SetSettings(&settings);
        ASSERT_EQ(S_OK, CoInitialize(nullptr));
    }
    void TearDown() override { CoUninitialize(); }

    void RegisterProjectLibrary()
    {
        AddinTestFolder::SetText(HKEY_CURRENT_USER, CWESettings::kRootKey, "DataDir", DataDir().string());
        AddinTestFolder::SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\11.0\\Access\\Menu Add-Ins", "",
                                 "");
        ASSERT_EQ(0, Regsvr("/s", "Gastrel.so"));
    }

    // A finished project with every property the add-in reads.
    LONG MakeProject()
    {
        CLSID clsid = GUID_NULL;
        EXPECT_EQ(S_OK, CLSIDFromProgID(kHubberlyProgIDW, &clsid));
        CComPtr<IHubberly> hubberly;
        EXPECT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IHubberly,
                                         reinterpret_cast<void**>(&hubberly)));
        if (!hubberly)
            return 0;
        LONG id = 0;
        EXPECT_EQ(S_OK, hubberly->CreateProject(CComVariant("Customer survey"), &id));
        const struct {
            const char* name;
            CComVariant value;
        } properties[] = {
            {"Email", CComVariant("answers@example.com")}, {"Subject", CComVariant("Customer answers")},
            {"SuccessMark", CComVariant("[stored]")},      {"FailedMark", CComVariant("[refused]")},
            {"TextBlock", CComVariant("Read it online")},  {"UseTextBlock", CComVariant(LONG(1))},
            {"CollectRecipients", CComVariant(LONG(1))},   {"CollectSenders", CComVariant(LONG(0))},
        };
        for (const auto& property : properties)
            EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant(property.name), property.value)) << property.name;
        EXPECT_EQ(S_OK, hubberly->FinalizeProject(id));
        return id;
    }

    fs::path DataDir() const { return folder.Path() / "data"; }
    std::string TodaysLog() const
    {
        std::string text;
        for (const auto& entry : fs::directory_iterator(settings.m_strLogFolderPath))
            text += AddinTestFolder::ReadFile(entry.path());
        return text;
    }

    AddinTestFolder folder;
    CWESettings settings;
    CWELog log;
};

}  // namespace

TEST_F(ProjectPropsTest, PropertiesComeBackThroughTheProjectLibrary)
{
    RegisterProjectLibrary();
    const LONG id = MakeProject();
    ASSERT_GT(id, 0);

    CWEProjectProps props;
    ASSERT_EQ(1, props.Load(id, log));
    EXPECT_EQ(id, props.m_lProjectId);
    EXPECT_EQ((DataDir() / std::to_string(id)).string(), props.m_strProjectDir);
    EXPECT_EQ((DataDir() / std::to_string(id) / "index.html").string(), props.GetPagePath());
    EXPECT_EQ("Customer survey", props.m_strProjectName);
    EXPECT_EQ("answers@example.com", props.m_strEmail);
    EXPECT_EQ("Customer answers", props.m_strSubject);
    EXPECT_EQ("[stored]", props.m_strSuccessMark);
    EXPECT_EQ("[refused]", props.m_strFailedMark);
    EXPECT_EQ("Read it online", props.m_strTextBlock);
    EXPECT_EQ(1, props.m_lUseTextBlock);
    EXPECT_EQ(1, props.m_lCollectRecipients);
    EXPECT_EQ(0, props.m_lCollectSenders);
    EXPECT_EQ(1, props.m_lCompleted);
    EXPECT_EQ("", TodaysLog());

    CWEProjectProps copy;
    copy = props;
    EXPECT_EQ(0, copy.m_lProjectId);
    EXPECT_EQ("[stored]", copy.m_strSuccessMark);
    EXPECT_EQ("Read it online", copy.m_strTextBlock);
    EXPECT_EQ(1, copy.m_lCollectRecipients);
    EXPECT_EQ(props.m_strProjectDir, copy.m_strProjectDir);
}

TEST_F(ProjectPropsTest, ProjectZeroFailsAtOnceAndChangesNothing)
{
    CWEProjectProps props;
    EXPECT_EQ(0, props.Load(0, log));
    EXPECT_EQ(0, props.m_lProjectId);
    EXPECT_EQ("Survey results", props.m_strSubject);
    EXPECT_EQ("[OK]", props.m_strSuccessMark);
    EXPECT_EQ("[FAIL]", props.m_strFailedMark);
    EXPECT_EQ("index.html", props.m_strStartPage);
    EXPECT_EQ("", TodaysLog());
}

TEST_F(ProjectPropsTest, UnregisteredLibraryIsLoggedByItsProgID)
{
    CWEProjectProps props;
    EXPECT_EQ(0, props.Load(4097, log));
    EXPECT_EQ(4097, props.m_lProjectId);
    EXPECT_NE(std::string::npos, TodaysLog().find("\tE\tFatal error while creating object \"Gastrel.Hubberly\"\r\n"));
}

TEST_F(ProjectPropsTest, ProjectWithoutFolderIsLoggedAndKeepsItsId)
{
    RegisterProjectLibrary();
    CWEProjectProps props;
    // The library has no folder for an id that no project can have.
    EXPECT_EQ(0, props.Load(-5, log));
    EXPECT_EQ(-5, props.m_lProjectId);
    EXPECT_EQ("Survey results", props.m_strSubject);
    EXPECT_NE(std::string::npos, TodaysLog().find("\tE\tProject folder path retrieving error\r\n"));
}

TEST(VariantToStringTest, NumbersBecomeTheirDecimalTextAndObjectsAreThrown)
{
    std::string text;
    VariantToString(text, CComVariant(LONG(42)));
    EXPECT_EQ("42", text);
    VariantToString(text, CComVariant("Customer answers"));
    EXPECT_EQ("Customer answers", text);
    VARIANT empty;
    VariantInit(&empty);
    VariantToString(text, empty);
    EXPECT_EQ("", text);
    CComVariant object;
    object.vt = VT_UNKNOWN;
    object.punkVal = nullptr;
    EXPECT_THROW(VariantToString(text, object), HRESULT);
}
