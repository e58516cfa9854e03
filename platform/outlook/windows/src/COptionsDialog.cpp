#include "COptionsDialog.h"
#include "COptionsPageSite.h"

#include "com/Activation.h"
#include "com/Text.h"
#include "ui/ForeignWidget.h"
#include "ui/Window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace pollenta::outlook {

COptionsDialog::COptionsDialog(const std::vector<OptionsPage>& pages, QWidget* parent)
    : QDialog(parent), m_tabs(new QTabWidget), m_pages(pages)
{
    setWindowTitle("Options");
    COptionsPageSite::CreateInstance(IID_PropertyPageSite, reinterpret_cast<void**>(&m_site));
    if (m_site)
        static_cast<COptionsPageSite*>(m_site.p)->SetStatusChangeSink([this] { UpdateApply(); });
    auto* preferences = new QLabel("Mail format: HTML, written with the client's own editor.");
    preferences->setAlignment(Qt::AlignCenter);
    m_tabs->addTab(preferences, "Preferences");
    for (const OptionsPage& page : m_pages)
        m_tabs->addTab(PageWidget(page), QString::fromStdString(page.title));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply);
    m_apply = buttons->button(QDialogButtonBox::Apply);
    QObject::connect(m_apply, &QPushButton::clicked, this, [this] { ApplyPages(); });
    // A page that could not take its changes keeps the dialog open, as the
    // client's Options dialog does.
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (ApplyPages())
            accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    resize(480, 420);
    UpdateApply();
}

QWidget* COptionsDialog::PageWidget(const OptionsPage& page)
{
    CComPtr<IUnknown> object = page.object;
    CLSID clsid = GUID_NULL;
    const std::u16string progId = pollenta::com::Utf16FromAnsi(page.progId);
    const bool installed = page.object || SUCCEEDED(CLSIDFromProgID(progId.c_str(), &clsid));
    if (!object && installed)
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object));
    CComQIPtr<PropertyPage> property(object.p);
    CComQIPtr<IWESettingsPage> control(object.p);
    if (property && control) {
        auto* container = new QWidget;
        control->SetClientSite(m_site);
        LONG_PTR window = 0;
        if (SUCCEEDED(control->CreatePageWindow(reinterpret_cast<LONG_PTR>(AttachForeignWidget(container)), &window))) {
            RECT rect{};
            GetWindowRect(reinterpret_cast<HWND>(window), &rect);
            container->setMinimumSize(rect.right - rect.left, rect.bottom - rect.top);
            m_hosted.push_back(property);
            return container;
        }
        delete container;
    }
    auto* label = new QLabel(installed ? QString("The page %1 of an add-in.").arg(QString::fromStdString(page.progId))
                                       : QString("%1 is not installed.").arg(QString::fromStdString(page.progId)));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

bool COptionsDialog::ApplyPages()
{
    bool applied = true;
    for (const CComPtr<PropertyPage>& page : m_hosted)
        applied = SUCCEEDED(page->Apply()) && applied;
    UpdateApply();
    return applied;
}

void COptionsDialog::UpdateApply()
{
    if (!m_apply)
        return;
    bool dirty = false;
    for (const CComPtr<PropertyPage>& page : m_hosted) {
        VARIANT_BOOL pageDirty = VARIANT_FALSE;
        dirty = dirty || (SUCCEEDED(page->get_Dirty(&pageDirty)) && pageDirty != VARIANT_FALSE);
    }
    m_apply->setEnabled(dirty);
}

std::vector<std::string> COptionsDialog::TabTitles() const
{
    std::vector<std::string> titles;
    for (int i = 0; i < m_tabs->count(); ++i)
        titles.push_back(m_tabs->tabText(i).toStdString());
    return titles;
}

}  // namespace pollenta::outlook
