#include "Convert.h"
#include "Dispatch.h"
#include "ListCellWidth.h"
#include "StaticWidget.h"
#include "WrappingButton.h"
#include "WindowTable.h"
#include "ui/Styles.h"
#include "ui/TextFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTreeWidget>

#include <climits>

namespace {

class FitCheck {
public:
    explicit FitCheck(const WindowRecord& control) : m_control(control) {}

    void Width(const QString& text, int needed, int available)
    {
        if (needed > available)
            Add(text, needed, available, "width");
    }
    void Height(const QString& text, int needed, int available)
    {
        if (needed > available)
            Add(text, needed, available, "height");
    }

    std::vector<CutText> m_cuts;

private:
    void Add(const QString& text, int needed, int available, const char* dimension)
    {
        m_cuts.push_back({m_control.id, m_control.className, FromQString(text), needed, available, dimension});
    }

    const WindowRecord& m_control;
};

// A button's "&" marks its mnemonic and takes no room.
QString ShownText(const QString& text)
{
    QString shown = text;
    return shown.replace(QLatin1String("&&"), QLatin1String("\x01")).remove(QLatin1Char('&')).replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

bool StaticWraps(DWORD style)
{
    DWORD kind = style & SS_TYPEMASK;
    return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT;
}

void MeasureStatic(const WindowRecord& record, QWidget* widget, FitCheck& check)
{
    QString text = ToQString(record.text);
    if (text.isEmpty())
        return;
    QFontMetrics metrics(widget->font());
    // As the control draws it: on one line while the line fits.
    const bool oneLine = metrics.horizontalAdvance(text) <= widget->width() && !text.contains(QLatin1Char('\n'));
    if (!StaticWraps(record.style) || oneLine) {
        check.Width(text, metrics.horizontalAdvance(text), widget->width());
        check.Height(text, metrics.height(), widget->height());
        return;
    }
    QRect wrapped = metrics.boundingRect(QRect(0, 0, widget->width(), INT_MAX / 2), Qt::TextWordWrap, text);
    check.Width(text, wrapped.width(), widget->width());
    check.Height(text, wrapped.height(), widget->height());
}

void MeasureButton(QAbstractButton* button, DWORD style, FitCheck& check)
{
    QString text = ShownText(button->text());
    if (text.isEmpty())
        return;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    QStyle::SubElement contents = qobject_cast<QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
                                  : qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                                        : QStyle::SE_PushButtonContents;
    QRect room = button->style()->subElementRect(contents, &option, button);
    QFontMetrics metrics(button->font());
    if (contents != QStyle::SE_PushButtonContents && (style & BS_MULTILINE)) {
        QRect lines = WrappedButtonText(button);
        check.Width(text, lines.width(), room.width());
        check.Height(text, lines.height(), room.height());
        return;
    }
    if (contents == QStyle::SE_PushButtonContents)
        room.adjust(0, 0, -button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button), 0);
    check.Width(text, metrics.horizontalAdvance(text), room.width());
    check.Height(text, metrics.height(), room.height());
}

void MeasureGroupBox(QGroupBox* group, FitCheck& check)
{
    QString text = ShownText(group->title());
    if (text.isEmpty())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
    // The frame keeps as much room right of the title as it does on its left.
    check.Width(text, label.right() + 1 + label.left(), group->width());
}

void MeasureComboBox(QComboBox* combo, FitCheck& check)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    QFontMetrics metrics(combo->font());
    for (int i = 0; i < combo->count(); ++i) {
        QString text = combo->itemText(i);
        int icon = combo->itemIcon(i).isNull() ? 0 : combo->iconSize().width() + 4;
        check.Width(text, metrics.horizontalAdvance(text) + icon, field.width());
    }
}

// A report view's columns against their headers and every row's cell,
// icons and margins included, as the view's delegate lays them out.
void MeasureListColumns(QTreeWidget* view, FitCheck& check)
{
    QHeaderView* header = view->header();
    for (int column = 0; column < view->columnCount(); ++column) {
        int width = view->columnWidth(column);
        if (header->isSectionHidden(column) || width == 0)
            continue;
        if (!header->isHidden())
            check.Width(view->headerItem()->text(column), header->sectionSizeHint(column), width);
        for (int row = 0; row < view->topLevelItemCount(); ++row) {
            QString text = view->topLevelItem(row)->text(column);
            if (text.isEmpty())
                continue;
            int needed = ListCellWidth(view, row, column);
            check.Width(text, needed, width);
        }
    }
}

void MeasureControl(const WindowRecord& record, FitCheck& check)
{
    QWidget* widget = record.widget;
    if (auto* text = dynamic_cast<StaticWidget*>(widget))
        MeasureStatic(record, text, check);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        MeasureButton(button, record.style, check);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        MeasureGroupBox(group, check);
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        MeasureComboBox(combo, check);
    else if (auto* view = qobject_cast<QTreeWidget*>(widget); view && record.className == WC_LISTVIEW)
        MeasureListColumns(view, check);
}

void MeasureChildren(HWND parent, QWidget* top, std::vector<CutText>& cuts)
{
    for (WindowRecord* child : WindowTable::Instance().Children(parent)) {
        if (!child->widget || !child->widget->isVisibleTo(top))
            continue;
        FitCheck check(*child);
        MeasureControl(*child, check);
        cuts.insert(cuts.end(), check.m_cuts.begin(), check.m_cuts.end());
        MeasureChildren(child->handle, top, cuts);
    }
}

} // namespace

std::vector<CutText> FindCutTexts(HWND window)
{
    std::vector<CutText> cuts;
    WindowRecord* record = FindRecord(window);
    if (record && record->widget)
        MeasureChildren(window, record->widget, cuts);
    return cuts;
}

std::string DescribeCutTexts(const std::vector<CutText>& cuts)
{
    std::string lines;
    for (const CutText& cut : cuts)
        lines += std::to_string(cut.id) + " " + cut.className + " \"" + cut.text + "\": " + cut.dimension + " " +
                 std::to_string(cut.needed) + " > " + std::to_string(cut.available) + "\n";
    return lines;
}
