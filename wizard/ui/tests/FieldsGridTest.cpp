#include "WizardUiTest.h"
#include "ui/ComboBox.h"
#include "ui/Dialog.h"
#include "ui/Focus.h"
#include "ui/Screenshot.h"
#include "wizardui/WEFieldsBrowseGrid.h"

#include <QComboBox>

#include <tuple>
#include <vector>

namespace {

constexpr int IDC_GRID = 1014;

using Row = std::tuple<std::string, int, int>;

struct FieldsPage {
    FieldsPage()
    {
        dialogTemplate.style = WS_POPUP | WS_CAPTION;
        dialogTemplate.caption = "Survey field editing";
        dialogTemplate.cx = 280;
        dialogTemplate.cy = 130;
        dialogTemplate.items = {{WC_FLEXGRID, "", IDC_GRID, WS_VISIBLE | WS_TABSTOP, 0, 7, 7, 266, 116}};
        EXPECT_TRUE(dialog.Create());
        ShowWindow(dialog, SW_SHOW);
        EXPECT_TRUE(grid.SubclassDlgItem(IDC_GRID, &dialog));
        grid.SetCols(3);
        grid.SetTextMatrix(0, 0, "Field");
        grid.SetTextMatrix(0, 1, "Type");
        grid.SetTextMatrix(0, 2, "Size");
        grid.SetColWidth(0, 1800);
        grid.ClearRows();
        grid.Initialize();
    }
    std::vector<Row> Collect()
    {
        std::vector<Row> rows;
        grid.CollectFields([&](const CWEField& field) {
            rows.emplace_back(field.m_strName, field.m_nType, field.m_nSize);
            return true;
        });
        return rows;
    }
    void Enter(long row, long col)
    {
        grid.SetRow(row);
        grid.SetCol(col);
        PumpWaitingMessages();
    }

    DialogTemplate dialogTemplate;
    CDialog dialog{dialogTemplate};
    CWEFieldsBrowseGrid grid;
};

} // namespace

TEST_F(UiTest, FieldRowsFillTheEmptyRowFirstAndShowSizesOnlyForCharacterColumns)
{
    FieldsPage page;
    page.grid.AddFieldRow(CWEField("Field001", WE_FIELD_CHARACTER, 255));
    EXPECT_EQ(2, page.grid.GetRows()); // one field keeps the two-row shape
    page.grid.AddFieldRow(CWEField("Age", WE_FIELD_NUMERIC, 4));
    page.grid.AddFieldRow(CWEField("Comment", WE_FIELD_TEXT, 0));
    EXPECT_EQ(4, page.grid.GetRows());
    const std::vector<std::vector<std::string>> expected = {
        {"Field001", "Character", "255"}, {"Age", "Numeric", ""}, {"Comment", "Text*", ""}};
    for (long row = 1; row <= 3; ++row)
        for (long col = 0; col < 3; ++col) {
            SCOPED_TRACE(testing::Message() << "row " << row << " col " << col);
            EXPECT_EQ(expected[row - 1][col], page.grid.GetTextMatrix(row, col));
        }
    EXPECT_EQ((std::vector<Row>{{"Field001", 2, 255}, {"Age", 1, 4}, {"Comment", 4, 0}}), page.Collect());
    ASSERT_TRUE(SaveWindowPicture(page.dialog, Picture("fields-grid.png").c_str()));

    page.grid.ClearRows();
    EXPECT_EQ(2, page.grid.GetRows());
    EXPECT_TRUE(page.Collect().empty());
    page.grid.AddFieldRow(CWEField("Again", WE_FIELD_BLOB, 0));
    EXPECT_EQ((std::vector<Row>{{"Again", 3, 0}}), page.Collect());
}

