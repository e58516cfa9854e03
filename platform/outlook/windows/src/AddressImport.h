#pragma once
// File > Import and Export...: a CSV file of addresses, chosen by the user,
// becomes entries of the profile's address book, and a list of them when
// the user names one; a box says what was imported or why nothing was.

#include "mapi/IAddrBook.h"

#include <QWidget>

namespace pollenta::outlook {

void StartAddressImport(IAddrBook* book, QWidget* parent);

}  // namespace pollenta::outlook
