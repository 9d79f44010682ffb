#include "app/qt/help_window.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tarvik::app {

QString THelpForm::contents() {
    return QString::fromUtf8(R"(
<h2>Tarvik ヘルプ</h2>
<p>Tarvik は木造立体骨組を作り、支点と荷重を与え、Veltosol で解析して結果を確かめるためのプログラムです。</p>

<h3>作業の流れ</h3>
<ol>
<li><b>骨組を作る</b> — 「ファイル」の「基本データ選択」で基本寸法から自動生成するか、「手書入力編集」で平面に描くか、「軸データ編集」で軸データファイルを読みます。骨組ができると節点に「X00Y00Z00」の形の名前が付き、画面に軸測投影で描かれます。</li>
<li><b>支点を指定する</b> — 「データ指定」の「拘束節点指定」を選び、支点にしたい節点を左ボタンでクリックします。赤い四角が支点です。もう一度クリックすると指定が外れます。節点検索ウィンドウで階の範囲（X00〜X03 など）を入れて「検」を押すと範囲内の節点だけが表示され、「選」で範囲内の全節点をまとめて支点にできます。</li>
<li><b>荷重節点を指定する</b> — 「荷重節点指定」で同じように荷重をかける節点をクリックします。赤い丸が荷重節点です。</li>
<li><b>節点データを入力する</b> — 「節点データ入力」で、印を付けた節点から支点表と荷重表が作られます（支点は X・Y・Z 固定、荷重は z 方向 -200）。支点と荷重が一つ以上あると解析の準備ができます。</li>
<li><b>部材データ</b> — 「部材データ」で部材の断面と材料を確かめ、変更します。</li>
<li><b>保存と解析</b> — 「ファイル保存」の「Velto入力データ」で解析入力を .bon ファイルに保存できます。「構造解析実施」で Veltosol を実行し、結果を表とグラフで表示します。</li>
</ol>

<h3>メニュー</h3>
<dl>
<dt>ファイル</dt>
<dd>基本データ選択 — 基本データから骨組を生成します。<br>
手書入力編集 — 平面図を手で描いて骨組を作ります。<br>
軸データ編集 — 軸データファイル（*.jik）を読み、編集します。<br>
ファイル保存 — 骨組入力データ（*.ydu）と Velto入力データ（*.bon）を保存します。<br>
構造解析実施 — 解析を実行します。結果の図には凡例（色と線の太さの意味、力の単位 kgf、変位の倍率）が付きます。変位の図は「変位1倍」「変位5倍」「変位10倍」のほか、最大の変位を模型の大きさの1/10に描く「変位自動」で見られます。模型が解析できる上限（節点・部材各3000、支点100 など）を超えると、模型を作ったときにそう知らせます。<br>
解析結果保存 — 最後の解析の結果を *.out ファイルに保存します。<br>
最後の解析結果 — 前回の解析結果を表示します。<br>
終了 — プログラムを終わります。</dd>
<dt>データ指定</dt>
<dd>拘束節点指定・荷重節点指定 — マウスで節点に印を付けます（右ボタンでは選べません）。<br>
節点データ入力 — 支点と荷重の値を入力します。<br>
部材データ — 部材の断面と材料を編集します。</dd>
<dt>表示</dt>
<dd>節点名称・部材番号・固定節点・荷重節点 — 図に文字を重ねて表示します。選ぶたびに表示と非表示が切り替わり、表示中はメニューにチェックが付きます。</dd>
<dt>ヘルプ</dt>
<dd>ヘルプ — この画面です。</dd>
</dl>

<h3>記号</h3>
<p>黒丸: 普通の節点　赤い四角: 支点　赤丸: 荷重節点　青丸: 節点検索で選ばれた節点</p>
<p>長さの単位は cm です。力は一貫した単位で入力してください。</p>
)");
}

THelpForm::THelpForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("ヘルプ"));
    resize(560, 520);
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setHtml(contents());
    layout->addWidget(browser_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

}  // namespace tarvik::app
