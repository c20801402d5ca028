// The recorder as a local server, the way the document applications run: started by COM with
// "-Embedding", it serves one client and ends when that client has released every object.
// "/RegServer" and "/UnregServer" register and unregister both the exe and the DLL beside it.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "recorder.h"
#include "registration.h"

namespace {

using namespace tarvoline::standin;

// A server that COM started but that no client reaches ends by itself after this long.
constexpr UINT kIdleMilliseconds = 60000;

std::wstring ModulePath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, length);
}

std::wstring ModuleFolder() {
    const std::wstring path = ModulePath();
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

const std::vector<ServerClass>& Classes() {
    static const std::vector<ServerClass> classes = {
        {kRecorderLocalClsid, kRecorderLocalProgId, L"Tarvoline test recorder", ServerKind::Local,
         L"\"" + ModulePath() + L"\""},
        {kRecorderInProcClsid, kRecorderInProcProgId, L"Tarvoline test recorder (in process)", ServerKind::InProc,
         ModuleFolder() + kInProcDllName},
    };
    return classes;
}

int Serve() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    SetModuleEmptyCallback([] { PostQuitMessage(0); });
    DWORD cookie = 0;
    // One client per process, as with the document applications: every Create starts a new server.
    const HRESULT hr =
        CoRegisterClassObject(kRecorderLocalClsid, RecorderFactory(), CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE, &cookie);
    if (SUCCEEDED(hr)) {
        SetTimer(nullptr, 0, kIdleMilliseconds, nullptr);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.message == WM_TIMER && message.hwnd == nullptr && ModuleCount() == 0)
                break;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        CoRevokeClassObject(cookie);
    }
    CoUninitialize();
    return SUCCEEDED(hr) ? 0 : 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring option = arguments && count > 1 ? arguments[1] : L"";
    LocalFree(arguments);
    for (wchar_t& c : option)
        c = towlower(c);
    if (option == L"/regserver" || option == L"-regserver")
        return RegisterClasses(Classes()) ? 0 : 1;
    if (option == L"/unregserver" || option == L"-unregserver")
        return UnregisterClasses(Classes()) ? 0 : 1;
    if (option == L"-embedding" || option == L"/embedding")
        return Serve();
    return 2;
}
