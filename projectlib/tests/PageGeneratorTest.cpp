// Survey pages made from forms saved as text by the desktop database
// program: the stand-in registered by regsvr and driven through COM, the
// page parsed with libxml2 the way a browser reads it.

#include "FormPictures.h"
#include "FormTextWriter.h"
#include "HubberlyTestSupport.h"
#include "PageDocument.h"
#include "ProjectlibTestFolder.h"
#include "SqliteTestFile.h"
#include "TestPictures.h"

#include "CHubberly.h"

#include "AccessGuids.h"
#include "com/Activation.h"
#include "com/ComPtr.h"
#include "com/DispatchClient.h"

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using pollenta::com::InvokeByName;

namespace {

const std::string kBinDir = POLLENTA_BIN_DIR;

CComPtr<IDispatch> Member(IDispatch* object, const char* name, std::vector<CComVariant> args = {})
{
    CComVariant value;
    EXPECT_EQ(S_OK, InvokeByName(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, &value)) << name;
    return value.vt == VT_DISPATCH ? CComPtr<IDispatch>(value.pdispVal) : CComPtr<IDispatch>();
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The file names in url('...') of every style, and BACKGROUND of the body.
std::vector<std::string> PictureNames(const PageDocument& page)
{
    std::vector<std::string> names;
    for (const std::string& style : page.Attributes("//span[contains(@style, 'url(')]", "style")) {
        const size_t start = style.find("url('") + 5;
        names.push_back(style.substr(start, style.find("')", start) - start));
    }
    for (const std::string& background : page.Attributes("//body[@background]", "background"))
        names.push_back(background);
    return names;
}

using form_pictures::Bytes;

Bytes PngBytes() { return Encode(Magick::Image(Magick::Geometry(6, 4), Magick::Color("green")), "PNG"); }

// A caption the program saves over many continuation lines.
std::string LongText()
{
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "Part " + std::to_string(i) + " of a long introduction. ";
    return text;
}

// Every control kind of the page writer, with the settings the checks read.
FormTextWriter FullForm()
{
    FormTextWriter form;
    form.Begin("Form").Text("RecordSource", "Answers").Number("Width", 11340).Begin();
    form.Begin("Label").Number("FontSize", 9).End();
    form.Begin("FormHeader").Number("Height", 1134).Number("BackColor", 255).Text("Name", "Head").Begin();
    form.Begin("Label").Text("Name", "Title").Text("Caption", "  100% <sure> & \"ok\"").Number("Left", 567);
    form.Number("Width", 5670).Number("Height", 567).Number("TextAlign", 2).Text("HyperlinkAddress", "http://x/a%20b");
    form.End();
    form.Begin("Label").Text("Name", "Intro").Text("Caption", LongText(), 40).Number("Top", 600).End();
    form.End().End();
    form.Begin("Section").Number("Height", 2835).Number("BackColor", -2147483643).Text("Name", "Detail").Begin();
    form.Begin("TextBox").Text("Name", "Town").Text("ControlSource", "town").Text("DefaultValue", "\"50%\" <b>");
    form.Number("Left", 567).Number("Top", 567).Number("Width", 2835).Number("TabIndex", 1).Begin();
    form.Begin("Label").Text("Name", "TownLabel").Text("Caption", "Town").End().End().End();
    form.Begin("TextBox").Text("Name", "Comments").Text("ControlSource", "Comments").NotDefault("EnterKeyBehavior");
    form.Text("DefaultValue", "a<b").End();
    form.Begin("TextBox").Text("Name", "Loose").End();
    form.Begin("TextBox").Text("Name", "Other").Text("ControlSource", "Nope").End();
    form.Begin("CheckBox").Text("Name", "Agree").Text("ControlSource", "Agree").Text("DefaultValue", "True").End();
    form.Begin("OptionGroup").Text("Name", "Colour").Text("ControlSource", "Colour").Text("DefaultValue", "2");
    form.Number("Left", 567).Number("Top", 1134).Number("TabIndex", 3).Begin();
    form.Begin("OptionButton").Text("Name", "Red").Number("OptionValue", 1).Number("Left", 700).Number("Top", 1200);
    form.Begin().Begin("Label").Text("Name", "RedLabel").Text("Caption", "Red").End().End().End();
    form.Begin("OptionButton").Text("Name", "Green").Number("OptionValue", 2).Number("Left", 700).End();
    form.End().End();
    form.Begin("ComboBox").Text("Name", "Fruit").Text("ControlSource", "Fruit").Text("RowSourceType", "Value List");
    form.Text("RowSource", "\"Red\";\"Green\";Blue;;A&B").Text("DefaultValue", "Blue").End();
    form.Begin("ListBox").Text("Name", "FruitList").Text("ControlSource", "Fruit").Text("RowSourceType", "Value List");
    form.Text("RowSource", "x;y").Number("BoundColumn", 0).End();
    form.Begin("ListBox").Text("Name", "Many").Text("ControlSource", "Fruit").Text("RowSourceType", "Value List");
    form.Number("MultiSelect", 1).End();
    form.Begin("ComboBox").Text("Name", "Query").Text("ControlSource", "Fruit").Text("RowSourceType", "Table/Query");
    form.End();
    form.Begin("Image").Text("Name", "LogoEmf").Text("Picture", "logo.jpg").Number("SizeMode", 1);
    form.Binary("PictureData", form_pictures::WrappedEmf(form_pictures::Dib24(9, 6, 255, 0, 0), 9, 6)).End();
    form.Begin("Image").Text("Name", "LogoWmf").Text("Picture", "logo.wmf");
    form.Binary("PictureData", form_pictures::WrappedWmf()).End();
    form.Begin("Image").Text("Name", "LogoPng").Text("Picture", "logo.png").Binary("ImageData", PngBytes()).End();
    form.Begin("Image").Text("Name", "Face").Text("Picture", "face.bmp");
    form.Binary("PictureData", form_pictures::Dib24(5, 5, 0, 255, 0)).End();
    form.Begin("Line").Text("Name", "Rule").End();
    form.Begin("CommandButton").Text("Name", "Submit").Text("Caption", "Send 100%");
    form.Binary("PictureData", form_pictures::Dib24(16, 16, 0, 0, 0)).End();
    form.Begin("CommandButton").Text("Name", "Reset").Text("Caption", "Clear").End();
    form.Begin("CommandButton").Text("Name", "OK").End();
    form.End().End();
    form.Begin("FormFooter").Number("Height", 567).End();
    form.End().End();
    return form;
}

class PageGeneratorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Magick::InitializeMagick(nullptr); }

