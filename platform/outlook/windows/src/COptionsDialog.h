#pragma once
// The client's Options dialog: its own Preferences page, then a page for
// every page the add-ins added when it opened. A page's control is made by
// its ProgID (or is the object the add-in gave); a control that can make
// its window in the dialog shows it on its tab and hears Apply and OK, and
// its changed state enables Apply. A page that is not installed says so on
// its tab.

#include "outlook/OptionsPage.h"

#include "IWESettingsPage.h"

#include "com/ComPtr.h"

#include <QDialog>
#include <QPushButton>
#include <QTabWidget>

#include <vector>

namespace pollenta::outlook {

class COptionsDialog : public QDialog {
public:
    COptionsDialog(const std::vector<OptionsPage>& pages, QWidget* parent);

    std::vector<std::string> TabTitles() const;
    // The pages take their changes; Apply stays enabled while one has more.
    // False when a page could not take them.
    bool ApplyPages();

private:
    QWidget* PageWidget(const OptionsPage& page);
    void UpdateApply();

    QTabWidget* m_tabs;
    QPushButton* m_apply = nullptr;
    std::vector<OptionsPage> m_pages;
    CComPtr<PropertyPageSite> m_site;
    std::vector<CComPtr<PropertyPage>> m_hosted;
};

}  // namespace pollenta::outlook
