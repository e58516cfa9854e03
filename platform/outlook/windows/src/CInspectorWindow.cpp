#include "CInspectorWindow.h"

#include "CommandBarWidgets.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QMenuBar>
#include <QVBoxLayout>

namespace pollenta::outlook {

namespace {

constexpr LONG kSendControl = 2617;
constexpr LONG kSaveControl = 3;

QString Text(const CComBSTR& text)
{
    return QString::fromStdString(text.ToString());
}

}  // namespace

CInspectorWindow::CInspectorWindow(_Inspector* inspector)
    : m_inspector(inspector), m_from(new QLineEdit), m_to(new QLineEdit), m_subject(new QLineEdit),
      m_body(new QTextBrowser), m_toolBar(addToolBar("Standard"))
{
    CComPtr<IDispatch> item;
    inspector->get_CurrentItem(&item);
    m_item = CComQIPtr<_MailItem>(item.p);
    m_from->setReadOnly(true);
    // The client's built-in buttons carry captions, no pictures.
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* headers = new QFormLayout;
    headers->addRow("From:", m_from);
    headers->addRow("To:", m_to);
    headers->addRow("Subject:", m_subject);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(headers);
    layout->addWidget(m_body, 1);
    setCentralWidget(page);
    resize(760, 600);
    ReadItem();
    RefreshBars();
}

void CInspectorWindow::ReadItem()
{
    CComBSTR caption, from, to, subject, html, body;
    m_inspector->get_Caption(&caption);
    setWindowTitle(Text(caption));
    if (!m_item)
        return;
    m_item->get_SenderName(&from);
    m_item->get_To(&to);
    m_item->get_Subject(&subject);
    m_item->get_HTMLBody(&html);
    m_from->setText(Text(from));
    m_to->setText(Text(to));
    m_subject->setText(Text(subject));
    if (html.Length() > 0) {
        m_body->setHtml(Text(html));
    } else {
        m_item->get_Body(&body);
        m_body->setPlainText(Text(body));
    }
}

void CInspectorWindow::RefreshBars()
{
    CComPtr<_CommandBars> bars;
    if (FAILED(m_inspector->get_CommandBars(&bars)))
        return;
    const BuiltInHandler builtIn = [this](LONG id) { return HandleBuiltIn(id); };
    CComPtr<CommandBar> menuBar;
    if (SUCCEEDED(bars->get_ActiveMenuBar(&menuBar)))
        FillMenuBar(this->menuBar(), menuBar, builtIn);
    CComPtr<CommandBar> standard;
    if (SUCCEEDED(bars->get_Item(CComVariant("Standard"), &standard)))
        FillToolBar(m_toolBar, standard, builtIn);
}

bool CInspectorWindow::HandleBuiltIn(LONG id)
{
    if (!m_item || (id != kSendControl && id != kSaveControl))
        return false;
    m_item->put_Subject(CComBSTR(m_subject->text().toStdString()));
    if (id == kSaveControl) {
        m_item->Save();
        return true;
    }
    const std::string to = m_to->text().toStdString();
    CComPtr<Recipients> recipients;
    LONG count = 0;
    if (SUCCEEDED(m_item->get_Recipients(&recipients)) && SUCCEEDED(recipients->get_Count(&count)) && count == 0 &&
        !to.empty())
        recipients->Add(CComBSTR(to), nullptr);
    m_item->Send();
    return true;
}

void CInspectorWindow::closeEvent(QCloseEvent* event)
{
    if (!m_closing) {
        m_closing = true;
        m_inspector->Close(olSave);
    }
    event->accept();
}

}  // namespace pollenta::outlook
