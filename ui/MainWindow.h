#pragma once

// MainWindow: the editor. The program text, its hex listing beside it and the
// INFO pane below, the buttons and the menus; the file commands, the
// conversions both ways, and the offer to save changed text before it is
// cleared, replaced or closed.

#include "document/OpenProgram.h"
#include "ui/Dialogs.h"
#include "ui/ProgramDocument.h"
#include "ui/RecoveryCopy.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QFileSystemWatcher;
class QLabel;
class QPrinter;
class QMenu;
class QSettings;
class QSplitter;
class QTimer;

namespace orrikey {

class CodeEditor;
class HexPane;
class ProgramEditor;
class ProgramsPanel;
class DiskChangeBar;
class FindBar;
class InfoPanel;
class LiveAssembly;
class ProgramTool;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(Dialogs& dialogs);
  ~MainWindow() override;

  // Opens a raw file, a program text file or a listing, told apart by name
  // and content, after the offer to save changed text. False when the user
  // cancelled or the file could not be read (with a message).
  bool openFile(const QString& path);

  // "Code->Hex": drops the blank lines and shows the byte count and the
  // failed lines at once.
  void convertToHex();

  // Puts back files whose writing was cut short, as far as it can, and says
  // which; done at start, before any file is read.
  void recoverInterruptedWrites();
  // Offers the work that editors killed before saving it left, one after
  // another: restore it as changes to its file, or discard it.
  void offerRecovery();
  // Keeps unsaved work for the next start and closes without a question, as
  // a logout closes the window.
  void closeForLogout();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  using Format = document::FileForm;

  void createParts();
  void createMenus();
  void restoreSettings();
  // The View menu's choice of the calculators the program is written for.
  void createTargetChoice(QMenu* view);
  void restoreTarget(const QSettings& settings);
  void saveTarget(QSettings& settings) const;

  void newFile();
  void convertToCode();
  void open(Format format);
  void openDialog();
  bool save();
  bool saveAs();
  bool saveIn(Format format);
  bool writeFile(const ProgramDocument::Target& target);
  bool saveListing();
  void copyAsListing();
  // Calls an edit slot (copy, paste, undo...) of the find fields or the hex
  // pane when they have the keyboard, of the program text otherwise.
  void editWhereFocused(const char* slot);
  // False, with the failed lines shown after `refused`, while a line of the
  // program does not convert.
  void proposeName(FileDialog& dialog, const QString& suffix) const;
  bool allLinesConvert(const QString& refused);
  std::optional<std::string> listingOnScreen(const QString& refused);
  void print();
  void exportPdf();
  void printProgram(QPrinter& printer);
  void toggleProgramTool();
  void focusNextPane(bool backwards);
  void showAbout();
  void showManual();
  void showShortcuts();
  void showHelpForCode();
  void showHelpForHex();
  void goToLine();
  // The label of the caret's line, or the one its jump reaches; said in the
  // status bar when there is none.
  size_t caretLine() const;
  // Says so in the status bar when there is none.
  bool hasLabelAtCaret();
  void goToLabel();
  // Lists the jumps to the caret's label under INFO.
  void findUses();
  void renameLabel();
  // Line and column, and where the line stands in its program.
  void showCaretPlace();

  void readFile(const QString& path, document::OpenAs as);
  void setCurrentFile(const QString& path, Format format);
  void watchFile(const QString& path);
  void checkDisk();
  void reloadFromDisk();
  void keepMine();
  // False when the user chose not to write over a file another program
  // changed or removed since the editor last read or wrote it.
  bool mayWriteOver(const QString& path);
  void updateRecentMenu();
  void showSummary();
  // "Line: 12" that starts an INFO entry of a line (zero-based), or
  // "Line: 12 (step 10)" while the gutter numbers steps.
  QString infoLine(size_t line) const;
  // The Uses tab's entries for the jumps found last, named as the gutter
  // numbers lines now; targets gets their lines.
  QStringList usesEntries(std::vector<int>& targets) const;
  void relistUses();
  // INFO lines; a click on line i selects the program line targets[i].
  bool maySaveChanges(const QString& before);
  void followModified();
  // False when the work could not be kept.
  bool keepRecoveryCopy();
  void restore(const RecoveredWork& work);

  // Runs a command; an error it raises is shown in a message box and ends
  // that command alone. False when an error was raised.
  bool guarded(const std::function<void()>& command);
  template <typename Command>
  std::function<void()> guard(Command command);

  Dialogs& dialogs_;
  // Program text files are offered in the start folder's "42SProg", raw
  // files in "RawProg", when those folders exist.
  FileDialog textDialog_;
  FileDialog rawDialog_;
  FileDialog anyDialog_;
  FileDialog listingDialog_;
  FileDialog pdfDialog_{FileDialog::Kind::Save, {"PDF files (*.pdf)"}, {}};

  ProgramEditor* editor_;
  // The editor's parts, which most commands work on.
  CodeEditor* codeEdit_;
  HexPane* hexEdit_;
  InfoPanel* infoPanel_;
  QSplitter* infoSplitter_;
  FindBar* findBar_;
  DiskChangeBar* diskBar_;
  QFileSystemWatcher* watcher_;
  QMenu* recentMenu_;
  QAction* hexViewAction_;
  LiveAssembly* assembly_;
  ProgramsPanel* programsPanel_;
  QAction* stepNumbersAction_;
  QLabel* caretLabel_;
  QLabel* targetLabel_;
  QList<QAction*> targetActions_;  // in the order of the menu
  QPointer<ProgramTool> programTool_;
  // The lines of the jumps that Find Uses listed last.
  std::vector<size_t> usesFound_;

  ProgramDocument document_;
  RecoveryCopy recovery_;
  // Restarted by every change, so the copy is written once typing pauses.
  QTimer* recoveryTimer_;
  bool loggingOut_ = false;
};

}  // namespace orrikey
