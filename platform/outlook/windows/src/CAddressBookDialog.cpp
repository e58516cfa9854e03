#include "CAddressBookDialog.h"

#include "FieldsDialog.h"

#include "ui/MessageBox.h"

#include "mapi/MapiFlags.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <set>

namespace pollenta::outlook {

namespace {

constexpr const char* kCaption = "Address Book";

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QLineEdit* Field(const char* name, const std::string& text)
{
    auto* edit = new QLineEdit(Text(text));
    edit->setObjectName(name);
    return edit;
}

}  // namespace

CAddressBookDialog::CAddressBookDialog(IAddrBook* book, QWidget* parent)
    : QDialog(parent), m_book(book), m_list(new QTableWidget(0, 2))
{
    setWindowTitle(kCaption);
    m_list->setObjectName("entries");
    m_list->setHorizontalHeaderLabels({"Name", "E-mail Address"});
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->verticalHeader()->hide();
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* caption, auto action) {
        auto* made = new QPushButton(caption);
        QObject::connect(made, &QPushButton::clicked, this, action);
        buttons->addWidget(made);
        return made;
    };
    button("New &Entry...", [this] { EditEntry(nullptr); });
    button("New &List...", [this] { EditList(nullptr); });
    const auto properties = [this] {
        if (const pollenta::mapi::AddressEntry* entry = Selected())
            entry->type == MAPI_DISTLIST ? EditList(entry) : EditEntry(entry);
    };
    button("&Properties...", properties);
    button("&Delete", [this] { DeleteSelected(); });
    buttons->addStretch();
    button("&Close", [this] { close(); });
    QObject::connect(m_list, &QTableWidget::cellDoubleClicked, this, properties);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(640, 420);
    Reload();
}

void CAddressBookDialog::Reload()
{
    std::string why;
    std::vector<pollenta::mapi::AddressEntry> entries;
    if (!Done(pollenta::mapi::ReadAddressEntries(m_book, entries, &why), why))
        return;
    m_entries = std::move(entries);
    m_list->setRowCount(static_cast<int>(m_entries.size()));
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const pollenta::mapi::AddressEntry& entry = m_entries[i];
        const std::string address =
            entry.type == MAPI_DISTLIST ? "List of " + std::to_string(entry.members.size()) : entry.address;
        m_list->setItem(static_cast<int>(i), 0, new QTableWidgetItem(Text(entry.name)));
        m_list->setItem(static_cast<int>(i), 1, new QTableWidgetItem(Text(address)));
    }
}

const pollenta::mapi::AddressEntry* CAddressBookDialog::Selected() const
{
    const int row = m_list->currentRow();
    return row >= 0 && static_cast<std::size_t>(row) < m_entries.size() ? &m_entries[static_cast<std::size_t>(row)]
                                                                        : nullptr;
}

bool CAddressBookDialog::Done(HRESULT hr, const std::string& why)
{
    if (SUCCEEDED(hr))
        return true;
    MessageBox(nullptr, why.c_str(), kCaption, MB_OK | MB_ICONWARNING);
    return false;
}

void CAddressBookDialog::EditEntry(const pollenta::mapi::AddressEntry* entry)
{
    const std::string entryId = entry ? entry->entryId : std::string();
    QLineEdit* name = Field("name", entry ? entry->name : "");
    QLineEdit* address = Field("address", entry ? entry->address : "");
    auto* fields = new QFormLayout;
    fields->addRow("&Name:", name);
    fields->addRow("&E-mail address:", address);
    QDialog* dialog = FieldsDialog(this, entry ? "Properties" : "New Entry", fields, [=, this] {
        std::string why;
        std::string added;
        const std::string typedName = name->text().toStdString();
        const std::string typedAddress = address->text().toStdString();
        const HRESULT hr = entryId.empty()
                               ? pollenta::mapi::AddAddressEntry(m_book, typedName, typedAddress, added, &why)
                               : pollenta::mapi::ChangeAddressEntry(m_book, entryId, typedName, typedAddress, &why);
        if (!Done(hr, why))
            return false;
        Reload();
        return true;
    });
    dialog->setObjectName("entry");
    dialog->open();
}

void CAddressBookDialog::EditList(const pollenta::mapi::AddressEntry* list)
{
    const std::string entryId = list ? list->entryId : std::string();
    QLineEdit* name = Field("name", list ? list->name : "");
    auto* members = new QListWidget;
    members->setObjectName("members");
    const std::set<std::string> held =
        list ? std::set<std::string>(list->members.begin(), list->members.end()) : std::set<std::string>();
    std::vector<std::string> candidates;
    for (const pollenta::mapi::AddressEntry& entry : m_entries) {
        if (entry.entryId == entryId)
            continue;
        auto* item = new QListWidgetItem(Text(entry.name), members);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(held.count(entry.entryId) ? Qt::Checked : Qt::Unchecked);
        candidates.push_back(entry.entryId);
    }
    auto* fields = new QFormLayout;
    fields->addRow("&Name:", name);
    fields->addRow("&Members:", members);
    QDialog* dialog = FieldsDialog(this, list ? "Properties" : "New List", fields, [=, this] {
        std::vector<std::string> chosen;
        for (int i = 0; i < members->count(); ++i)
            if (members->item(i)->checkState() == Qt::Checked)
                chosen.push_back(candidates[static_cast<std::size_t>(i)]);
        std::string why;
        std::string id = entryId;
        const HRESULT hr = id.empty()
                               ? pollenta::mapi::AddAddressList(m_book, name->text().toStdString(), chosen, id, &why)
                               : pollenta::mapi::ChangeAddressEntry(m_book, id, name->text().toStdString(), "", &why);
        if (!Done(hr, why) ||
            (!entryId.empty() && !Done(pollenta::mapi::SetAddressListMembers(m_book, id, chosen, &why), why)))
            return false;
        Reload();
        return true;
    });
    dialog->setObjectName("list");
    dialog->open();
}

void CAddressBookDialog::DeleteSelected()
{
    const pollenta::mapi::AddressEntry* entry = Selected();
    if (!entry)
        return;
    const std::string question = "Delete \"" + entry->name + "\" from the address book?";
    if (MessageBox(nullptr, question.c_str(), kCaption, MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    std::string why;
    if (Done(pollenta::mapi::DeleteAddressEntry(m_book, entry->entryId, &why), why))
        Reload();
}

}  // namespace pollenta::outlook
