#include "app/about_dialog.h"

#include <stdexcept>

#include "app/settings_store.h"
#include "common/encoding.h"
#include "common/messages.h"
#include "platform/file_system.h"

namespace tarvoline {

std::string FileVersionText(std::uint32_t versionMs, std::uint32_t versionLs) {
    return std::to_string(versionMs >> 16) + "." + std::to_string(versionMs & 0xFFFF) + "." +
           std::to_string(versionLs >> 16);
}

TdlgAbout::TdlgAbout(c_reg& reg, FileSystem& fileSystem, std::string programFolder, std::string versionText)
    : Form("バージョン情報"), reg_(reg), fileSystem_(fileSystem), programFolder_(std::move(programFolder)),
      versionText_(std::move(versionText)) {
    btnOk.OnClick = [this] { btnOkClick(); };
}

std::string TdlgAbout::ReadmePath() const {
    return programFolder_ + "\\README.TXT";
}

void TdlgAbout::FormShow() {
    lblProduct.SetText(LoadMessageText(15001));
    lblProductName.SetText(LoadMessageText(15002));
    memAbout.SetText(LoadMessageText(15008) + LoadMessageText(15009));
    lblVersion.SetText("Version. " + versionText_);
    // The stored switch is shown whether or not the read-me can be read.
    chkDontShowAbout.SetChecked(reg_.DontShowAboutOnStartup);

    std::string bytes;
    const FileResult read = fileSystem_.ReadWholeFile(ReadmePath(), bytes);
    if (!read.ok())
        throw std::runtime_error("\"" + ReadmePath() + "\" を開けません。" + read.error);
    memAbout.SetText(Utf16ToAnsiLossy(DecodeTextFile(bytes)));
}

void TdlgAbout::btnOkClick() {
    reg_.DontShowAboutOnStartup = chkDontShowAbout.Checked();
    Close(mrOk);
}

} // namespace tarvoline
