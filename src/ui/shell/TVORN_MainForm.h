#pragma once
// The program's only main window: frameless, drawn from the interface package, hosting
// the five views one at a time, living in the notification area, and receiving what a
// second launch hands over.
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "core/app/LanguageFile.h"
#include "core/persist/TSCInterfacePack.h"
#include "core/persist/TSCOptions.h"
#include "ui/common/AppContext.h"
#include "ui/shell/CommandLine.h"
#include "ui/shell/LibraryTranslation.h"
#include "ui/shell/MonitorSwitch.h"
#include "ui/common/QtIconProvider.h"
#include "ui/common/CatalogFolderService.h"
#include "ui/common/Skin.h"
#include "ui/shell/ViewRegistry.h"

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QSystemTrayIcon;
class QTimer;
class QToolButton;

namespace kolvex {

class CaptionControl;
class GlyphButton;
class GlyphShadow;
class KolvexView;
class ResizeGrip;
class ScanIndicator;
class TImage;
class TPaintBox;
class ViewHost;
class WindowState;

// What the main window uses of the world outside it; tests script these.
struct MainFormSeams {
  EventPump* pump = nullptr;
  Dialogs* dialogs = nullptr;
  DesktopShell* shell = nullptr;
  FolderPicker* picker = nullptr;  // the desktop's choosers when not given
  std::unique_ptr<MonitorSwitch> driveMonitor;  // TSpyer when not given
  ViewFactory createView;                      // createRegisteredView when not given
  std::function<void()> terminate;             // EndEventLoops when not given
  // A folder to catalogue (command line or hand-off); the add-archive dialog takes it.
  std::function<void(const std::string& folder)> offerFolder;
  // Whether the desktop shows a notification area (Qt's answer when not given).
  std::function<bool()> trayAvailable;
  // Where the window state is kept (WindowState::userPath when empty).
  QString stateFile;
};

class TVORN_MainForm : public QWidget, public ViewSwitcher {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 716, kClientHeight = 557;
  static constexpr int kTopBarHeight = 38, kBottomBarHeight = 31, kBorderWidth = 10;
  static constexpr int kHeaderHeight = 55, kButtonSize = 20;

  // Loads Options.cfg and IPack.ipk from the application folder (a failure is reported
  // and the program goes on with the factory options and an unskinned window).
  TVORN_MainForm(CommandLine commandLine, MainFormSeams seams);
  ~TVORN_MainForm() override;

  // Slides the view in (asking first about unapplied options when leaving the options
  // view); a request made while a view is sliding in follows when it is done.
  void ShowView(int index) override;
  void OptionsApplied() override;
  int CurrentViewIndex() const { return current_; }
  KolvexView* View(int index) const;
  QString ViewName(int index) const;
  QString FrameCaption() const;

  void ShowMainProgram();       // miMainProgram, message 2147, tray double click
  void TakeHandedOverFolder();  // message 2148
  void sbMinimizeClick();       // hidden to the tray (minimised where there is no tray)
  void sbMaximizeClick();
  void sbNextFrameClick();
  void sbPrevFrameClick();
  void sbViewsClick();
  void sbHelpClick();
  // Runs once: views, tray icon, drive monitor, probe files, then the application ends.
  void Shutdown();
  // Exit, the close button and the tray's Exit: unapplied options are settled first (the
  // question of leaving the options view); Cancel, or an Apply that fails, keeps the
  // program running. A stop signal shuts down without asking.
  void ExitClick();
  bool ShuttingDown() const { return shuttingDown_; }

  // Re-reads every text of this window and of all views (after the options changed).
  void RefreshLanguage();
  // This window's captions, hints and font.
  void ApplyLanguage();

