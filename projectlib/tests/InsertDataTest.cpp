// Answers stored through IHubberly::InsertData, called by name through
// IDispatch as late-bound clients do, into a real SQLite answer table that
// is read back with the sqlite3 library.

#include "CHubberly.h"
#include "HubberlyTestSupport.h"
#include "ProjectlibTestFolder.h"
#include "SqliteTestFile.h"
#include "UserLocaleEnvironment.h"

#include "ado/AdoCreate.h"
#include "ado/Recordset.h"
#include "com/ComPtr.h"
#include "com/DispatchClient.h"

#include <sqlite3.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

// A recordset that a test puts in the provider's place, to reach the
// results that a real SQLite file cannot produce.
class FailingRecordset final : public pollenta::com::CUnknownImpl<FailingRecordset, _Recordset> {
public:
    enum Step { kNone, kFields, kUpdate };
    static inline Step s_failAt = kNone;
    static inline LONG s_status = adRecNew;

    STDMETHODIMP Open(VARIANT, VARIANT, CursorTypeEnum, LockTypeEnum, LONG) override { return S_OK; }
    STDMETHODIMP Close() override { return S_OK; }
    STDMETHODIMP get_State(LONG* state) override { return *state = adStateOpen, S_OK; }
    STDMETHODIMP putref_ActiveConnection(_Connection*) override { return S_OK; }
    STDMETHODIMP get_Fields(Fields** fields) override
    {
        *fields = nullptr;
        return s_failAt == kFields ? E_FAIL : E_NOTIMPL;
    }
    STDMETHODIMP get_Status(LONG* status) override { return *status = s_status, S_OK; }
    STDMETHODIMP get_EOF(VARIANT_BOOL* eof) override { return *eof = VARIANT_TRUE, S_OK; }
    STDMETHODIMP MoveNext() override { return E_FAIL; }
    STDMETHODIMP AddNew(VARIANT, VARIANT) override { return S_OK; }
    STDMETHODIMP Update(VARIANT, VARIANT) override { return E_FAIL; }
    STDMETHODIMP put_Filter(VARIANT) override { return E_NOTIMPL; }
};

// Fields that exist but take nothing, for a recordset that then fails to save.
class EmptyFields final : public pollenta::com::CUnknownImpl<EmptyFields, Fields> {
public:
    STDMETHODIMP get_Count(LONG* count) override { return *count = 0, S_OK; }
    STDMETHODIMP get_Item(VARIANT, Field** field) override { return *field = nullptr, adErrItemNotFound; }
};

class SavingFailsRecordset final : public pollenta::com::CUnknownImpl<SavingFailsRecordset, _Recordset> {
public:
    STDMETHODIMP Open(VARIANT, VARIANT, CursorTypeEnum, LockTypeEnum, LONG) override { return S_OK; }
    STDMETHODIMP Close() override { return S_OK; }
    STDMETHODIMP get_State(LONG* state) override { return *state = adStateOpen, S_OK; }
    STDMETHODIMP putref_ActiveConnection(_Connection*) override { return S_OK; }
    STDMETHODIMP get_Fields(Fields** fields) override
    {
        return EmptyFields::CreateInstance(IID_Fields, reinterpret_cast<void**>(fields));
    }
    STDMETHODIMP get_Status(LONG* status) override { return *status = FailingRecordset::s_status, S_OK; }
    STDMETHODIMP get_EOF(VARIANT_BOOL* eof) override { return *eof = VARIANT_TRUE, S_OK; }
    STDMETHODIMP MoveNext() override { return E_FAIL; }
    STDMETHODIMP AddNew(VARIANT, VARIANT) override { return S_OK; }
    STDMETHODIMP Update(VARIANT, VARIANT) override { return E_FAIL; }
    STDMETHODIMP put_Filter(VARIANT) override { return E_NOTIMPL; }
};

// A recordset that counts how it is let go, with fields whose lookup runs
// out of memory midway.
class CountingRecordset final : public pollenta::com::CUnknownImpl<CountingRecordset, _Recordset> {
public:
    static inline int s_connectionsDropped = 0;
    static inline int s_closed = 0;

    class ThrowingFields final : public pollenta::com::CUnknownImpl<ThrowingFields, Fields> {
    public:
        STDMETHODIMP get_Count(LONG* count) override { return *count = 0, S_OK; }
        STDMETHODIMP get_Item(VARIANT, Field**) override { throw std::bad_alloc(); }
    };