TEST_F(UiTest, ANameTypedInTheCellEditIsKeptAndEscapeBringsBackTheOldOne)
{
    FieldsPage page;
    page.grid.AddFieldRow(CWEField("Field001", WE_FIELD_CHARACTER, 255));
    page.grid.AddFieldRow(CWEField("Field002", WE_FIELD_CHARACTER, 10));
    page.Enter(1, 0);
    CWECellEdit& edit = page.grid.NameEdit();
    ASSERT_TRUE(IsWindowVisible(edit));
    QWidget* line = WidgetOf(edit);
    ASSERT_NE(line, nullptr);
    TypeText(line, "xyz");
    PressKey(line, Qt::Key_Escape);
    EXPECT_EQ("Field001", GetWindowTextString(edit));
    SetWindowText(edit, "Email");
    PressKey(line, Qt::Key_Tab); // handed to the grid, which moves on
    PumpWaitingMessages();
    EXPECT_EQ(1, page.grid.GetRow());
    EXPECT_EQ(1, page.grid.GetCol());
    EXPECT_FALSE(IsWindowVisible(edit));
    EXPECT_EQ("Email", page.grid.GetTextMatrix(1, 0));
    EXPECT_EQ("Email", std::get<0>(page.Collect()[0]));
}

TEST_F(UiTest, ChangingACharacterColumnToNumericEmptiesItsSizeAtOnceAndLocksIt)
{
    FieldsPage page;
    page.grid.AddFieldRow(CWEField("Field001", WE_FIELD_CHARACTER, 255));
    page.Enter(1, 1);
    ASSERT_TRUE(IsWindowVisible(page.grid.TypeList()));
    auto* combo = qobject_cast<QComboBox*>(WidgetOf(page.grid.TypeList()));
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(0);
    Q_EMIT combo->activated(0); // the user's choice of "Numeric"
    PumpWaitingMessages();
    EXPECT_EQ("", page.grid.GetTextMatrix(1, 2)); // before the list is left
    page.Enter(1, 2);
    EXPECT_EQ("Numeric", page.grid.GetTextMatrix(1, 1));
    EXPECT_FALSE(IsWindowVisible(page.grid.SizeEdit()));
    EXPECT_EQ((std::vector<Row>{{"Field001", 1, 255}}), page.Collect());

    page.Enter(1, 1); // back to Character: the size returns and is editable
    combo->setCurrentIndex(1);
    Q_EMIT combo->activated(1);
    PumpWaitingMessages();
    EXPECT_EQ("255", page.grid.GetTextMatrix(1, 2));
    page.Enter(1, 2);
    EXPECT_TRUE(IsWindowVisible(page.grid.SizeEdit()));
    EXPECT_EQ("255", GetWindowTextString(page.grid.SizeEdit()));
}

TEST_F(UiTest, TheSizeEditTakesDigitsOnlyAndAnEmptySizeIsZero)
{
    FieldsPage page;
    page.grid.AddFieldRow(CWEField("Field001", WE_FIELD_CHARACTER, 255));
    page.Enter(1, 2);
    CWECellEdit& edit = page.grid.SizeEdit();
    ASSERT_TRUE(IsWindowVisible(edit));
    QWidget* line = WidgetOf(edit);
    ASSERT_NE(line, nullptr);
    SetWindowText(edit, "");
    TypeText(line, "4a0b");
    EXPECT_EQ("40", GetWindowTextString(edit));
    page.Enter(1, 0);
    EXPECT_EQ("40", page.grid.GetTextMatrix(1, 2));
    page.Enter(1, 2);
    SetWindowText(edit, "");
    page.Enter(1, 0);
    EXPECT_EQ((std::vector<Row>{{"Field001", 2, 0}}), page.Collect());
}

TEST_F(UiTest, TabFromTheLastSizeCellGoesBackToTheFirstName)
{
    FieldsPage page;
    page.grid.AddFieldRow(CWEField("Field001", WE_FIELD_CHARACTER, 255));
    page.grid.AddFieldRow(CWEField("Field002", WE_FIELD_CHARACTER, 20));
    page.Enter(2, 2);
    QWidget* line = WidgetOf(page.grid.SizeEdit());
    ASSERT_NE(line, nullptr);
    PressKey(line, Qt::Key_Tab);
    PumpWaitingMessages();
    EXPECT_EQ(1, page.grid.GetRow());
    EXPECT_EQ(0, page.grid.GetCol());
    EXPECT_TRUE(IsWindowVisible(page.grid.NameEdit()));
    // Up on the first row stays; Down moves on.
    PressKey(WidgetOf(page.grid.NameEdit()), Qt::Key_Up);
    PumpWaitingMessages();
    EXPECT_EQ(1, page.grid.GetRow());
    PressKey(WidgetOf(page.grid.NameEdit()), Qt::Key_Down);
    PumpWaitingMessages();
    EXPECT_EQ(2, page.grid.GetRow());
}
