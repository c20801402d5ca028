#pragma once
#include "platform/automation.h"

namespace tarvoline {

// Automation over IDispatch, late bound by member name. COM must be initialised on the calling thread,
// and every object must be released on it before COM is uninitialised.
//
// Arguments: strings go as BSTR, 32-bit integers as VT_I4, one-byte integers as VT_I1, booleans as
// VT_BOOL, string arrays as a VARIANT array of BSTRs with lower bound 0 (what Excel's Sheets(Array(...))
// takes), objects as VT_DISPATCH (an empty reference as a null one), a missing argument as VT_ERROR
// holding DISP_E_PARAMNOTFOUND, and no value as VT_EMPTY.
//
// Results: objects, integers of any width that fit in 32 bits, texts (a character without an ANSI
// code becomes '?'), booleans. Anything else (VT_EMPTY, VT_NULL, a number out of range, a real number,
// a date, an array, ...) comes back as no value: the server has done its work, so the call does not
// fail; a caller that relies on the value finds it missing.
//
// Errors carry the HRESULT. The text is the server's description when it raised an exception that has
// one, otherwise the system's text for the code followed by the member name or ProgID in brackets.
class Win32Automation final : public Automation {
public:
    AutoObjectPtr Create(const std::string& progId) override;
    AutoValue Get(const AutoObjectPtr& object, const std::string& member,
                  const std::vector<AutoValue>& arguments = {}) override;
    void Put(const AutoObjectPtr& object, const std::string& member, const AutoValue& value) override;
    AutoValue Call(const AutoObjectPtr& object, const std::string& member,
                   const std::vector<AutoValue>& arguments = {}) override;
};

} // namespace tarvoline
