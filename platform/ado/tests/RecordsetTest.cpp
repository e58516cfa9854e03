#include "AdoTestDatabase.h"

#include "com/ErrorInfo.h"

#include <thread>

namespace {

using RecordsetTest = AdoTestDatabase;

struct Expected {
    const char* name;
    DataTypeEnum type;
    LONG size;
};

TEST_F(RecordsetTest, ColumnsComeBackAsTheirAdoTypes)
{
    CComPtr<_Recordset> recordset = NewRecordset();
    ASSERT_EQ(OpenAnswers(recordset), S_OK);
    CComPtr<Fields> fields;
    ASSERT_EQ(recordset->get_Fields(&fields), S_OK);
    LONG count = 0;
    fields->get_Count(&count);
    EXPECT_EQ(count, 10);
    for (const Expected& e : {Expected{"ID", adInteger, 4}, Expected{"name", adVarWChar, 10},
                              Expected{"AGE", adInteger, 4}, Expected{"Agree", adBoolean, 2},
                              Expected{"Born", adDate, 8}, Expected{"Score", adDouble, 8},
                              Expected{"Price", adCurrency, 8}, Expected{"Notes", adLongVarWChar, 536870910},
                              Expected{"Photo", adLongVarBinary, 1073741823}}) {
        CComPtr<Field> field;
        ASSERT_EQ(fields->get_Item(CComVariant(e.name), &field), S_OK) << e.name;
        DataTypeEnum type = adEmpty;
        LONG size = 0;
        field->get_Type(&type);
        field->get_DefinedSize(&size);
        EXPECT_EQ(type, e.type) << e.name;
        EXPECT_EQ(size, e.size) << e.name;
    }
    CComPtr<Field> field;
    EXPECT_EQ(fields->get_Item(CComVariant("Nmae"), &field), adErrItemNotFound);
    EXPECT_NE(pollenta::com::TakeErrorDescription(fields, IID_Fields).find("cannot be found"), std::string::npos);
    EXPECT_EQ(fields->get_Item(CComVariant(LONG{10}), &field), adErrItemNotFound);
    EXPECT_EQ(fields->get_Item(CComVariant(LONG{1}), &field), S_OK);
    CComBSTR name;
    field->get_Name(&name);
    EXPECT_EQ(pollenta::com::AnsiFromBstr(name), "Name");
}

TEST_F(RecordsetTest, AddedRecordIsStoredWithConvertedValues)
{
    CComPtr<_Recordset> recordset = NewRecordset();
    ASSERT_EQ(OpenAnswers(recordset, "answers"), S_OK);
    ASSERT_EQ(recordset->AddNew(Missing(), Missing()), S_OK);
    EXPECT_EQ(Put(recordset, "Name", CComVariant(u"Zo\u00eb")), S_OK);
    EXPECT_EQ(Put(recordset, "Age", CComVariant("42")), S_OK);
    EXPECT_EQ(Put(recordset, "Agree", CComVariant(LONG{-1})), S_OK);
    EXPECT_EQ(Put(recordset, "Born", CComVariant("2024-02-29 13:45")), S_OK);
    EXPECT_EQ(Put(recordset, "Score", CComVariant("2.5")), S_OK);
    EXPECT_EQ(Put(recordset, "Price", CComVariant("12.3456")), S_OK);
    EXPECT_EQ(Put(recordset, "Notes", CComVariant("'); DROP TABLE Answers; --")), S_OK);
    LONG status = -1;
    recordset->get_Status(&status);
    EXPECT_EQ(status, adRecNew);
    ASSERT_EQ(recordset->Update(Missing(), Missing()), S_OK);
    recordset->putref_ActiveConnection(nullptr);
    EXPECT_EQ(recordset->Close(), S_OK);

    EXPECT_EQ(Scalar("SELECT Name FROM Answers"), "Zo\u00eb");
    EXPECT_EQ(Scalar("SELECT typeof(Age) || Age FROM Answers"), "integer42");
    EXPECT_EQ(Scalar("SELECT Agree FROM Answers"), "1");
    EXPECT_EQ(Scalar("SELECT Born FROM Answers"), "2024-02-29 13:45:00");
    EXPECT_EQ(Scalar("SELECT Score FROM Answers"), "2.5");
    EXPECT_EQ(Scalar("SELECT Price FROM Answers"), "12.3456");
    EXPECT_EQ(Scalar("SELECT Notes FROM Answers"), "'); DROP TABLE Answers; --");
    EXPECT_EQ(Scalar("SELECT Nick || coalesce(Photo, '-') FROM Answers"), "x-");

    // and the same record read back through a recordset
    ASSERT_EQ(OpenAnswers(recordset, "[Answers]", adLockReadOnly), S_OK);
    CComPtr<Fields> fields;
    CComPtr<Field> born, agree;
    recordset->get_Fields(&fields);
    fields->get_Item(CComVariant("Born"), &born);
    fields->get_Item(CComVariant("Agree"), &agree);
    CComVariant date, flag;
    born->get_Value(&date);
    agree->get_Value(&flag);
    EXPECT_EQ(date.vt, VT_DATE);
    EXPECT_DOUBLE_EQ(date.date, 45351.0 + (13 * 60 + 45) / 1440.0);
    EXPECT_EQ(flag.vt, VT_BOOL);
    EXPECT_EQ(flag.boolVal, VARIANT_TRUE);
    EXPECT_EQ(recordset->AddNew(Missing(), Missing()), adErrFeatureNotAvailable);
}

TEST_F(RecordsetTest, ValuesThatDoNotFitFailAtTheFieldAndTheRestIsStored)
{
    CComPtr<_Recordset> recordset = NewRecordset();
    ASSERT_EQ(OpenAnswers(recordset), S_OK);
    ASSERT_EQ(recordset->AddNew(Missing(), Missing()), S_OK);
    CComPtr<Fields> fields;
    recordset->get_Fields(&fields);
    CComPtr<Field> age, name;
    fields->get_Item(CComVariant("Age"), &age);
    fields->get_Item(CComVariant("Name"), &name);
    EXPECT_TRUE(FAILED(age->put_Value(CComVariant("abc"))));
    EXPECT_TRUE(FAILED(age->put_Value(CComVariant("99999999999"))));
    LONG status = 0;
    age->get_Status(&status);
    EXPECT_EQ(status, adFieldDataOverflow);
    EXPECT_TRUE(FAILED(name->put_Value(CComVariant("eleven char"))));
    name->get_Status(&status);
    EXPECT_EQ(status, adFieldDataOverflow);
    EXPECT_EQ(name->put_Value(CComVariant("ten chars!")), S_OK);
    EXPECT_TRUE(FAILED(Put(recordset, "Born", CComVariant("2023-02-29"))));
    EXPECT_TRUE(FAILED(Put(recordset, "Photo", CComVariant(LONG{3}))));
    ASSERT_EQ(recordset->Update(Missing(), Missing()), S_OK);
    EXPECT_EQ(Scalar("SELECT Name || '/' || coalesce(Age, 'null') || '/' || coalesce(Born, 'null') FROM Answers"),
              "ten chars!/null/null");
}

TEST_F(RecordsetTest, OddNamesAreQuotedNeverPasted)
{
    Sql("CREATE TABLE \"My \"\"odd]; table\" (\"select\" INTEGER, \"a\"\"b\" TEXT, "
        "\"x]; DROP TABLE Answers;--\" TEXT)");
    CComPtr<_Recordset> recordset = NewRecordset();
    ASSERT_EQ(OpenAnswers(recordset, "[My \"odd]; table]"), S_OK);
    ASSERT_EQ(recordset->AddNew(Missing(), Missing()), S_OK);
    EXPECT_EQ(Put(recordset, "SELECT", CComVariant("7")), S_OK);
    EXPECT_EQ(Put(recordset, "a\"b", CComVariant("quote")), S_OK);
    EXPECT_EQ(Put(recordset, "x]; DROP TABLE Answers;--", CComVariant("semi")), S_OK);
    ASSERT_EQ(recordset->Update(Missing(), Missing()), S_OK);
    EXPECT_EQ(Scalar("SELECT \"select\" || \"a\"\"b\" || \"x]; DROP TABLE Answers;--\" FROM \"My \"\"odd]; table\""),
              "7quotesemi");
    EXPECT_EQ(Scalar("SELECT count(*) FROM sqlite_master WHERE name = 'Answers'"), "1");
    CComPtr<_Recordset> other = NewRecordset();
    EXPECT_EQ(OpenAnswers(other, "Answers; DROP TABLE Answers"), DB_E_NOTABLE);
}

TEST_F(RecordsetTest, NamesBeyondAsciiMatchWithoutRegardToCase)
{
    // SQLite itself folds ASCII only, so a table may hold two columns that
    // differ in the case of other letters; the exact name wins.
    Sql("CREATE TABLE \"Ответы\" (\"Имя\" TEXT, \"Ärger\" TEXT, "
        "\"ärger\" TEXT)");
    CComPtr<_Recordset> recordset = NewRecordset();
    ASSERT_EQ(OpenAnswers(recordset, "[ОТВЕТЫ]"), S_OK);
    ASSERT_EQ(recordset->AddNew(Missing(), Missing()), S_OK);
    EXPECT_EQ(Put(recordset, "ИМЯ", CComVariant("upper")), S_OK);
    EXPECT_EQ(Put(recordset, "ärger", CComVariant("small")), S_OK);
    EXPECT_EQ(Put(recordset, "ÄRGER", CComVariant("first")), S_OK);
    ASSERT_EQ(recordset->Update(Missing(), Missing()), S_OK);
    EXPECT_EQ(Scalar("SELECT \"Имя\" || '|' || \"Ärger\" || '|' || \"ärger\" "
                     "FROM \"Ответы\""),
              "upper|first|small");
}

TEST_F(RecordsetTest, AnAutoNumberedKeyIsReadOnlyAndTheRecordStillSaves)
{
    Sql("INSERT INTO Answers (ID, Name) VALUES (1, 'first')");
    Sql("CREATE TABLE Keyed (Code INTEGER NOT NULL, Note TEXT, PRIMARY KEY (Code))");
    Sql("CREATE TABLE Counted (ID INTEGER PRIMARY KEY AUTOINCREMENT, Note TEXT)");
    Sql("CREATE TABLE Descending (ID INTEGER PRIMARY KEY DESC, Note TEXT)");
    Sql("CREATE TABLE Short (ID INT PRIMARY KEY, Note TEXT)");
    Sql("CREATE TABLE Pair (A INTEGER, B INTEGER, PRIMARY KEY (A, B))");
    struct Case {
        const char* table;
        const char* key;
        bool autoNumbered;
    };
    const Case cases[] = {
        {"Answers", "ID", true}, {"Keyed", "Code", true}, {"Counted", "id", true},
        // Not an alias of the row id in SQLite: the value is the caller's.
        {"Descending", "ID", false}, {"Short", "ID", false}, {"Pair", "A", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        CComPtr<_Recordset> recordset = NewRecordset();
        ASSERT_EQ(OpenAnswers(recordset, c.table), S_OK);
        CComPtr<Fields> fields;
        recordset->get_Fields(&fields);
        CComPtr<Field> key;
        ASSERT_EQ(fields->get_Item(CComVariant(c.key), &key), S_OK);
        LONG attributes = 0;
        key->get_Attributes(&attributes);
        EXPECT_EQ(c.autoNumbered, (attributes & adFldUpdatable) == 0);
        ASSERT_EQ(recordset->AddNew(Missing(), Missing()), S_OK);
        const HRESULT put = key->put_Value(CComVariant(LONG{1}));
        EXPECT_EQ(c.autoNumbered, FAILED(put));
        if (c.autoNumbered) {
            LONG status = 0;
            key->get_Status(&status);
            EXPECT_EQ(adFieldPermissionDenied, status);
            EXPECT_NE(std::string::npos,
                      pollenta::com::TakeErrorDescription(recordset, IID__Recordset).find("cannot be updated"));
        }
    }
    CComPtr<_Recordset> recordset = NewRecordset();
    ASSERT_EQ(OpenAnswers(recordset), S_OK);
    ASSERT_EQ(recordset->AddNew(Missing(), Missing()), S_OK);
    EXPECT_TRUE(FAILED(Put(recordset, "ID", CComVariant(LONG{1}))));
    EXPECT_EQ(Put(recordset, "Name", CComVariant("second")), S_OK);
    ASSERT_EQ(recordset->Update(Missing(), Missing()), S_OK);
    EXPECT_EQ(Scalar("SELECT group_concat(ID || Name, ',') FROM Answers"), "1first,2second");
}

TEST_F(RecordsetTest, FailedSavesStoreNothingAndSayWhy)
{
    Sql("CREATE TABLE Unique1 (Code INTEGER UNIQUE, Note TEXT)");
    Sql("INSERT INTO Unique1 VALUES (1, 'first')");
    CComPtr<_Recordset> recordset = NewRecordset();
    ASSERT_EQ(OpenAnswers(recordset, "Unique1"), S_OK);
    ASSERT_EQ(recordset->AddNew(Missing(), Missing()), S_OK);
    Put(recordset, "Note", CComVariant("second"));
    Put(recordset, "Code", CComVariant(LONG{1}));
    EXPECT_EQ(recordset->Update(Missing(), Missing()), DB_E_INTEGRITYVIOLATION);
    LONG status = 0;
    recordset->get_Status(&status);
    EXPECT_EQ(status & adRecIntegrityViolation, adRecIntegrityViolation);
    EXPECT_EQ(Scalar("SELECT count(*) FROM Unique1"), "1");

    CComPtr<_Recordset> nick = NewRecordset();
    ASSERT_EQ(OpenAnswers(nick), S_OK);
    ASSERT_EQ(nick->AddNew(Missing(), Missing()), S_OK);
    Put(nick, "Nick", CComVariant(CComVariant()));
    CComVariant null;
    null.vt = VT_NULL;
    EXPECT_EQ(Put(nick, "Nick", null), S_OK);
    EXPECT_EQ(nick->Update(Missing(), Missing()), DB_E_INTEGRITYVIOLATION);
    EXPECT_EQ(Scalar("SELECT count(*) FROM Answers"), "0");
}

TEST_F(RecordsetTest, AnotherWriterHoldingTheFileIsAConcurrencyViolation)
{
    CComPtr<_Recordset> recordset = NewRecordset();
    ASSERT_EQ(OpenAnswers(recordset), S_OK);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(m_path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE; INSERT INTO Answers (Name) VALUES ('other')", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    ASSERT_EQ(recordset->AddNew(Missing(), Missing()), S_OK);
    Put(recordset, "Name", CComVariant("mine"));
    EXPECT_EQ(recordset->Update(Missing(), Missing()), DB_E_CONCURRENCYVIOLATION);
    LONG status = 0;
    recordset->get_Status(&status);
    EXPECT_EQ(status & adRecConcurrencyViolation, adRecConcurrencyViolation);
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(Scalar("SELECT group_concat(Name) FROM Answers"), "other");
}

TEST_F(RecordsetTest, ReadOnlyModeAndLostColumnsAreReportedAsSuch)
{
    CComPtr<_Recordset> recordset = NewRecordset();
    ASSERT_EQ(recordset->Open(CComVariant("Answers"), CComVariant(ConnectionString() + ";Mode=Read"), adOpenKeyset,
                              adLockOptimistic, -1),
              S_OK);
    ASSERT_EQ(recordset->AddNew(Missing(), Missing()), S_OK);
    Put(recordset, "Name", CComVariant("ro"));
    EXPECT_EQ(recordset->Update(Missing(), Missing()), DB_SEC_E_PERMISSIONDENIED);
    LONG status = 0;
    recordset->get_Status(&status);
    EXPECT_EQ(status & adRecPermissionDenied, adRecPermissionDenied);

    CComPtr<_Recordset> changing = NewRecordset();
    ASSERT_EQ(OpenAnswers(changing), S_OK);
    ASSERT_EQ(changing->AddNew(Missing(), Missing()), S_OK);
    Put(changing, "Notes", CComVariant("gone soon"));
    Sql("ALTER TABLE Answers DROP COLUMN Notes");
    EXPECT_TRUE(FAILED(changing->Update(Missing(), Missing())));
    changing->get_Status(&status);
    EXPECT_EQ(status & adRecSchemaViolation, adRecSchemaViolation);
    EXPECT_EQ(Scalar("SELECT count(*) FROM Answers"), "0");
}

TEST_F(RecordsetTest, AnOpenConnectionObjectCanBeShared)
{
    CComPtr<_Connection> connection;
    ASSERT_EQ(AdoCreateInstance(CLSID_Connection, IID__Connection, reinterpret_cast<void**>(&connection)), S_OK);
    ASSERT_EQ(connection->Open(CComBSTR(m_path), nullptr, nullptr, -1), S_OK);
    for (int i = 0; i < 2; ++i) {
        CComPtr<_Recordset> recordset = NewRecordset();
        ASSERT_EQ(recordset->Open(CComVariant("Answers"), CComVariant(static_cast<IUnknown*>(connection.p)),
                                  adOpenKeyset, adLockOptimistic, -1),
                  S_OK);
        ASSERT_EQ(recordset->AddNew(Missing(), Missing()), S_OK);
        ASSERT_EQ(recordset->Update(Missing(), Missing()), S_OK);
    }
    EXPECT_EQ(Scalar("SELECT count(*) || group_concat(Nick, '') FROM Answers"), "2xx");
    CComPtr<_Recordset> missingTable = NewRecordset();
    EXPECT_EQ(missingTable->Open(CComVariant("Nothing"), CComVariant(static_cast<IUnknown*>(connection.p)), adOpenKeyset,
                                 adLockOptimistic, -1),
              DB_E_NOTABLE);
    CComPtr<Errors> errors;
    connection->get_Errors(&errors);
    LONG count = 0;
    errors->get_Count(&count);
    EXPECT_EQ(count, 1);
}

}  // namespace
