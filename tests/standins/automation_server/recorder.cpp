#include "recorder.h"

#include <cwchar>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dispatch_support.h"

namespace tarvoline::standin {
namespace {

// How a member told to fail does so.
enum class FailureKind {
    Plain,         // Invoke returns the code
    Exception,     // DISP_E_EXCEPTION, the code in scode and the description filled in
    Deferred,      // DISP_E_EXCEPTION, the description filled in later by pfnDeferredFillIn
    ApplicationNo, // DISP_E_EXCEPTION, the low word of the code in wCode, scode 0
};

struct Failure {
    HRESULT code = S_OK;
    std::wstring description;
    FailureKind kind = FailureKind::Plain;
};

// What a root object and the objects reached from it share.
struct Session {
    std::wstring journal;
    int nextId = 1;
    std::map<std::wstring, Failure> failures; // by lower-case member name
};

enum MemberId : DISPID {
    kRecord = 1,  // takes anything, returns nothing
    kChild,       // a new object of the same session
    kValue,       // a property that keeps whatever is put into it
    kMakeValue,   // (vartype, text): text converted to that type
    kForeignText, // a text with characters that code page 932 lacks
    kJournal,     // the session's journal, one line per call
    kSetFailure,  // (member, code, description, kind); code 0 clears
    kProcessId,   // the server's process id
    kId,          // the object's number in the journal
};

struct Member {
    const wchar_t* name;
    DISPID id;
    bool recorded; // the test's own controls are not journalled
};

constexpr Member kMembers[] = {
    {L"Record", kRecord, true},
    {L"Child", kChild, true},
    {L"Value", kValue, true},
    {L"MakeValue", kMakeValue, true},
    {L"ForeignText", kForeignText, true},
    {L"Journal", kJournal, false},
    {L"SetFailure", kSetFailure, false},
    {L"ProcessId", kProcessId, false},
    {L"Id", kId, false},
};

const Member* FindMember(DISPID id) {
    for (const Member& member : kMembers) {
        if (member.id == id)
            return &member;
    }
    return nullptr;
}

std::wstring Lower(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower)
        c = towlower(c);
    return lower;
}

class Recorder;
// Every live recorder of this process, to name the objects that come back as arguments.
std::vector<Recorder*> liveRecorders;

class Recorder final : public DispatchObject {
public:
    explicit Recorder(std::shared_ptr<Session> session) : session_(std::move(session)), id_(session_->nextId++) {
        liveRecorders.push_back(this);
    }
    ~Recorder() override { std::erase(liveRecorders, this); }

