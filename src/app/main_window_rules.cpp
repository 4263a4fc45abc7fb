// The rules that tie the main window's controls to each other, the pickers, and the
// wiring of every control to its handler.
#include "app/main_window.h"
#include "imaging/preview_window.h"
#include "platform/file_system.h"

namespace montrelle {

void TfrmKXmain::WireEvents() {
  On(CmB_type, &QComboBox::activated, &TfrmKXmain::CmB_typeClick);
  On(CB_make_mi, &QCheckBox::toggled, &TfrmKXmain::CB_make_miClick);
  On(lbl_ch_main1, &ClickableLabel::clicked, &TfrmKXmain::lbl_ch_main1Click);
  On(lbl_ch_main2, &ClickableLabel::clicked, &TfrmKXmain::lbl_ch_main1Click);
  On(lbl_Jpeg_convert, &ClickableLabel::clicked, &TfrmKXmain::lbl_Jpeg_convertClick);
  On(CB_fn, &QCheckBox::toggled, &TfrmKXmain::CB_fnClick);
  On(CB_pw_use_com, &QCheckBox::toggled, &TfrmKXmain::CB_pw_use_comClick);
  On(CB_show_bg_image, &QCheckBox::toggled, &TfrmKXmain::CB_show_bg_imageClick);
  On(CB_preview, &QCheckBox::toggled, &TfrmKXmain::CB_previewClick);
  On(pnl_bg_color, &ColorPanel::clicked, &TfrmKXmain::pnl_bg_colorClick);
  On(pnl_link_color, &ColorPanel::clicked, &TfrmKXmain::pnl_link_colorClick);
  On(pnl_vlink_color, &ColorPanel::clicked, &TfrmKXmain::pnl_vlink_colorClick);
  On(btn_bg_image, &QPushButton::clicked, &TfrmKXmain::btn_bg_imageClick);
  On(edt_bg_image, &DoubleClickEdit::doubleClicked, &TfrmKXmain::btn_bg_imageClick);
  On(edt_out_path, &DoubleClickEdit::doubleClicked, &TfrmKXmain::edt_out_pathDblClick);
  On(Button1, &QPushButton::clicked, &TfrmKXmain::edt_out_pathDblClick);
  On(Button5, &QPushButton::clicked, &TfrmKXmain::Button5Click);
  On(Button6, &QPushButton::clicked, &TfrmKXmain::Button6Click);
  On(Button7, &QPushButton::clicked, &TfrmKXmain::Button7Click);
  On(Button8, &QPushButton::clicked, &TfrmKXmain::Button8Click);
  On(save_list, &QPushButton::clicked, &TfrmKXmain::save_listClick);
  On(Button4, &QPushButton::clicked, &TfrmKXmain::Button4Click);
  On(Button10, &QPushButton::clicked, &TfrmKXmain::Button10Click);
  On(btn_macro, &QPushButton::clicked, &TfrmKXmain::btn_macroClick);
  On(btn_start, &QPushButton::clicked, &TfrmKXmain::btn_startClick);
  On(btn_close, &QPushButton::clicked, &TfrmKXmain::btn_closeClick);
  connect(StG_list, &ListGrid::shownTextEdited, this,
          [this](int row, int column, const QString& text) {
            Guarded([&] { list_.SetShownText(row, column, text.toStdString()); });
          });
}

void TfrmKXmain::CmB_typeClick() {
  LayoutRule();
}

void TfrmKXmain::LayoutRule() {
  const int entry = CmB_type->currentIndex();
  if (entry < 0 || entry > 2) return;
  const auto layout = static_cast<OutputLayout>(entry);
  GB_frame->setVisible(layout == OutputLayout::kFrame);
  GB_table->setVisible(layout == OutputLayout::kTable);
  GB_pulldown->setVisible(layout == OutputLayout::kPulldown);
  // A pull-down page has no reduced images and no comment lines.
  const bool reduced_images = layout != OutputLayout::kPulldown;
  for (QWidget* control : std::initializer_list<QWidget*>{CB_f_show, Label2, edt_lf_w}) {
    control->setEnabled(reduced_images);
  }
  preview_->show_comment_box()->setVisible(reduced_images);
}

void TfrmKXmain::CB_make_miClick() {
  const bool copies = CB_make_mi->isChecked();
  CB_ch_main->setEnabled(copies);
  lbl_ch_main1->setEnabled(copies);
  lbl_ch_main2->setEnabled(copies);
}

void TfrmKXmain::lbl_ch_main1Click() {
  CB_ch_main->toggle();
}

void TfrmKXmain::lbl_Jpeg_convertClick() {
  CB_Jpeg_convert->toggle();
}

// File names and comments are never both the pull-down entries.
void TfrmKXmain::CB_fnClick() {
  if (CB_fn->isChecked()) CB_pw_use_com->setChecked(false);
}

void TfrmKXmain::CB_pw_use_comClick() {
  if (CB_pw_use_com->isChecked()) CB_fn->setChecked(false);
}

// A page with a background picture has no background colour to choose.
void TfrmKXmain::CB_show_bg_imageClick() {
  const bool picture = CB_show_bg_image->isChecked();
  edt_bg_image->setEnabled(picture);
  btn_bg_image->setEnabled(picture);
  lbl_bg_color->setEnabled(!picture);
  pnl_bg_color->setEnabled(!picture);
}

void TfrmKXmain::CB_previewClick() {
  preview_->setVisible(CB_preview->isChecked());
}

void TfrmKXmain::pnl_bg_colorClick() {
  ChooseColor(pnl_bg_color);
}

void TfrmKXmain::pnl_link_colorClick() {
  ChooseColor(pnl_link_color);
}

void TfrmKXmain::pnl_vlink_colorClick() {
  ChooseColor(pnl_vlink_color);
}

void TfrmKXmain::ChooseColor(ColorPanel* panel) {
  if (auto chosen = dialogs_.ChooseColor(this, panel->color())) panel->setColor(*chosen);
}

void TfrmKXmain::btn_bg_imageClick() {
  const std::string current = edt_bg_image->text().toStdString();
  if (auto chosen = dialogs_.ChoosePicture(this, FileExists(current) ? current : std::string())) {
    edt_bg_image->setText(QString::fromStdString(*chosen));
  }
}

void TfrmKXmain::edt_out_pathDblClick() {
  if (auto chosen = dialogs_.ChooseFolder(this, "出力先を指定してください")) {
    edt_out_path->setText(QString::fromStdString(*chosen));
  }
}

}  // namespace montrelle
