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
#include "AnsiCodePage.h"

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
    form.Binary("PictureData", form_pictures::WrappedWmfWithBitmap(form_pictures::Dib24(8, 4, 0, 0, 255), 8, 4)).End();
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
    EXPECT_EQ("#ffffff", page.Attribute("//body", "bgcolor"));

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
                                        "Query;ComboBox 27", "LogoEmf;Image 23", "Rule;Line 3",
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
    EXPECT_EQ(4u, names.size());  // EMF, metafile picture, PNG and DIB
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
    Magick::Image wmf((ProjectFolder(id) / names[1]).string());
    EXPECT_EQ(8u, wmf.columns());
    EXPECT_EQ(4u, wmf.rows());
    EXPECT_EQ(Magick::Color("red"), wmf.pixelColor(3, 2));
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
        EXPECT_EQ(4u, PictureNames(page).size());
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
    // Every write of the registry appends to its journal: the journal's
    // length tells whether one happened.
    const fs::path journal = folder.Registry() / "HKEY_CURRENT_USER.reg.journal";
    auto journalSize = [&] { return fs::exists(journal) ? fs::file_size(journal) : 0; };
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
        const auto before = journalSize();
        ASSERT_EQ(S_OK, Generate(c.form, result));
        EXPECT_EQ(c.rewrites, journalSize() != before);
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
    EXPECT_FALSE(page.Has("//input[@type='CHECKBOX']", "value"));
    EXPECT_FALSE(page.Has("//input[@type='CHECKBOX']", "checked"));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "x", "y"}), page.Attributes("//option", "value"));
    EXPECT_EQ("Go", page.Attribute("//input[@type='SUBMIT']", "value"));
    EXPECT_EQ((std::vector<std::string>{"Heads;ComboBox 30", "Pairs;ComboBox 29", "Typeless;ListBox 26",
                                        "Broken;Image 20", "Unknown;Image 21"}),
              Warnings());
    EXPECT_EQ(1, result.lVal);
}

// What a browser posts for a ticked box: its VALUE, else "on".
std::string PostedWhenTicked(const std::string& value) { return value == "<none>" ? "on" : value; }

TEST_F(PageGeneratorTest, ACheckBoxPostsOnWhenTickedAndStartsTickedWhenItsDefaultMeansYes)
{
    const LONG id = NewProject("Survey");
    // Defaults as the program saves them for a Yes/No field, whoever typed them.
    const struct {
        const char* written;
        bool ticked;
    } cases[] = {
        {"0", false},    {"-1", true},        {"1", true},    {"Yes", true},  {"no", false},
        {"TRUE", true},  {"False", false},    {"On", true},   {"off", false}, {"\"Yes\"", true},
        {"\u0414\u0430", true}, {"\u041d\u0435\u0442", false},  // Да, Нет
    };
    FormTextWriter form;
    form.Begin("Form").Text("RecordSource", "Answers").Begin().Begin("Section").Begin();
    for (const auto& c : cases)
        form.Begin("CheckBox").Text("Name", c.written).Text("ControlSource", "Agree").Text("DefaultValue", c.written).End();
    form.Begin("CommandButton").Text("Name", "Submit").End().End().End().End().End();
    CComVariant result;
    ASSERT_EQ(S_OK, Generate(form.Utf16LeWithBom(), result));
    PageDocument page((ProjectFolder(id) / "index.html").string());
    const std::vector<std::string> values = page.Attributes("//input[@type='CHECKBOX']", "value");
    const std::vector<std::string> checks = page.Attributes("//input[@type='CHECKBOX']", "checked");
    ASSERT_EQ(std::size(cases), values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(cases[i].written);
        EXPECT_EQ("on", PostedWhenTicked(values[i]));
        EXPECT_EQ(cases[i].ticked, checks[i] != "<none>");
    }
    EXPECT_EQ(0, result.lVal);
}

