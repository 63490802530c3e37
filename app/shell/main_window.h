// The main window: the whole user interface of the program. It lists the
// library's parts by series, keeps the one operation context record and the
// code buffer, shows the option panel, the two buffer pages and the log, and
// runs every command through the operation runner.
#pragma once

#include "buffer_edit_modes.h"
#include "code_buffer.h"
#include "operation_runner.h"
#include "option_panel_model.h"
#include "part_catalogue.h"
#include "shell_settings.h"
#include "text_pair.h"

#include "Zephlin_DLL.h"

#include <QDialog>

#include <array>
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
};

class CZephlin_APDlg : public QDialog {
    Q_OBJECT

public:
    explicit CZephlin_APDlg(const MainWindowOptions& options, QWidget* parent = nullptr);
    ~CZephlin_APDlg() override;

    // A command in the runner's handler shape; nothing when it refused to
    // call its export or another command is still running.
    std::optional<uint16_t> runCommand(Command& command);
    bool commandRunning() const;

    ZephlinContext& record() { return record_; }
    const PartCatalogue& catalogue() const { return catalogue_; }
    // The selected part; a part is always selected while the catalogue has one.
    const ZephlinBodyInfo* selectedPart() const;
    CodeBuffer& codeBuffer() { return *codeBuffer_; }
    CBufferPageDlg& page(int page) const { return *pages_.at(static_cast<std::size_t>(page)); }
    int currentPage() const { return currentPage_; }
    bool secondPagePresent() const;
    OptionPanelModel& optionPanel() { return *optionModel_; }
    OperationLog& log() { return *log_; }
    LastFolders& lastFolders() { return folders_; }
    Language language() const { return language_; }
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

    // Shows the part of the record's chip index under its series (after
    // start-up and after a project was loaded), keeping the record's fields.
    void restorePart();

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
    void selectPage(int index);
    void updateSecondTab();
    void setSecondTabText();
    void onModifyBufferClicked(bool ticked);
    void onAutoReloadClicked(bool ticked);
    void setControlText(int id, std::wstring_view text);
    void enableControl(int id, bool enabled);

    ShellSettings settings_;
    PartCatalogue catalogue_;
    ZephlinContext record_{};
    std::unique_ptr<uint16_t> resultWord_ = std::make_unique<uint16_t>(0);
    Language language_ = Language::English;
    int32_t updateTips_ = 0;
    uint32_t versionWord_ = 0;
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

    std::unique_ptr<CodeBuffer> codeBuffer_;
    std::unique_ptr<OperationLog> log_;
    WindowRunnerHost* runnerHost_ = nullptr;
    std::unique_ptr<OperationRunner> runner_;
    PostedNotifications* notifications_ = nullptr;
    std::unique_ptr<OptionPanelModel> optionModel_;
    OptionPanelView* optionView_ = nullptr;
};

} // namespace zephlin
