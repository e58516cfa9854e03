#include "ControlWidgets.h"
#include "Convert.h"
#include "Dispatch.h"
#include "GridWidget.h"
#include "ItemViewSignals.h"
#include "StaticWidget.h"
#include "WrappingButton.h"
#include "ui/FlexGrid.h"
#include "ui/Styles.h"
#include "ui/Window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSizeGrip>
#include <QTabBar>
#include <QTreeWidget>

namespace {

// Signals reach the control through its handle, so a control that has
// gone by then is simply not found.
void OnCommandOf(HWND hwnd, UINT code)
{
    if (WindowRecord* record = FindRecord(hwnd))
        SendCommand(*record, code);
}

QWidget* CreateButton(WindowRecord& record, QWidget* parent, QButtonGroup*& radioGroup)
{
    HWND hwnd = record.handle;
    QAbstractButton* button = nullptr;
    switch (record.style & BS_TYPEMASK) {
    case BS_GROUPBOX:
        return new QGroupBox(parent);
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: {
        auto* box = (record.style & BS_MULTILINE) ? new WrappingCheckBox(parent) : new QCheckBox(parent);
        DWORD kind = record.style & BS_TYPEMASK;
        box->setTristate(kind == BS_3STATE || kind == BS_AUTO3STATE);
        button = box;
        break;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        button = (record.style & BS_MULTILINE) ? new WrappingRadioButton(parent) : new QRadioButton(parent);
        if (!radioGroup)
            radioGroup = new QButtonGroup(parent);
        radioGroup->addButton(button);
        break;
    default: {
        auto* push = new QPushButton(parent);
        push->setDefault((record.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        push->setAutoDefault(false);
        button = push;
        break;
    }
    }
    QObject::connect(button, &QAbstractButton::clicked, [hwnd] { OnCommandOf(hwnd, BN_CLICKED); });
    return button;
}

QWidget* CreateStatic(WindowRecord& record, QWidget* parent)
{
    switch (record.style & SS_TYPEMASK) {
    case SS_ICON:
    case SS_BITMAP:
    case SS_ENHMETAFILE:
        return new QLabel(parent);
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT: {
        auto* line = new QFrame(parent);
        line->setFrameShape((record.style & SS_TYPEMASK) == SS_ETCHEDHORZ ? QFrame::HLine : QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        return line;
    }
    default:
        return new StaticWidget(parent);
    }
}

QWidget* CreateEdit(WindowRecord& record, QWidget* parent)
{
    HWND hwnd = record.handle;
    if (record.style & ES_MULTILINE) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setReadOnly(record.style & ES_READONLY);
        if (record.style & ES_AUTOHSCROLL)
            edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        QObject::connect(edit, &QPlainTextEdit::textChanged, [hwnd] { OnCommandOf(hwnd, EN_CHANGE); });
        return edit;
    }
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(record.style & ES_READONLY);
    if (record.style & ES_NUMBER)
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    if (record.style & ES_RIGHT)
        edit->setAlignment(Qt::AlignRight);
    if (record.style & ES_PASSWORD)
        edit->setEchoMode(QLineEdit::Password);
    QObject::connect(edit, &QLineEdit::textChanged, [hwnd] { OnCommandOf(hwnd, EN_CHANGE); });
    return edit;
}

QWidget* CreateComboBox(WindowRecord& record, QWidget* parent)
{
    HWND hwnd = record.handle;
    auto* combo = new QComboBox(parent);
    combo->setEditable((record.style & 0x3) == CBS_DROPDOWN);
    QObject::connect(combo, &QComboBox::activated, [hwnd] { OnCommandOf(hwnd, CBN_SELCHANGE); });
    return combo;
}

QWidget* CreateItemView(WindowRecord& record, QWidget* parent)
{
    HWND hwnd = record.handle;
    auto* view = new QTreeWidget(parent);
    bool list = record.className == WC_LISTVIEW;
    view->setRootIsDecorated(!list);
    view->setHeaderHidden(!list || (record.style & LVS_NOCOLUMNHEADER));
    view->setColumnCount(list ? 0 : 1);
    if (list && (record.style & LVS_SINGLESEL) == 0)
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QObject::connect(view, &QTreeWidget::itemSelectionChanged, [hwnd, list] {
        if (WindowRecord* r = FindRecord(hwnd))
            SendNotify(*r, list ? LVN_ITEMCHANGED : TVN_SELCHANGED);
    });
    QObject::connect(view, &QTreeWidget::itemDoubleClicked, [hwnd] {
        if (WindowRecord* r = FindRecord(hwnd))
            SendNotify(*r, NM_DBLCLK);
    });
    if (list)
        ConnectListSignals(view, hwnd);
    else
        ConnectTreeSignals(view, hwnd, record.style & TVS_CHECKBOXES);
    return view;
}

QWidget* CreateTabBar(WindowRecord& record, QWidget* parent)
{
    HWND hwnd = record.handle;
    auto* tabs = new QTabBar(parent);
    tabs->setDrawBase(true);
    QObject::connect(tabs, &QTabBar::currentChanged, [hwnd] {
        if (WindowRecord* r = FindRecord(hwnd))
            SendNotify(*r, TCN_SELCHANGE);
    });
    return tabs;
}

} // namespace

QWidget* CreateControlWidget(WindowRecord& record, QWidget* parent, QButtonGroup*& radioGroup)
{
    if (record.style & WS_GROUP)
        radioGroup = nullptr;
    const std::string& name = record.className;
    if (name == WC_BUTTON)
        return CreateButton(record, parent, radioGroup);
    if (name == WC_STATIC)
        return CreateStatic(record, parent);
    if (name == WC_EDIT)
        return CreateEdit(record, parent);
    if (name == WC_COMBOBOX)
        return CreateComboBox(record, parent);
    if (name == WC_LISTBOX)
        return new QListWidget(parent);
    if (name == WC_LISTVIEW || name == WC_TREEVIEW)
        return CreateItemView(record, parent);
    if (name == WC_FLEXGRID)
        return CreateGridWidget(record.handle, parent);
    if (name == WC_TABCONTROL)
        return CreateTabBar(record, parent);
    if (name == PROGRESS_CLASS) {
        auto* bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        return bar;
    }
    if (name == WC_SCROLLBAR) {
        if (record.style & SBS_SIZEGRIP)
            return new QSizeGrip(parent);
        return new QScrollBar((record.style & SBS_VERT) ? Qt::Vertical : Qt::Horizontal, parent);
    }
    return new QWidget(parent);
}

void ShowWindowText(WindowRecord& record)
{
    QWidget* widget = record.widget;
    QString text = ToQString(record.text);
    if (!record.parent && widget)
        widget->setWindowTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(text);
    else if (auto* line = qobject_cast<QLineEdit*>(widget))
        line->setText(text);
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget))
        edit->setPlainText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->isEditable())
        combo->setEditText(text);
    else if (widget)
        widget->update();
}