    void SetUp() override
    {
        folder.SeedDataDir();
        const std::string command = "'" + kBinDir + "/regsvr' /s '" + kBinDir + "/Access.so'";
        ASSERT_EQ(0, std::system(command.c_str()));
        ASSERT_EQ(S_OK, CoInitialize(nullptr));
        fs::create_directories(folder.Path() / "db" / "forms");
        database.SetPath((folder.Path() / "db" / "survey.db").string());
        database.Sql("CREATE TABLE Answers (Town VARCHAR(50), Comments TEXT, Agree BOOLEAN, Colour INTEGER, "
                     "Fruit VARCHAR(20), RecipientEmail VARCHAR(100))");
        ASSERT_EQ(S_OK, CHubberly::CreateInstance(IID_IHubberly, reinterpret_cast<void**>(&hubberly),
                                                  CWEProjectStore(folder.ModuleDir().string())));
    }

    // A new current project with the settings the checks expect. Creating
    // one drops the unfinished one before it, and with it its settings.
    LONG NewProject(const char* name)
    {
        const LONG id = Create(hubberly, name);
        hubberly->SetProperty(CComVariant("Email"), CComVariant("ann@example.com"));
        hubberly->SetProperty(CComVariant("Subject"), CComVariant("Results & more #1?"));
        hubberly->SetProperty(CComVariant("DefValues"), CComVariant(LONG{1}));
        hubberly->SetProperty(CComVariant("CollectRecipients"), CComVariant(LONG{1}));
        return id;
    }
    void TearDown() override
    {
        hubberly = nullptr;
        CoUninitialize();
    }

