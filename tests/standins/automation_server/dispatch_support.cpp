#include "dispatch_support.h"

#include <cstdio>
#include <utility>

namespace tarvoline::standin {
namespace {

volatile LONG moduleCount = 0;
void (*moduleEmpty)() = nullptr;

// A server that COM started but that no client reaches ends by itself after this long.
constexpr UINT kIdleMilliseconds = 60000;

std::wstring Hex(unsigned long value) {
    wchar_t buffer[16];
    std::swprintf(buffer, std::size(buffer), L"0x%08lX", value);
    return buffer;
}

std::wstring CallKind(WORD flags) {
    std::wstring kind;
    const std::pair<WORD, const wchar_t*> names[] = {{DISPATCH_METHOD, L"method"},
                                                     {DISPATCH_PROPERTYGET, L"get"},
                                                     {DISPATCH_PROPERTYPUT, L"put"},
                                                     {DISPATCH_PROPERTYPUTREF, L"putref"}};
    for (const auto& [flag, name] : names) {
        if (flags & flag)
            kind += (kind.empty() ? L"" : L"|") + std::wstring(name);
    }
    return kind.empty() ? L"none" : kind;
}

std::wstring DescribeArray(const VARIANT& value, ObjectNamer namer) {
    const VARTYPE element = V_VT(&value) & VT_TYPEMASK;
    std::wstring text = element == VT_VARIANT ? L"VT_ARRAY|VT_VARIANT" : L"VT_ARRAY|vt " + Hex(element);
    SAFEARRAY* array = V_ARRAY(&value);
    if (!array)
        return text + L" null";
    if (SafeArrayGetDim(array) != 1)
        return text + L" dims " + std::to_wstring(SafeArrayGetDim(array));
    LONG lower = 0;
    LONG upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    text += L" [" + std::to_wstring(lower) + L".." + std::to_wstring(upper) + L"] {";
    for (LONG i = lower; i <= upper; ++i) {
        if (i != lower)
            text += L", ";
        if (element == VT_VARIANT) {
            Variant item;
            if (SUCCEEDED(SafeArrayGetElement(array, &i, item.Get())))
                text += DescribeValue(*item.Get(), namer);
            else
                text += L"?";
        } else if (element == VT_BSTR) {
            BSTR raw = nullptr;
            if (SUCCEEDED(SafeArrayGetElement(array, &i, &raw))) {
                const Bstr item(raw);
                text += L"\"" + std::wstring(BstrText(item.get())) + L"\"";
            } else {
                text += L"?";
            }
        } else {
            text += L"?";
        }
    }
    return text + L"}";
}

} // namespace

std::vector<const VARIANT*> PositionalArguments(const DISPPARAMS& parameters) {
    std::vector<const VARIANT*> arguments;
    for (UINT i = parameters.cArgs; i > parameters.cNamedArgs; --i)
        arguments.push_back(&parameters.rgvarg[i - 1]);
    return arguments;
}

HRESULT ArgumentAs(const DISPPARAMS& parameters, std::size_t position, VARTYPE type, Variant& out) {
    const std::vector<const VARIANT*> arguments = PositionalArguments(parameters);
    if (position >= arguments.size())
        return DISP_E_BADPARAMCOUNT;
    // MinGW declares the source without const; it is only read.
    return VariantChangeType(out.Out(), const_cast<VARIANT*>(arguments[position]), 0, type);
}

std::wstring DescribeValue(const VARIANT& value, ObjectNamer namer) {
    if (V_VT(&value) & VT_ARRAY)
        return DescribeArray(value, namer);
    switch (V_VT(&value)) {
    case VT_EMPTY:
        return L"VT_EMPTY";
    case VT_NULL:
        return L"VT_NULL";
    case VT_BSTR:
        return L"VT_BSTR \"" + std::wstring(BstrText(V_BSTR(&value))) + L"\"";
    case VT_I1:
        return L"VT_I1 " + std::to_wstring(static_cast<signed char>(V_I1(&value)));
    case VT_UI1:
        return L"VT_UI1 " + std::to_wstring(V_UI1(&value));
    case VT_I2:
        return L"VT_I2 " + std::to_wstring(V_I2(&value));
    case VT_I4:
        return L"VT_I4 " + std::to_wstring(V_I4(&value));
    case VT_BOOL:
        return L"VT_BOOL " + std::to_wstring(V_BOOL(&value));
    case VT_ERROR:
        return L"VT_ERROR " + Hex(static_cast<unsigned long>(V_ERROR(&value)));
    case VT_DISPATCH:
        return L"VT_DISPATCH " + (namer ? namer(V_DISPATCH(&value)) : std::wstring(L"object"));
    default:
        return L"vt " + Hex(V_VT(&value));
    }
}

std::wstring DescribeCall(std::wstring_view object, std::wstring_view member, WORD flags,
                          const DISPPARAMS& parameters, ObjectNamer namer) {
    std::wstring line = std::wstring(object) + L" " + CallKind(flags) + L" " + std::wstring(member) + L"(";
    bool first = true;
    const auto separate = [&] {
        if (!first)
            line += L", ";
        first = false;
    };
    for (const VARIANT* argument : PositionalArguments(parameters)) {
        separate();
        line += DescribeValue(*argument, namer);
    }
    for (UINT i = 0; i < parameters.cNamedArgs && i < parameters.cArgs; ++i) {
        separate();
        const DISPID name = parameters.rgdispidNamedArgs ? parameters.rgdispidNamedArgs[i] : DISPID_UNKNOWN;
        line += (name == DISPID_PROPERTYPUT ? std::wstring(L"DISPID_PROPERTYPUT") : std::to_wstring(name)) + L"=" +
                DescribeValue(parameters.rgvarg[i], namer);
    }
    return line + L")";
}

HRESULT RaiseError(HRESULT code, std::wstring_view description, std::wstring_view source, EXCEPINFO* exception) {
    if (!exception)
        return code;
    *exception = EXCEPINFO{};
    exception->bstrSource = MakeBstr(source).release();
    exception->bstrDescription = MakeBstr(description).release();
    exception->scode = code;
    return DISP_E_EXCEPTION;
}

std::wstring ModulePath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, length);
}

std::wstring ModuleFolder() {
    const std::wstring path = ModulePath();
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

void ModuleAddRef() {
    InterlockedIncrement(&moduleCount);
}

void ModuleRelease() {
    if (InterlockedDecrement(&moduleCount) == 0 && moduleEmpty)
        moduleEmpty();
}

long ModuleCount() {
    return moduleCount;
}

void SetModuleEmptyCallback(void (*callback)()) {
    moduleEmpty = callback;
}

HRESULT DispatchObject::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DispatchObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG DispatchObject::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    try {
        DispatchObject* created = create_();
        const HRESULT hr = created->QueryInterface(iid, object);
        created->Release();
        return hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock)
        ModuleAddRef();
    else
        ModuleRelease();
    return S_OK;
}

int ServeLocalServer(const CLSID& clsid, IClassFactory* factory) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    SetModuleEmptyCallback([] { PostQuitMessage(0); });
    DWORD cookie = 0;
    // Every Create starts a new server.
    const HRESULT hr = CoRegisterClassObject(clsid, factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE, &cookie);
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

} // namespace tarvoline::standin