    STDMETHODIMP Open(VARIANT, VARIANT, CursorTypeEnum, LockTypeEnum, LONG) override { return S_OK; }
    STDMETHODIMP Close() override { return ++s_closed, S_OK; }
    STDMETHODIMP get_State(LONG* state) override { return *state = adStateOpen, S_OK; }
    STDMETHODIMP putref_ActiveConnection(_Connection* connection) override
    {
        s_connectionsDropped += connection ? 0 : 1;
        return S_OK;
    }
    STDMETHODIMP get_Fields(Fields** fields) override
    {
        return ThrowingFields::CreateInstance(IID_Fields, reinterpret_cast<void**>(fields));
    }
    STDMETHODIMP get_Status(LONG* status) override { return *status = adRecNew, S_OK; }
    STDMETHODIMP get_EOF(VARIANT_BOOL* eof) override { return *eof = VARIANT_TRUE, S_OK; }
    STDMETHODIMP MoveNext() override { return E_FAIL; }
    STDMETHODIMP AddNew(VARIANT, VARIANT) override { return S_OK; }
    STDMETHODIMP Update(VARIANT, VARIANT) override { return S_OK; }
    STDMETHODIMP put_Filter(VARIANT) override { return E_NOTIMPL; }
};

HRESULT NoRecordset(REFCLSID, REFIID, void** object) { return *object = nullptr, REGDB_E_CLASSNOTREG; }
HRESULT FieldsFail(REFCLSID, REFIID iid, void** object)
{
    FailingRecordset::s_failAt = FailingRecordset::kFields;
    return FailingRecordset::CreateInstance(iid, object);
}
HRESULT SaveFails(REFCLSID, REFIID iid, void** object) { return SavingFailsRecordset::CreateInstance(iid, object); }
HRESULT Counting(REFCLSID, REFIID iid, void** object) { return CountingRecordset::CreateInstance(iid, object); }

SAFEARRAY* Pairs(std::initializer_list<const char16_t*> texts)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(texts.size()));
    LONG i = 0;
    for (const char16_t* text : texts) {
        BSTR copy = text ? SysAllocString(text) : nullptr;
        SafeArrayPutElement(array, &i, copy);
        SysFreeString(copy);
        ++i;
    }
    return array;
}

// What the error list holds before the call, to prove whether it was written.
constexpr LONG kUntouched = static_cast<LONG>(0xDEADBEEF);

struct Outcome {
    HRESULT hr = E_FAIL;
    LONG result = -1;
    std::vector<std::pair<std::string, LONG>> errors;
    VARTYPE errorsType = VT_EMPTY;
    bool errorsUntouched = false;
};

class InsertDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.SeedDataDir();
        m_database = (folder.Path() / "answers.db").string();
        m_file.SetPath(m_database);
        Sql("CREATE TABLE Answers (ID INTEGER PRIMARY KEY, Name VARCHAR(10), Age INTEGER, Agree BIT, "
            "Born DATETIME, Score DOUBLE, Price CURRENCY, Notes TEXT, Code INTEGER UNIQUE, "
            "\"Odd \"\"name]; DROP\" TEXT)");
    }
    void TearDown() override { pollenta::ado::SetCreateHook(nullptr); }

    void Sql(const std::string& sql) { m_file.Sql(sql); }
    std::string Scalar(const std::string& sql) { return m_file.Scalar(sql); }

    CComPtr<IHubberly> New()
    {
        CComPtr<IHubberly> hubberly;
        EXPECT_EQ(S_OK, CHubberly::CreateInstance(IID_IHubberly, reinterpret_cast<void**>(&hubberly),
                                                  CWEProjectStore(folder.ModuleDir().string())));
        return hubberly;
    }

    // A project whose answers go to `source` of the test database.
    LONG Project(const std::string& source = "[Answers]", bool finalize = true, const std::string& connection = {})
    {
        CComPtr<IHubberly> hubberly = New();
        LONG id = Create(hubberly, ("Survey " + std::to_string(++m_projects)).c_str());
        const std::string text = connection.empty() ? "Provider=SQLite;Data Source=" + m_database : connection;
        EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant("ConnectionString"), CComVariant(text)));
        EXPECT_EQ(S_OK, hubberly->SetProperty(CComVariant("RecordSource"), CComVariant(source)));
        if (finalize) {
            EXPECT_EQ(S_OK, hubberly->FinalizeProject(id));
        }
        return id;
    }

    // InsertData by name through IDispatch, the arguments in DISPPARAMS order.
    Outcome Insert(LONG id, SAFEARRAY* data)
    {
        CComPtr<IHubberly> hubberly = New();
        CComQIPtr<IDispatch> dispatch(hubberly.p);
        DISPID member = DISPID_UNKNOWN;
        EXPECT_EQ(S_OK, pollenta::com::GetDispId(dispatch, "InsertData", &member));
        EXPECT_EQ(13, member);
        CComVariant errors(kUntouched);
        VARIANT args[3];
        args[0].vt = VT_BYREF | VT_VARIANT;
        args[0].pvarVal = &errors;
        args[1].vt = VT_ARRAY | VT_BSTR;
        args[1].parray = data;
        args[2].vt = VT_I4;
        args[2].lVal = id;
        DISPPARAMS params{args, nullptr, 3, 0};
        CComVariant result;
        Outcome outcome;
        outcome.hr = dispatch->Invoke(member, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
        SafeArrayDestroy(data);
        if (result.vt == VT_I4)
            outcome.result = result.lVal;
        outcome.errorsType = errors.vt;
        outcome.errorsUntouched = errors.vt == VT_I4 && errors.lVal == kUntouched;
        if (errors.vt == (VT_ARRAY | VT_VARIANT)) {
            LONG lower = -1, upper = -2;
            SafeArrayGetLBound(errors.parray, 1, &lower);
            SafeArrayGetUBound(errors.parray, 1, &upper);
            EXPECT_EQ(0, lower);
            for (LONG i = lower; i + 1 <= upper; i += 2) {
                CComVariant name, code;
                LONG next = i + 1;
                SafeArrayGetElement(errors.parray, &i, &name);
                SafeArrayGetElement(errors.parray, &next, &code);
                EXPECT_EQ(VT_BSTR, name.vt);
                EXPECT_EQ(VT_I4, code.vt);
                outcome.errors.emplace_back(pollenta::com::AnsiFromBstr(name.bstrVal), code.lVal);
            }
        }
        return outcome;
    }

    ProjectlibTestFolder folder;
    std::string m_database;
    SqliteTestFile m_file;
    int m_projects = 0;
};

using Errors = std::vector<std::pair<std::string, LONG>>;

TEST_F(InsertDataTest, AnAnswerIsStoredAsOneRecordOfConvertedValues)
{
    const LONG id = Project();
    Outcome outcome = Insert(id, Pairs({u"kqProjectID", nullptr, u"name", u"Zo\u00eb", u"Age", u"yes", u"Agree", u"ON",
                                        u"Born", u"2024-02-29 13:45:00", u"Score", u"2.5", u"Price", u"12.34",
                                        u"Notes", u"'); DROP TABLE Answers; --", u"Odd \"name]; DROP", u"odd"}));
    EXPECT_EQ(S_OK, outcome.hr);
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(VT_ARRAY | VT_VARIANT, outcome.errorsType);
    EXPECT_TRUE(outcome.errors.empty());
    EXPECT_EQ("Zo\u00eb|-1|1|2024-02-29 13:45:00|2.5|12.34|'); DROP TABLE Answers; --|odd",
              Scalar("SELECT Name || '|' || Age || '|' || Agree || '|' || Born || '|' || Score || '|' || Price || '|' "
                     "|| Notes || '|' || \"Odd \"\"name]; DROP\" FROM Answers"));
}

TEST_F(InsertDataTest, CheckBoxAndNumberTextsFollowTheFieldType)
{
    const LONG id = Project();
    struct Case {
        const char16_t* agree;
        const char16_t* age;
        const char* stored;
        Errors errors;
    };
    const Case cases[] = {
        {u"on", u"no", "1|0", {}},
        {u"checked", u"42", "0|42", {}},
        {u"-1", u"TRUE", "1|-1", {}},
        {u"off", u"abc", "0|null", {{"Age", 10}}},
    };
    for (const Case& c : cases) {
        Sql("DELETE FROM Answers");
        Outcome outcome = Insert(id, Pairs({u"Agree", c.agree, u"Age", c.age}));
        EXPECT_EQ(c.errors.empty() ? 0 : 1, outcome.result);
        EXPECT_EQ(c.errors, outcome.errors);
        EXPECT_EQ(c.stored, Scalar("SELECT Agree || '|' || coalesce(Age, 'null') FROM Answers"));
    }
}