    // Saves the form, opens it in the stand-in and generates its page.
    HRESULT Generate(const std::string& bytes, CComVariant& result, const char* name = "Survey")
    {
        std::ofstream(folder.Path() / "db" / "forms" / (std::string(name) + ".bas"), std::ios::binary) << bytes;
        CLSID clsid = GUID_NULL;
        CComPtr<IDispatch> application;
        EXPECT_EQ(S_OK, CLSIDFromProgID(u"Access.Application", &clsid));
        EXPECT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                         reinterpret_cast<void**>(&application)));
        Member(application, "OpenCurrentDatabase", {CComVariant(database.Path())});
        Member(Member(application, "DoCmd"), "OpenForm", {CComVariant(name)});
        CComPtr<IDispatch> form = Member(Member(application, "Forms"), "Item", {CComVariant(name)});
        return hubberly->GenHTMLbyForm(CComVariant(application.p), CComVariant(form.p), &result);
    }

    std::vector<std::string> Warnings()
    {
        std::vector<std::string> warnings;
        LONG count = 0;
        hubberly->get_WarningsCount(&count);
        for (LONG i = 0; i < count; ++i) {
            BSTR name = nullptr;
            LONG id = 0;
            hubberly->WarningObjectName(i, &name);
            hubberly->WarningId(i, &id);
            warnings.push_back(TextOf(name) + " " + std::to_string(id));
        }
        return warnings;
    }

    fs::path ProjectFolder(LONG id) const { return folder.DataDir() / std::to_string(id); }

    ProjectlibTestFolder folder;
    SqliteTestFile database;
    CComPtr<IHubberly> hubberly;
};

TEST_F(PageGeneratorTest, WritesEveryControlOfAFormWhereTheFormPutsIt)
{
    const LONG id = NewProject("Survey");
    CComVariant result;
    ASSERT_EQ(S_OK, Generate(FullForm().Utf16LeWithBom(), result));
    EXPECT_EQ(VT_I4, result.vt);
    EXPECT_EQ(1, result.lVal);
    PageDocument page((ProjectFolder(id) / "index.html").string());
    ASSERT_TRUE(page.Ok());

    EXPECT_EQ("mailto:ann@example.com?Subject=Results%20%26%20more%20%231%3F", page.Attribute("//form", "action"));
    EXPECT_EQ("UTF-8", page.Attribute("//form", "accept-charset"));
    EXPECT_EQ(std::to_string(id), page.Attribute("//input[@name='kqProjectID']", "value"));
    EXPECT_EQ("%%RECIPIENT%%", page.Attribute("//input[@name='RecipientEmail']", "value"));
    EXPECT_EQ("window", page.Attribute("//body", "bgcolor"));

    EXPECT_EQ("background-color: #ff0000; TOP: 0.00cm; LEFT: 0cm; HEIGHT: 2.00cm; WIDTH: 100%; POSITION: absolute",
              page.Attribute("//div[@id='Head']", "style"));
    EXPECT_EQ("background-color: window; TOP: 2.00cm; LEFT: 0cm; HEIGHT: 5.00cm; WIDTH: 100%; POSITION: absolute",
              page.Attribute("//div[@id='Detail']", "style"));
    EXPECT_EQ(2u, page.Count("//div"));  // the empty footer is left out

    EXPECT_EQ("LEFT: 1.00cm; WIDTH: 10.00cm; TOP: 0.00cm; HEIGHT: 1.00cm; POSITION: absolute;z-index:0; "
              "text-align:center",
              page.Attribute("//span[@id='Title']", "style"));
    // Each element's content starts on the line after its tag.
    EXPECT_EQ("\r\n\u00A0\u00A0100% <sure> & \"ok\"", page.Text("//span[@id='Title']"));
    EXPECT_EQ("http://x/a%20b", page.Attribute("//span[@id='Title']/a", "href"));
    EXPECT_EQ("\r\nTown", page.Text("//span[@id='TownLabel']"));
    EXPECT_EQ("\r\n" + LongText(), page.Text("//span[@id='Intro']"));

    EXPECT_EQ("town", page.Attribute("//input[@id='Town']", "name"));
    EXPECT_EQ("\"50%\" <b>", page.Attribute("//input[@id='Town']", "value"));
    EXPECT_EQ("2", page.Attribute("//input[@id='Town']", "tabindex"));
    EXPECT_EQ("LEFT: 1.00cm; WIDTH: 5.00cm; TOP: 1.00cm; HEIGHT: 0.56cm; POSITION: absolute;z-index:1",
              page.Attribute("//input[@id='Town']", "style"));
    EXPECT_EQ("\r\na<b", page.Text("//textarea[@name='Comments']"));
    EXPECT_EQ(0u, page.Count("//*[@id='Loose' or @id='Other' or @id='Rule' or @id='OK']"));
    EXPECT_TRUE(page.Has("//input[@type='CHECKBOX' and @name='Agree']", "checked"));

    EXPECT_EQ((std::vector<std::string>{"1", "2"}), page.Attributes("//fieldset[@id='Colour']/input", "value"));
    EXPECT_EQ((std::vector<std::string>{"Colour", "Colour"}),
              page.Attributes("//fieldset[@id='Colour']/input", "name"));
    EXPECT_EQ((std::vector<std::string>{"4", "4"}), page.Attributes("//fieldset[@id='Colour']/input", "tabindex"));
    EXPECT_TRUE(page.Has("//input[@id='Green']", "checked"));
    EXPECT_FALSE(page.Has("//input[@id='Red']", "checked"));
    EXPECT_EQ("LEFT: 0.23cm; WIDTH: 0.46cm; TOP: 0.12cm; HEIGHT: 0.42cm; POSITION: absolute;z-index:1",
              page.Attribute("//input[@id='Red']", "style"));
    EXPECT_EQ("\r\nRed", page.Text("//fieldset/span[@id='RedLabel']"));

    EXPECT_EQ((std::vector<std::string>{"Red", "Green", "Blue", "A&B"}),
              page.Attributes("//select[@size='1']/option", "value"));
    EXPECT_EQ("Blue", page.Attribute("//select[@size='1']/option[@selected]", "value"));
    EXPECT_EQ((std::vector<std::string>{"0", "1"}), page.Attributes("//select[@size='2']/option", "value"));
    EXPECT_EQ("Send 100%", page.Attribute("//input[@type='SUBMIT']", "value"));
    EXPECT_EQ("Clear", page.Attribute("//input[@type='RESET']", "value"));
    EXPECT_NE(std::string::npos, page.Text("//style").find(".Style0 {"));

    EXPECT_EQ((std::vector<std::string>{"Loose;TextBox 24", "Other;TextBox 25", "Many;ListBox 28",
                                        "Query;ComboBox 27", "LogoEmf;Image 23", "LogoWmf;Image 21", "Rule;Line 3",
                                        "OK;CommandButton 2"}),
              Warnings());
}