    int Id() const { return id_; }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        if (!names || !ids)
            return E_POINTER;
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            // Only the member itself has a name here; named arguments are not supported.
            if (i == 0) {
                for (const Member& member : kMembers) {
                    if (_wcsicmp(member.name, names[0]) == 0)
                        ids[0] = member.id;
                }
            }
            if (ids[i] == DISPID_UNKNOWN)
                result = DISP_E_UNKNOWNNAME;
        }
        return result;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) override {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        const Member* member = FindMember(id);
        if (!member)
            return DISP_E_MEMBERNOTFOUND;
        DISPPARAMS none{};
        if (!parameters)
            parameters = &none;
        // No exception may leave for the caller's side.
        try {
            if (member->recorded)
                session_->journal +=
                    DescribeCall(L"#" + std::to_wstring(id_), member->name, flags, *parameters, DescribeObject) + L"\n";
            const auto failure = session_->failures.find(Lower(member->name));
            if (failure != session_->failures.end())
                return Fail(failure->second, exception);
            return Perform(*member, flags, *parameters, result);
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

private:
    static std::wstring DescribeObject(IDispatch* object) {
        if (!object)
            return L"null";
        ComPtr<IUnknown> identity;
        if (FAILED(ComPtr<IDispatch>::Share(object).QueryInterface(identity)))
            return L"without identity";
        for (Recorder* recorder : liveRecorders) {
            if (static_cast<IUnknown*>(static_cast<IDispatch*>(recorder)) == identity.Get())
                return L"object " + std::to_wstring(recorder->Id());
        }
        return L"foreign";
    }

    static std::wstring deferredDescription;

    static HRESULT STDMETHODCALLTYPE FillIn(EXCEPINFO* exception) {
        if (!exception)
            return E_POINTER;
        exception->bstrDescription = MakeBstr(deferredDescription).release();
        exception->pfnDeferredFillIn = nullptr;
        return S_OK;
    }

    static HRESULT Fail(const Failure& failure, EXCEPINFO* exception) {
        if (failure.kind == FailureKind::Plain || !exception)
            return failure.code;
        if (failure.kind == FailureKind::Exception)
            return RaiseError(failure.code, failure.description, kRecorderLocalProgId, exception);
        *exception = EXCEPINFO{};
        exception->bstrSource = MakeBstr(kRecorderLocalProgId).release();
        switch (failure.kind) {
        case FailureKind::Deferred:
            exception->scode = failure.code;
            deferredDescription = failure.description;
            exception->pfnDeferredFillIn = FillIn;
            break;
        case FailureKind::ApplicationNo:
            exception->wCode = static_cast<WORD>(failure.code & 0xFFFF);
            exception->bstrDescription = MakeBstr(failure.description).release();
            break;
        default:
            exception->scode = failure.code;
            exception->bstrDescription = MakeBstr(failure.description).release();
            break;
        }
        return DISP_E_EXCEPTION;
    }

    HRESULT Perform(const Member& member, WORD flags, const DISPPARAMS& parameters, VARIANT* result) {
        Variant answer;
        switch (member.id) {
        case kRecord:
            break;
        case kChild: {
            auto* child = new Recorder(session_);
            V_VT(answer.Get()) = VT_DISPATCH;
            V_DISPATCH(answer.Get()) = child;
            break;
        }
        case kValue:
            if (flags & DISPATCH_PROPERTYPUT) {
                if (parameters.cNamedArgs != 1 || !parameters.rgdispidNamedArgs ||
                    parameters.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT || parameters.cArgs != 1)
                    return DISP_E_PARAMNOTOPTIONAL;
                Variant copy;
                const HRESULT hr = VariantCopy(copy.Get(), &parameters.rgvarg[0]);
                if (FAILED(hr))
                    return hr;
                value_ = std::move(copy);
                return S_OK;
            } else {
                const HRESULT hr = VariantCopy(answer.Get(), value_.Get());
                if (FAILED(hr))
                    return hr;
            }
            break;
        case kMakeValue: {
            Variant type;
            Variant text;
            HRESULT hr = ArgumentAs(parameters, 0, VT_I4, type);
            if (SUCCEEDED(hr))
                hr = ArgumentAs(parameters, 1, VT_BSTR, text);
            if (FAILED(hr))
                return hr;
            const auto wanted = static_cast<VARTYPE>(V_I4(type.Get()));
            if (wanted == VT_EMPTY || wanted == VT_NULL) {
                V_VT(answer.Get()) = wanted;
                break;
            }
            // Numbers written the invariant way, whatever the server's locale.
            hr = VariantChangeTypeEx(answer.Get(), text.Get(),
                                     MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT), 0, wanted);
            if (FAILED(hr))
                return hr;
            break;
        }
        case kForeignText:
            V_BSTR(answer.Get()) = MakeBstr(L"caf\u00E9 \U0001F600 \u8868\u30BD").release();
            V_VT(answer.Get()) = VT_BSTR;
            break;
        case kJournal:
            V_BSTR(answer.Get()) = MakeBstr(session_->journal).release();
            V_VT(answer.Get()) = VT_BSTR;
            break;
        case kSetFailure: {
            Variant name;
            Variant code;
            Variant description;
            Variant kind;
            HRESULT hr = ArgumentAs(parameters, 0, VT_BSTR, name);
            if (SUCCEEDED(hr))
                hr = ArgumentAs(parameters, 1, VT_I4, code);
            if (SUCCEEDED(hr))
                hr = ArgumentAs(parameters, 2, VT_BSTR, description);
            if (SUCCEEDED(hr))
                hr = ArgumentAs(parameters, 3, VT_I4, kind);
            if (FAILED(hr))
                return hr;
            const std::wstring key = Lower(BstrText(V_BSTR(name.Get())));
            if (V_I4(code.Get()) == 0) {
                session_->failures.erase(key);
            } else {
                session_->failures[key] = Failure{V_I4(code.Get()), std::wstring(BstrText(V_BSTR(description.Get()))),
                                                  static_cast<FailureKind>(V_I4(kind.Get()))};
            }
            break;
        }
        case kProcessId:
            V_VT(answer.Get()) = VT_I4;
            V_I4(answer.Get()) = static_cast<LONG>(GetCurrentProcessId());
            break;
        case kId:
            V_VT(answer.Get()) = VT_I4;
            V_I4(answer.Get()) = id_;
            break;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
        if (result)
            *result = answer.Release();
        return S_OK;
    }

    std::shared_ptr<Session> session_;
    int id_;
    Variant value_;
};

std::wstring Recorder::deferredDescription;

ClassFactory factory([]() -> DispatchObject* { return new Recorder(std::make_shared<Session>()); });

} // namespace

IClassFactory* RecorderFactory() {
    return &factory;
}

} // namespace tarvoline::standin