TEST_F(InsertDataTest, DatesAndNumbersTypedInTheUsersFormAreStored)
{
    const LONG id = Project();
    struct Case {
        const char* locale;
        const char16_t* born;
        const char16_t* score;
        const char16_t* price;
    };
    const Case cases[] = {
        {"de_DE.UTF-8", u"15.03.2024", u"3,14", u"1.234,5"},
        {"ru_RU.UTF-8", u"15.03.2024 09:30", u"3,14", u"1 234,5"},
        {"en_US.UTF-8", u"03/15/2024 9:30 AM", u"3.14", u"1,234.5"},
        {"de_DE.UTF-8", u"2024-03-15", u"3.14", u"1234.5"},  // the ISO forms in any locale
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        UserLocaleEnvironment locale(c.locale);
        Sql("DELETE FROM Answers");
        Outcome outcome = Insert(id, Pairs({u"Born", c.born, u"Score", c.score, u"Price", c.price}));
        EXPECT_EQ(0, outcome.result);
        EXPECT_TRUE(outcome.errors.empty());
        EXPECT_EQ(3.14, std::stod(Scalar("SELECT Score FROM Answers")));
        EXPECT_EQ("1234.5", Scalar("SELECT Price FROM Answers"));
        EXPECT_EQ("2024-03-15", Scalar("SELECT substr(Born, 1, 10) FROM Answers"));
    }
}

TEST_F(InsertDataTest, AnIntegerFieldTakesAWholeNumberAsTheUserWritesItAndNeverARoundedOne)
{
    const LONG id = Project();
    struct Case {
        const char* locale;
        const char16_t* age;
        const char16_t* score;
        const char* stored;
        Errors errors;
    };
    const Case cases[] = {
        // German and ISO read "1.234" differently: German wins, as on Windows.
        {"de_DE.UTF-8", u"1.234", u"1.234", "1234|1234.0", {}},
        {"de_DE.UTF-8", u"1,0", u"1,5", "1|1.5", {}},
        {"de_DE.UTF-8", u"1,5", u"2", "null|2.0", {{"Age", 10}}},
        {"de_DE.UTF-8", u"3000000000", u"0,5", "null|0.5", {{"Age", 10}}},
        {"ru_RU.UTF-8", u"1 234", u"1 234,5", "1234|1234.5", {}},
        {"ru_RU.UTF-8", u"12,25", u"7", "null|7.0", {{"Age", 10}}},
        {"en_US.UTF-8", u"1,234", u"1.5", "1234|1.5", {}},
        {"en_US.UTF-8", u"1.5", u"1.5", "null|1.5", {{"Age", 10}}},
        {"C", u"-42", u"2.5e1", "-42|25.0", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " " + pollenta::com::AnsiFromUtf16(c.age));
        UserLocaleEnvironment locale(c.locale);
        Sql("DELETE FROM Answers");
        Outcome outcome = Insert(id, Pairs({u"Age", c.age, u"Score", c.score}));
        EXPECT_EQ(c.errors.empty() ? 0 : 1, outcome.result);
        EXPECT_EQ(c.errors, outcome.errors);
        EXPECT_EQ(c.stored, Scalar("SELECT coalesce(Age, 'null') || '|' || printf('%.1f', Score) FROM Answers"));
    }
}

TEST_F(InsertDataTest, FieldErrorsAreListedAndTheRestIsStored)
{
    const LONG id = Project();
    Outcome outcome = Insert(id, Pairs({u"Name", u"Ann", u"Colour", u"red", u"Name", u"far too long a name",
                                        u"Born", u"not a date", u"Notes", u"", u"", u"orphan"}));
    EXPECT_EQ(S_OK, outcome.hr);
    EXPECT_EQ(1, outcome.result);
    EXPECT_EQ((Errors{{"Colour", 11}, {"Name", 10}, {"Born", 10}}), outcome.errors);
    EXPECT_EQ("1|Ann|null|null", Scalar("SELECT count(*) || '|' || Name || '|' || coalesce(Born, 'null') || '|' || "
                                        "coalesce(Notes, 'null') FROM Answers"));

    Outcome second = Insert(id, Pairs({u"Name", u"Bob", u"Missing", u"x"}));
    EXPECT_EQ(1, second.result);
    EXPECT_EQ((Errors{{"Missing", 11}}), second.errors);
}

TEST_F(InsertDataTest, NamesBeyondAsciiFindTheirFieldInAnyCase)
{
    Sql("CREATE TABLE \"Ответы\" (\"Имя\" TEXT, \"Счёт\" INTEGER)");
    const LONG id = Project("[ОТВЕТЫ]");
    Outcome outcome = Insert(id, Pairs({u"ИМЯ", u"Анна", u"счЁт", u"7"}));
    EXPECT_EQ(0, outcome.result);
    EXPECT_TRUE(outcome.errors.empty());
    EXPECT_EQ("Анна|7",
              Scalar("SELECT \"Имя\" || '|' || \"Счёт\" FROM \"Ответы\""));
}

