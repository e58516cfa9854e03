#include "WrappingButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <climits>

namespace {

bool IsRadio(const QAbstractButton* button) { return qobject_cast<const QRadioButton*>(button) != nullptr; }

QRect TextRoom(const QAbstractButton* button, const QStyleOptionButton& option)
{
    QStyle::SubElement contents = IsRadio(button) ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents;
    return button->style()->subElementRect(contents, &option, button);
}

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

} // namespace

template <class Button>
void WrappingButton<Button>::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    this->initStyleOption(&option);
    QString text = option.text;
    option.text.clear();
    painter.drawControl(IsRadio(this) ? QStyle::CE_RadioButton : QStyle::CE_CheckBox, option);
    painter.drawItemText(TextRoom(this, option), kTextFlags, option.palette, this->isEnabled(), text,
                         QPalette::WindowText);
}

template class WrappingButton<QCheckBox>;
template class WrappingButton<QRadioButton>;

QRect WrappedButtonText(const QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    QRect room = TextRoom(button, option);
    return button->fontMetrics().boundingRect(QRect(room.topLeft(), QSize(room.width(), INT_MAX / 2)),
                                              Qt::AlignLeft | Qt::TextWordWrap | Qt::TextShowMnemonic, button->text());
}