TEST_F(PageGeneratorTest, PicturesOfThePageAreFilesOfTheProjectFolderThatDecode)
{
    const LONG id = NewProject("Survey");
    CComVariant result;
    ASSERT_EQ(S_OK, Generate(FullForm().Utf8(), result));
    PageDocument page((ProjectFolder(id) / "index.html").string());
    const std::vector<std::string> names = PictureNames(page);
    EXPECT_EQ(3u, names.size());  // EMF, PNG and DIB; the WMF of format 3 is left out
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(fs::exists(ProjectFolder(id) / name));
        Magick::Image picture;
        EXPECT_NO_THROW(picture.read((ProjectFolder(id) / name).string()));
        EXPECT_GT(picture.columns(), 0u);
    }
    Magick::Image emf((ProjectFolder(id) / names[0]).string());
    EXPECT_EQ(9u, emf.columns());
    EXPECT_EQ(6u, emf.rows());
}

TEST_F(PageGeneratorTest, ReadsTheSameFormFromEveryEncodingTheProgramWrites)
{
    const FormTextWriter form = FullForm();
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"UTF-16LE", form.Utf16LeWithBom()},
        {"UTF-8 with BOM", form.Utf8WithBom()},
        {"UTF-8 with LF", form.Utf8WithLf()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LONG id = NewProject(c.name);
        CComVariant result;
        ASSERT_EQ(S_OK, Generate(c.bytes, result));
        PageDocument page((ProjectFolder(id) / "index.html").string());
        EXPECT_EQ("\"50%\" <b>", page.Attribute("//input[@id='Town']", "value"));
        EXPECT_EQ(3u, PictureNames(page).size());
    }
}

