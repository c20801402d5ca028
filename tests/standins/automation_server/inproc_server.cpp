// The recorder as an in-process server.
#include "recorder.h"

using namespace tarvoline::standin;

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (clsid != kRecorderInProcClsid)
        return CLASS_E_CLASSNOTAVAILABLE;
    return RecorderFactory()->QueryInterface(iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return ModuleCount() == 0 ? S_OK : S_FALSE;
}
