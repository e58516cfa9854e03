// Settings of saved forms as the automation objects answer them: what the
// text says, the form's default blocks, then the built-in defaults.

#include "FormTextWriter.h"

#include "FormModel.h"
#include "ItemProperties.h"

#include "com/Text.h"

#include <gtest/gtest.h>

using pollenta::access::FormItem;
using pollenta::access::FormModel;
using pollenta::access::ReadItemProperty;

namespace {

std::unique_ptr<FormModel> Model(const FormTextWriter& form)
{
    FormTextReadResult read = ReadFormText(form.Utf8());
    EXPECT_TRUE(read.ok) << read.line << ": " << read.error;
    return std::make_unique<FormModel>("Survey", std::move(read.document));
}

std::string Describe(const FormModel& model, const FormItem& item, const char* name)
{
    CComVariant value;
    if (!ReadItemProperty(model, item, name, value))
        return "<unreadable>";
    if (value.vt == VT_BSTR)
        return "\"" + pollenta::com::AnsiFromBstr(value.bstrVal) + "\"";
    if (value.vt == VT_BOOL)
        return value.boolVal ? "true" : "false";
    if (value.vt == VT_I4)
        return std::to_string(value.lVal);
    if (value.vt == (VT_ARRAY | VT_UI1))
        return "bytes " + std::to_string(value.parray->rgsabound[0].cElements);
    return "vt " + std::to_string(value.vt);
}

// A form with a header and a detail section: a text box that takes its
// width from the form's TextBox block, a label with its own settings, and
// an option group with two buttons that have labels of their own.
FormTextWriter SampleForm()
{
    FormTextWriter form;
    form.Begin("Form").Text("RecordSource", "Answers").Begin();
    form.Begin("TextBox").Number("Width", 2000).Number("LabelX", -1701).End();
    form.Begin("FormHeader").Number("Height", 600).Number("BackColor", 255).Text("Name", "Head").Begin();
    form.Begin("Label").NotDefault("FontItalic").Text("Name", "Title").Text("Caption", "Survey").End();
    form.End().End();
    form.Begin("Section").Number("Height", 2835).Begin();
    form.Begin("TextBox").NotDefault("Visible").Text("Name", "Town").Text("ControlSource", "Town").Begin();
    form.Begin("Label").Text("Name", "TownLabel").Text("Caption", "Town").End().End().End();
    form.Begin("OptionGroup").Text("Name", "Colour").Text("ControlSource", "Colour").Begin();
    for (int i = 1; i <= 2; ++i) {
        form.Begin("OptionButton").Text("Name", "Option" + std::to_string(i)).Number("OptionValue", i).Begin();
        form.Begin("Label").Text("Name", "OptionLabel" + std::to_string(i)).End().End().End();
    }
    form.End().End();
    form.Begin("OptionButton").Text("Name", "Alone").Number("OptionValue", 7).End();
    form.End().End().End().End();
    return form;
}

TEST(FormModel, PutsSectionsAtTheirIndexesAndControlsBeforeWhatTheyHold)
{
    const auto model = Model(SampleForm());
    ASSERT_NE(nullptr, model->Section(0));
    ASSERT_NE(nullptr, model->Section(1));
    EXPECT_EQ(nullptr, model->Section(2));
    std::vector<std::string> names;
    for (const FormItem* control : model->Section(0)->controls)
        names.push_back(Describe(*model, *control, "Name"));
    EXPECT_EQ((std::vector<std::string>{"\"Town\"", "\"TownLabel\"", "\"Colour\"", "\"Option1\"", "\"OptionLabel1\"",
                                        "\"Option2\"", "\"OptionLabel2\"", "\"Alone\""}),
              names);
    const FormItem& group = *model->Section(0)->controls[2];
    EXPECT_EQ(4u, group.controls.size());
    EXPECT_EQ(9u, model->Form().controls.size());
}

TEST(FormModel, AnswersSettingsFromTheTextTheFormDefaultsAndTheBuiltInTable)
{
    const auto model = Model(SampleForm());
    const FormItem& header = *model->Section(1);
    const FormItem& detail = *model->Section(0);
    const FormItem& title = *header.controls[0];
    const FormItem& town = *detail.controls[0];
    const FormItem& option = *detail.controls[3];
    const FormItem& alone = *detail.controls[7];
    const struct {
        const FormItem* item;
        const char* name;
        std::string expected;
    } cases[] = {
        {&model->Form(), "Name", "\"Survey\""},
        {&model->Form(), "FormName", "\"Survey\""},
        {&model->Form(), "RecordSource", "\"Answers\""},
        {&model->Form(), "Picture", "\"(none)\""},
        {&header, "Name", "\"Head\""},
        {&detail, "Name", "\"Detail\""},
        {&detail, "Height", "2835"},
        {&detail, "BackColor", "-2147483633"},
        {&title, "ControlType", "100"},
        {&title, "ControlName", "\"Title\""},
        {&title, "FontItalic", "true"},
        {&title, "FontUnderline", "false"},
        {&title, "FontName", "\"Calibri\""},
        {&title, "ControlSource", "<unreadable>"},
        {&town, "Visible", "false"},
        {&town, "Width", "2000"},
        {&town, "Height", "315"},
        {&town, "TabStop", "true"},
        {&town, "SpecialEffect", "2"},
        {&town, "RowSource", "<unreadable>"},
        {&option, "OptionValue", "1"},
        {&alone, "OptionValue", "<unreadable>"},
        {&alone, "ControlType", "105"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, Describe(*model, *c.item, c.name));
    }
}

TEST(FormModel, GivesTheOriginalPictureFileOfImageDataBehindThePrefixTheReaderTakes)
{
    FormTextWriter form;
    form.Begin("Form").Begin().Begin("Section").Begin();
    form.Begin("Image").Text("Name", "Logo").Binary("PictureData", {1, 2, 3}).Binary("ImageData", {0x89, 'P', 'N', 'G', 13});
    form.End().Begin("Image").Text("Name", "Old").Binary("PictureData", {1, 2, 3}).Binary("ImageData", {0, 0, 0, 0});
    form.End().End().End().End().End();
    const auto model = Model(form);
    CComVariant logo, old;
    ASSERT_TRUE(ReadItemProperty(*model, *model->Section(0)->controls[0], "PictureData", logo));
    ASSERT_TRUE(ReadItemProperty(*model, *model->Section(0)->controls[1], "PictureData", old));
    ASSERT_EQ(VT_ARRAY | VT_UI1, logo.vt);
    const auto* bytes = static_cast<const std::uint8_t*>(logo.parray->pvData);
    EXPECT_EQ(13u, logo.parray->rgsabound[0].cElements);
    EXPECT_EQ(14, bytes[0]);
    EXPECT_EQ(0x89, bytes[8]);
    EXPECT_EQ("bytes 3", Describe(*model, *model->Section(0)->controls[1], "PictureData"));
}

TEST(FormModel, ReportsAPictureKeptInTheFormAsPresentThoughItsTextNamesNoFile)
{
    FormTextWriter form;
    form.Begin("Form").Binary("PictureData", {40, 0, 0, 0, 4}).Begin().Begin("Section").Begin();
    form.Begin("Image").Text("Name", "Embedded").Binary("ImageData", {0x89, 'P', 'N', 'G', 13}).End();
    form.Begin("Image").Text("Name", "Named").Text("Picture", "logo.png").Binary("ImageData", {0x89, 'P', 'N', 'G'});
    form.End().Begin("Image").Text("Name", "Placeholder").Binary("ImageData", {0, 0, 0, 0}).End();
    form.Begin("CommandButton").Text("Name", "Face").Binary("PictureData", {40, 0, 0, 0, 4}).End();
    form.Begin("CommandButton").Text("Name", "Plain").Binary("PictureData", {0, 0, 0, 0}).End();
    form.End().End().End().End();
    const auto model = Model(form);
    const auto& controls = model->Section(0)->controls;
    EXPECT_EQ("\"(bitmap)\"", Describe(*model, model->Form(), "Picture"));
    EXPECT_EQ("\"(bitmap)\"", Describe(*model, *controls[0], "Picture"));
    EXPECT_EQ("\"logo.png\"", Describe(*model, *controls[1], "Picture"));
    EXPECT_EQ("\"(none)\"", Describe(*model, *controls[2], "Picture"));
    EXPECT_EQ("\"(bitmap)\"", Describe(*model, *controls[3], "Picture"));
    EXPECT_EQ("\"(none)\"", Describe(*model, *controls[4], "Picture"));
}

TEST(FormModel, ASectionIsNeverShorterThanItsControlsReach)
{
    FormTextWriter form;
    form.Begin("Form").Begin();
    form.Begin("Label").Number("Height", 400).End();  // the form's size for every label
    form.Begin("FormHeader").Begin();                 // no Height line at all
    form.Begin("Label").Text("Name", "Title").Number("Top", 1000).End();
    form.End().End();
    form.Begin("Section").Number("Height", 500).Begin();  // drawn taller by a control
    form.Begin("TextBox").Text("Name", "Town").Number("Top", 300).Number("Height", 600).Begin();
    form.Begin("Label").Text("Name", "TownLabel").Number("Top", 2000).End().End().End();
    form.End().End();
    form.Begin("FormFooter").Number("Height", 900).Begin();
    form.Begin("CheckBox").Text("Name", "Agree").Number("Top", 100).End();
    form.End().End();
    form.Begin("PageHeader").End();
    form.End().End();
    const auto model = Model(form);
    EXPECT_EQ("1400", Describe(*model, *model->Section(1), "Height"));
    EXPECT_EQ("2400", Describe(*model, *model->Section(0), "Height"));
    EXPECT_EQ("900", Describe(*model, *model->Section(2), "Height"));
    EXPECT_EQ("0", Describe(*model, *model->Section(3), "Height"));
}

}  // namespace
