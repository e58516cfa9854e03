#include "CWETableDescription.h"

#include "AnsiText.h"
#include "CWEAccessProperties.h"
#include "CWEProjectStore.h"
#include "CWERegKey.h"

#include "ado/AdoCreate.h"
#include "ado/AdoGuids.h"
#include "ado/Recordset.h"
#include "com/DispatchClient.h"
#include "com/Text.h"
#include "win/RegistryGroup.h"

using namespace gastrel;

namespace {

constexpr LONG kWarnNoConnection = 10;
constexpr LONG kWarnNoProjectKey = 11;
constexpr LONG kWarnNoFields = 12;
constexpr LONG kWarnFieldUnreadable = 13;
constexpr LONG kWarnRecipientFieldMissing = 14;
constexpr LONG kWarnRecipientFieldUnused = 15;
constexpr LONG kWarnSenderFieldMissing = 16;
constexpr LONG kWarnSenderFieldUnused = 17;
constexpr LONG kWarnNoConnectionString = 18;

// Windows' limit on the length of a key name.
constexpr DWORD kKeyNameChars = 255;

CComPtr<_Connection> ConnectionOf(IDispatch* application)
{
    CComPtr<IDispatch> project = ReadObject(application, "CurrentProject");
    CComVariant value;
    if (!project || FAILED(pollenta::com::GetProperty(project, "AccessConnection", &value)) ||
        (value.vt != VT_UNKNOWN && value.vt != VT_DISPATCH) || !value.punkVal)
        return nullptr;
    CComPtr<_Connection> connection;
    value.punkVal->QueryInterface(IID__Connection, reinterpret_cast<void**>(&connection));
    return connection;
}

bool Describe(Fields* fields, LONG index, CWETableDescription::FieldDescription& description)
{
    CComPtr<Field> field;
    BSTR name = nullptr;
    if (FAILED(fields->get_Item(CComVariant(index), &field)) || !field || FAILED(field->get_Name(&name)))
        return false;
    description.name = pollenta::com::AnsiFromBstr(name);
    SysFreeString(name);
    return SUCCEEDED(field->get_Type(&description.type)) && SUCCEEDED(field->get_DefinedSize(&description.size)) &&
           SUCCEEDED(field->get_Attributes(&description.attributes));
}

}  // namespace

void CWETableDescription::Store(IDispatch* application, const std::string& recordSource)
{
    m_objectText = recordSource + ";Application";
    CComPtr<_Connection> connection = ConnectionOf(application);
    if (!connection)
        return Warn(kWarnNoConnection);
    BSTR text = nullptr;
    if (FAILED(connection->get_ConnectionString(&text)))
        return Warn(kWarnNoConnectionString);
    const std::string connectionString = pollenta::com::AnsiFromBstr(text);
    SysFreeString(text);
    // The whole description reaches the disk as one write, however many
    // fields the table has.
    RegistryChangeGroup group;
    CWERegKey project;
    if (project.Open(HKEY_CURRENT_USER, CWEProjectStore::ProjectKeyPath(m_projectId), KEY_ALL_ACCESS) !=
        ERROR_SUCCESS)
        return Warn(kWarnNoProjectKey);
    project.SetText("ConnectionString", connectionString);

    CComPtr<_Recordset> records;
    if (FAILED(AdoCreateInstance(CLSID_Recordset, IID__Recordset, reinterpret_cast<void**>(&records))))
        return Warn(kWarnNoConnection);
    CComPtr<Fields> fields;
    LONG count = 0;
    const bool opened = SUCCEEDED(records->Open(CComVariant(recordSource),
                                                CComVariant(static_cast<IUnknown*>(connection.p)), adOpenForwardOnly,
                                                adLockReadOnly, -1)) &&
                        SUCCEEDED(records->get_Fields(&fields)) && fields && SUCCEEDED(fields->get_Count(&count));
    std::vector<FieldDescription> described;
    for (LONG i = 0; i < count; ++i) {
        FieldDescription field;
        if (Describe(fields, i, field))
            described.push_back(std::move(field));
        else
            Warn(kWarnFieldUnreadable);
    }
    if (opened)
        records->Close();
    CWERegKey fieldsKey;
    if (!RenewFields(project, described, fieldsKey))
        return Warn(kWarnNoProjectKey);
    project.SetText("RecordsetSource", recordSource);
    fieldsKey.Close();
    project.Close();
    if (group.End() != ERROR_SUCCESS)
        return Warn(kWarnNoProjectKey);
    if (!opened)
        return Warn(kWarnNoFields);
    bool hasRecipient = false, hasSender = false;
    for (const FieldDescription& field : described) {
        m_state.tableFields.push_back(field.name);
        hasRecipient = hasRecipient || AnsiEqualNoCase(field.name, "RecipientEmail");
        hasSender = hasSender || AnsiEqualNoCase(field.name, "SenderEmail");
    }
    CompareCollecting(hasRecipient, hasSender);
}

bool CWETableDescription::RenewFields(const CWERegKey& project, const std::vector<FieldDescription>& described,
                                      CWERegKey& fieldsKey)
{
    // A new description replaces the old one whole: fields of an earlier
    // record source must not linger, and the keys keep the table's order.
    // The same fields in the same order are only brought up to date, so
    // that generating a page again writes nothing that has not changed.
    std::vector<std::string> names;
    for (const FieldDescription& field : described)
        names.push_back(field.name);
    if (fieldsKey.Open(project.Handle(), "Fields", KEY_ALL_ACCESS) != ERROR_SUCCESS ||
        fieldsKey.SubkeyNames(kKeyNameChars) != names) {
        fieldsKey.Close();
        RegDeleteTree(project.Handle(), "Fields");
        if (fieldsKey.Create(project.Handle(), "Fields") != ERROR_SUCCESS)
            return false;
    }
    for (const FieldDescription& field : described) {
        CWERegKey key;
        if (key.Create(fieldsKey.Handle(), field.name) == ERROR_SUCCESS) {
            key.SetNumber("Type", static_cast<DWORD>(field.type));
            key.SetNumber("DefinedSize", static_cast<DWORD>(field.size));
            key.SetNumber("Attributes", static_cast<DWORD>(field.attributes));
        }
    }
    return true;
}

void CWETableDescription::CompareCollecting(bool hasRecipient, bool hasSender)
{
    const bool collectRecipients = m_properties.GetNumber("CollectRecipients") != 0;
    const bool collectSenders = m_properties.GetNumber("CollectSenders") != 0;
    if (collectRecipients && !hasRecipient)
        Warn(kWarnRecipientFieldMissing);
    if (!collectRecipients && hasRecipient)
        Warn(kWarnRecipientFieldUnused);
    if (collectSenders && !hasSender)
        Warn(kWarnSenderFieldMissing);
    if (!collectSenders && hasSender)
        Warn(kWarnSenderFieldUnused);
}
