#pragma once
// A static text control: draws its text in the colours its receivers choose
// and reports clicks when it has SS_NOTIFY.

#include <QWidget>

class StaticWidget : public QWidget {
public:
    explicit StaticWidget(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};
