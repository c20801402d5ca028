// The recorder as a local server, the way the document applications run: started by COM with
// "-Embedding", it serves one client and ends when that client has released every object.
// "/RegServer" and "/UnregServer" register and unregister both the exe and the DLL beside it.
#include <windows.h>

#include <shellapi.h>

#include "recorder.h"
#include "registration.h"

namespace {

using namespace tarvoline::standin;

const std::vector<ServerClass>& Classes() {
    static const std::vector<ServerClass> classes = {
        {kRecorderLocalClsid, kRecorderLocalProgId, L"Tarvoline test recorder", ServerKind::Local,
         L"\"" + ModulePath() + L"\""},
        {kRecorderInProcClsid, kRecorderInProcProgId, L"Tarvoline test recorder (in process)", ServerKind::InProc,
         ModuleFolder() + kInProcDllName},
    };
    return classes;
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
        return ServeLocalServer(kRecorderLocalClsid, RecorderFactory());
    return 2;
}
