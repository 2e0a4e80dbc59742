// The main menu: captions, shortcuts, hints and handlers, and the table that
// binds its items to pictures and hints for the menu decoration.
#include "app/main_form.h"

namespace app {

namespace {

TShortCut Ctrl(char key) { return ShortCut(static_cast<win32::WORD>(key), {ssCtrl}); }
TShortCut Key(win32::WORD vk) { return ShortCut(vk, {}); }

}  // namespace

const std::vector<TItemImageEntry>& MainItemImages() {
    static const std::vector<TItemImageEntry> table = {
        {"New1", 0, "|新しく文書を作成します"},
        {"Open1", 1, "|既存文書を開きます"},
        {"Save1", 2, "|上書き保存します"},
        {"Print1", 12, "|印刷をします"},
        {"M2", 9, "|メーラーへ転送する"},
        {"Exit1", 3, "|アプリケーションを終了します"},
        {"Undo1", 19, "|元に戻す"},
        {"Cut1", 4, "|選択範囲の切り取り"},
        {"Copy1", 5, "|選択範囲のコピー"},
        {"Paste1", 6, "|クリップボード内データの貼り付け"},
        {"Find2", 7, "|文字列を検索します"},
        {"Replace1", 8, "|文字列置換えの設定"},
        {"F1", 10, "|フォントを設定します"},
        {"S2", 15, "|プリンターを設定します。"},
        {"T1", -1, "|ツールバーの表示・非表示"},
        {"Help2", 13, "|ヘルプファイルの表示"},
        {"About1", 14, "|このメモ帳について"},
        {"D1", 16, "|文末尾に日付時刻を挿入します"},
        {"S3", 22, "|署名を追加します"},
        {"Set1", 17, "|各設定をします"},
        {"SaveAs1", 18, "|新たに名前を付けてファイルを保存"},
        {"FindNext1", 21, "|次を検索します"},
        {"SelectAll1", 20, "|テキストすべてを選択"},
        {"Color1", 11, "|バックカラーを設定します"},
        {"S1", -1, "|ステータスバーの表示・非表示"},
        {"N4", -1, "|右端で折り返すの指定"},
        {"RepMark2", -1, "|マークされた文字列を置換えます"},
        {"RepAll1", -1, "|文字列をすべて置き換えます"},
        {"B1", -1, "|メモ帳のサイズを拡大"},
        {"M1", -1, "|メモ帳のサイズ変更"},
        {"S4", -1, "|メモ帳のサイズ縮小"},
        {"Preview", 23, "|プレビュー表示・印刷"},
    };
    return table;
}

TMenuItem* TMainForm::AddItem(TMenuItem* parent, const char* name, const char* caption, const char* hint,
                              TShortCut shortCut, void (TMainForm::*handler)(TObject*)) {
    auto* item = new TMenuItem(this);
    item->SetName(name);
    item->SetCaption(caption);
    item->SetHint(hint);
    if (shortCut != scNone) item->SetShortCut(shortCut);
    if (handler != nullptr) item->OnClick = [this, handler](TObject* sender) { (this->*handler)(sender); };
    parent->Add(item);
    return item;
}

void TMainForm::CreateMenu() {
    MainMenu1 = new TMainMenu(this);
    MainMenu1->SetName("MainMenu1");
    TMenuItem* bar = MainMenu1->Items();
    using F = TMainForm;

    File1 = AddItem(bar, "File1", "ファイル(&F)");
    New1 = AddItem(File1, "New1", "新規作成(&N)", "新しく文書を作成します", scNone, &F::New1Click);
    Open1 = AddItem(File1, "Open1", "開く(&O)", "既存文書を開きます", scNone, &F::Open1Click);
    Save1 = AddItem(File1, "Save1", "上書き保存(&S)", "上書き保存します", scNone, &F::Save1Click);
    SaveAs1 = AddItem(File1, "SaveAs1", "名前を付けて保存(&A)", "別名保存します", scNone, &F::SaveAs1Click);
    N1 = AddItem(File1, "N1", "-");
    S2 = AddItem(File1, "S2", "プリンターの設定(&S)", "プリンターを設定します。", scNone, &F::S2Click);
    Preview = AddItem(File1, "Preview", "プレビュー(&W)", "", scNone, &F::PreviewClick);
    Print1 = AddItem(File1, "Print1", "印刷(&p)", "印刷をします", scNone, &F::Print1Click);
    N6 = AddItem(File1, "N6", "-");
    M2 = AddItem(File1, "M2", "メーラーへ転送(&M)", "メーラーへ転送する", scNone, &F::M2Click);
    N11 = AddItem(File1, "N11", "-");
    Exit1 = AddItem(File1, "Exit1", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "アプリケーションを終了します", scNone, &F::Exit1Click);

    Edit1 = AddItem(bar, "Edit1", "編集(&E)", "", scNone, &F::Edit1Click);
    Undo1 = AddItem(Edit1, "Undo1", "元に戻す(&U)", "元に戻す", scNone, &F::Undo1Click);
    N8 = AddItem(Edit1, "N8", "-");
    Cut1 = AddItem(Edit1, "Cut1", "切り取り(&T)", "選択範囲の切り取り", Ctrl('X'), &F::Cut1Click);
    Copy1 = AddItem(Edit1, "Copy1", "コピー(&C)", "選択範囲のコピー", Ctrl('C'), &F::Copy1Click);
    // Ctrl+P pastes here; Ctrl+V stays the editor's own key.
    Paste1 = AddItem(Edit1, "Paste1", "貼り付け(&P)", "クリップボード内データの貼り付け", Ctrl('P'), &F::Paste1Click);
    N2 = AddItem(Edit1, "N2", "-");
    SelectAll1 = AddItem(Edit1, "SelectAll1", "すべて選択(&D)", "テキストすべてを選択", scNone, &F::SelectAll1Click);

    Show1 = AddItem(bar, "Show1", "表示(&V)");
    T1 = AddItem(Show1, "T1", "ツールバー(&T)", "ツールバーの表示・非表示", scNone, &F::T1Click);
    S1 = AddItem(Show1, "S1", "ステータスバー(&S)", "ステータスバーの表示・非表示", scNone, &F::S1Click);
    N3 = AddItem(Show1, "N3", "-");
    N4 = AddItem(Show1, "N4", "右端で折り返す", "右端で折り返すの指定", scNone, &F::N4Click);
    T1->SetChecked(true);
    S1->SetChecked(true);
    N4->SetChecked(true);

    Find1 = AddItem(bar, "Find1", "検索(&S)");
    Find2 = AddItem(Find1, "Find2", "検索語の設定(&F)", "文字列を検索します", Ctrl('F'), &F::Find2Click);
    Replace1 = AddItem(Find1, "Replace1", "置換語の設定(&R)", "", Ctrl('R'), &F::Replace1Click);
    FindNext1 = AddItem(Find1, "FindNext1", "次を検索(&N)", "", Key(win32::VK_F3), &F::FindNext1Click);
    RepMark2 = AddItem(Find1, "RepMark2", "マークされた単語を置換(&M)", "", Key(win32::VK_F4), &F::RepMark2Click);
    RepAll1 = AddItem(Find1, "RepAll1", "すべて置換(&A)", "", scNone, &F::RepAll1Click);

    A1 = AddItem(bar, "A1", "設定(&A)");
    F1 = AddItem(A1, "F1", "フォント(&F)", "フォントを設定します", scNone, &F::Font1Click);
    Color1 = AddItem(A1, "Color1", "カラー(&C)", "バックカラーを設定します", scNone, &F::Color1Click);
    N5 = AddItem(A1, "N5", "-");
    Set1 = AddItem(A1, "Set1", "設定(&T)", "各設定をします", scNone, &F::Set1Click);

    O1 = AddItem(bar, "O1", "オプション(&O)");
    D1 = AddItem(O1, "D1", "日付の挿入(&D)", "文末尾に日付時刻を挿入します", scNone, &F::D1Click);
    S3 = AddItem(O1, "S3", "署名の挿入(&S)", "署名を追加します", scNone, &F::S3Click);
    N9 = AddItem(O1, "N9", "-");
    N10 = AddItem(O1, "N10", "サイズ");
    S4 = AddItem(N10, "S4", "スモール(&S)", "小さいサイズに調整", scNone, &F::S4Click);
    M1 = AddItem(N10, "M1", "ミディアム(&M)", "標準的なサイズに調整", scNone, &F::M1Click);
    B1 = AddItem(N10, "B1", "ラージ(&L)", "大きいサイズに調整", scNone, &F::B1Click);

    Help1 = AddItem(bar, "Help1", "ヘルプ(&H)");
    Help2 = AddItem(Help1, "Help2", "ヘルプ(&H)", "ヘルプファイルの表示", scNone, &F::Help2Click);
    About1 = AddItem(Help1, "About1", "ﾊﾞｰｼﾞｮﾝ情報(&V)", "このメモ帳について", scNone, &F::About1Click);

    SetMenu(MainMenu1);
}

}  // namespace app
