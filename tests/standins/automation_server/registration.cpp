#include "registration.h"

#include <objbase.h>

namespace tarvoline::standin {
namespace {

std::wstring ClsidText(const CLSID& clsid) {
    wchar_t text[40] = {};
    StringFromGUID2(clsid, text, static_cast<int>(std::size(text)));
    return text;
}

bool SetString(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool Write(HKEY root, const std::wstring& classes, const ServerClass& serverClass) {
    const std::wstring clsidKey = classes + L"CLSID\\" + ClsidText(serverClass.clsid);
    const std::wstring serverKey =
        clsidKey + (serverClass.kind == ServerKind::Local ? L"\\LocalServer32" : L"\\InprocServer32");
    bool ok = SetString(root, classes + serverClass.progId, nullptr, serverClass.description) &&
              SetString(root, classes + serverClass.progId + L"\\CLSID", nullptr, ClsidText(serverClass.clsid)) &&
              SetString(root, clsidKey, nullptr, serverClass.description) &&
              SetString(root, clsidKey + L"\\ProgID", nullptr, serverClass.progId) &&
              SetString(root, serverKey, nullptr, serverClass.server);
    if (ok && serverClass.kind == ServerKind::InProc)
        ok = SetString(root, serverKey, L"ThreadingModel", L"Apartment");
    return ok;
}

void Remove(HKEY root, const std::wstring& classes, const ServerClass& serverClass) {
    RegDeleteTreeW(root, (classes + serverClass.progId).c_str());
    RegDeleteTreeW(root, (classes + L"CLSID\\" + ClsidText(serverClass.clsid)).c_str());
}

} // namespace

// Per user, as an installation without administrator rights registers. Wine 8 does not look there
// (its bug 14771), so where the system cannot find a class that way it goes to HKEY_CLASSES_ROOT too.
bool RegisterClasses(const std::vector<ServerClass>& classes) {
    const bool initialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    bool ok = true;
    for (const ServerClass& serverClass : classes) {
        if (!Write(HKEY_CURRENT_USER, L"Software\\Classes\\", serverClass)) {
            ok = false;
            break;
        }
        CLSID found{};
        if ((FAILED(CLSIDFromProgID(serverClass.progId.c_str(), &found)) || found != serverClass.clsid) &&
            !Write(HKEY_CLASSES_ROOT, L"", serverClass)) {
            ok = false;
            break;
        }
    }
    if (initialised)
        CoUninitialize();
    return ok;
}

bool UnregisterClasses(const std::vector<ServerClass>& classes) {
    for (const ServerClass& serverClass : classes) {
        Remove(HKEY_CURRENT_USER, L"Software\\Classes\\", serverClass);
        Remove(HKEY_CLASSES_ROOT, L"", serverClass);
    }
    return true;
}

} // namespace tarvoline::standin
