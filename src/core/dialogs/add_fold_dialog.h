#pragma once
// The choice of how folders join the list: each as one folder entry, or the documents inside them,
// with or without those of their subfolders.
#include <string>
#include <vector>

#include "dialogs/dlg_common.h"

namespace tarvoline {

enum class FolderAddMode : int { NotChosen = 0, FolderEntry = 1, Files = 2, FilesRecursive = 3 };

class TdlgAddFold : public TdlgCommon {
public:
    // addFolderRecur: the setting that holds the subfolder check box between uses.
    TdlgAddFold(std::vector<std::string> folders, FolderAddMode mode, bool& addFolderRecur);

    Control lblFolds{"lblFolds", "フォルダ："};
    ListControl lbxFolds{"lbxFolds"};
    Control grbAddFoldOpt{"grbAddFoldOpt", "リストへの追加方法を下記から選択してください"};
    CheckControl rdoAddFoldFold{"rdoAddFoldFold", "フォルダをリストへ追加（&F)"};
    CheckControl rdoAddFoldFiles{"rdoAddFoldFiles", "フォルダ内のファイルを展開しリストへ追加(&L)"};
    CheckControl chkAddFoldRecur{"chkAddFoldRecur", "サブフォルダ内のファイルも含める"};

    std::vector<Control*> Controls() override;
    void FormShow() override;
    void btnOkClick();

    // The way chosen (after OK), or the way that came in (after Cancel).
    FolderAddMode Mode() const { return mode_; }

private:
    std::vector<std::string> folders_;
    FolderAddMode mode_;
    bool& addFolderRecur_;
};

} // namespace tarvoline
