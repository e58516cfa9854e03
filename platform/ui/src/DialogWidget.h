#pragma once
// The top-level window of a dialog: tells its receiver about size changes,
// background erasing and closing.

#include <QWidget>

class DialogWidget : public QWidget {
public:
    DialogWidget();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