TEST_F(PageGeneratorTest, DescribesTheAnswerTableInTheProjectStoreAndReplacesAnOlderDescription)
{
    const LONG id = NewProject("Survey");
    CComVariant result;
    ASSERT_EQ(S_OK, Generate(FullForm().Utf8(), result));
    EXPECT_EQ("[Answers]", TextProperty(hubberly, "RecordSource"));
    const std::string key = folder.ProjectKey(id);
    EXPECT_NE(std::string::npos, folder.Text(HKEY_CURRENT_USER, key, "ConnectionString").value_or("").find("survey.db"));
    EXPECT_EQ((std::vector<std::string>{"Town", "Comments", "Agree", "Colour", "Fruit", "RecipientEmail"}),
              folder.Subkeys(HKEY_CURRENT_USER, key + "\\Fields"));
    EXPECT_EQ(202u, folder.Number(HKEY_CURRENT_USER, key + "\\Fields\\Town", "Type").value_or(0));
    EXPECT_EQ(50u, folder.Number(HKEY_CURRENT_USER, key + "\\Fields\\Town", "DefinedSize").value_or(0));

    database.Sql("CREATE TABLE Short (Name VARCHAR(10))");
    FormTextWriter other;
    other.Begin("Form").Text("RecordSource", "[Short]").Begin().Begin("Section").Begin();
    other.Begin("CommandButton").Text("Name", "Submit").End().End().End().End().End();
    ASSERT_EQ(S_OK, Generate(other.Utf8(), result, "Other"));
    EXPECT_EQ((std::vector<std::string>{"Name"}), folder.Subkeys(HKEY_CURRENT_USER, key + "\\Fields"));
    EXPECT_EQ("[Short]", TextProperty(hubberly, "RecordSource"));
}

TEST_F(PageGeneratorTest, GeneratingAgainRewritesTheStoreOnlyWhenTheAnswerTableChanged)
{
    const LONG id = NewProject("Survey");
    database.Sql("CREATE TABLE Reordered (B INTEGER, A VARCHAR(5))");
    auto formOn = [](const char* table) {
        FormTextWriter form;
        form.Begin("Form").Text("RecordSource", table).Begin().Begin("Section").Begin();
        form.Begin("CommandButton").Text("Name", "Submit").End().End().End().End().End();
        return form.Utf8();
    };
    // Every write of the registry renames a new file into place: a second
    // link to the file as it stands tells whether one happened.
    const fs::path file = folder.Registry() / "HKEY_CURRENT_USER.reg", seen = folder.Path() / "seen.reg";
    CComVariant result;
    ASSERT_EQ(S_OK, Generate(FullForm().Utf8(), result));
    const std::string key = folder.ProjectKey(id);
    struct Case {
        const char* what;
        std::string form;
        bool rewrites;
        std::vector<std::string> fields;
    };
    const std::vector<std::string> full{"Town", "Comments", "Agree", "Colour", "Fruit", "RecipientEmail"};
    const Case cases[] = {
        {"the same form again", FullForm().Utf8(), false, full},
        {"a table of other fields", formOn("[Short]"), true, {"Name"}},
        {"that table again", formOn("[Short]"), false, {"Name"}},
        {"the same kind of fields in the table's own order", formOn("[Reordered]"), true, {"B", "A"}},
    };
    database.Sql("CREATE TABLE Short (Name VARCHAR(10))");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(seen);
        fs::create_hard_link(file, seen);
        ASSERT_EQ(S_OK, Generate(c.form, result));
        EXPECT_EQ(c.rewrites, fs::hard_link_count(file) == 1);
        EXPECT_EQ(c.fields, folder.Subkeys(HKEY_CURRENT_USER, key + "\\Fields"));
    }
    EXPECT_EQ(3u, folder.Number(HKEY_CURRENT_USER, key + "\\Fields\\B", "Type").value_or(0));
}

TEST_F(PageGeneratorTest, AFormWithoutRecordSourceOrSubmitButtonIsSevere)
{
    const LONG id = NewProject("Survey");
    FormTextWriter form;
    form.Begin("Form").Begin().Begin("Section").Begin().Begin("Label").Text("Name", "Hello").End();
    form.End().End().End().End();
    CComVariant result;
    ASSERT_EQ(S_OK, Generate(form.Utf8(), result));
    EXPECT_EQ(2, result.lVal);
    EXPECT_EQ((std::vector<std::string>{"Survey;Form 4", "Survey;Form 31", "Survey;Form 9"}), Warnings());
    EXPECT_TRUE(fs::exists(ProjectFolder(id) / "index.html"));
}

