#include "UiInput.h"
#include "UiTestEnvironment.h"
#include "ui/Dialog.h"
#include "ui/FlexGrid.h"
#include "ui/Focus.h"
#include "ui/PostMessage.h"
#include "ui/Screenshot.h"

#include <QKeyEvent>
#include <QTableWidget>

#include <string>
#include <vector>

namespace {

constexpr int IDC_GRID = 1014;

DialogTemplate GridDialog()
{
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION;
    dialog.caption = "Survey field editing";
    dialog.cx = 260;
    dialog.cy = 120;
    dialog.items = {{WC_FLEXGRID, "", IDC_GRID, WS_VISIBLE | WS_TABSTOP, 0, 7, 7, 246, 106}};
    return dialog;
}

class CRecordingGrid : public CFlexGrid {
public:
    void OnEnterCell() override { Record("enter"); }
    void OnLeaveCell() override { Record("leave"); }
    void OnClick() override { Record("click"); }
    void OnScroll() override { m_scrolls++; }
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM) override
    {
        if (message == WM_KEYDOWN)
            m_keys.push_back(static_cast<UINT>(wParam));
        return m_consumeKeys;
    }
    void Record(const char* event)
    {
        m_events.push_back(std::string(event) + " " + std::to_string(GetRow()) + "," + std::to_string(GetCol()));
    }

    std::vector<std::string> m_events;
    std::vector<UINT> m_keys;
    int m_scrolls = 0;
    LRESULT m_consumeKeys = 0;
};

struct GridOnDialog {
    GridOnDialog()
    {
        EXPECT_TRUE(dialog.Create());
        ShowWindow(dialog, SW_SHOW);
        EXPECT_TRUE(grid.SubclassDlgItem(IDC_GRID, &dialog));
        grid.SetCols(3);
        grid.SetRows(4);
        for (long col = 0; col < 3; ++col)
            grid.SetTextMatrix(0, col, (std::string("Head") + std::to_string(col)).c_str());
        for (long row = 1; row < 4; ++row)
            grid.SetTextMatrix(row, 0, (std::string("Field00") + std::to_string(row)).c_str());
        grid.m_events.clear();
    }
    DialogTemplate dialogTemplate = GridDialog();
    CDialog dialog{dialogTemplate};
    CRecordingGrid grid;
};

void PressKey(HWND hwnd, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QWidget* widget = WidgetAt(hwnd, POINT{2, 2});
    while (widget && widget->parentWidget() && !qobject_cast<QTableWidget*>(widget))
        widget = widget->parentWidget();
    ASSERT_NE(widget, nullptr);
    QApplication::sendEvent(widget, &press);
}

} // namespace

TEST_F(UiTest, GridKeepsRowsColumnsAndTextsWithTheHeaderAsRowZero)
{
    GridOnDialog on;
    CRecordingGrid& grid = on.grid;
    EXPECT_EQ(4, grid.GetRows());
    EXPECT_EQ(3, grid.GetCols());
    EXPECT_EQ("Head1", grid.GetTextMatrix(0, 1));
    EXPECT_EQ("Field003", grid.GetTextMatrix(3, 0));
    EXPECT_EQ("", grid.GetTextMatrix(3, 2));
    grid.SetRows(1); // never fewer than the header and one row
    EXPECT_EQ(2, grid.GetRows());
    EXPECT_EQ("Field001", grid.GetTextMatrix(1, 0));
    EXPECT_EQ("", grid.GetTextMatrix(2, 0)); // beyond the rows
}

TEST_F(UiTest, GridFiresLeaveAndEnterWhenItsCurrentCellMoves)
{
    GridOnDialog on;
    CRecordingGrid& grid = on.grid;
    EXPECT_EQ(1, grid.GetRow());
    EXPECT_EQ(0, grid.GetCol());
    grid.SetCol(2);
    grid.SetRow(3);
    grid.SetRow(3); // already there
    grid.SetRow(9); // no such row
    grid.SetRow(0);
    grid.SetText("Size");
    EXPECT_EQ((std::vector<std::string>{"leave 1,0", "enter 1,2", "leave 1,2", "enter 3,2", "leave 3,2", "enter 0,2"}),
              grid.m_events);
    EXPECT_EQ("Size", grid.GetTextMatrix(0, 2));
}

TEST_F(UiTest, GridCellsMeasureInTwipsFromTheControlsCorner)
{
    GridOnDialog on;
    CRecordingGrid& grid = on.grid;
    grid.SetRowHeight(1, 330);
    grid.SetRowHeight(2, 330);
    EXPECT_NEAR(330, grid.GetRowHeight(1), 15);
    grid.SetRow(0);
    long headerTop = grid.GetCellTop();
    long headerHeight = grid.GetCellHeight();
    grid.SetRow(1);
    long firstTop = grid.GetCellTop();
    EXPECT_NEAR(headerTop + headerHeight, firstTop, 30);
    grid.SetRow(2);
    EXPECT_NEAR(firstTop + 330, grid.GetCellTop(), 30);
    long left = grid.GetCellLeft();
    grid.SetCol(1);
    EXPECT_NEAR(left + grid.GetColWidth(0), grid.GetCellLeft(), 30);
    EXPECT_NEAR(grid.GetColWidth(1), grid.GetCellWidth(), 30);
    ASSERT_TRUE(SaveWindowPicture(on.dialog, POLLENTA_TEST_DIR "/grid-control.png"));
}

TEST_F(UiTest, AClickOnACellMovesThereBeforeTheClickEvent)
{
    GridOnDialog on;
    CRecordingGrid& grid = on.grid;
    grid.SetRow(0); // from the header, so that every cell below is a move
    grid.m_events.clear();
    grid.SetRow(2);
    grid.SetCol(1);
    LONG x = (grid.GetCellLeft() + grid.GetCellWidth() / 2) * 96 / 1440;
    LONG y = (grid.GetCellTop() + grid.GetCellHeight() / 2) * 96 / 1440;
    grid.SetRow(1);
    grid.SetCol(0);
    grid.m_events.clear();
    Click(grid, POINT{x, y});
    EXPECT_EQ((std::vector<std::string>{"leave 1,0", "enter 2,1", "click 2,1"}), grid.m_events);
}

TEST_F(UiTest, GridOffersItsKeysToTheReceiverBeforeMovingByThem)
{
    GridOnDialog on;
    CRecordingGrid& grid = on.grid;
    SetFocus(grid);
    grid.m_consumeKeys = 1;
    PressKey(grid, Qt::Key_Down);
    PressKey(grid, Qt::Key_Tab);
    EXPECT_EQ(1, grid.GetRow());
    grid.m_consumeKeys = 0;
    PressKey(grid, Qt::Key_Down);
    EXPECT_EQ(2, grid.GetRow());
    EXPECT_EQ((std::vector<UINT>{VK_DOWN, VK_TAB, VK_DOWN}), grid.m_keys);
}

TEST_F(UiTest, GridTellsWhenItsRowsScroll)
{
    GridOnDialog on;
    CRecordingGrid& grid = on.grid;
    grid.SetRows(60);
    grid.SetRow(59);
    PumpWaitingMessages();
    EXPECT_GT(grid.m_scrolls, 0);
}
