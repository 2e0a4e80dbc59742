// The library's message texts, in the Japanese wording users of this
// desktop know, and the small substitution the messages need.
#pragma once

#include <initializer_list>
#include <string>

namespace classlib {

// Object model
inline constexpr const char* SAssignError = "%s を %s に代入できません";
inline constexpr const char* SDuplicateName = "%s という名前のｺﾝﾎﾟｰﾈﾝﾄは既に存在します";
inline constexpr const char* SInvalidName = "'%s' はｺﾝﾎﾟｰﾈﾝﾄ名として無効です";
inline constexpr const char* SListIndexError = "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (%d)";
inline constexpr const char* SInsertLineError = "行を挿入できません";
inline constexpr const char* SListCountError = "ﾘｽﾄの数が範囲を超えています (%d)";
inline constexpr const char* SSortedListError = "ｿｰﾄ済みの文字列ﾘｽﾄでは操作できません";
inline constexpr const char* SDuplicateString = "文字列ﾘｽﾄは重複を許しません";
inline constexpr const char* SDuplicateItem = "ﾘｽﾄは重複を許しません";

// Streams and files
inline constexpr const char* SFOpenError = "ﾌｧｲﾙ %s は開けません";
inline constexpr const char* SFCreateError = "ﾌｧｲﾙ %s を作成できません";
inline constexpr const char* SReadError = "ｽﾄﾘｰﾑからの読み込みに失敗しました";
inline constexpr const char* SWriteError = "ｽﾄﾘｰﾑへの書き込みに失敗しました";
inline constexpr const char* SInvalidImage = "不正なｽﾄﾘｰﾑ ﾌｫｰﾏｯﾄ";
inline constexpr const char* SMemoryStreamError = "ﾒﾓﾘ ｽﾄﾘｰﾑを拡張するにはﾒﾓﾘが不足しています";
inline constexpr const char* SIniFileWriteError = "%s に書き込めません";

// Controls
inline constexpr const char* SMemoTooLarge = "文字列の大きさが ﾒﾓ の制限を越えました";
inline constexpr const char* SRichEditInsertError = "RichEdit での行の挿入ｴﾗｰ";
inline constexpr const char* SRichEditLoadFail = "ｽﾄﾘｰﾑの読み込みに失敗しました";
inline constexpr const char* SRichEditSaveFail = "ｽﾄﾘｰﾑの保存に失敗しました";
inline constexpr const char* SParentRequired = "ｺﾝﾄﾛｰﾙ '%s' には親ｳｨﾝﾄﾞｳがありません";
inline constexpr const char* SControlParentSetToSelf = "ｺﾝﾄﾛｰﾙ自身を親にすることはできません";
inline constexpr const char* SCannotFocus = "無効または不可視のｳｨﾝﾄﾞｳにはﾌｫｰｶｽを設定できません";
inline constexpr const char* SVisibleChanged = "OnShow または OnHide では Visible を変更できません";
inline constexpr const char* SCannotShowModal = "表示されているｳｨﾝﾄﾞｳはﾓｰﾀﾞﾙにできません";
inline constexpr const char* SWindowClass = "ｳｨﾝﾄﾞｳ ｸﾗｽの登録に失敗しました";
inline constexpr const char* SWindowCreate = "ｳｨﾝﾄﾞｳの作成に失敗しました";
inline constexpr const char* SInvalidPropertyValue = "ﾌﾟﾛﾊﾟﾃｨの値が無効です";
inline constexpr const char* SOutOfRange = "値は %d から %d の間でなければなりません";

// Graphics
inline constexpr const char* SOutOfResources = "ｼｽﾃﾑ ﾘｿｰｽが不足しています";
inline constexpr const char* SInvalidBitmap = "ﾋﾞｯﾄﾏｯﾌﾟ ｲﾒｰｼﾞが不正です";
inline constexpr const char* SInvalidIcon = "ｱｲｺﾝ ｲﾒｰｼﾞが不正です";
inline constexpr const char* SInvalidMetafile = "ﾒﾀﾌｧｲﾙが不正です";
inline constexpr const char* SNoCanvasHandle = "ｷｬﾝﾊﾞｽに描画できません";
inline constexpr const char* SResNotFound = "ﾘｿｰｽ %s が見つかりません";
inline constexpr const char* SImageIndexError = "ｲﾒｰｼﾞ ﾘｽﾄのｲﾝﾃﾞｯｸｽが不正です";
inline constexpr const char* SImageListFail = "ｲﾒｰｼﾞ ﾘｽﾄを作成できません";
inline constexpr const char* SInvalidImageSize = "ｲﾒｰｼﾞのｻｲｽﾞが不正です";

// Menus
inline constexpr const char* SMenuIndexError = "ﾒﾆｭｰのｲﾝﾃﾞｯｸｽが範囲を超えています";
inline constexpr const char* SMenuReinserted = "ﾒﾆｭｰが二重に挿入されました";
inline constexpr const char* SMenuNotFound = "ｻﾌﾞﾒﾆｭｰがﾒﾆｭｰの中にありません";

// Printing
inline constexpr const char* SPrinting = "印刷中です";
inline constexpr const char* SNotPrinting = "印刷中ではありません";
inline constexpr const char* SInvalidPrinter = "選択されたﾌﾟﾘﾝﾀは無効です";
inline constexpr const char* SPrinterIndexError = "ﾌﾟﾘﾝﾀのｲﾝﾃﾞｯｸｽが範囲を超えています";
inline constexpr const char* SNoDefaultPrinter = "既定のﾌﾟﾘﾝﾀが選択されていません";
inline constexpr const char* SPrintStartError = "印刷を開始できません.\r\n%s";
inline constexpr const char* SPrintPageError = "ﾍﾟｰｼﾞを印刷できません.\r\n%s";
inline constexpr const char* SPrintEndError = "印刷を完了できません.\r\n%s";

// Replaces each %s or %d of format, in order, with the next argument (the
// messages above take at most a few already-formatted values).
std::string FormatResource(const char* format, std::initializer_list<std::string> args);

}  // namespace classlib
