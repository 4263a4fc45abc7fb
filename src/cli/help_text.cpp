#include "cli/help_text.h"

#include <cstdlib>
#include <string_view>

namespace montrelle {

HelpLanguage HelpLanguageOfLocale() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) {
      return std::string_view(value).starts_with("ja") ? HelpLanguage::kJapanese
                                                       : HelpLanguage::kEnglish;
    }
  }
  return HelpLanguage::kEnglish;
}

std::string HelpText(HelpLanguage language) {
  if (language == HelpLanguage::kJapanese) {
    return "使い方: montrelle-make [オプション] [画像ファイル ...]\n"
           "        montrelle-make --batch DIR --out DIR [--lists-only] [オプション]\n"
           "画像の一覧から HTML ギャラリーを作成します。\n"
           "\n"
           "  -s, --settings FILE   設定ファイル。既定はプログラムのフォルダに書き込めるとき\n"
           "                        そこの Montrelle.ini、そうでなければ\n"
           "                        ~/.config/Montrelle/Montrelle.ini (無ければ既定の設定)。\n"
           "                        このファイルに書き込むことはありません\n"
           "  -l, --list FILE       先に読み込むリストファイル。画像ファイルはその後に\n"
           "                        追加されます\n"
           "  -o, --out DIR         出力フォルダ (--batch のときはマクロ処理の出力フォルダ)\n"
           "  -n, --name NAME       出力ファイル名\n"
           "  -t, --title TEXT      ページのタイトル\n"
           "      --layout frame|table|pulldown|responsive\n"
           "                        レイアウト (フレーム、テーブル、プルダウンメニュー、\n"
           "                        レスポンシブ: UTF-8 の HTML5、どの画面幅にも合う)\n"
           "      --keep-existing   既にある画像を更新しない (既定: 更新する)\n"
           "      --no-exif         画像を Exif の回転情報で正立させずに追加する\n"
           "      --keep-metadata   コピーするメイン画像に撮影情報 (位置情報など) を残す\n"
           "      --batch DIR       マクロ処理: DIR の直下の各フォルダについて\n"
           "                        ギャラリーを作成する\n"
           "      --lists-only      --batch と共に: リストファイルのみ作成する\n"
           "  -q, --quiet           進み具合と削除したファイルを表示しない\n"
           "  -h, --help            この説明を表示する\n"
           "      --version         バージョンを表示する\n"
           "  --                    これより後の引数はすべて画像ファイル (- で始まる名前も)\n"
           "\n"
           "終了コード: 0 終了しました、1 メッセージまたはエラーで中止、\n"
           "            2 コマンドラインの誤り、130 SIGINT または SIGTERM で中止しました\n";
  }
  return "Usage: montrelle-make [OPTION]... [IMAGE]...\n"
         "       montrelle-make --batch DIR --out OUTDIR [--lists-only] [OPTION]...\n"
         "Makes a static HTML gallery (Shift-JIS) from a list of pictures.\n"
         "\n"
         "  -s, --settings FILE   settings file to read (default: Montrelle.ini beside the\n"
         "                        program when that folder is writable, else\n"
         "                        ~/.config/Montrelle/Montrelle.ini; built-in defaults\n"
         "                        when it is missing). Never written.\n"
         "  -l, --list FILE       list file to load first (paths, comments, orientations);\n"
         "                        IMAGE arguments are appended after its entries\n"
         "  -o, --out DIR         output folder; with --batch the batch output folder\n"
         "  -n, --name NAME       entry page file name\n"
         "  -t, --title TEXT      page title\n"
         "      --layout frame|table|pulldown|responsive\n"
         "                        page layout (responsive: UTF-8 HTML5 pages that fit\n"
         "                        any screen, from a phone to a large monitor)\n"
         "      --keep-existing   answer No to the overwrite questions (default: Yes)\n"
         "      --no-exif         pictures enter the list unturned, whatever their Exif\n"
         "                        orientation (the setting exif=0)\n"
         "      --keep-metadata   copied main images keep their metadata (Exif with its\n"
         "                        location, XMP, comments) byte for byte (keepmeta=1);\n"
         "                        by default a copy keeps only its picture and colours\n"
         "      --batch DIR       the batch run over the folders directly under DIR\n"
         "      --lists-only      with --batch: write list files only\n"
         "  -q, --quiet           no progress display, no names of removed files\n"
         "  -h, --help            print this help and exit\n"
         "      --version         print the version and exit\n"
         "  --                    every later argument is an IMAGE (even -NAME)\n"
         "\n"
         "Exit status: 0 when the run ends with \"終了しました\" (finished), 1 when it\n"
         "stops with a message or an error, 2 for a usage error, 130 when SIGINT or\n"
         "SIGTERM stopped it (\"中止しました\") between pictures.\n";
}

}  // namespace montrelle