TEST_F(InsertDataTest, APostedAutoNumberIsRefusedAndTheRestIsStored)
{
    const LONG id = Project();
    for (const char16_t* name : {u"Ann", u"Bob"}) {
        SCOPED_TRACE(pollenta::com::AnsiFromUtf16(name));
        Outcome outcome = Insert(id, Pairs({u"ID", u"1", u"Name", name}));
        EXPECT_EQ(S_OK, outcome.hr);
        EXPECT_EQ(1, outcome.result);
        EXPECT_EQ((Errors{{"ID", 10}}), outcome.errors);
    }
    EXPECT_EQ("1Ann,2Bob", Scalar("SELECT group_concat(ID || Name, ',') FROM Answers"));
}

TEST_F(InsertDataTest, ProjectChecksComeFirst)
{
    Outcome noProject = Insert(987654, Pairs({u"Name", u"x"}));
    EXPECT_EQ(2, noProject.result);
    EXPECT_TRUE(noProject.errorsUntouched);
    EXPECT_EQ(2, Insert(987654, Pairs({u"Name", u"x", u"odd"})).result);
    const LONG unfinished = Project("[Answers]", false);
    Outcome outcome = Insert(unfinished, Pairs({u"Name", u"x"}));
    EXPECT_EQ(S_OK, outcome.hr);
    EXPECT_EQ(3, outcome.result);
    EXPECT_TRUE(outcome.errorsUntouched);

    CComPtr<IHubberly> hubberly = New();
    const LONG corrupted = Create(hubberly, "No database");
    ASSERT_EQ(S_OK, hubberly->FinalizeProject(corrupted));
    Outcome corrupt = Insert(corrupted, Pairs({u"Name", u"x"}));
    EXPECT_EQ(4, corrupt.result);
    EXPECT_TRUE(corrupt.errorsUntouched);
    // Settings too long for their buffers read as missing; one character
    // less still passes the project checks.
    EXPECT_EQ(4, Insert(Project("[" + std::string(297, 'T') + "]"), Pairs({u"Name", u"x"})).result);
    EXPECT_EQ(6, Insert(Project("[" + std::string(296, 'T') + "]"), Pairs({u"Name", u"x"})).result);
    EXPECT_EQ(4, Insert(Project("[Answers]", true, std::string(1999, 'c')), Pairs({u"Name", u"x"})).result);
    EXPECT_EQ(6, Insert(Project("[Answers]", true, std::string(1998, 'c')), Pairs({u"Name", u"x"})).result);

    const LONG id = Project();
    EXPECT_EQ(E_INVALIDARG, Insert(id, Pairs({u"Name", u"x", u"Age"})).hr);
    EXPECT_EQ("0", Scalar("SELECT count(*) FROM Answers"));
}

TEST_F(InsertDataTest, ArgumentsAreCheckedBeforeAnything)
{
    CComPtr<IHubberly> hubberly = New();
    const LONG id = Project();
    CComVariant errors;
    LONG result = -1;
    CComVariant pairs;
    pairs.vt = VT_ARRAY | VT_BSTR;
    pairs.parray = Pairs({u"Name", u"x"});
    EXPECT_EQ(E_INVALIDARG, hubberly->InsertData(0, pairs, &errors, &result));
    EXPECT_EQ(E_INVALIDARG, hubberly->InsertData(id, pairs, nullptr, &result));
    EXPECT_EQ(E_INVALIDARG, hubberly->InsertData(id, pairs, &errors, nullptr));
    EXPECT_EQ(E_INVALIDARG, hubberly->InsertData(id, CComVariant("Name=x"), &errors, &result));
    EXPECT_EQ(S_OK, hubberly->InsertData(id, pairs, &errors, &result));
    EXPECT_EQ(0, result);
}

