// The main window: the image list grid and its buttons, every gallery setting, and
// the make, batch and close buttons.
//
// The controls are the live settings: ReadLiveSettings() takes them at the moment
// a consumer runs, ShowLiveSettings() puts a value into them. A check box's rule
// runs whenever its ticked state changes, by the user or by the program; the
// layout rule runs only when the user picks a layout. Every handler runs through
// the error guard; questions go through UiServices, pickers and the error box
// through DialogServices.
//
// The grid's selection names the entry the preview window shows and edits; the
// batch window's run fills this window's list and output fields folder by folder.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/clickable_widgets.h"
#include "app/dialog_services.h"
#include "app/list_grid.h"
#include "app/preview_window.h"
#include "batch/run_batch.h"
#include "gallery/batch_state.h"
#include "imagelist/image_list.h"
#include "platform/program_files.h"
#include "platform/ui_services.h"
#include "settings/settings_record.h"

namespace montrelle {

class TfrmMTMacro;

// The preview works on the entry the grid's selection names; the batch run fills
// the list and the output fields and hides and shows the batch window.
class TfrmMTmain : public QWidget, public PreviewTarget, private BatchWindows {
  Q_OBJECT
 public:
  // Builds the window and runs FormCreate.
  TfrmMTmain(UiServices& ui, DialogServices& dialogs, ProgramFiles files);

  // The preview and batch windows, created after this one; the rules reach into
  // them from now on.
  void AttachWindows(TfrmMTimg& preview, TfrmMTMacro& macro);

  // Creation: empty list, batch mode off (an open batch window is closed), grid set
  // up, layout entry 0, settings loaded. A loading failure shows the error box and
  // creation goes on.
  void FormCreate();
  // Puts the loaded settings into the controls, then the preview and comment rules.
  void FormShow();

  LiveSettings ReadLiveSettings() const;

  const ImageFileList& image_list() const { return list_; }
  bool macro_mode() const { return batch_.macro_mode; }
  QLabel* status_panel(int index) const { return index == 0 ? phase_panel_ : progress_panel_; }
  // The progress bar of the whole run, shown while a run is counted.
  void ShowRunProgress(const RunProgress& progress);
  QWidget* control_for(FocusTarget target) const {
    return target == FocusTarget::kOutName ? edt_out : edt_out_path;
  }

  // The handlers, named after their controls.
  void CmB_typeClick();
  void CB_make_miClick();
  void lbl_ch_main1Click();
  void lbl_Jpeg_convertClick();
  void CB_fnClick();
  void CB_pw_use_comClick();
  void CB_show_bg_imageClick();
  void CB_previewClick();
  void pnl_bg_colorClick();
  void pnl_link_colorClick();
  void pnl_vlink_colorClick();
  void btn_bg_imageClick();
  void edt_out_pathDblClick();
  void Button5Click();
  void Button6Click();
  void Button7Click();
  void Button8Click();
  void Button10Click();
  void btn_macroClick();
  void btn_closeClick();
  void btn_startClick();
  // Asks the run in progress to stop, as the Esc key does.
  void btn_stopClick();
  void MacroWindowClosed();
  // Shows the entry at the top of the grid selection in the path field and the
  // preview window; nothing when the selection names no entry.
  void StG_listClick() override;
  void save_listClick();
  void Button4Click();
  // The batch window's run button: the batch over the list and the output fields.
  void MacroRunRequested(const BatchRequest& request);

