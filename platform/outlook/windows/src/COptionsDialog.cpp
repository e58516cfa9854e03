#include "COptionsDialog.h"

#include "com/Activation.h"
#include "com/Text.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace pollenta::outlook {

namespace {

QWidget* PageWidget(const OptionsPage& page)
{
    CLSID clsid = GUID_NULL;
    const std::u16string progId = pollenta::com::Utf16FromAnsi(page.progId);
    const bool installed = page.object || SUCCEEDED(CLSIDFromProgID(progId.c_str(), &clsid));
    auto* label = new QLabel(installed ? QString("The page %1 of an add-in.").arg(QString::fromStdString(page.progId))
                                       : QString("%1 is not installed.").arg(QString::fromStdString(page.progId)));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

COptionsDialog::COptionsDialog(const std::vector<OptionsPage>& pages, QWidget* parent)
    : QDialog(parent), m_tabs(new QTabWidget), m_pages(pages)
{
    setWindowTitle("Options");
    auto* preferences = new QLabel("Mail format: HTML, written with the client's own editor.");
    preferences->setAlignment(Qt::AlignCenter);
    m_tabs->addTab(preferences, "Preferences");
    for (const OptionsPage& page : m_pages)
        m_tabs->addTab(PageWidget(page), QString::fromStdString(page.title));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    resize(480, 420);
}

std::vector<std::string> COptionsDialog::TabTitles() const
{
    std::vector<std::string> titles;
    for (int i = 0; i < m_tabs->count(); ++i)
        titles.push_back(m_tabs->tabText(i).toStdString());
    return titles;
}

}  // namespace pollenta::outlook
