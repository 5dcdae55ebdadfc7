#include "ui/about_window.h"

#include "analysis/minimum.h"
#include "support/error_report.h"
#include "support/version.h"
#include "ui/attribution_text.h"

namespace zelvo {
namespace {

// One line per paragraph: a line break inside one would show as a blank
// between Japanese sentences.
constexpr const char* kAbout = R"(## このプログラムについて

スポーツくじ「mini toto」の予想と購入を手助けするプログラムです。各試合の予想をマルチに印で付けてシングルに展開し、本命数・人気数・勝敗数の削減条件と、投票率から求めた払戻推定金額でシングルを絞り込み、保証検索で口数を減らします。シングルはファイルへの保存、クリップボードへのコピー、マークシートへの印刷ができ、くじ結果が発表されたあとは当せんを照合できます。

開催情報・投票状況・くじ結果は公式サイトのページから取得します。このプログラムは公式サイトとは関係ありません。くじの購入はご自身の判断で行って下さい。

## 同梱のチーム名データ

チーム名の一覧（SysData フォルダの TeamName.dat、TeamName1.dat、J1J2.dat）は、次のデータをもとに作成しています。TeamName2.dat には他者のデータは含まれていません。

- **season_map.yaml**（J1・J2・J3 の年度ごとのクラブと略称）：mokekuma-git/JLeague_Matches-Bar_Graph <https://github.com/mokekuma-git/JLeague_Matches-Bar_Graph>、クリエイティブ・コモンズ 表示 4.0 国際ライセンス（CC BY 4.0）<https://creativecommons.org/licenses/by/4.0/>
- **team_ids.csv**（クラブの正式名称と略称）：k-addtimes/jleague_open_data <https://github.com/k-addtimes/jleague_open_data>、Copyright (c) 2025 柏よりみちAT、MIT ライセンス

元のデータから次の点を変更しています。

- 略称を公式サイトの投票状況・くじ結果のページの表記（英字の全角・半角を含む）にそろえました。
- 正式名称を開催情報のページの表記（空白を除く）で記載し、旧名称や登録名、J3 のセカンドチームの名称を加えました。
- J1J2.dat は年度とリーグごとに1行にまとめ、2026年と2027年には2026/27シーズンの一覧を入れています。

## 同梱の試合結果

試合結果からの確率（モデル）は、History フォルダの2015年から2024年の J1・J2・J3 全試合の結果をもとにしています。

- **試合結果**（docs/csv/ の年度・リーグごとの CSV ファイル、変更なし）：mokekuma-git/JLeague_Matches-Bar_Graph <https://github.com/mokekuma-git/JLeague_Matches-Bar_Graph>、クリエイティブ・コモンズ 表示 4.0 国際ライセンス（CC BY 4.0）<https://creativecommons.org/licenses/by/4.0/>

ライセンスの全文は「CC BY 4.0」と「MIT」のタブにあります。

## 使用しているライブラリ

- Qt 6（GNU LGPL v3）
- ICU（Unicode License）
- libcurl（curl License）
- NLopt（MIT License、L-BFGS の部分は GNU LGPL 2.1 以降）：モデルの推定
)";

constexpr const char* kSolverLibrary =
    "- COIN-OR CBC（Eclipse Public License 2.0）：最小口数の計算\n";

}  // namespace

std::string frmAbout::ProgramName() const { return kAppTitle; }

std::string frmAbout::VersionText() const { return "バージョン " + ProgramVersionText(); }

std::string frmAbout::Copyright() const { return CopyrightNotice(); }

std::string frmAbout::Description() const {
  std::string text = kAbout;
  if (MinimumSolverBuiltIn()) text += kSolverLibrary;
  return text;
}

std::vector<frmAbout::LicenceText> frmAbout::Licences() const {
  return {{"CC BY 4.0", kLicenceCcBy}, {"MIT", kLicenceMit}};
}

}  // namespace zelvo
