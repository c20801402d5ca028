#pragma once
// An automation server that records every call it receives, for tests of the automation layer and, later,
// as the base of stand-ins for the document applications. Plain IDispatch, no type library.
#include "dispatch_support.h"

namespace tarvoline::standin {

// Out of process (the exe) and in process (the DLL): two classes, so a test can ask for either.
inline constexpr CLSID kRecorderLocalClsid = {
    0x08525e6e, 0x498b, 0x490a, {0xab, 0xb1, 0x81, 0xc0, 0x9e, 0x54, 0xc9, 0xaf}};
inline constexpr CLSID kRecorderInProcClsid = {
    0xa3b0d2d5, 0xb248, 0x4f3f, {0xba, 0xb2, 0xf1, 0x6a, 0x4c, 0xe4, 0x4d, 0x12}};
inline constexpr wchar_t kRecorderLocalProgId[] = L"Tarvoline.TestRecorder";
inline constexpr wchar_t kRecorderInProcProgId[] = L"Tarvoline.TestRecorderInProc";
inline constexpr wchar_t kInProcDllName[] = L"tarvoline-automation-server-inproc.dll";

// The class factory of recorders; it does not count towards the module's objects.
IClassFactory* RecorderFactory();

} // namespace tarvoline::standin
