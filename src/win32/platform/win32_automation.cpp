#include "platform/win32_automation.h"

#include <cstdio>
#include <limits>
#include <type_traits>
#include <utility>

#include "base/com.h"
#include "base/wide_text.h"
#include "common/encoding.h"

namespace tarvoline {
namespace {

class DispatchObject final : public AutoObject {
public:
    explicit DispatchObject(ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {
        // Only the proxy of an object in another apartment or process offers IClientSecurity.
        ComPtr<IClientSecurity> security;
        remote_ = SUCCEEDED(dispatch_.QueryInterface(security));
    }
    IDispatch* Dispatch() const { return dispatch_.Get(); }
    bool Remote() const { return remote_; }

private:
    ComPtr<IDispatch> dispatch_;
    bool remote_ = false;
};

std::string Narrow(std::wstring_view text) {
    return Utf16ToAnsiReplacing(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

// The system's text for the code, or the code itself in hexadecimal when the system has none.
std::string SystemText(HRESULT code) {
    const auto format = [](DWORD id) {
        wchar_t buffer[1024];
        const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, id, 0,
                                            buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
        std::wstring_view text(buffer, length);
        while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
            text.remove_suffix(1);
        return Narrow(text);
    };
    std::string text = format(static_cast<DWORD>(code));
    // Not every system finds the texts of Win32 errors wrapped in an HRESULT.
    if (text.empty() && HRESULT_FACILITY(code) == FACILITY_WIN32)
        text = format(HRESULT_CODE(code));
    if (text.empty()) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(code));
        text = hex;
    }
    return text;
}

[[noreturn]] void ThrowSystemError(HRESULT code, const std::string& name) {
    throw AutomationError(SystemText(code) + " (" + name + ")", static_cast<std::int32_t>(code));
}

const DispatchObject* DispatchOf(const AutoObject* object) {
    return dynamic_cast<const DispatchObject*>(object);
}

Bstr ToBstr(const std::string& text, const std::string& member) {
    Bstr result = MakeBstr(ToWide(text));
    if (!result)
        ThrowSystemError(E_OUTOFMEMORY, member);
    return result;
}

Variant ToVariant(const AutoValue& value, const std::string& member) {
    Variant result;
    VARIANT& v = *result.Get();
    std::visit(
        [&](const auto& item) {
            using T = std::decay_t<decltype(item)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                V_VT(&v) = VT_EMPTY;
            } else if constexpr (std::is_same_v<T, AutoMissing>) {
                V_VT(&v) = VT_ERROR;
                V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
            } else if constexpr (std::is_same_v<T, std::string>) {
                V_BSTR(&v) = ToBstr(item, member).release();
                V_VT(&v) = VT_BSTR;
            } else if constexpr (std::is_same_v<T, std::int32_t>) {
                V_VT(&v) = VT_I4;
                V_I4(&v) = item;
            } else if constexpr (std::is_same_v<T, AutoByte>) {
                V_VT(&v) = VT_I1;
                V_I1(&v) = static_cast<CHAR>(item.value);
            } else if constexpr (std::is_same_v<T, bool>) {
                V_VT(&v) = VT_BOOL;
                V_BOOL(&v) = item ? VARIANT_TRUE : VARIANT_FALSE;
            } else if constexpr (std::is_same_v<T, std::vector<std::string>>) {
                SafeArray array(SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(item.size())));
                if (!array)
                    ThrowSystemError(E_OUTOFMEMORY, member);
                for (LONG i = 0; i < static_cast<LONG>(item.size()); ++i) {
                    Variant element;
                    V_BSTR(element.Get()) = ToBstr(item[static_cast<std::size_t>(i)], member).release();
                    V_VT(element.Get()) = VT_BSTR;
                    // Copies the element into the array.
                    const HRESULT hr = SafeArrayPutElement(array.get(), &i, element.Get());
                    if (FAILED(hr))
                        ThrowSystemError(hr, member);
                }
                V_ARRAY(&v) = array.release();
                V_VT(&v) = VT_ARRAY | VT_VARIANT;
            } else if constexpr (std::is_same_v<T, AutoObjectPtr>) {
                IDispatch* dispatch = nullptr;
                if (item) {
                    const DispatchObject* object = DispatchOf(item.get());
                    // An object of another automation cannot go to this server.
                    if (!object)
                        ThrowSystemError(E_INVALIDARG, member);
                    dispatch = object->Dispatch();
                    dispatch->AddRef();
                }
                V_VT(&v) = VT_DISPATCH;
                V_DISPATCH(&v) = dispatch;
            } else {
                static_assert(!sizeof(T), "every kind of value is passed");
            }
        },
        value);
    return result;
}

template <typename Integer> AutoValue FromInteger(Integer value) {
    if (std::in_range<std::int32_t>(value))
        return static_cast<std::int32_t>(value);
    return std::monostate{};
}

AutoValue FromVariant(Variant result, const std::string& member) {
    if (result.Type() & VT_BYREF) {
        Variant value;
        const HRESULT hr = VariantCopyInd(value.Get(), result.Get());
        if (FAILED(hr))
            ThrowSystemError(hr, member);
        result = std::move(value);
    }
    const VARIANT& v = *result.Get();
    switch (V_VT(&v)) {
    case VT_DISPATCH:
        if (!V_DISPATCH(&v))
            return AutoObjectPtr();
        return std::make_shared<DispatchObject>(ComPtr<IDispatch>::Share(V_DISPATCH(&v)));
    case VT_UNKNOWN: {
        if (!V_UNKNOWN(&v))
            return AutoObjectPtr();
        ComPtr<IDispatch> dispatch;
        const HRESULT hr = ComPtr<IUnknown>::Share(V_UNKNOWN(&v)).QueryInterface(dispatch);
        if (FAILED(hr))
            return std::monostate{};
        return std::make_shared<DispatchObject>(std::move(dispatch));
    }
    case VT_BSTR:
        return Narrow(BstrText(V_BSTR(&v)));
    case VT_BOOL:
        return V_BOOL(&v) != VARIANT_FALSE;
    case VT_I1:
        return FromInteger(static_cast<signed char>(V_I1(&v)));
    case VT_UI1:
        return FromInteger(V_UI1(&v));
    case VT_I2:
        return FromInteger(V_I2(&v));
    case VT_UI2:
        return FromInteger(V_UI2(&v));
    case VT_I4:
        return FromInteger(V_I4(&v));
    case VT_UI4:
        return FromInteger(V_UI4(&v));
    case VT_INT:
        return FromInteger(V_INT(&v));
    case VT_UINT:
        return FromInteger(V_UINT(&v));
    case VT_I8:
        return FromInteger(V_I8(&v));
    case VT_UI8:
        return FromInteger(V_UI8(&v));
    default:
        return std::monostate{};
    }
}

// The error of a call the server refused; description is the server's text, if any.
[[noreturn]] void ThrowInvokeError(HRESULT hr, const EXCEPINFO& info, BSTR description, const std::string& member) {
    if (hr != DISP_E_EXCEPTION)
        ThrowSystemError(hr, member);
    HRESULT code = DISP_E_EXCEPTION;
    if (FAILED(info.scode))
        code = info.scode;
    else if (info.wCode != 0)
        // The application's own error number, as Basic reports it.
        code = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, info.wCode);
    const std::string text = Narrow(BstrText(description));
    if (text.empty())
        ThrowSystemError(code, member);
    throw AutomationError(text, static_cast<std::int32_t>(code));
}

