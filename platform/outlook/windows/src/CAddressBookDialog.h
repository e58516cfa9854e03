#pragma once
// The client's Address Book window (Tools > Address Book...): the entries
// and lists of the profile's book, with New Entry..., New List...,
// Properties... (or a double click) to change one and Delete. An entry is
// a name and an e-mail address; a list a name and the entries it holds.

#include "mapi/AddressBookEdit.h"

#include "com/ComPtr.h"

#include <QDialog>
#include <QTableWidget>

#include <vector>

namespace pollenta::outlook {

class CAddressBookDialog : public QDialog {
public:
    CAddressBookDialog(IAddrBook* book, QWidget* parent);

    // Reads the book again, as after every change made here.
    void Reload();

private:
    const pollenta::mapi::AddressEntry* Selected() const;
    // The dialog that adds an entry (null `entry`) or changes one.
    void EditEntry(const pollenta::mapi::AddressEntry* entry);
    void EditList(const pollenta::mapi::AddressEntry* list);
    void DeleteSelected();
    // S_OK, or the box that says why the book refused.
    bool Done(HRESULT hr, const std::string& why);

    CComPtr<IAddrBook> m_book;
    std::vector<pollenta::mapi::AddressEntry> m_entries;
    QTableWidget* m_list;
};

}  // namespace pollenta::outlook
