#pragma once
// The options dialog: four of the stored settings.
#include <functional>
#include <vector>

#include "app/form.h"

namespace tarvoline {

class c_reg;

class TdlgOptions : public Form {
public:
    // refreshPasswordColumn rewrites the list's password cells after OK.
    TdlgOptions(c_reg& reg, std::function<void()> refreshPasswordColumn);

    Control grbExcel{"grbExcel", "Ｅｘｃｅｌ 印刷範囲デフォルト"};
    CheckControl rdoExrngBook{"rdoExrngBook", "ブック全体", "ブック内の全シートを印刷"};
    CheckControl rdoExrngActiveSheet{"rdoExrngActiveSheet", "現在のシート",
                                     "ブックを開いたときに選択状態になっているシートを印刷"};
    Control grbFold{"grbFold", "フォルダ印刷"};
    CheckControl chkFoldSub{"chkFoldSub", "サブフォルダも対象にする", "フォルダ印刷時に、サブフォルダも対象にする"};
    Control grpPass{"grpPass", "パスワード"};
    CheckControl chkPasswdShow{"chkPasswdShow", "パスワード文字列をリスト上に表示する"};
    Control grpAllowOther{"grpAllowOther", "標準以外のファイル形式"};
    CheckControl chkAllowOther{"chkAllowOther", "標準以外のファイル形式もリストへ追加可能にする"};
    Control Memo1{"Memo1", "標準サポートの拡張子以外のファイルでも印刷が可能な拡張子のファイ\r\n"
                           "ルはリストへ登録可能にします。ただし必ずしも正しく印刷できるとは限り\r\n"
                           "ません。登録後印刷してみてうまくいくかどうか確かめてください。"};
    Control btnOk{"btnOk", "OK"};
    Control btnCancel{"btnCancel", "キャンセル"};
    Control btnHelp{"btnHelp", "ヘルプ(&H)"};

    static constexpr int kHelpContext = 50;

    std::vector<Control*> Controls() override;
    void FormShow() override;
    void btnOkClick();
    void btnHelpClick();

private:
    c_reg& reg_;
    std::function<void()> refreshPasswordColumn_;
};

} // namespace tarvoline