  ImageFileList& EditedList() override { return list_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildLayout();
  void WireEvents();
  void Guarded(const std::function<void()>& handler);
  // Connects `signal` of `sender` to `handler`, through the error guard.
  template <class Sender, class Signal>
  void On(Sender* sender, Signal signal, void (TfrmMTmain::*handler)());

  void ShowLiveSettings(const LiveSettings& live);
  void ApplySettings(const TMT_Options& options);
  void LayoutRule();
  void ChooseColor(ColorPanel* panel);
  void AddDroppedFiles(const QList<QUrl>& urls);
  // Shows the list in the grid and the selected entry in the preview.
  void ShowList();
  // The entry at the top of the grid selection when the selection is valid
  // (IsValidSelection), otherwise 0.
  int SelectedEntry() const;
  // The list save: true when the file was written. In batch mode the list goes
  // under the name set for it, without a word, unless `ask_name`.
  bool SaveList(bool ask_name = false);
  // Whether the list may be dropped: outside batch mode, a list with entries changed
  // since it was last saved or loaded is offered for saving first. False when the
  // user keeps it (キャンセル, or a save that did not take place).
  bool MayDropList();
  // The same, in batch mode too; a save always asks for its file.
  bool OfferToSaveList();
  // Whether FormCloseQuery lets the window close.
  bool FormCloseQuery();
  // The controls a make or batch run disables while it lets window events through.
  std::vector<QWidget*> RunLockedControls() const;
  // Runs a make or batch run with those controls locked and the stop button in
  // place of the make button; a stop ends it with "中止しました".
  void RunStoppable(const std::function<void()>& run);

  void HideBatchWindow() override;
  void ShowBatchWindow() override;
  void ShowFolder(const std::string& out_path, const std::string& out_name) override;
  bool MayFillList() override;

  UiServices& ui_;
  DialogServices& dialogs_;
  const ProgramFiles files_;
  TfrmMTimg* preview_ = nullptr;
  TfrmMTMacro* macro_ = nullptr;

  TMT_Options options_;
  ImageFileList list_;
  // The list as last saved, loaded or filled by a batch run.
  ImageFileList saved_list_;
  BatchState batch_;
  bool run_in_progress_ = false;
  // The list-file save dialog's file name, the last one chosen; in batch mode the
  // list is saved under it without asking.
  std::string save_dlg_file_name_;

  ListGrid* StG_list;
  QLineEdit* edt_f_path;
  QPushButton* Button7;
  QPushButton* Button8;
  QPushButton* save_list;
  QPushButton* Button4;
  QPushButton* Button6;
  QPushButton* Button5;
  QCheckBox* CB_preview;
  QComboBox* CmB_type;
  QGroupBox* GB_frame;
  QLineEdit* edt_mi_w;
  QLineEdit* edt_f_n;
  QGroupBox* GB_table;
  QLineEdit* edt_tmi_w;
  QLineEdit* edt_tc_n;
  QLineEdit* edt_b_w;
  QGroupBox* GB_pulldown;
  QLineEdit* edt_pd_iw;
  QCheckBox* CB_pw_use_com;
  QGroupBox* GB_responsive;
  QLineEdit* edt_rs_w;
  QCheckBox* CB_f_show;
  QLabel* Label2;
  QLineEdit* edt_lf_w;
  QCheckBox* CB_Jpeg_convert;
  ClickableLabel* lbl_Jpeg_convert;
  QCheckBox* CB_make_mi;
  QCheckBox* CB_ch_main;
  ClickableLabel* lbl_ch_main1;
  ClickableLabel* lbl_ch_main2;
  QLabel* lbl_bg_color;
  ColorPanel* pnl_bg_color;
  ColorPanel* pnl_link_color;
  ColorPanel* pnl_vlink_color;
  QCheckBox* CB_show_bg_image;
  DoubleClickEdit* edt_bg_image;
  QPushButton* btn_bg_image;
  QCheckBox* CB_fn;
  QCheckBox* CB_ask;
  QCheckBox* CB_keepmeta;
  QCheckBox* CB_QRV;
  QCheckBox* CB_exif;
  QPushButton* Button10;
  DoubleClickEdit* edt_out_path;
  QPushButton* Button1;
  QLineEdit* edt_out;
  QLineEdit* edt_title;
  QPushButton* btn_macro;
  QPushButton* btn_start;
  QPushButton* btn_stop;
  QPushButton* btn_close;
  QStatusBar* StB_main;
  QLabel* phase_panel_;
  QLabel* progress_panel_;
  QProgressBar* run_bar_;
};

template <class Sender, class Signal>
void TfrmMTmain::On(Sender* sender, Signal signal, void (TfrmMTmain::*handler)()) {
  connect(sender, signal, this,
          [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
}

}  // namespace montrelle
