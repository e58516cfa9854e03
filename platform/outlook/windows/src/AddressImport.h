#pragma once
// File > Import and Export...: a CSV file of addresses, chosen by the user,
// becomes entries of the profile's address book, and a list of them when
// the user names one; a box says what was imported or why nothing was.

#include "mapi/IAddrBook.h"

#include <QDialog>

namespace pollenta::outlook {

// The dialog that asks for the list's name, open until the user closes
// it; null when the user chose no file.
QDialog* StartAddressImport(IAddrBook* book, QWidget* parent);

}  // namespace pollenta::outlook