TEST_F(PageGeneratorTest, AnExpressionDefaultStartsEmptyWithAWarningAndAQuotedOneAsTheDatabaseShowsIt)
{
    const LONG id = NewProject("Survey");
    FormTextWriter form;
    form.Begin("Form").Text("RecordSource", "Answers").Begin().Begin("Section").Begin();
    auto textBox = [&form](const char* name, const char* written) {
        form.Begin("TextBox").Text("Name", name).Text("ControlSource", "Town").Text("DefaultValue", written).End();
    };
    textBox("Lookup", "=Nz([Forms]![PhotoID]![Individuals],1)");
    textBox("Empty", "\"\"");
    textBox("City", "\"Moscow\"");
    textBox("Said", "\"say \"\"hi\"\"\"");
    textBox("Number", "50");
    form.Begin("TextBox").Text("Name", "Notes").Text("ControlSource", "Comments").NotDefault("EnterKeyBehavior");
    form.Text("DefaultValue", " =Trim(UCase([Forms]![Main]![Notes]))").End();
    form.Begin("ComboBox").Text("Name", "Period").Text("ControlSource", "Fruit").Text("RowSourceType", "Value List");
    form.Text("RowSource", "\"Day(s)\";\"Week(s)\";\"Month(s)\"").Text("DefaultValue", "\"Week(s)\"").End();
    form.Begin("OptionGroup").Text("Name", "Colour").Text("ControlSource", "Colour").Text("DefaultValue", "=2").Begin();
    form.Begin("OptionButton").Text("Name", "Red").Number("OptionValue", 1).End();
    form.Begin("OptionButton").Text("Name", "Green").Number("OptionValue", 2).End().End().End();
    form.Begin("CommandButton").Text("Name", "Submit").End().End().End().End().End();
    CComVariant result;
    ASSERT_EQ(S_OK, Generate(form.Utf8WithBom(), result));
    PageDocument page((ProjectFolder(id) / "index.html").string());
    EXPECT_FALSE(page.Has("//input[@id='Lookup']", "value"));
    EXPECT_FALSE(page.Has("//input[@id='Empty']", "value"));
    EXPECT_EQ("Moscow", page.Attribute("//input[@id='City']", "value"));
    EXPECT_EQ("say \"hi\"", page.Attribute("//input[@id='Said']", "value"));
    EXPECT_EQ("50", page.Attribute("//input[@id='Number']", "value"));
    EXPECT_EQ("\r\n", page.Text("//textarea[@id='Notes']"));
    EXPECT_EQ((std::vector<std::string>{"Day(s)", "Week(s)", "Month(s)"}), page.Attributes("//option", "value"));
    EXPECT_EQ("Week(s)", page.Attribute("//option[@selected]", "value"));
    EXPECT_EQ(0u, page.Count("//input[@type='radio' and @checked]"));
    EXPECT_EQ((std::vector<std::string>{"Lookup;TextBox 32", "Notes;TextBox 32", "Colour;OptionGroup 32"}),
              Warnings());
    EXPECT_EQ(1, result.lVal);
}

TEST_F(PageGeneratorTest, TheDetailStartsBelowAHeaderSavedWithoutItsHeight)
{
    const LONG id = NewProject("Survey");
    FormTextWriter form;
    form.Begin("Form").Text("RecordSource", "Answers").Begin();
    form.Begin("FormHeader").Text("Name", "Head").Begin();
    form.Begin("Label").Text("Name", "Title").Text("Caption", "Survey").Number("Top", 567).Number("Height", 567);
    form.End().End().End();
    form.Begin("Section").Text("Name", "Detail").Number("Height", 567).Begin();
    form.Begin("CommandButton").Text("Name", "Submit").Number("Top", 283).End().End().End();
    form.End().End();
    CComVariant result;
    ASSERT_EQ(S_OK, Generate(form.Utf8(), result));
    PageDocument page((ProjectFolder(id) / "index.html").string());
    EXPECT_NE(std::string::npos, page.Attribute("//div[@id='Head']", "style").find("TOP: 0.00cm; LEFT: 0cm; HEIGHT: 2.00cm"));
    // The button reaches below the height the detail was saved with.
    EXPECT_NE(std::string::npos,
              page.Attribute("//div[@id='Detail']", "style").find("TOP: 2.00cm; LEFT: 0cm; HEIGHT: 1.05cm"));
}

TEST_F(PageGeneratorTest, APictureKeptOnlyAsDataInTheFormIsExtracted)
{
    const LONG id = NewProject("Survey");
    FormTextWriter form;
    form.Begin("Form").Text("RecordSource", "Answers").Binary("PictureData", form_pictures::Dib24(3, 2, 9, 8, 7));
    form.Begin().Begin("Section").Begin();
    form.Begin("Image").Text("Name", "Logo").Binary("ImageData", PngBytes()).End();
    form.Begin("CommandButton").Text("Name", "Submit").End().End().End().End().End();
    CComVariant result;
    ASSERT_EQ(S_OK, Generate(form.Utf8(), result));
    PageDocument page((ProjectFolder(id) / "index.html").string());
    EXPECT_EQ((std::vector<std::string>{"_kqwpic_001.png", "_kqwpic_000.png"}), PictureNames(page));
    Magick::Image logo((ProjectFolder(id) / "_kqwpic_001.png").string());
    EXPECT_EQ(6u, logo.columns());
    Magick::Image background((ProjectFolder(id) / "_kqwpic_000.png").string());
    EXPECT_EQ(3u, background.columns());
}

