// The rules that tie the main window's controls to each other, the pickers, and the
// wiring of every control to its handler.
#include "app/main_window.h"
#include "app/preview_window.h"
#include "platform/file_system.h"

namespace montrelle {

void TfrmMTmain::WireEvents() {
  On(CmB_type, &QComboBox::activated, &TfrmMTmain::CmB_typeClick);
  On(CB_make_mi, &QCheckBox::toggled, &TfrmMTmain::CB_make_miClick);
  On(lbl_ch_main1, &ClickableLabel::clicked, &TfrmMTmain::lbl_ch_main1Click);
  On(lbl_ch_main2, &ClickableLabel::clicked, &TfrmMTmain::lbl_ch_main1Click);
  On(lbl_Jpeg_convert, &ClickableLabel::clicked, &TfrmMTmain::lbl_Jpeg_convertClick);
  On(CB_fn, &QCheckBox::toggled, &TfrmMTmain::CB_fnClick);
  On(CB_pw_use_com, &QCheckBox::toggled, &TfrmMTmain::CB_pw_use_comClick);
  On(CB_show_bg_image, &QCheckBox::toggled, &TfrmMTmain::CB_show_bg_imageClick);
  On(CB_preview, &QCheckBox::toggled, &TfrmMTmain::CB_previewClick);
  On(pnl_bg_color, &ColorPanel::clicked, &TfrmMTmain::pnl_bg_colorClick);
  On(pnl_link_color, &ColorPanel::clicked, &TfrmMTmain::pnl_link_colorClick);
  On(pnl_vlink_color, &ColorPanel::clicked, &TfrmMTmain::pnl_vlink_colorClick);
  On(btn_bg_image, &QPushButton::clicked, &TfrmMTmain::btn_bg_imageClick);
  On(edt_bg_image, &DoubleClickEdit::doubleClicked, &TfrmMTmain::btn_bg_imageClick);
  On(edt_out_path, &DoubleClickEdit::doubleClicked, &TfrmMTmain::edt_out_pathDblClick);
  On(Button1, &QPushButton::clicked, &TfrmMTmain::edt_out_pathDblClick);
  On(Button5, &QPushButton::clicked, &TfrmMTmain::Button5Click);
  On(Button6, &QPushButton::clicked, &TfrmMTmain::Button6Click);
  On(Button7, &QPushButton::clicked, &TfrmMTmain::Button7Click);
  On(Button8, &QPushButton::clicked, &TfrmMTmain::Button8Click);
  On(save_list, &QPushButton::clicked, &TfrmMTmain::save_listClick);
  On(Button4, &QPushButton::clicked, &TfrmMTmain::Button4Click);
  On(Button10, &QPushButton::clicked, &TfrmMTmain::Button10Click);
  On(btn_macro, &QPushButton::clicked, &TfrmMTmain::btn_macroClick);
  On(btn_start, &QPushButton::clicked, &TfrmMTmain::btn_startClick);
  On(btn_stop, &QPushButton::clicked, &TfrmMTmain::btn_stopClick);
  On(btn_close, &QPushButton::clicked, &TfrmMTmain::btn_closeClick);
  connect(StG_list, &ListGrid::shownTextEdited, this,
          [this](int row, int column, const QString& text) {
            Guarded([&] { list_.SetShownText(row, column, text.toStdString()); });
          });
}

void TfrmMTmain::CmB_typeClick() {
  LayoutRule();
}

void TfrmMTmain::LayoutRule() {
  const std::optional<OutputLayout> layout = LayoutAt(CmB_type->currentIndex());
  if (!layout) return;
  GB_frame->setVisible(layout == OutputLayout::kFrame);
  GB_table->setVisible(layout == OutputLayout::kTable);
  GB_pulldown->setVisible(layout == OutputLayout::kPulldown);
  GB_responsive->setVisible(layout == OutputLayout::kResponsive);
  // A pull-down page has no reduced images and no comment lines; the responsive
  // grid always has reduced images, so only their width is left to choose.
  const bool reduced_images = layout != OutputLayout::kPulldown;
  CB_f_show->setEnabled(reduced_images && layout != OutputLayout::kResponsive);
  Label2->setEnabled(reduced_images);
  edt_lf_w->setEnabled(reduced_images);
  preview_->show_comment_box()->setVisible(reduced_images);
  // The responsive layout makes its main images at its own widths whatever is ticked.
  CB_make_mi->setEnabled(layout != OutputLayout::kResponsive);
  CB_make_miClick();
}

void TfrmMTmain::CB_make_miClick() {
  const bool copies = CB_make_mi->isChecked() && CB_make_mi->isEnabledTo(this);
  CB_ch_main->setEnabled(copies);
  lbl_ch_main1->setEnabled(copies);
  lbl_ch_main2->setEnabled(copies);
}

void TfrmMTmain::lbl_ch_main1Click() {
  CB_ch_main->toggle();
}

void TfrmMTmain::lbl_Jpeg_convertClick() {
  CB_Jpeg_convert->toggle();
}

// File names and comments are never both the pull-down entries.
void TfrmMTmain::CB_fnClick() {
  if (CB_fn->isChecked()) CB_pw_use_com->setChecked(false);
}

void TfrmMTmain::CB_pw_use_comClick() {
  if (CB_pw_use_com->isChecked()) CB_fn->setChecked(false);
}

// A page with a background picture has no background colour to choose.
void TfrmMTmain::CB_show_bg_imageClick() {
  const bool picture = CB_show_bg_image->isChecked();
  edt_bg_image->setEnabled(picture);
  btn_bg_image->setEnabled(picture);
  lbl_bg_color->setEnabled(!picture);
  pnl_bg_color->setEnabled(!picture);
}

void TfrmMTmain::CB_previewClick() {
  preview_->setVisible(CB_preview->isChecked());
}

void TfrmMTmain::pnl_bg_colorClick() {
  ChooseColor(pnl_bg_color);
}

void TfrmMTmain::pnl_link_colorClick() {
  ChooseColor(pnl_link_color);
}

void TfrmMTmain::pnl_vlink_colorClick() {
  ChooseColor(pnl_vlink_color);
}

void TfrmMTmain::ChooseColor(ColorPanel* panel) {
  if (auto chosen = dialogs_.ChooseColor(this, panel->color())) panel->setColor(*chosen);
}

void TfrmMTmain::btn_bg_imageClick() {
  const std::string current = edt_bg_image->text().toStdString();
  if (auto chosen = dialogs_.ChoosePicture(this, FileExists(current) ? current : std::string())) {
    edt_bg_image->setText(QString::fromStdString(*chosen));
  }
}

void TfrmMTmain::edt_out_pathDblClick() {
  if (auto chosen = dialogs_.ChooseFolder(this, "出力先を指定してください")) {
    edt_out_path->setText(QString::fromStdString(*chosen));
  }
}

}  // namespace montrelle