TEST_F(InsertDataTest, DatabasesThatCannotBeOpenedGiveResultSix)
{
    std::ofstream(folder.Path() / "text.db") << "These lines are not an SQLite database, whatever the name says.\n";
    const LONG missingFile = Project("[Answers]", true, "Provider=SQLite;Data Source=" + (folder.Path() / "none.db").string());
    const LONG notADatabase = Project("[Answers]", true, (folder.Path() / "text.db").string());
    const LONG missingTable = Project("[Replies]");
    const LONG otherProvider = Project("[Answers]", true, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb");
    for (LONG id : {missingFile, notADatabase, missingTable, otherProvider}) {
        Outcome outcome = Insert(id, Pairs({u"Name", u"x"}));
        EXPECT_EQ(S_OK, outcome.hr);
        EXPECT_EQ(6, outcome.result);
        EXPECT_TRUE(outcome.errorsUntouched);
    }
    EXPECT_FALSE(fs::exists(folder.Path() / "none.db"));
}

TEST_F(InsertDataTest, AViewTakesNoNewRecord)
{
    Sql("CREATE VIEW Adults AS SELECT * FROM Answers WHERE Age >= 18");
    EXPECT_EQ(7, Insert(Project("[Adults]"), Pairs({u"Name", u"x"})).result);
}

TEST_F(InsertDataTest, FailedSavesStoreNothingAndNameTheReason)
{
    Sql("INSERT INTO Answers (Code) VALUES (7)");
    Outcome duplicate = Insert(Project(), Pairs({u"Name", u"dup", u"Code", u"7", u"Colour", u"red"}));
    EXPECT_EQ(12, duplicate.result);
    EXPECT_EQ((Errors{{"Colour", 11}}), duplicate.errors);

    EXPECT_EQ(19, Insert(Project("[Answers]", true, "Provider=SQLite;Data Source=" + m_database + ";Mode=Read"),
                         Pairs({u"Name", u"ro"}))
                      .result);

    Sql("CREATE TABLE Log (Entry TEXT); CREATE TRIGGER Logged AFTER INSERT ON Answers BEGIN "
        "INSERT INTO Log VALUES (new.Name); END; DROP TABLE Log");
    EXPECT_EQ(20, Insert(Project(), Pairs({u"Name", u"lost"})).result);
    Sql("DROP TRIGGER Logged");

    sqlite3* other = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(m_database.c_str(), &other));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr));
    EXPECT_EQ(13, Insert(Project(), Pairs({u"Name", u"busy"})).result);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ("1", Scalar("SELECT count(*) FROM Answers"));
}

TEST_F(InsertDataTest, EveryRecordStatusHasItsResult)
{
    const LONG id = Project();
    pollenta::ado::SetCreateHook(NoRecordset);
    EXPECT_EQ(5, Insert(id, Pairs({u"Name", u"x"})).result);
    pollenta::ado::SetCreateHook(FieldsFail);
    EXPECT_EQ(8, Insert(id, Pairs({u"Name", u"x"})).result);

    pollenta::ado::SetCreateHook(SaveFails);
    const std::pair<LONG, LONG> statuses[] = {
        {adRecNew, 9},
        {adRecNew | adRecIntegrityViolation, 12},
        {adRecConcurrencyViolation, 13},
        {adRecInvalid, 14},
        {adRecMaxChangesExceeded, 15},
        {adRecMultipleChanges, 16},
        {adRecObjectOpen, 17},
        {adRecOutOfMemory, 18},
        {adRecPermissionDenied, 19},
        {adRecSchemaViolation, 20},
    };
    for (const auto& [status, result] : statuses) {
        FailingRecordset::s_status = status;
        Outcome outcome = Insert(id, Pairs({u"Name", u"x"}));
        EXPECT_EQ(result, outcome.result) << status;
        EXPECT_EQ(VT_ARRAY | VT_VARIANT, outcome.errorsType) << status;
    }
}

TEST_F(InsertDataTest, AnOpenedRecordsetIsClosedWhenAnExceptionEndsTheCall)
{
    const LONG id = Project();
    pollenta::ado::SetCreateHook(Counting);
    Outcome outcome = Insert(id, Pairs({u"Name", u"x"}));
    EXPECT_EQ(E_OUTOFMEMORY, outcome.hr);
    EXPECT_EQ(1, CountingRecordset::s_connectionsDropped);
    EXPECT_EQ(1, CountingRecordset::s_closed);
}

TEST_F(InsertDataTest, EveryResultHasItsText)
{
    CComPtr<IHubberly> hubberly = New();
    BSTR text = nullptr;
    ASSERT_EQ(S_OK, hubberly->GetErrorString(12, &text));
    EXPECT_EQ("Created record was not saved because the user violated integrity constraints (adRecIntegrityViolation).",
              TextOf(text));
    ASSERT_EQ(S_OK, hubberly->GetErrorString(11, &text));
    EXPECT_EQ("Field is not found.", TextOf(text));
}

}  // namespace
