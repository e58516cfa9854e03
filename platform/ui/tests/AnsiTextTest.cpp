// Texts cross into Qt and back through the process's ANSI code page: the
// system hands the layer bytes of its code page, and reads bytes of that
// code page back, whatever the user typed.

#include "AnsiCodePage.h"
#include "UiInput.h"
#include "UiTestEnvironment.h"
#include "ui/ComboBox.h"
#include "ui/Dialog.h"
#include "ui/Gdi.h"
#include "ui/ListCtrl.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include <ostream>

// Failures print the text, not its UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

constexpr int IDC_NAME = 1000;
constexpr int IDC_ACTION = 1001;
constexpr int IDC_LIST = 1002;

struct AnsiCase {
    UINT codePage;
    std::string ansi;    // as the code page writes it
    QString shown;       // what the user must see
    QString foreign;     // a character the code page lacks
};

DialogTemplate AnsiTemplate(const std::string& text)
{
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION;
    dialog.cx = 200;
    dialog.cy = 120;
    dialog.caption = text;
    dialog.items = {
        {"Edit", text, IDC_NAME, WS_VISIBLE, 0, 7, 7, 120, 12},
        {"Button", text, IDOK, WS_VISIBLE | BS_DEFPUSHBUTTON, 0, 140, 7, 50, 14},
        {"ComboBox", "", IDC_ACTION, WS_VISIBLE | CBS_DROPDOWNLIST, 0, 7, 25, 100, 60},
        {"SysListView32", "", IDC_LIST, WS_VISIBLE | LVS_REPORT, 0, 7, 45, 186, 60},
    };
    return dialog;
}

// The Qt widget of a kind that shows a visible window, found near its
// top left corner (a combo box's window reaches down over its list).
template <class Widget>
Widget* ShownBy(HWND hwnd)
{
    for (QWidget* widget = WidgetAt(hwnd, POINT{3, 3}); widget; widget = widget->parentWidget())
        if (auto* wanted = qobject_cast<Widget*>(widget))
            return wanted;
    return nullptr;
}

SIZE Extent(HWND hwnd, const std::string& text)
{
    HDC dc = GetDC(hwnd);
    SIZE size{};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ReleaseDC(hwnd, dc);
    return size;
}

std::string Text(HWND hwnd)
{
    char buffer[256] = {};
    GetWindowText(hwnd, buffer, sizeof buffer);
    return buffer;
}

} // namespace

TEST_F(UiTest, TextsCrossIntoQtAndBackThroughTheAnsiCodePage)
{
    const AnsiCase cases[] = {
        // "Опрос №5"
        {1251, "\xCE\xEF\xF0\xEE\xF1 \xB9" "5", QString::fromUtf8("Опрос №5"), QString::fromUtf8("ü")},
        // "Café € über"; 0x80 is the euro sign in 1252 only
        {1252, "Caf\xE9 \x80 \xFC" "ber", QString::fromUtf8("Café € über"), QString::fromUtf8("Ж")},
    };
    for (const AnsiCase& c : cases) {
        SCOPED_TRACE(c.codePage);
        AnsiCodePage codePage(c.codePage);
        DialogTemplate dialog = AnsiTemplate(c.ansi);
        CDialog window(dialog);
        ASSERT_TRUE(window.Create());
        CComboBox action;
        action.Attach(window.GetDlgItem(IDC_ACTION));
        CListCtrl list;
        list.Attach(window.GetDlgItem(IDC_LIST));
        ShowWindow(window, SW_SHOW);
        PumpWaitingMessages();
        HWND name = window.GetDlgItem(IDC_NAME);

        ASSERT_NE(nullptr, ShownBy<QWidget>(window));
        EXPECT_EQ(c.shown, ShownBy<QWidget>(window)->window()->windowTitle());
        ASSERT_NE(nullptr, ShownBy<QAbstractButton>(window.GetDlgItem(IDOK)));
        EXPECT_EQ(c.shown, ShownBy<QAbstractButton>(window.GetDlgItem(IDOK))->text());
        QLineEdit* edit = ShownBy<QLineEdit>(name);
        ASSERT_NE(nullptr, edit);
        EXPECT_EQ(c.shown, edit->text());
        EXPECT_EQ(c.ansi, Text(window));
        EXPECT_EQ(c.ansi, Text(name));

        // What the user types comes back in the code page; what it lacks, as "?".
        edit->setText(c.shown + c.foreign);
        char typed[64] = {};
        EXPECT_EQ(c.ansi.size() + 1, GetDlgItemText(window, IDC_NAME, typed, sizeof typed));
        EXPECT_EQ(c.ansi + "?", std::string(typed));

        action.AddString(c.ansi.c_str());
        ASSERT_NE(nullptr, ShownBy<QComboBox>(action));
        EXPECT_EQ(c.shown, ShownBy<QComboBox>(action)->itemText(0));
        EXPECT_EQ(c.ansi, action.GetLBText(0));

        list.InsertColumn(0, c.ansi.c_str());
        list.InsertItem(0, c.ansi.c_str());
        QTreeWidget* rows = ShownBy<QTreeWidget>(list);
        ASSERT_NE(nullptr, rows);
        EXPECT_EQ(c.shown, rows->headerItem()->text(0));
        EXPECT_EQ(c.shown, rows->topLevelItem(0)->text(0));
        EXPECT_EQ(c.ansi, list.GetItemText(0, 0));

        // Text is measured as the characters it stands for.
        SIZE measured = Extent(window, c.ansi);
        AnsiCodePage utf8(CP_UTF8);
        SIZE expected = Extent(window, c.shown.toStdString());
        EXPECT_EQ(expected.cx, measured.cx);
    }
}