TEST_F(PageGeneratorTest, WritesListsCheckBoxesAndPicturesAtTheirEdgesOrWarns)
{
    const LONG id = NewProject("Survey");
    form_pictures::Bytes damagedEmf = form_pictures::WrappedEmf(form_pictures::Dib24(4, 4, 1, 2, 3), 4, 4);
    damagedEmf.resize(damagedEmf.size() - 30);
    FormTextWriter form;
    form.Begin("Form").Text("RecordSource", "Answers").Begin().Begin("Section").Number("Height", 1134).Begin();
    form.Begin("CheckBox").Text("Name", "Maybe").Text("ControlSource", "Agree").Text("DefaultValue", "maybe").End();
    form.Begin("ComboBox").Text("Name", "Gaps").Text("ControlSource", "Fruit").Text("RowSourceType", "value list");
    form.Text("RowSource", ";a;;b").End();
    form.Begin("ComboBox").Text("Name", "Heads").Text("ControlSource", "Fruit").Text("RowSourceType", "Value List");
    form.NotDefault("ColumnHeads").Text("RowSource", "Head;x;y").End();
    form.Begin("ComboBox").Text("Name", "Pairs").Text("ControlSource", "Fruit").Text("RowSourceType", "Value List");
    form.Number("ColumnCount", 2).End();
    form.Begin("ListBox").Text("Name", "Typeless").Text("ControlSource", "Fruit").Text("RowSourceType", "").End();
    form.Begin("Image").Text("Name", "Broken").Text("Picture", "broken.emf").Binary("PictureData", damagedEmf).End();
    form.Begin("Image").Text("Name", "Unknown").Text("Picture", "raw.png").Binary("PictureData", {0x89, 'P', 'N', 'G'}).End();
    form.Begin("CommandButton").Text("Name", "submit").Text("Caption", "Go").End();
    form.End().End().End().End();
    CComVariant result;
    ASSERT_EQ(S_OK, Generate(form.Utf8(), result));
    PageDocument page((ProjectFolder(id) / "index.html").string());
    EXPECT_EQ("maybe", page.Attribute("//input[@type='CHECKBOX']", "value"));
    EXPECT_FALSE(page.Has("//input[@type='CHECKBOX']", "checked"));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "x", "y"}), page.Attributes("//option", "value"));
    EXPECT_EQ("Go", page.Attribute("//input[@type='SUBMIT']", "value"));
    EXPECT_EQ((std::vector<std::string>{"Heads;ComboBox 30", "Pairs;ComboBox 29", "Typeless;ListBox 26",
                                        "Broken;Image 20", "Unknown;Image 21"}),
              Warnings());
    EXPECT_EQ(1, result.lVal);
}

TEST_F(PageGeneratorTest, NumbersEachGenerationOfAnObject)
{
    const LONG id = NewProject("Survey");
    for (int generation = 1; generation <= 2; ++generation) {
        SCOPED_TRACE(generation);
        CComVariant result;
        ASSERT_EQ(S_OK, Generate(FullForm().Utf8(), result));
        const std::string page = ReadAll(ProjectFolder(id) / "index.html");
        EXPECT_NE(std::string::npos, page.find("<!-- Generated " + std::to_string(generation) + " -->\r\n"));
        EXPECT_EQ(0u, page.find("<HTML>\r\n<HEAD>\r\n<META http-equiv=content-type"));
    }
}

TEST_F(PageGeneratorTest, APageThatCannotBeWrittenWholeFails)
{
    const LONG id = NewProject("Survey");
    fs::create_symlink("/dev/full", ProjectFolder(id) / "index.html");
    CComVariant result;
    EXPECT_EQ(E_FAIL, Generate(FullForm().Utf8(), result));
}

TEST_F(PageGeneratorTest, RefusesArgumentsThatAreNoFormsAndWorksOnlyOnTheCurrentProject)
{
    CComVariant result;
    EXPECT_EQ(E_FAIL, Generate(FullForm().Utf8(), result));  // no project yet
    NewProject("Survey");
    EXPECT_EQ(E_INVALIDARG, hubberly->GenHTMLbyForm(CComVariant(LONG{1}), CComVariant(LONG{2}), &result));
    EXPECT_EQ(0, [&] {
        LONG count = -1;
        hubberly->get_WarningsCount(&count);
        return count;
    }());
}

}  // namespace
