// The automation layer against our own recording server (tests/standins/automation_server), out of
// process as the document applications run and in process. CTest registers the server first.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "platform/win32_automation.h"

namespace tarvoline {
namespace {

const char kLocalServer[] = "Tarvoline.TestRecorder";
const char kInProcServer[] = "Tarvoline.TestRecorderInProc";
const char kServerExe[] = "tarvoline-automation-server.exe";

// Values of the server's SetFailure kinds.
enum FailureKind : std::int32_t { kPlain = 0, kException = 1, kDeferred = 2, kApplicationNo = 3 };

std::string Hex(std::int32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

// The system's text for a code, or the code in hexadecimal where the system has none (Wine lacks
// many of the COM texts).
std::string SystemText(HRESULT code) {
    char buffer[1024] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  static_cast<DWORD>(code), 0, buffer, sizeof buffer, nullptr);
    while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' || buffer[length - 1] == ' '))
        --length;
    return length > 0 ? std::string(buffer, length) : Hex(code);
}

int ServerProcessCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, kServerExe) == 0)
            ++count;
    }
    CloseHandle(snapshot);
    return count;
}

// Every server a test started must have ended by itself once its objects were released.
class NoServerLeftBehind : public ::testing::Environment {
public:
    void TearDown() override {
        int count = ServerProcessCount();
        for (int wait = 0; wait < 100 && count > 0; ++wait) {
            Sleep(100);
            count = ServerProcessCount();
        }
        EXPECT_EQ(count, 0) << "server processes still running";
    }
};
const auto* const noServerLeftBehind = ::testing::AddGlobalTestEnvironment(new NoServerLeftBehind);

class ComTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }

    Win32Automation automation;
};

class ServerTest : public ComTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        ComTest::SetUp();
        try {
            server = automation.Create(GetParam());
        } catch (const AutomationError& error) {
            FAIL() << "cannot create " << GetParam() << " (is it registered?): " << error.Message();
        }
        ASSERT_TRUE(server);
    }
    void TearDown() override {
        server.reset();
        ComTest::TearDown();
    }

    std::string Journal() { return std::get<std::string>(automation.Call(server, "Journal")); }

    // A value as the test compares it; objects by their number in the journal.
    std::string Describe(const AutoValue& value) {
        return std::visit(
            [this](const auto& item) -> std::string {
                using T = std::decay_t<decltype(item)>;
                if constexpr (std::is_same_v<T, std::monostate>)
                    return "none";
                else if constexpr (std::is_same_v<T, AutoMissing>)
                    return "missing";
                else if constexpr (std::is_same_v<T, std::string>)
                    return "string " + item;
                else if constexpr (std::is_same_v<T, std::int32_t>)
                    return "int " + std::to_string(item);
                else if constexpr (std::is_same_v<T, AutoByte>)
                    return "byte " + std::to_string(item.value);
                else if constexpr (std::is_same_v<T, bool>)
                    return item ? "bool true" : "bool false";
                else if constexpr (std::is_same_v<T, std::vector<std::string>>)
                    return "array of " + std::to_string(item.size());
                else if (!item)
                    return "null object";
                else
                    return "object " + Describe(automation.Get(item, "Id"));
            },
            value);
    }

    AutoObjectPtr server;
};

std::string ServerName(const ::testing::TestParamInfo<const char*>& info) {
    return info.param == std::string(kLocalServer) ? "Local" : "InProc";
}

INSTANTIATE_TEST_SUITE_P(Servers, ServerTest, ::testing::Values(kLocalServer, kInProcServer), ServerName);

TEST_P(ServerTest, EveryKindOfArgumentArrivesWithItsTypeAndValueInOrder) {
    const auto child = std::get<AutoObjectPtr>(automation.Get(server, "Child"));
    const struct {
        AutoValue value;
        const char* arrives; // as the server journals it
        const char* back;    // when put into a property and read back
    } cases[] = {
        {std::string("表示 ソ\\能"), "VT_BSTR \"表示 ソ\\能\"", "string 表示 ソ\\能"},
        {std::string(), "VT_BSTR \"\"", "string "},
        {std::int32_t{-7}, "VT_I4 -7", "int -7"},
        {std::int32_t{2147483647}, "VT_I4 2147483647", "int 2147483647"},
        {AutoByte{-3}, "VT_I1 -3", "int -3"},
        {AutoByte{7}, "VT_I1 7", "int 7"},
        {true, "VT_BOOL -1", "bool true"},
        {false, "VT_BOOL 0", "bool false"},
        {std::vector<std::string>{"Sheet1", "予定表"},
         "VT_ARRAY|VT_VARIANT [0..1] {VT_BSTR \"Sheet1\", VT_BSTR \"予定表\"}", "none"},
        {std::vector<std::string>{}, "VT_ARRAY|VT_VARIANT [0..-1] {}", "none"},
        {child, "VT_DISPATCH object 2", "object int 2"},
        {AutoObjectPtr(), "VT_DISPATCH null", "null object"},
        {AutoMissing{}, "VT_ERROR 0x80020004", "none"},
        {std::monostate{}, "VT_EMPTY", "none"},
    };

    std::vector<AutoValue> all;
    std::string allArrive;
    for (const auto& c : cases) {
        all.push_back(c.value);
        allArrive += (allArrive.empty() ? "" : ", ") + std::string(c.arrives);
    }
    automation.Call(server, "Record", all);
    automation.Get(server, "Record", {std::int32_t{1}, std::string("a")});
    automation.Call(child, "Record");
    std::string expected = "#1 get Child()\n"
                           "#1 method Record(" +
                           allArrive +
                           ")\n"
                           "#1 get Record(VT_I4 1, VT_BSTR \"a\")\n"
                           "#2 method Record()\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arrives);
        automation.Put(server, "Value", c.value);
        EXPECT_EQ(Describe(automation.Get(server, "Value")), c.back);
        expected += "#1 put Value(DISPID_PROPERTYPUT=" + std::string(c.arrives) + ")\n#1 get Value()\n";
    }
    EXPECT_EQ(Journal(), expected);
}

