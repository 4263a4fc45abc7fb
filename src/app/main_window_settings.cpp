// The controls as live settings: read all at once for a consumer, or set all at
// once from a value (check boxes run their rules as they change); the settings
// file behind them, read at creation, written at close, reset on request.
#include "app/main_window.h"
#include "app/preview_window.h"
#include "platform/app_error.h"
#include "settings/apply_options.h"
#include "settings/settings_file.h"

namespace montrelle {

namespace {

std::string TextOf(const QLineEdit* edit) {
  return edit->text().toStdString();
}

void SetText(QLineEdit* edit, const std::string& text) {
  edit->setText(QString::fromStdString(text));
}

}  // namespace

LiveSettings TfrmMTmain::ReadLiveSettings() const {
  LiveSettings live;
  live.layout = LayoutAt(CmB_type->currentIndex());
  live.frame_width = TextOf(edt_mi_w);
  live.frame_count = TextOf(edt_f_n);
  live.table_width = TextOf(edt_tmi_w);
  live.table_count = TextOf(edt_tc_n);
  live.table_bwidth = TextOf(edt_b_w);
  live.pulldown_width = TextOf(edt_pd_iw);
  live.responsive_width = TextOf(edt_rs_w);
  live.small_width = TextOf(edt_lf_w);
  live.bg_color = pnl_bg_color->color();
  live.link_color = pnl_link_color->color();
  live.vlink_color = pnl_vlink_color->color();
  live.bg_image = TextOf(edt_bg_image);
  live.fnoutput = CB_fn->isChecked();
  live.simake = CB_f_show->isChecked();
  live.micopy = CB_make_mi->isChecked();
  live.mimake = CB_ch_main->isChecked();
  live.bgishow = CB_show_bg_image->isChecked();
  live.jpegconvert = CB_Jpeg_convert->isChecked();
  live.qrvlist = CB_QRV->isChecked();
  live.comment_out = preview_->show_comment_box()->isChecked();
  live.comment_out_pd = CB_pw_use_com->isChecked();
  live.dontask = CB_ask->isChecked();
  live.preview = CB_preview->isChecked();
  live.exif = CB_exif->isChecked();
  live.keepmeta = CB_keepmeta->isChecked();
  live.out_path = TextOf(edt_out_path);
  live.out_name = TextOf(edt_out);
  live.title = TextOf(edt_title);
  return live;
}

void TfrmMTmain::ShowLiveSettings(const LiveSettings& live) {
  // Selecting the layout entry from the program runs no rule.
  CmB_type->setCurrentIndex(LayoutIndex(live.layout));
  SetText(edt_mi_w, live.frame_width);
  SetText(edt_f_n, live.frame_count);
  SetText(edt_tmi_w, live.table_width);
  SetText(edt_tc_n, live.table_count);
  SetText(edt_b_w, live.table_bwidth);
  SetText(edt_pd_iw, live.pulldown_width);
  SetText(edt_rs_w, live.responsive_width);
  SetText(edt_lf_w, live.small_width);
  pnl_bg_color->setColor(live.bg_color);
  pnl_link_color->setColor(live.link_color);
  pnl_vlink_color->setColor(live.vlink_color);
  CB_fn->setChecked(live.fnoutput);
  CB_f_show->setChecked(live.simake);
  CB_make_mi->setChecked(live.micopy);
  CB_ch_main->setChecked(live.mimake);
  CB_preview->setChecked(live.preview);
  preview_->show_comment_box()->setChecked(live.comment_out);
  CB_pw_use_com->setChecked(live.comment_out_pd);
  SetText(edt_bg_image, live.bg_image);
  CB_show_bg_image->setChecked(live.bgishow);
  CB_ask->setChecked(live.dontask);
  CB_Jpeg_convert->setChecked(live.jpegconvert);
  CB_QRV->setChecked(live.qrvlist);
  CB_exif->setChecked(live.exif);
  CB_keepmeta->setChecked(live.keepmeta);
  SetText(edt_out_path, live.out_path);
  SetText(edt_out, live.out_name);
  SetText(edt_title, live.title);
}

void TfrmMTmain::ApplySettings(const TMT_Options& options) {
  LiveSettings live = ReadLiveSettings();
  try {
    ApplyOptions(options, live);
  } catch (const AppError&) {
    // A bad colour: the controls show what was applied before it, then the error.
    ShowLiveSettings(live);
    throw;
  }
  ShowLiveSettings(live);
  LayoutRule();
  CB_show_bg_imageClick();
}

bool TfrmMTmain::FormCloseQuery() {
  // A make run in progress still works on this window's list and controls.
  if (run_in_progress_) return false;
  if (!MayDropList()) return false;
  WriteSettingsFile(files_.settings_path, kWriteLive, ReadLiveSettings());
  return true;
}

void TfrmMTmain::Button10Click() {
  if (!ui_.ConfirmYesNo("全ての設定を初期化します。よろしいですか？")) return;
  if (!MayDropList()) return;
  WriteSettingsFile(files_.settings_path, kWriteDefaults);
  FormCreate();
  FormShow();
}

}  // namespace montrelle
