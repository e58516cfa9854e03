#pragma once
// Check boxes and radio buttons with BS_MULTILINE: the box sits at the left,
// centred on the lines, and the text wraps in the room beside it. The whole
// control answers a click, as a Windows button does.

#include <QCheckBox>
#include <QRadioButton>

template <class Button>
class WrappingButton : public Button {
public:
    using Button::Button;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

using WrappingCheckBox = WrappingButton<QCheckBox>;
using WrappingRadioButton = WrappingButton<QRadioButton>;

// The lines of a wrapping button's text in the room its style leaves beside
// the box.
QRect WrappedButtonText(const QAbstractButton* button);