TEST_P(ServerTest, ResultsComeBackTyped) {
    const struct {
        VARTYPE type;
        const char* text;
        const char* result;
    } cases[] = {
        {VT_I1, "-128", "int -128"},
        {VT_UI1, "255", "int 255"},
        {VT_I2, "-32768", "int -32768"},
        {VT_UI2, "65535", "int 65535"},
        {VT_I4, "-2147483648", "int -2147483648"},
        {VT_UI4, "2147483647", "int 2147483647"},
        {VT_UI4, "2147483648", "none"}, // out of range
        {VT_I8, "-2147483648", "int -2147483648"},
        {VT_I8, "-2147483649", "none"},
        {VT_UI8, "4294967295", "none"},
        {VT_UI8, "7", "int 7"},
        {VT_INT, "-12", "int -12"},
        {VT_UINT, "13", "int 13"},
        {VT_BOOL, "-1", "bool true"},
        {VT_BOOL, "0", "bool false"},
        {VT_BSTR, "表示ソ\\", "string 表示ソ\\"},
        {VT_BSTR, "", "string "},
        {VT_EMPTY, "", "none"},
        {VT_NULL, "", "none"},
        {VT_R8, "2.5", "none"},
        {VT_CY, "3", "none"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.text);
        EXPECT_EQ(Describe(automation.Call(server, "MakeValue", {std::int32_t{c.type}, std::string(c.text)})),
                  c.result);
    }
    // The same member answers a get, with the arguments as the index.
    EXPECT_EQ(Describe(automation.Get(server, "MakeValue", {std::int32_t{VT_I2}, std::string("5")})), "int 5");
    EXPECT_EQ(Describe(automation.Call(server, "Child")), "object int 2");
    // Characters without a code page 932 form become '?', one per character.
    EXPECT_EQ(Describe(automation.Get(server, "ForeignText")), "string caf? ? 表ソ");
}

TEST_P(ServerTest, AFailingMemberGivesTheServersTextAndCode) {
    const struct {
        FailureKind kind;
        std::int32_t code;
        const char* description;
        std::string message;
        std::int32_t reported;
    } cases[] = {
        {kException, static_cast<std::int32_t>(0x800A1066), "文書を開けませんでした。", "文書を開けませんでした。",
         static_cast<std::int32_t>(0x800A1066)},
        {kDeferred, E_FAIL, "後で渡す説明\\", "後で渡す説明\\", E_FAIL},
        // An application's own error number is reported the way Basic reports it.
        {kApplicationNo, 0x1066, "番号だけのエラー", "番号だけのエラー", static_cast<std::int32_t>(0x800A1066)},
        // Without a description, the system's text for the code.
        {kException, E_ACCESSDENIED, "", SystemText(E_ACCESSDENIED) + " (Record)", E_ACCESSDENIED},
        {kPlain, DISP_E_OVERFLOW, "", SystemText(DISP_E_OVERFLOW) + " (Record)", DISP_E_OVERFLOW},
        {kPlain, CO_E_SERVER_EXEC_FAILURE, "", SystemText(CO_E_SERVER_EXEC_FAILURE) + " (Record)",
         CO_E_SERVER_EXEC_FAILURE},
    };
    using Operation = void (*)(Automation&, const AutoObjectPtr&);
    const std::pair<const char*, Operation> operations[] = {
        {"get", [](Automation& a, const AutoObjectPtr& o) { a.Get(o, "Record"); }},
        {"put", [](Automation& a, const AutoObjectPtr& o) { a.Put(o, "Record", std::int32_t{1}); }},
        {"method", [](Automation& a, const AutoObjectPtr& o) { a.Call(o, "Record"); }},
    };
    for (const auto& c : cases) {
        automation.Call(server, "SetFailure",
                        {std::string("Record"), c.code, std::string(c.description), std::int32_t{c.kind}});
        for (const auto& [kind, operation] : operations) {
            SCOPED_TRACE(std::string(kind) + " " + Hex(c.code) + " " + c.description);
            try {
                operation(automation, server);
                ADD_FAILURE() << "no error";
            } catch (const AutomationError& error) {
                if (c.kind == kDeferred && GetParam() == std::string(kLocalServer)) {
                    // Windows fills the text in on the server's side; Wine 8 passes no text (and the
                    // server's function address, which must not be called here).
                    EXPECT_THAT(error.Message(), ::testing::AnyOf(c.message, SystemText(c.code) + " (Record)"));
                } else {
                    EXPECT_EQ(error.Message(), c.message);
                }
                ASSERT_TRUE(error.Code().has_value());
                EXPECT_EQ(Hex(*error.Code()), Hex(c.reported));
            }
        }
    }
    // The calls reached the server; once told, the member works again.
    automation.Call(server, "SetFailure", {std::string("record"), std::int32_t{0}, std::string(), std::int32_t{0}});
    automation.Call(server, "Record");
    const std::string journal = Journal();
    EXPECT_EQ(static_cast<std::size_t>(std::count(journal.begin(), journal.end(), '\n')), 3 * std::size(cases) + 1)
        << journal;
}

