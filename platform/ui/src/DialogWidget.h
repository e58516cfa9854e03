#pragma once
// The window of a dialog: tells its receiver about size changes, background
// erasing and closing. A child dialog (a property page) leaves the keys to
// the window around it.

#include <QWidget>

class DialogWidget : public QWidget {
public:
    explicit DialogWidget(QWidget* parent);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
