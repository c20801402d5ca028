#pragma once
// Registration of automation server classes under a ProgID.
#include <windows.h>

#include <string>
#include <vector>

namespace tarvoline::standin {

enum class ServerKind { Local, InProc };

struct ServerClass {
    CLSID clsid;
    std::wstring progId;
    std::wstring description;
    ServerKind kind;
    std::wstring server; // the LocalServer32 command or the InprocServer32 DLL path
};

bool RegisterClasses(const std::vector<ServerClass>& classes);
bool UnregisterClasses(const std::vector<ServerClass>& classes);

} // namespace tarvoline::standin