TEST_P(ServerTest, AnUnknownMemberFailsWithTheSystemsCodeAndNamesTheMember) {
    using Operation = void (*)(Automation&, const AutoObjectPtr&);
    const Operation operations[] = {
        [](Automation& a, const AutoObjectPtr& o) { a.Get(o, "NoSuchMember"); },
        [](Automation& a, const AutoObjectPtr& o) { a.Put(o, "NoSuchMember", true); },
        [](Automation& a, const AutoObjectPtr& o) { a.Call(o, "NoSuchMember", {std::string("x")}); },
    };
    for (const Operation operation : operations) {
        try {
            operation(automation, server);
            ADD_FAILURE() << "no error";
        } catch (const AutomationError& error) {
            ASSERT_TRUE(error.Code().has_value());
            EXPECT_EQ(Hex(*error.Code()), Hex(DISP_E_UNKNOWNNAME));
            EXPECT_EQ(error.Message(), SystemText(DISP_E_UNKNOWNNAME) + " (NoSuchMember)");
        }
    }
    EXPECT_EQ(Journal(), "");
}

TEST_P(ServerTest, ObjectsThatAreNotThisServersAreRefusedBeforeAnyCall) {
    struct Foreign : AutoObject {};
    try {
        automation.Call(server, "Record", {std::make_shared<Foreign>()});
        ADD_FAILURE() << "no error";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Code(), std::optional<std::int32_t>(E_INVALIDARG));
        EXPECT_EQ(error.Message(), SystemText(E_INVALIDARG) + " (Record)");
    }
    for (const AutoObjectPtr& target : {AutoObjectPtr(), AutoObjectPtr(std::make_shared<Foreign>())}) {
        try {
            automation.Get(target, "Value");
            ADD_FAILURE() << "no error";
        } catch (const AutomationError& error) {
            EXPECT_EQ(error.Code(), std::optional<std::int32_t>(E_POINTER));
        }
    }
    EXPECT_EQ(Journal(), "");
}

TEST_P(ServerTest, TheServerRunsInTheRightProcessAndALocalOneEndsWhenReleased) {
    const DWORD serverProcess = static_cast<DWORD>(std::get<std::int32_t>(automation.Get(server, "ProcessId")));
    if (GetParam() == std::string(kInProcServer)) {
        EXPECT_EQ(serverProcess, GetCurrentProcessId());
        return;
    }
    EXPECT_NE(serverProcess, GetCurrentProcessId());
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, serverProcess);
    ASSERT_NE(process, nullptr);
    // A child keeps the server alive after the root has gone.
    auto child = std::get<AutoObjectPtr>(automation.Call(server, "Child"));
    server.reset();
    EXPECT_EQ(WaitForSingleObject(process, 500), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(Describe(automation.Get(child, "Id")), "int 2");
    child.reset();
    EXPECT_EQ(WaitForSingleObject(process, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    CloseHandle(process);
}

TEST_F(ComTest, CreatingAnUnregisteredProgIdFailsWithTheClassStringError) {
    for (const char* progId : {"Word.Application", "Tarvoline.NoSuchServer"}) {
        try {
            automation.Create(progId);
            ADD_FAILURE() << progId << " was created";
        } catch (const AutomationError& error) {
            ASSERT_TRUE(error.Code().has_value());
            EXPECT_EQ(Hex(*error.Code()), Hex(CO_E_CLASSSTRING));
            EXPECT_EQ(error.Message(), SystemText(CO_E_CLASSSTRING) + " (" + progId + ")");
        }
    }
}

} // namespace
} // namespace tarvoline
