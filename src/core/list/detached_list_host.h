#pragma once
// The list's window fields (memo, copies, list password) held as plain values, for programs that
// work on list files without a window: the list tool, the benchmarks and the tests.
#include <string>

#include "list/filelist.h"

namespace tarvoline {

class DetachedListHost : public ListHost {
public:
    void ResetListInformation() override {
        memo.clear();
        passwordChecked = false;
        passwordText.clear();
    }
    void ResetCopies() override { copies = "1"; }
    void ListChangeNotified() override { ++notifications; }

    std::string CopiesText() override { return copies; }
    void SetCopiesText(const std::string& text) override { copies = text; }
    std::string CurrentListFile() override { return listFile; }
    std::string MemoText() override { return memo; }
    void SetMemoText(const std::string& text) override { memo = text; }
    bool ListPasswordChecked() override { return passwordChecked; }
    void SetListPasswordChecked(bool checked) override { passwordChecked = checked; }
    std::string ListPasswordText() override { return passwordText; }
    void SetListPasswordText(const std::string& text) override { passwordText = text; }
    void FocusListPassword() override { ++passwordFocused; }

    std::string memo;
    std::string copies = "1";
    std::string listFile;
    bool passwordChecked = false;
    std::string passwordText;
    int passwordFocused = 0;
    int notifications = 0;
};

} // namespace tarvoline
