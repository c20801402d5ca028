#pragma once
// The folder windows, each shown modally over its owner with one call.
#include <windows.h>

namespace tarvoline {

class TdlgAddFold;
class TdlgGetFilesRecur;

// "フォルダ追加方法選択": mrOk or mrCancel; the way chosen is in the form.
int ShowAddFoldDialog(HWND owner, TdlgAddFold& form);
// "ファイル情報取得中...": walks the form's folders and closes itself; mrOk, or mrCancel when stopped.
int ShowGetFilesRecurDialog(HWND owner, TdlgGetFilesRecur& form);

} // namespace tarvoline
