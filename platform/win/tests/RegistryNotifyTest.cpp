// RegNotifyChangeKeyValue: one signal per registration for a change of the
// watched key, made here or by another process, seen by the first look
// after the change; nothing for changes elsewhere.

#include "ChildProcess.h"
#include "TempFolder.h"
#include "win/Registry.h"
#include "win/Synch.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace {

const std::string kReg = POLLENTA_BIN_DIR "/reg";
constexpr const char* kProduct = "Software\\Velquin Ltd\\Pollenta";

HKEY CreateKey(const char* path)
{
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS,
              RegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        << path;
    return key;
}

void SetText(const char* path, const char* name, const std::string& text)
{
    HKEY key = CreateKey(path);
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                           static_cast<DWORD>(text.size() + 1)))
        << path << " " << name;
    RegCloseKey(key);
}

void SetTextInAnotherProcess(const std::string& path, const std::string& name, const std::string& text)
{
    ChildProcess child({kReg, "add", "HKCU\\" + path, "/v", name, "/d", text, "/f"});
    std::string output;
    EXPECT_EQ(0, child.Finish(&output)) << output;
}

// An open product key with a registration on it and its event.
class Watched {
public:
    explicit Watched(BOOL subtree = TRUE, const char* path = kProduct)
        : m_key(CreateKey(path)), m_event(CreateEvent(nullptr, FALSE, FALSE, nullptr)), m_subtree(subtree)
    {
        Register();
    }
    ~Watched()
    {
        RegCloseKey(m_key);
        CloseHandle(m_event);
    }

    void Register() const
    {
        EXPECT_EQ(ERROR_SUCCESS,
                  RegNotifyChangeKeyValue(m_key, m_subtree, REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_CHANGE_NAME,
                                          m_event, TRUE));
    }
    // Without waiting: what has happened before the look must be signalled.
    bool Signalled() const { return WaitForSingleObject(m_event, 0) == WAIT_OBJECT_0; }
    HKEY Key() const { return m_key; }
    HANDLE Event() const { return m_event; }

private:
    HKEY m_key;
    HANDLE m_event;
    BOOL m_subtree;
};

// A registry of its own whose product key holds a mark.
class RegistryNotifyTest : public ::testing::Test {
protected:
    void SetUp() override { SetText(kProduct, "SuccessMark", "[OK]"); }

    TempFolder folder;
};

}  // namespace

TEST_F(RegistryNotifyTest, ChangeOfTheKeyByThisProcessIsSignalledOnce)
{
    Watched watched;
    EXPECT_FALSE(watched.Signalled());

    SetText(kProduct, "SuccessMark", "[DONE]");
    EXPECT_TRUE(watched.Signalled());
    EXPECT_FALSE(watched.Signalled());
}

TEST_F(RegistryNotifyTest, NothingIsSignalledWhileNothingChanges)
{
    SetText("Software\\Velquin Ltd\\Other", "SuccessMark", "[W]");
    SetText("Software\\Velquin Ltd\\PollentaX", "SuccessMark", "[W]");
    Watched watched;
    // Writes that leave the watched key as it was: the same value again,
    // and keys outside it in the same file and in another, each a single
    // write looked at on its own.
    SetText(kProduct, "SuccessMark", "[OK]");
    EXPECT_FALSE(watched.Signalled());
    SetText("Software\\Velquin Ltd\\Other", "SuccessMark", "[X]");
    EXPECT_FALSE(watched.Signalled());
    SetText("Software\\Velquin Ltd\\PollentaX", "SuccessMark", "[X]");
    EXPECT_FALSE(watched.Signalled());
    SetTextInAnotherProcess("Software\\Velquin Ltd\\Other", "SuccessMark", "[Y]");
    EXPECT_FALSE(watched.Signalled());
    HKEY machine = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProduct, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &machine, nullptr));
    RegCloseKey(machine);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(watched.Event(), 200));
}

TEST_F(RegistryNotifyTest, ChangeUndoneBeforeTheNextLookIsStillSignalled)
{
    Watched watched;
    // Both writes are done before anything looks: what the key held in
    // between was never seen, and a reader may have read it.
    SetTextInAnotherProcess(kProduct, "SuccessMark", "[BRIEFLY]");
    SetTextInAnotherProcess(kProduct, "SuccessMark", "[OK]");
    EXPECT_TRUE(watched.Signalled());
}

TEST_F(RegistryNotifyTest, ChangeWrittenByAnotherProcessIsSeenByTheFirstLookAfterIt)
{
    Watched watched;
    SetTextInAnotherProcess(kProduct, "SuccessMark", "[DONE]");
    EXPECT_TRUE(watched.Signalled());
}

