#pragma once
// Acts in the next modal dialog that opens, from inside its modal loop: the
// way a user answers a dialog that the code under test runs with DoModal.
//
//     ModalDriver driver([](QWidget* dialog) { ClickButton(dialog, "OK"); });
//     addIn->OnClickButon(wemitStatic, 5);        // returns once the dialog ended
//     EXPECT_EQ("About Pollenta...", driver.Title());

#include "ui/DialogHook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

class ModalDriver {
public:
    explicit ModalDriver(std::function<void(QWidget*)> act) : m_act(std::move(act))
    {
        // Offscreen a modal dialog runs only while a test watches dialogs.
        m_previous = SetDialogShownHook([this](CDialog& dialog) {
            if (m_previous)
                m_previous(dialog);
        });
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || !dialog->isVisible())
                return;
            m_timer.stop();
            m_title = dialog->windowTitle().toStdString();
            m_act(dialog);
        });
        m_timer.start();
    }
    ~ModalDriver() { SetDialogShownHook(m_previous); }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;
    const std::string& Title() const { return m_title; }

private:
    DialogShownHook m_previous;
    std::function<void(QWidget*)> m_act;
    QTimer m_timer;
    std::string m_title;
};

inline bool ClickButton(QWidget* dialog, const std::string& text)
{
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (button->text().remove('&').toStdString() == text && button->isEnabled()) {
            button->click();
            return true;
        }
    return false;
}
