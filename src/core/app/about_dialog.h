#pragma once
// The About dialog: product name, version, the read-me beside the program, and the start-up switch.
#include <cstdint>
#include <string>
#include <vector>

#include "app/form.h"

namespace tarvoline {

class c_reg;
class FileSystem;

// "major.minor.release" of a file version given as its two 32-bit halves; the build number is left out.
std::string FileVersionText(std::uint32_t versionMs, std::uint32_t versionLs);

class TdlgAbout : public Form {
public:
    // programFolder ends without a backslash; versionText as FileVersionText gives it.
    TdlgAbout(c_reg& reg, FileSystem& fileSystem, std::string programFolder, std::string versionText);

    Control Image1{"Image1"};
    Control lblProductName{"lblProductName"};
    Control lblProduct{"lblProduct"};
    Control lblVersion{"lblVersion"};
    EditControl memAbout{"memAbout"};
    CheckControl chkDontShowAbout{"chkDontShowAbout", "起動時にこの画面を表示しない"};
    Control btnOk{"btnOk", "閉じる"};

    std::vector<Control*> Controls() override {
        return {&Image1, &lblProductName, &lblProduct, &lblVersion, &memAbout, &chkDontShowAbout, &btnOk};
    }
    // Throws std::runtime_error when the read-me cannot be read; the dialog is then complete without it.
    void FormShow() override;
    void btnOkClick();
    // No close box: the dialog closes only by its button.
    void CloseBoxClick() override {}

    std::string ReadmePath() const;

private:
    c_reg& reg_;
    FileSystem& fileSystem_;
    std::string programFolder_;
    std::string versionText_;
};

} // namespace tarvoline
