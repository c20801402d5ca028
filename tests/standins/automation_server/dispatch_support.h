#pragma once
// What every automation stand-in shares: reading IDispatch arguments, writing one journal line per call,
// raising an automation error, and serving a class as a local server.
#include "base/com.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvoline::standin {

// The positional arguments, first first (IDispatch has them last first, after the named ones).
std::vector<const VARIANT*> PositionalArguments(const DISPPARAMS& parameters);

// The argument at position (first first) converted to the type, or an error.
HRESULT ArgumentAs(const DISPPARAMS& parameters, std::size_t position, VARTYPE type, Variant& out);

// How a stand-in names an object that comes back to it as an argument.
using ObjectNamer = std::wstring (*)(IDispatch* object);

// "VT_I4 3", "VT_BSTR \"x\"", "VT_ERROR 0x80020004", "VT_ARRAY|VT_VARIANT [0..1] {...}".
std::wstring DescribeValue(const VARIANT& value, ObjectNamer namer = nullptr);

// "OBJECT KIND Member(positional..., named=...)", KIND being method, get, put or putref.
std::wstring DescribeCall(std::wstring_view object, std::wstring_view member, WORD flags,
                          const DISPPARAMS& parameters, ObjectNamer namer = nullptr);

// Fills in the exception the way a server reports its own error (code and text) and returns
// DISP_E_EXCEPTION; without room for it, the code itself.
HRESULT RaiseError(HRESULT code, std::wstring_view description, std::wstring_view source, EXCEPINFO* exception);

std::wstring ModulePath();
std::wstring ModuleFolder(); // with its trailing backslash

// Live objects and server locks of this module. The callback runs when the count falls to zero.
void ModuleAddRef();
void ModuleRelease();
long ModuleCount();
void SetModuleEmptyCallback(void (*callback)());

// IUnknown and the type-information half of IDispatch for a stand-in object without a type library; each
// live object counts towards the module. Created with one reference.
class DispatchObject : public IDispatch {
public:
    DispatchObject() { ModuleAddRef(); }
    virtual ~DispatchObject() { ModuleRelease(); }
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;

private:
    LONG references_ = 1;
};

// A class factory that lives as long as its module (a static object) and makes its objects with the
// function given, which returns a new object with one reference or throws.
class ClassFactory final : public IClassFactory {
public:
    using Create = DispatchObject* (*)();
    explicit ClassFactory(Create create) : create_(create) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    Create create_;
};

// Serves the class as a local server started by COM: one client per process, as with the document
// applications, ending when that client has released every object or nobody came within a minute.
int ServeLocalServer(const CLSID& clsid, IClassFactory* factory);

} // namespace tarvoline::standin
