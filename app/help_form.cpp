#include "app/help_form.h"

namespace app {

using namespace classlib;

namespace {

const char* const kHelpText =
    "■ぽらりMEMOについて■\r\n"
    "ぽらりMEMOは、付属のメモ帳では物足りないけれど、ワープロを使うほどでもない、\r\n"
    "そんな時のために作った軽いテキストエディタです。\r\n"
    "ちょっとした覚え書きやメールの下書きに、気軽にお使いください。\r\n"
    "\r\n"
    "■特徴■\r\n"
    "◇カラフルな色でテキストを使える◇\r\n"
    "最初は淡い水色の背景に青い文字で表示されます。\r\n"
    "背景色と文字の色、フォントは「設定」メニューから自由に選べます。\r\n"
    "選んだ色とフォントは設定ファイルに保存され、次回の起動時にもそのまま使われます。\r\n"
    "\r\n"
    "◇印刷◇\r\n"
    "画面に表示しているフォントのまま印刷します。\r\n"
    "8ポイントの文字ならA4用紙1枚に約6,000文字を印刷できます。\r\n"
    "\r\n"
    "◇日付時刻＆署名の挿入◇\r\n"
    "現在の日付と時刻、登録しておいた署名を文書の末尾に追加できます。\r\n"
    "メールを書く時に便利です。\r\n"
    "\r\n"
    "◇入力文字数表示◇\r\n"
    "入力した文字数をステータスバーに表示します。\r\n"
    "半角文字も全角文字も1文字として数えます。\r\n"
    "\r\n"
    "◇検索置換え機能◇\r\n"
    "文字列の検索と置換えができます。\r\n"
    "\r\n"
    "◇メールソフト転送機能◇\r\n"
    "書いた文書をそのままメールソフトに渡して、新しいメールを作れます。\r\n"
    "文字数に制限のあるメールサービスを使う時に役立ちます。\r\n"
    "\r\n"
    "◇タイトルのｱﾌﾟﾘｹｰｼｮﾝネームを自分のオリジナルに変更できます◇\r\n"
    "タイトルバーの「ぽらりMEMO」を、お好きな名前に変えられます（次回起動時から有効）。\r\n"
    "\r\n"
    "◇その他◇\r\n"
    "メニューの装飾とツールバーには、作者の方々が公開しているコンポーネントを使わせて\r\n"
    "いただきました。この場を借りてお礼申し上げます。\r\n"
    "\r\n"
    "                                                        porari";

TPanel* MakeMargin(TForm* form, TAlign align) {
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetAlign(align);
    panel->SetBevelOuter(bvNone);
    panel->SetCaption("");
    if (align == alTop || align == alBottom) panel->SetHeight(20);
    else panel->SetWidth(20);
    return panel;
}

}  // namespace

THelpFm::THelpFm(TComponent* owner, const TControl* editor) : TForm(owner), editor_(editor) {
    SetCaption("■ぽらりMEMOについて■");
    SetBounds(0, 0, 625, 422);
    SetPosition(poScreenCenter);
    Font()->SetName("ＭＳ Ｐゴシック");
    Font()->SetHeight(-12);

    Panel1 = MakeMargin(this, alTop);
    Panel2 = MakeMargin(this, alBottom);
    Panel3 = MakeMargin(this, alLeft);
    Panel4 = MakeMargin(this, alRight);

    Memo1 = new TMemo(this);
    Memo1->SetParent(this);
    Memo1->SetAlign(alClient);
    Memo1->SetScrollBars(ssVertical);
    Memo1->SetWordWrap(true);
    Memo1->Lines()->SetText(kHelpText);

    OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

THelpFm::~THelpFm() = default;

const char* THelpFm::HelpText() { return kHelpText; }

void THelpFm::FormCreate(TObject*) {
    if (!editor_) return;
    Memo1->SetColor(editor_->Color());
    Memo1->SetFont(editor_->Font());
}

}  // namespace app
