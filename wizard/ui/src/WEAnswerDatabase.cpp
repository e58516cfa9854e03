#include "wizardui/WEAnswerDatabase.h"

#include "ado/AdoCreate.h"
#include "ado/AdoGuids.h"
#include "ado/Connection.h"
#include "ado/Field.h"
#include "ado/Fields.h"
#include "ado/Recordset.h"
#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/ErrorInfo.h"
#include "com/Text.h"

#include <cstdio>
#include <strings.h>

namespace {

std::string HexCode(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(hr));
    return text;
}

// Throws with the description that the failing call left behind.
void Check(HRESULT hr, const std::string& what)
{
    if (SUCCEEDED(hr))
        return;
    std::string description;
    CComPtr<IErrorInfo> info;
    BSTR text = nullptr;
    if (GetErrorInfo(0, &info) == S_OK && info && SUCCEEDED(info->GetDescription(&text)) && text) {
        description = pollenta::com::AnsiFromBstr(text);
        SysFreeString(text);
    }
    throw WEDatabaseError(hr, what + " (" + HexCode(hr) + ")" + (description.empty() ? "" : ":\n\n" + description));
}

CComPtr<_Connection> Open(const std::string& connectionString)
{
    CComPtr<_Connection> connection;
    Check(AdoCreateInstance(CLSID_Connection, IID__Connection, reinterpret_cast<void**>(&connection)),
          "The database connection cannot be made");
    CComBSTR text(connectionString);
    Check(connection->Open(text, nullptr, nullptr, -1), "The database cannot be opened");
    return connection;
}

std::string FieldText(Fields* fields, const char* name)
{
    CComPtr<Field> field;
    Check(fields->get_Item(CComVariant(name), &field), std::string("The field ") + name + " cannot be read");
    CComVariant value;
    Check(field->get_Value(&value), std::string("The value of ") + name + " cannot be read");
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return {};
    Check(VariantChangeType(&value, &value, 0, VT_BSTR), std::string("The value of ") + name + " is not text");
    return pollenta::com::AnsiFromBstr(value.bstrVal);
}

} // namespace

std::string QuoteTableName(const std::string& table)
{
    std::string quoted = "\"";
    for (char c : table)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::vector<WETableEntry> ListTables(const std::string& connectionString)
{
    CComPtr<_Connection> connection = Open(connectionString);
    CComPtr<_Recordset> tables;
    Check(connection->OpenSchema(adSchemaTables, CComVariant(), CComVariant(), &tables), "The tables cannot be listed");
    std::vector<WETableEntry> entries;
    for (;;) {
        VARIANT_BOOL eof = VARIANT_TRUE;
        Check(tables->get_EOF(&eof), "The list of tables cannot be read");
        if (eof)
            break;
        CComPtr<Fields> fields;
        Check(tables->get_Fields(&fields), "The list of tables cannot be read");
        entries.push_back({FieldText(fields, "TABLE_TYPE"), FieldText(fields, "TABLE_NAME")});
        Check(tables->MoveNext(), "The list of tables cannot be read");
    }
    connection->Close();
    return entries;
}

bool TableExists(const std::string& connectionString, const std::string& table)
{
    for (const WETableEntry& entry : ListTables(connectionString))
        if (entry.name.size() == table.size() && strncasecmp(entry.name.c_str(), table.c_str(), table.size()) == 0)
            return true;
    return false;
}

void DropTable(const std::string& connectionString, const std::string& table)
{
    CComPtr<_Connection> connection = Open(connectionString);
    CComBSTR request("DROP TABLE " + QuoteTableName(table));
    CComPtr<_Recordset> none;
    Check(connection->Execute(request, nullptr, static_cast<LONG>(adCmdText) | adExecuteNoRecords, &none),
          "The table \"" + table + "\" cannot be deleted");
    connection->Close();
}