  TSCOptions& Options() { return options_; }
  TSCInterfacePack& Package() { return package_; }
  const Skin& skin() const { return skin_; }
  LanguageFile& Language() { return language_; }
  AppContext& Context() { return *context_; }
  CatalogFolderService& Catalogs() { return *catalogs_; }
  MonitorSwitch* Monitor() const { return monitor_.get(); }
  QSystemTrayIcon* TrayIcon() const { return tray_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Asks about unapplied changes of the view shown, and applies or reloads them. False
  // when the user cancels or the changes could not be applied.
  bool SettleUnappliedChanges();
  void LoadOptions();
  void LoadInterfacePack();
  void BuildTopBar();
  void BuildBottomBar();
  void BuildBorders();
  void BuildClient();
  void BuildMenus();
  void BuildDeveloperButtons();
  void CreateViews();
  void BuildViewMenus();
  void BuildTray();
  void AssignPictures();
  void LayoutChrome();
  void ReadViewNames();
  void SetFrameCaption(const QString& caption);
  void SyncMaximizeGlyph();
  void OfferFolder(const std::string& folder);
  void miEnableSpyClick(bool checked);
  void TimerAMTimer();
  void Button1Click();
  void Button4Click();
  void Button2Click();
  void ReportError(const std::string& text);
  void SyncMonitorSwitch();
  void NoticeMissingTray();
  void RestoreWindowState();
  void SaveWindowState();

  CommandLine commandLine_;
  MainFormSeams seams_;
  std::unique_ptr<EventPump> ownPump_;
  std::unique_ptr<Dialogs> ownDialogs_;
  std::unique_ptr<DesktopShell> ownShell_;
  std::unique_ptr<FolderPicker> ownPicker_;
  TSCOptions options_;
  TSCInterfacePack package_;
  Skin skin_;
  LanguageFile language_;
  LibraryTranslation libraryTexts_;
  QtIconProvider iconProvider_;
  std::unique_ptr<CatalogFolderService> catalogs_;
  std::unique_ptr<AppContext> context_;
  std::unique_ptr<MonitorSwitch> monitor_;
  std::unique_ptr<WindowState> state_;

  std::vector<QPointer<KolvexView>> views_;  // by place in the view registry
  std::vector<QString> viewNames_;
  int current_ = 0;
  bool sliding_ = false;
  int pendingView_ = -1;
  bool shuttingDown_ = false;

  QWidget* pTopBar_ = nullptr;
  TImage* iLeftTop_ = nullptr;
  TPaintBox* pbTop_ = nullptr;
  TImage* iRightTop_ = nullptr;
  QLabel* lCap1_ = nullptr;
  QLabel* lCap2_ = nullptr;
  CaptionControl* iCapControl_ = nullptr;
  GlyphShadow* lCapBtn_ = nullptr;
  GlyphButton* sbMinimize_ = nullptr;
  GlyphButton* sbMaximize_ = nullptr;
  GlyphButton* sbClose_ = nullptr;
  ResizeGrip* iLeftUpCorner_ = nullptr;
  ResizeGrip* iRightUpCorner_ = nullptr;

  QWidget* pBottomBar_ = nullptr;
  TImage* iLeftBot_ = nullptr;
  TPaintBox* pbBottom_ = nullptr;
  TImage* iRightBot_ = nullptr;
  QLabel* lHelp_ = nullptr;
  QToolButton* sbHelp_ = nullptr;
  QLabel* lExit_ = nullptr;
  QToolButton* sbExit_ = nullptr;
  QToolButton* sbDriveMonitor_ = nullptr;
  ResizeGrip* iLeftDownCorner_ = nullptr;
  ResizeGrip* iRightDownCorner_ = nullptr;

  QWidget* pLeft_ = nullptr;
  TPaintBox* pbLeft_ = nullptr;
  QWidget* pRightBar_ = nullptr;
  TPaintBox* pbRight_ = nullptr;

  QWidget* pClient_ = nullptr;
  QFrame* pClientTop_ = nullptr;
  TImage* iTopBanner_ = nullptr;
  QLabel* lFrameCaption_ = nullptr;
  QLabel* lFrameCap2_ = nullptr;
  QToolButton* sbPrevFrame_ = nullptr;
  QToolButton* sbViews_ = nullptr;
  QToolButton* sbNextFrame_ = nullptr;
  ScanIndicator* pScan_ = nullptr;
  ViewHost* pFrame_ = nullptr;

  QMenu* pmFrames_ = nullptr;
  QActionGroup* framesGroup_ = nullptr;
  QMenu* pmTrayIcon_ = nullptr;
  QAction* miMainProgram_ = nullptr;
  QMenu* miSubInterface_ = nullptr;
  QActionGroup* subInterfaceGroup_ = nullptr;
  QAction* miEnableSpy_ = nullptr;
  QAction* miShutDown_ = nullptr;
  QSystemTrayIcon* tray_ = nullptr;
  QTimer* TimerAM_ = nullptr;
  QPushButton* Button1_ = nullptr;
  QPushButton* Button4_ = nullptr;
  QPushButton* Button2_ = nullptr;
};

}  // namespace kolvex
