// The main window: the whole user interface of the program. It renders its
// workspace (the one operation context record, the part, the code buffer, the
// option panel, the log) and forwards the user's actions to it: the part
// lists by series, the two buffer pages, the option panel and the log.
#pragma once

#include "buffer/core/buffer_edit_modes.h"
#include "common/text_pair.h"
#include "shell/core/shell_settings.h"
#include "shell/core/workspace.h"

#include "Zephlin_DLL.h"

#include <QDialog>

#include <array>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QProgressBar;
class QTabWidget;

namespace zephlin {

class CBufferPageDlg;
class DialogUnitPlacer;
class LogPanel;
class OperationLog;
class OptionPanelView;
class PostedNotifications;
class WindowRunnerHost;

struct MainWindowOptions {
    // Where Setting.ini lives: the program's folder.
    std::filesystem::path programFolder;
    // "--engineer": the Engineer button is shown and opens the sheets of
    // Engineer.ini in the current folder.
    bool engineerMode = false;
    // How long an update check waits for the server.
    std::chrono::milliseconds updateTimeLimit{5000};
};

class CZephlin_APDlg : public QDialog {
    Q_OBJECT

public:
    explicit CZephlin_APDlg(const MainWindowOptions& options, QWidget* parent = nullptr);
    ~CZephlin_APDlg() override;

    // The workspace the window renders: the record, the catalogue and the
    // selected part, the buffers, the option panel, the log and the runner.
    Workspace& workspace() { return *workspace_; }
    CBufferPageDlg& page(int page) const { return *pages_.at(static_cast<std::size_t>(page)); }
    int currentPage() const { return currentPage_; }
    bool secondPagePresent() const;
    LastFolders& lastFolders() { return folders_; }
    const BufferEditModes& editModes() const { return editModes_; }

    // Shows Buffer Size, Buffer Checksum and Chip Checksum of a page from its
    // current bytes (after a load, a dump or an ISP insertion).
    void refreshPageInformation(int page);

    // The Select Area dialog over the current page: on OK the load address,
    // the clear-buffer option and the page's fill mode take its choice.
    // False when the user cancelled.
    bool selectLoadArea();

    // The language entries of the window menu (commands 32 and 48): stores
    // the choice in Setting.ini at once and switches the texts.
    void chooseLanguage(int menuCommand);
    void switchLanguage(Language language);

    // The update entry of the window menu (command 16): the update and About
    // dialog, modal.
    void openAboutDialog();
    // The Engineer button: another modeless Engineer window on each click.
    void openEngineerWindow();

public slots:
    // The cancel path (close box, Escape): stores the part and the folders.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls(const DialogUnitPlacer& placer);
    void buildButtons(QWidget* client, const DialogUnitPlacer& placer);
    void buildBufferArea(QWidget* client, const DialogUnitPlacer& placer);
    void buildMenu();
    void startUp();
    void fillSeriesList();
    void selectSeries();
    void selectPart();
    // Shows the workspace's part: its series and part lists, the second tab,
    // the page information, the buttons that depend on the part.
    void showPart();
    void selectPage(int index);
    void updateSecondTab();
    void setSecondTabText();
    void onModifyBufferClicked(bool ticked);
    void onAutoReloadClicked(bool ticked);
    void setControlText(int id, std::wstring_view text);
    void enableControl(int id, bool enabled);

    void startUpdateCheck();

    ShellSettings settings_;
    std::filesystem::path programFolder_;
    bool engineerMode_;
    std::chrono::milliseconds updateTimeLimit_;
    int32_t updateTips_ = 0;
    uint32_t versionWord_ = 0;
    int32_t edition_ = 0;
    LastFolders folders_;
    BufferEditModes editModes_;
    int currentPage_ = kMainPage;

    QComboBox* seriesList_ = nullptr;
    QComboBox* partList_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    std::array<CBufferPageDlg*, kPageCount> pages_{};
    QCheckBox* modifyBuffer_ = nullptr;
    QCheckBox* autoReload_ = nullptr;
    QProgressBar* progress_ = nullptr;
    LogPanel* logPanel_ = nullptr;
    QAction* englishEntry_ = nullptr;
    QAction* chineseEntry_ = nullptr;

    WindowRunnerHost* runnerHost_ = nullptr;
    PostedNotifications* notifications_ = nullptr;
    std::unique_ptr<Workspace> workspace_;
    OptionPanelView* optionView_ = nullptr;
};

} // namespace zephlin
