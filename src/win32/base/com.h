#pragma once
// Ownership of COM things: interface pointers, BSTRs, SAFEARRAYs and VARIANTs.
#include <windows.h>
// WIN32_LEAN_AND_MEAN keeps these out of <windows.h>.
#include <ole2.h>
#include <oleauto.h>

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "base/unique_handle.h"

namespace tarvoline {

struct BstrTraits {
    using Handle = BSTR;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { SysFreeString(handle); }
};

struct SafeArrayTraits {
    using Handle = SAFEARRAY*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { SafeArrayDestroy(handle); }
};

// A null BSTR is a valid empty string to COM, so test for "no string" only right after allocating.
using Bstr = UniqueHandle<BstrTraits>;
using SafeArray = UniqueHandle<SafeArrayTraits>;

// Null only when out of memory.
inline Bstr MakeBstr(std::wstring_view text) {
    return Bstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

inline std::wstring_view BstrText(BSTR text) {
    return text ? std::wstring_view(text, SysStringLen(text)) : std::wstring_view();
}

// One counted reference to an interface.
template <typename T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    ComPtr(const ComPtr& other) : p_(other.p_) {
        if (p_)
            p_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Takes over a reference the caller already owns.
    static ComPtr Attach(T* p) {
        ComPtr result;
        result.p_ = p;
        return result;
    }
    // Adds a reference of its own, for pointers that are only borrowed.
    static ComPtr Share(T* p) {
        if (p)
            p->AddRef();
        return Attach(p);
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    void Reset() {
        if (T* old = std::exchange(p_, nullptr))
            old->Release();
    }
    // For the functions that hand out a new reference through a T** or void**.
    T** Out() {
        Reset();
        return &p_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }

    template <typename U> HRESULT QueryInterface(ComPtr<U>& target) const {
        if (!p_)
            return E_POINTER;
        return p_->QueryInterface(__uuidof(U), target.OutVoid());
    }

private:
    T* p_ = nullptr;
};

// A VARIANT that is cleared (releasing what it holds) when it goes.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    // Takes over what the VARIANT holds.
    static Variant Attach(const VARIANT& value) {
        Variant result;
        result.value_ = value;
        return result;
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept : value_(other.Release()) {}
    Variant& operator=(Variant&& other) noexcept {
        if (this != &other) {
            VariantClear(&value_);
            value_ = other.Release();
        }
        return *this;
    }
    ~Variant() { VariantClear(&value_); }

    VARIANT* Get() { return &value_; }
    const VARIANT* Get() const { return &value_; }
    VARTYPE Type() const { return V_VT(&value_); }
    // For the functions that fill in a VARIANT.
    VARIANT* Out() {
        VariantClear(&value_);
        return &value_;
    }
    // Hands what it holds to the caller, who must clear it.
    VARIANT Release() {
        VARIANT value = value_;
        VariantInit(&value_);
        return value;
    }

private:
    VARIANT value_;
};

// Contiguous VARIANTs, as DISPPARAMS and the like want them, each cleared when the array goes.
class VariantArray {
public:
    VariantArray() = default;
    VariantArray(const VariantArray&) = delete;
    VariantArray& operator=(const VariantArray&) = delete;
    ~VariantArray() {
        for (VARIANT& value : values_)
            VariantClear(&value);
    }

    void Add(Variant value) {
        values_.reserve(values_.size() + 1);
        values_.push_back(value.Release());
    }
    VARIANT* Data() { return values_.empty() ? nullptr : values_.data(); }
    std::size_t Size() const { return values_.size(); }

private:
    std::vector<VARIANT> values_;
};

} // namespace tarvoline
