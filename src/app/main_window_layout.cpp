// The main window's controls at their design places, with captions, hints, tab
// order and design names.
#include <QRegularExpressionValidator>
#include <algorithm>

#include "app/control_factory.h"
#include "app/main_window.h"

namespace montrelle {

namespace {

constexpr int kClientWidth = 615;
constexpr int kClientHeight = 700;
constexpr int kStatusHeight = 19;

QGroupBox* AddGroup(QWidget* parent, const char* name, const QRect& place, const char* caption) {
  return AddControl<QGroupBox>(parent, name, place, QString::fromUtf8(caption));
}

QPushButton* AddButton(QWidget* parent, const char* name, const QRect& place, const char* caption,
                       const char* hint = nullptr) {
  auto* button = AddControl<QPushButton>(parent, name, place, QString::fromUtf8(caption));
  if (hint) button->setToolTip(QString::fromUtf8(hint));
  return button;
}

QCheckBox* AddCheckBox(QWidget* parent, const char* name, const QRect& place,
                       const char* caption = "") {
  return AddControl<QCheckBox>(parent, name, place, QString::fromUtf8(caption));
}

template <class Edit = QLineEdit>
Edit* AddEdit(QWidget* parent, const char* name, const QRect& place, const char* text = "") {
  return AddControl<Edit>(parent, name, place, QString::fromUtf8(text));
}

ColorPanel* AddColorPanel(QWidget* parent, const char* name, const QRect& place) {
  auto* panel = AddControl<ColorPanel>(parent, name, place);
  panel->setToolTip(QStringLiteral("変更するときはクリックして下さい"));
  return panel;
}

// At least `width` wide, and wide enough to show `widest` whole in the window's font.
QLabel* AddStatusPanel(QStatusBar* bar, const char* name, int width, const char* widest) {
  auto* panel = AddControl<QLabel>(bar, name, {});
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  const int text_width = panel->fontMetrics().horizontalAdvance(QString::fromUtf8(widest));
  panel->setFixedWidth(std::max(width, text_width + 2 * panel->frameWidth() + 4));
  bar->addWidget(panel);
  return panel;
}

}  // namespace

void TfrmMTmain::BuildLayout() {
  setObjectName(QStringLiteral("frmMTmain"));
  setWindowTitle(QStringLiteral("Montrelle"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(WindowFont());
  setFixedSize(kClientWidth, kClientHeight);

  AddLabel(this, "Label1", 261, 8, "画像ファイルリスト");
  StG_list = AddControl<ListGrid>(this, "StG_list", {8, 28, 598, 193});

  auto* Panel1 = AddControl<QWidget>(this, "Panel1", {4, 228, 601, 21});
  AddLabel(Panel1, "Label4", 4, 4, "ファイルパス：");
  edt_f_path = AddEdit(Panel1, "edt_f_path", {76, 0, 521, 20});

  Button7 = AddButton(this, "Button7", {7, 260, 55, 23}, "上へ(&U)",
                      "選択された画像ファイルを上方へ移動します");
  Button8 = AddButton(this, "Button8", {69, 260, 55, 23}, "下へ(&D)",
                      "選択された画像ファイルを下方へ移動します");
  save_list = AddButton(this, "save_list", {148, 260, 100, 23}, "リストの保存(&S)",
                        "画像ファイルリストを保存します");
  Button4 = AddButton(this, "Button4", {254, 260, 100, 23}, "リストの読込(&R)",
                      "画像ファイルリストを読み込みます");
  Button6 = AddButton(this, "Button6", {360, 260, 55, 23}, "削除(&C)",
                      "選択された画像ファイルをリストから削除します");
  Button5 = AddButton(this, "Button5", {420, 260, 60, 23}, "全削除(&A)",
                      "画像ファイルリストを全て削除します");
  CB_preview = AddCheckBox(this, "CB_preview", {496, 264, 105, 17}, "画像プレビュー");
  CB_preview->setChecked(true);

  auto* GroupBox1 = AddGroup(this, "GroupBox1", {5, 296, 605, 291}, "動作設定");
  auto* GroupBox2 = AddGroup(GroupBox1, "GroupBox2", {8, 16, 589, 201}, "HTMLソースファイル作成時");

  auto* GB_type = AddGroup(GroupBox2, "GB_type", {8, 16, 209, 49}, "出力形式の選択");
  AddLabel(GB_type, "Label12", 12, 21, "出力形式：")->setToolTip("出力形式を選択して下さい");
  // 16 pixels wider than designed: with this face "プルダウンメニュー" would lose its
  // last character behind the arrow.
  CmB_type = AddControl<QComboBox>(GB_type, "CmB_type", {72, 17, 125, 20});
  CmB_type->addItems({"フレーム", "テーブル", "プルダウンメニュー", "レスポンシブ"});
  CmB_type->setToolTip(QStringLiteral("出力形式を選択して下さい"));

  GB_frame = AddGroup(GroupBox2, "GB_frame", {223, 16, 358, 49}, "フレームの設定");
  AddLabel(GB_frame, "Label3", 28, 22, "メイン画像の幅：");
  edt_mi_w = AddEdit(GB_frame, "edt_mi_w", {118, 18, 29, 20}, "550");
  AddLabel(GB_frame, "Label10", 196, 22, "一列の画像の数：");
  edt_f_n = AddEdit(GB_frame, "edt_f_n", {290, 18, 29, 20}, "6");

  GB_table = AddGroup(GroupBox2, "GB_table", {223, 16, 358, 49}, "テーブルの設定");
  GB_table->hide();
  AddLabel(GB_table, "Label5", 16, 22, "メイン画像の幅：");
  edt_tmi_w = AddEdit(GB_table, "edt_tmi_w", {102, 18, 29, 20}, "550");
  AddLabel(GB_table, "Label6", 156, 22, "列数：");
  edt_tc_n = AddEdit(GB_table, "edt_tc_n", {190, 18, 29, 20}, "6");
  AddLabel(GB_table, "Label7", 244, 22, "境界線の幅：");
  edt_b_w = AddEdit(GB_table, "edt_b_w", {314, 18, 29, 20}, "2");

  GB_pulldown = AddGroup(GroupBox2, "GB_pulldown", {223, 16, 358, 49}, "プルダウンメニューの設定");
  GB_pulldown->hide();
  AddLabel(GB_pulldown, "Label13", 16, 22, "メイン画像の幅：");
  edt_pd_iw = AddEdit(GB_pulldown, "edt_pd_iw", {102, 18, 29, 20}, "400");
  CB_pw_use_com = AddCheckBox(GB_pulldown, "CB_pw_use_com", {148, 20, 205, 17},
                              "コメントをプルダウンメニューに使用");

  GB_responsive = AddGroup(GroupBox2, "GB_responsive", {223, 16, 358, 49}, "レスポンシブの設定");
  GB_responsive->hide();
  AddLabel(GB_responsive, "Label16", 16, 22, "メイン画像の幅：");
  // Wide enough for the four digits of its default.
  edt_rs_w = AddEdit(GB_responsive, "edt_rs_w", {102, 18, 37, 20}, "1600");

  auto* GroupBox4 = AddGroup(GroupBox2, "GroupBox4", {8, 68, 249, 125}, "画像ファイル関係の設定");
  auto* GB_small = AddGroup(GroupBox4, "GB_small", {13, 20, 222, 37}, "");
  Label2 = AddLabel(GB_small, "Label2", 48, 16, "縮小画像の幅：");
  edt_lf_w = AddEdit(GB_small, "edt_lf_w", {136, 12, 29, 20}, "80");
  // Created after GB_small so that it lies on the group's top edge as its caption.
  CB_f_show = AddCheckBox(GroupBox4, "CB_f_show", {12, 14, 125, 19}, "縮小画像を作成する");
  CB_f_show->setAutoFillBackground(true);
  CB_Jpeg_convert = AddCheckBox(GroupBox4, "CB_Jpeg_convert", {12, 60, 17, 17});
  lbl_Jpeg_convert =
      AddLabel<ClickableLabel>(GroupBox4, "lbl_Jpeg_convert", 28, 62, "Bitmap画像をJpegに変換する");
  CB_make_mi = AddCheckBox(GroupBox4, "CB_make_mi", {12, 80, 149, 17}, "メインの画像をコピーする");
  CB_ch_main = AddCheckBox(GroupBox4, "CB_ch_main", {24, 100, 17, 17});
  CB_ch_main->setEnabled(false);
  lbl_ch_main1 =
      AddLabel<ClickableLabel>(GroupBox4, "lbl_ch_main1", 40, 102, "メイン画像を指定した幅");
  lbl_ch_main1->setEnabled(false);
  lbl_ch_main2 = AddLabel<ClickableLabel>(GroupBox4, "lbl_ch_main2", 160, 102, "で作成し直す");
  lbl_ch_main2->setEnabled(false);

  auto* GroupBox5 = AddGroup(GroupBox2, "GroupBox5", {264, 68, 317, 93}, "配色の設定");
  lbl_bg_color = AddLabel(GroupBox5, "lbl_bg_color", 8, 20, "背景：");
  pnl_bg_color = AddColorPanel(GroupBox5, "pnl_bg_color", {48, 16, 35, 21});
  AddLabel(GroupBox5, "Label14", 92, 20, "未リンク：");
  pnl_link_color = AddColorPanel(GroupBox5, "pnl_link_color", {144, 16, 35, 21});
  AddLabel(GroupBox5, "Label15", 188, 20, "リンク済み：");
  pnl_vlink_color = AddColorPanel(GroupBox5, "pnl_vlink_color", {252, 16, 35, 21});
  CB_show_bg_image =
      AddCheckBox(GroupBox5, "CB_show_bg_image", {8, 44, 129, 17}, "背景画像を表示する");
  edt_bg_image = AddEdit<DoubleClickEdit>(GroupBox5, "edt_bg_image", {8, 64, 245, 20});
  btn_bg_image = AddButton(GroupBox5, "btn_bg_image", {254, 64, 55, 20}, "参照(&I)");
  pnl_bg_color->setColor(0xFFFFFF);     // white
  pnl_link_color->setColor(0xFFFF00);   // aqua
  pnl_vlink_color->setColor(0xFF0000);  // blue

  CB_fn = AddCheckBox(GroupBox2, "CB_fn", {268, 172, 137, 17}, "ファイル名を出力する");

  auto* GroupBox3 = AddGroup(GroupBox1, "GroupBox3", {8, 224, 258, 59}, "その他の設定");
  CB_ask = AddCheckBox(GroupBox3, "CB_ask", {8, 16, 237, 17},
                       "リスト削除時に確認メッセージを表示しない");
  CB_keepmeta = AddCheckBox(GroupBox3, "CB_keepmeta", {8, 34, 245, 17},
                            "撮影情報（位置情報など）を公開画像に残す");
  CB_QRV = AddCheckBox(GroupBox3, "CB_QRV", {252, 16, 137, 17}, "QRV用リストを出力する");
  CB_QRV->hide();
  // Beside the other settings: it decides how a picture enters the list, not how
  // the pages are made.
  CB_exif = AddCheckBox(GroupBox1, "CB_exif", {268, 240, 153, 17}, "Exifの回転情報を使う");
  CB_exif->setChecked(true);
  Button10 = AddButton(GroupBox1, "Button10", {428, 236, 163, 25}, "設定を全て初期化する(&I)",
                       "インストール時の設定を復元します");

  AddLabel(this, "Label11", 12, 598, "出力フォルダ：");
  edt_out_path = AddEdit<DoubleClickEdit>(this, "edt_out_path", {88, 594, 467, 20});
  Button1 = AddButton(this, "Button1", {555, 594, 55, 20}, "参照(&F)");
  AddLabel(this, "Label8", 12, 626, "出力ファイル：");
  edt_out = AddEdit(this, "edt_out", {88, 622, 273, 20}, "index.html");
  AddLabel(this, "Label9", 432, 626, "タイトル：");
  edt_title = AddEdit(this, "edt_title", {485, 622, 125, 20});
  btn_macro = AddButton(this, "btn_macro", {8, 650, 97, 23}, "マクロ処理(&B)",
                        "複数フォルダの画像を検索し、HTMLファイルを一括生成します");
  btn_start = AddButton(this, "btn_start", {440, 650, 75, 23}, "作成(&M)");
  // In place of the make button while a run works.
  btn_stop = AddButton(this, "btn_stop", {440, 650, 75, 23}, "中止(&S)");
  btn_stop->hide();
  btn_close = AddButton(this, "btn_close", {528, 650, 75, 23}, "閉じる(&C)");

  StB_main = AddControl<QStatusBar>(
      this, "StB_main", {0, kClientHeight - kStatusHeight, kClientWidth, kStatusHeight});
  StB_main->setSizeGripEnabled(false);
  phase_panel_ = AddStatusPanel(StB_main, "StB_main_phase", 120, "HTMLファイル作成");
  progress_panel_ = AddStatusPanel(StB_main, "StB_main_progress", 50, "99999/99999");
  // The whole run, beside the step's panels; shown only while a run is counted.
  run_bar_ = AddControl<QProgressBar>(StB_main, "StB_main_run", {});
  run_bar_->setRange(0, 1000);
  StB_main->addWidget(run_bar_, 1);
  run_bar_->hide();

  // Digits only: a letter typed into a number would stop the next make run.
  auto* digits =
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
  for (QLineEdit* edit : {edt_mi_w, edt_f_n, edt_tmi_w, edt_tc_n, edt_b_w, edt_pd_iw, edt_lf_w}) {
    edit->setValidator(digits);
  }

  // Edits take no drops, so files dropped anywhere on the window reach the list.
  for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->setAcceptDrops(false);
  setAcceptDrops(true);

  SetTabChain({StG_list,     edt_out_path, edt_out,          edt_title,     btn_start,
               btn_close,    Button7,      Button8,          save_list,     Button4,
               Button6,      Button5,      btn_macro,        Button1,       edt_f_path,
               CB_preview,   CmB_type,     edt_mi_w,         edt_f_n,       edt_tmi_w,
               edt_tc_n,     edt_b_w,      edt_pd_iw,        CB_pw_use_com, edt_rs_w,
               edt_lf_w,     CB_f_show,    CB_make_mi,       CB_ch_main,    CB_Jpeg_convert,
               edt_bg_image, btn_bg_image, CB_show_bg_image, CB_fn,         CB_ask,
               CB_keepmeta,  CB_QRV,       CB_exif,          Button10});
}

}  // namespace montrelle