void ReadWindowText(WindowRecord& record)
{
    QWidget* widget = record.widget;
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        record.text = FromQString(line->text());
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget))
        // A multi-line edit ends its lines with CR LF, as callers that
        // compare or store its text expect.
        record.text = FromQString(edit->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n")));
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        record.text = FromQString(combo->currentText());
}

UINT GetButtonState(const WindowRecord& record)
{
    if (auto* box = qobject_cast<QCheckBox*>(record.widget)) {
        Qt::CheckState state = box->checkState();
        return state == Qt::Checked ? BST_CHECKED : state == Qt::PartiallyChecked ? BST_INDETERMINATE : BST_UNCHECKED;
    }
    if (auto* radio = qobject_cast<QRadioButton*>(record.widget))
        return radio->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    return BST_UNCHECKED;
}

bool SetButtonState(WindowRecord& record, UINT state)
{
    if (auto* box = qobject_cast<QCheckBox*>(record.widget)) {
        box->setCheckState(state == BST_CHECKED ? Qt::Checked : state == BST_INDETERMINATE ? Qt::PartiallyChecked : Qt::Unchecked);
        return true;
    }
    if (auto* radio = qobject_cast<QRadioButton*>(record.widget)) {
        // Unchecking one button of an exclusive group takes the group's leave.
        QButtonGroup* group = radio->group();
        bool exclusive = group && group->exclusive();
        if (exclusive && state != BST_CHECKED)
            group->setExclusive(false);
        radio->setChecked(state == BST_CHECKED);
        if (exclusive && state != BST_CHECKED)
            group->setExclusive(true);
        return true;
    }
    return false;
}