AutoValue Invoke(const AutoObjectPtr& object, const std::string& member, WORD flags,
                 const std::vector<AutoValue>& arguments) {
    const DispatchObject* target = DispatchOf(object.get());
    if (!target)
        ThrowSystemError(E_POINTER, member);
    IDispatch* dispatch = target->Dispatch();

    std::wstring name = ToWide(member);
    LPOLESTR names[] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        ThrowSystemError(hr, member);

    // IDispatch takes the arguments last first.
    VariantArray values;
    for (auto argument = arguments.rbegin(); argument != arguments.rend(); ++argument)
        values.Add(ToVariant(*argument, member));
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{values.Data(), nullptr, static_cast<UINT>(values.Size()), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
        parameters.rgdispidNamedArgs = &putId;
        parameters.cNamedArgs = 1;
    }

    Variant result;
    EXCEPINFO info{};
    UINT argumentError = 0;
    hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                          flags == DISPATCH_PROPERTYPUT ? nullptr : result.Out(), &info, &argumentError);
    // A fill-in function is code of the server's. Across processes the marshaling calls it on the
    // server's side; Wine 8 hands its address over instead, and calling that here would crash.
    if (hr == DISP_E_EXCEPTION && info.pfnDeferredFillIn && !target->Remote())
        info.pfnDeferredFillIn(&info);
    const Bstr source(info.bstrSource);
    const Bstr description(info.bstrDescription);
    const Bstr helpFile(info.bstrHelpFile);
    if (FAILED(hr))
        ThrowInvokeError(hr, info, description.get(), member);
    return FromVariant(std::move(result), member);
}

} // namespace

AutoObjectPtr Win32Automation::Create(const std::string& progId) {
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(ToWide(progId).c_str(), &clsid);
    if (FAILED(hr))
        ThrowSystemError(hr, progId);
    ComPtr<IDispatch> dispatch;
    hr =
        CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, IID_IDispatch, dispatch.OutVoid());
    if (FAILED(hr))
        ThrowSystemError(hr, progId);
    if (!dispatch)
        ThrowSystemError(E_POINTER, progId);
    return std::make_shared<DispatchObject>(std::move(dispatch));
}

AutoValue Win32Automation::Get(const AutoObjectPtr& object, const std::string& member,
                               const std::vector<AutoValue>& arguments) {
    return Invoke(object, member, DISPATCH_PROPERTYGET, arguments);
}

void Win32Automation::Put(const AutoObjectPtr& object, const std::string& member, const AutoValue& value) {
    Invoke(object, member, DISPATCH_PROPERTYPUT, {value});
}

AutoValue Win32Automation::Call(const AutoObjectPtr& object, const std::string& member,
                                const std::vector<AutoValue>& arguments) {
    return Invoke(object, member, DISPATCH_METHOD, arguments);
}

} // namespace tarvoline
