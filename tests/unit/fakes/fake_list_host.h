#pragma once
#include <string>

#include "list/filelist.h"

namespace tarvoline::testing {

// The main window's list fields, held as plain values.
class FakeListHost : public ListHost {
public:
    void ResetListInformation() override {
        memo.clear();
        passwordChecked = false;
        passwordText.clear();
    }
    void ResetCopies() override { copies = "1"; }
    void ListChangeNotified() override { ++notifications; }

    std::string MemoText() const override { return memo; }
    void SetMemoText(const std::string& text) override { memo = text; }
    std::string CopiesText() const override { return copies; }
    void SetCopiesText(const std::string& text) override { copies = text; }
    bool ListPasswordChecked() const override { return passwordChecked; }
    void SetListPasswordChecked(bool checked) override { passwordChecked = checked; }
    std::string ListPasswordText() const override { return passwordText; }
    void SetListPasswordText(const std::string& text) override { passwordText = text; }
    void FocusListPassword() override { ++passwordFocused; }

    std::string memo;
    std::string copies = "1";
    bool passwordChecked = false;
    std::string passwordText;
    int passwordFocused = 0;
    int notifications = 0;
};

} // namespace tarvoline::testing
