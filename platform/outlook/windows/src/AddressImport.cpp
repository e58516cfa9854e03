#include "AddressImport.h"

#include "FieldsDialog.h"

#include "com/ComPtr.h"
#include "mapi/AddressBookEdit.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include <fstream>
#include <iterator>
#include <string>

namespace pollenta::outlook {

namespace {

constexpr const char* kCaption = "Import and Export";

bool Import(IAddrBook* book, const std::string& path, const std::string& listName)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string why = "The file " + path + " cannot be read.";
    pollenta::mapi::CsvImportResult result;
    if (!in.good() && !in.eof()) {
        MessageBox(nullptr, why.c_str(), kCaption, MB_OK | MB_ICONWARNING);
        return false;
    }
    if (FAILED(pollenta::mapi::ImportAddressCsv(book, bytes, listName, result, &why))) {
        MessageBox(nullptr, why.c_str(), kCaption, MB_OK | MB_ICONWARNING);
        return false;
    }
    std::string text = std::to_string(result.added) + " entries were added to the address book";
    if (result.known)
        text += ", " + std::to_string(result.known) + " it had already";
    if (result.skipped)
        text += "; " + std::to_string(result.skipped) + " rows without an e-mail address were left out";
    text += ".";
    if (!result.listEntryId.empty())
        text += " The list \"" + listName + "\" holds them.";
    MessageBox(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONINFORMATION);
    return true;
}

}  // namespace

QDialog* StartAddressImport(IAddrBook* book, QWidget* parent)
{
    char path[4096] = {};
    OPENFILENAME request;
    request.lpstrFilter = "Comma Separated Values (*.csv)\0*.csv\0All files\0*\0";
    request.lpstrFile = path;
    request.nMaxFile = sizeof path;
    request.lpstrTitle = "Import address book entries from a CSV file";
    request.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileName(&request))
        return nullptr;
    auto* list = new QLineEdit;
    list->setObjectName("list");
    auto* fields = new QFormLayout;
    fields->addRow(new QLabel(QString::fromStdString(std::string("Importing ") + path)));
    fields->addRow("Make a &list of them named (leave empty for none):", list);
    QDialog* dialog =
        FieldsDialog(parent, kCaption, fields, [book = CComPtr<IAddrBook>(book), file = std::string(path), list] {
            return Import(book, file, list->text().toStdString());
        });
    dialog->setObjectName("import");
    dialog->open();
    return dialog;
}

}  // namespace pollenta::outlook