TEST_F(PageGeneratorTest, TheBodyColourIsWrittenSoThatABrowserShowsTheColourMeant)
{
    const struct {
        long long backColor;
        const char* attribute;  // what BGCOLOR says, "<none>" for none
        const char* css;
    } cases[] = {
        {-2147483633, "#f0f0f0", "buttonface"},  // browsers would read the name as #b000ce
        {-2147483643, "#ffffff", "window"},
        {-2147483646, "#99b4d1", "activecaption"},
        {255, "#ff0000", "#ff0000"},
        {-2147483607, "<none>", "-2147483607"},  // an index beyond the system's colours
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.backColor);
        const LONG id = NewProject("Survey");
        FormTextWriter form;
        form.Begin("Form").Text("RecordSource", "Answers").Begin();
        form.Begin("Section").Text("Name", "Detail").Number("BackColor", c.backColor).Begin();
        form.Begin("CommandButton").Text("Name", "Submit").End().End().End().End().End();
        CComVariant result;
        ASSERT_EQ(S_OK, Generate(form.Utf8(), result));
        PageDocument page((ProjectFolder(id) / "index.html").string());
        EXPECT_EQ(c.attribute, page.Attributes("//body", "bgcolor").at(0));
        EXPECT_EQ(0u, page.Attribute("//div[@id='Detail']", "style").find(std::string("background-color: ") + c.css + ";"));
    }
}

TEST_F(PageGeneratorTest, ADataFolderWithLettersOfASingleByteCodePageHoldsTheProjectAndItsPage)
{
    const fs::path dataDir = folder.Path() / "\u0434\u0430\u043d\u043d\u044b\u0435";  // данные
    folder.SetText(HKEY_CURRENT_USER, folder.kProductKey, "DataDir", dataDir.string());
    const AnsiCodePage cyrillic(1251);
    const LONG id = NewProject("Survey");
    ASSERT_GT(id, 0);
    const fs::path project = dataDir / std::to_string(id);
    EXPECT_TRUE(fs::is_directory(project));
    BSTR dir = nullptr;
    ASSERT_EQ(S_OK, hubberly->GetProjectDir(id, &dir));
    EXPECT_EQ(project.string(), ToNarrow(std::u16string(dir, SysStringLen(dir)), CP_UTF8));
    SysFreeString(dir);

    FormTextWriter form;
    form.Begin("Form").Text("RecordSource", "Answers").Begin().Begin("Section").Begin();
    form.Begin("Image").Text("Name", "Logo").Binary("PictureData", form_pictures::Dib24(4, 4, 0, 0, 255)).End();
    form.Begin("CommandButton").Text("Name", "Submit").End().End().End().End().End();
    CComVariant result;
    ASSERT_EQ(S_OK, Generate(form.Utf8(), result));
    PageDocument page((project / "index.html").string());
    EXPECT_EQ((std::vector<std::string>{"_kqwpic_000.png"}), PictureNames(page));
    EXPECT_TRUE(fs::exists(project / "_kqwpic_000.png"));

    ASSERT_EQ(S_OK, hubberly->DeleteProject(id));
    EXPECT_FALSE(fs::exists(project));
}

TEST_F(PageGeneratorTest, ReadsFormsOfEveryEraInTheEncodingsTheyWereSavedIn)
{
    auto form = [](std::initializer_list<const char*> header, const std::string& caption) {
        FormTextWriter text(header);
        text.Begin("Form").Text("RecordSource", "Answers").Begin().Begin("Section").Begin();
        text.Begin("Label").Text("Name", "Title").Text("Caption", caption).End();
        text.Begin("CheckBox").Text("Name", "Agree").Text("ControlSource", "Agree").Text("DefaultValue", "-1").End();
        text.Begin("CommandButton").Text("Name", "Submit").End().End().End().End().End();
        return text;
    };
    // U+1F600 as a tool wrote it: the two halves of its surrogate pair, each
    // as a three-byte sequence (CESU-8).
    std::string cesu = form({"Version =21", "VersionRequired =20", "PublishOption =1", "Checksum =-1504871542"}, "@")
                           .Utf8WithBom();
    cesu.replace(cesu.find('@'), 1, "\xED\xA0\xBD\xED\xB8\x80");
    const struct {
        const char* era;
        std::string bytes;
        const char* caption;
    } cases[] = {
        {"2000, ANSI", Recode(form({"Version =17", "VersionRequired =17", "Checksum =123456789"}, "Gr\u00f6\u00dfe").Utf8(),
                              CP_UTF8, 1252),
         "Gr\u00f6\u00dfe"},
        {"2003, UTF-16LE", form({"Version =19", "VersionRequired =19"}, "\u0410\u043d\u043a\u0435\u0442\u0430").Utf16LeWithBom(),
         "\u0410\u043d\u043a\u0435\u0442\u0430"},
        {"2010, CESU-8", cesu, "\U0001F600"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.era);
        const LONG id = NewProject("Survey");
        CComVariant result;
        ASSERT_EQ(S_OK, Generate(c.bytes, result));
        PageDocument page((ProjectFolder(id) / "index.html").string());
        EXPECT_EQ(std::string("\r\n") + c.caption, page.Text("//span[@id='Title']"));
        EXPECT_TRUE(page.Has("//input[@type='CHECKBOX']", "checked"));
        EXPECT_EQ(0, result.lVal);
    }
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
