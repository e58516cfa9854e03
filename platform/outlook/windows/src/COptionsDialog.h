#pragma once
// The client's Options dialog: its own Preferences page, then a page for
// every page the add-ins added when it opened. A page's control is made by
// its ProgID; one that is not installed says so on its page.

#include "outlook/OptionsPage.h"

#include <QDialog>
#include <QTabWidget>

#include <vector>

namespace pollenta::outlook {

class COptionsDialog : public QDialog {
public:
    COptionsDialog(const std::vector<OptionsPage>& pages, QWidget* parent);

    std::vector<std::string> TabTitles() const;

private:
    QTabWidget* m_tabs;
    std::vector<OptionsPage> m_pages;
};

}  // namespace pollenta::outlook