TEST_F(RegistryNotifyTest, WaiterIsWokenByAnotherProcessesChange)
{
    Watched watched;
    std::thread writer([] {
        Sleep(100);
        SetTextInAnotherProcess(kProduct, "SuccessMark", "[DONE]");
    });
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(watched.Event(), 10000));
    writer.join();
}

TEST_F(RegistryNotifyTest, ChangeDeepBelowTheKeyIsSignalledForTheSubtreeOnly)
{
    SetText("Software\\Velquin Ltd\\Pollenta\\Projects\\4097", "SuccessMark", "[OK]");
    Watched tree(TRUE);
    Watched keyOnly(FALSE);
    Watched projects(FALSE, "Software\\Velquin Ltd\\Pollenta\\Projects");

    SetTextInAnotherProcess("Software\\Velquin Ltd\\Pollenta\\Projects\\4097", "SuccessMark", "[DONE]");
    EXPECT_TRUE(tree.Signalled());
    EXPECT_FALSE(keyOnly.Signalled());
    EXPECT_FALSE(projects.Signalled());

    // A new subkey changes the names under its parent.
    projects.Register();
    RegCloseKey(CreateKey("Software\\Velquin Ltd\\Pollenta\\Projects\\8193"));
    EXPECT_TRUE(projects.Signalled());
    EXPECT_FALSE(keyOnly.Signalled());
}

TEST_F(RegistryNotifyTest, RegistrationEndsWithItsSignalUntilMadeAgain)
{
    Watched watched;
    SetText(kProduct, "SuccessMark", "[1]");
    EXPECT_TRUE(watched.Signalled());

    SetText(kProduct, "SuccessMark", "[2]");
    EXPECT_FALSE(watched.Signalled());

    // Registered again, it compares with what the key holds now.
    watched.Register();
    EXPECT_FALSE(watched.Signalled());
    SetTextInAnotherProcess(kProduct, "SuccessMark", "[3]");
    EXPECT_TRUE(watched.Signalled());
}

TEST_F(RegistryNotifyTest, ClosingOrDeletingTheKeySignals)
{
    HANDLE closed = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HKEY key = CreateKey(kProduct);
    ASSERT_EQ(ERROR_SUCCESS, RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, closed, TRUE));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(key));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(closed, 0));
    CloseHandle(closed);

    Watched watched(FALSE);
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteTree(HKEY_CURRENT_USER, "Software\\Velquin Ltd"));
    EXPECT_TRUE(watched.Signalled());
}

TEST_F(RegistryNotifyTest, UnsupportedArgumentsAreRefusedWithTheirErrors)
{
    HKEY key = CreateKey(kProduct);
    HKEY readOnly = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, kProduct, 0, KEY_QUERY_VALUE, &readOnly));
    HKEY closedKey = CreateKey("Software\\Closed");
    RegCloseKey(closedKey);
    HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    HANDLE closedEvent = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(closedEvent);

    const struct {
        const char* name;
        HKEY key;
        DWORD filter;
        HANDLE event;
        BOOL asynchronous;
        DWORD expected;
    } cases[] = {
        {"synchronous", key, REG_NOTIFY_CHANGE_LAST_SET, event, FALSE, ERROR_CALL_NOT_IMPLEMENTED},
        {"no filter", key, 0, event, TRUE, ERROR_INVALID_PARAMETER},
        {"unknown filter bit", key, REG_NOTIFY_CHANGE_LAST_SET | 0x100, event, TRUE, ERROR_INVALID_PARAMETER},
        {"closed key", closedKey, REG_NOTIFY_CHANGE_LAST_SET, event, TRUE, ERROR_INVALID_HANDLE},
        {"key without notify access", readOnly, REG_NOTIFY_CHANGE_LAST_SET, event, TRUE, ERROR_ACCESS_DENIED},
        {"no event", key, REG_NOTIFY_CHANGE_LAST_SET, nullptr, TRUE, ERROR_INVALID_HANDLE},
        {"closed event", key, REG_NOTIFY_CHANGE_LAST_SET, closedEvent, TRUE, ERROR_INVALID_HANDLE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(static_cast<LONG>(c.expected),
                  RegNotifyChangeKeyValue(c.key, TRUE, c.filter, c.event, c.asynchronous));
    }
    // None of them was registered.
    RegCloseKey(key);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(event, 0));
    RegCloseKey(readOnly);
    CloseHandle(event);
}
