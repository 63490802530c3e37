// The main window's controls at their dialog-unit positions.
#include "shell/widgets/main_window.h"

#include "buffer/widgets/buffer_page.h"
#include "common/widgets/control_placement.h"
#include "common/widgets/qt_text.h"
#include "shell/core/control_ids.h"
#include "shell/core/log_grammar.h"
#include "shell/core/ui_texts.h"
#include "shell/widgets/log_panel.h"
#include "shell/widgets/option_panel_view.h"
#include "shell/widgets/posted_notifications.h"
#include "shell/widgets/program_artwork.h"
#include "shell/widgets/runner_host.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zephlin {
namespace {

constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 14;
constexpr int kColumnTops[] = {53, 77, 101, 125, 149, 173};

// The text of the update entry.
constexpr std::wstring_view kUpdateEntry = L"更新 Zephlin(&A)...";

QGroupBox* groupBox(QWidget* parent) {
    auto* group = new QGroupBox(QStringLiteral("Static"), parent);
    group->lower();
    return group;
}

QPushButton* button(int id, QWidget* parent) {
    auto* pushButton = new QPushButton(toQString(controlText(id).english), parent);
    // Enter never ends the window or clicks a button the focus is not on.
    pushButton->setAutoDefault(false);
    return pushButton;
}

} // namespace

void CZephlin_APDlg::buildControls(const DialogUnitPlacer& placer) {
    auto* client = new QWidget(this);
    client->setFixedSize(placer.width(574), placer.height(399));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(client);

    placer.place(groupBox(client), ids::kCodeBufferGroup, {75, 62, 423, 122});
    placer.place(groupBox(client), ids::kOptionGroup, {7, 195, 368, 197});
    placer.place(groupBox(client), ids::kMessageGroup, {380, 195, 187, 197});

    auto* banner = placer.place(new QLabel(client), ids::kBanner, {7, 7, 560, 38});
    banner->setPixmap(bannerPixmap(banner->size()));

    auto* partNo = placer.place(new QLabel(QStringLiteral("Part No : "), client), ids::kPartNoLabel,
                                {71, 51, 41, 8});
    partNo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    seriesList_ = placer.place(new QComboBox(client), ids::kSeriesList, {115, 48, 92, 0});
    partList_ = placer.place(new QComboBox(client), ids::kPartList, {214, 48, 282, 0});
    connect(seriesList_, &QComboBox::activated, this, [this] { selectSeries(); });
    connect(partList_, &QComboBox::activated, this, [this] { selectPart(); });

    buildBufferArea(client, placer);
    buildButtons(client, placer);

    progress_ = placer.place(new QProgressBar(client), ids::kProgressBar, {87, 189, 400, 6});
    progress_->setRange(0, ZEPHLIN_PROGRESS_MAX);
    progress_->setTextVisible(false);

    logPanel_ = placer.place(new LogPanel(client), ids::kLog, {385, 206, 176, 160});
    runnerHost_ = new WindowRunnerHost(this, progress_, [this] { return workspace_->language(); });
    notifications_ =
        new PostedNotifications(this, [this] { return workspace_->runner().isBusy(); });
    workspace_ = std::make_unique<Workspace>(WorkspaceFront{*pages_[kMainPage],
                                                            *pages_[kSecondPage], *notifications_,
                                                            *logPanel_, *runnerHost_, *runnerHost_},
                                             Language::English);
    notifications_->setModel(&workspace_->panel());
    workspace_->setPartObserver([this] { showPart(); });
    optionView_ = new OptionPanelView(client, placer, workspace_->panel(),
                                      [this] { return workspace_->language(); });
    workspace_->panel().setObserver([this] { optionView_->render(); });
}

void CZephlin_APDlg::buildBufferArea(QWidget* client, const DialogUnitPlacer& placer) {
    tabs_ = placer.place(new QTabWidget(client), ids::kBufferTabs, {81, 70, 413, 108});
    for (int page = 0; page < kPageCount; ++page) {
        pages_[static_cast<std::size_t>(page)] = new CBufferPageDlg(page, placer, tabs_);
    }
    tabs_->addTab(pages_[kMainPage], toQString(texts::kMainTab.english));
    // Page 1 stays created while tab 1 is absent; only its tab shows it.
    pages_[kSecondPage]->hide();
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { selectPage(index); });

    autoReload_ = placer.place(new QCheckBox(QStringLiteral("Auto Reload"), client),
                               ids::kAutoReload, {339, 179, 55, 10});
    modifyBuffer_ = placer.place(new QCheckBox(QStringLiteral("Enable Modify Buffer"), client),
                                 ids::kEnableModifyBuffer, {405, 179, 83, 10});
    connect(modifyBuffer_, &QCheckBox::clicked, this,
            [this](bool ticked) { onModifyBufferClicked(ticked); });
    connect(autoReload_, &QCheckBox::clicked, this,
            [this](bool ticked) { onAutoReloadClicked(ticked); });
}

void CZephlin_APDlg::buildButtons(QWidget* client, const DialogUnitPlacer& placer) {
    const int leftColumn[] = {ids::kLoadFile,   ids::kSaveBuffer,    ids::kSaveKdx,
                              ids::kDumpTarget, ids::kInsertIspCode, ids::kOffLineMode};
    const int rightColumn[] = {ids::kCheckId, ids::kErase,  ids::kBlankCheck,
                               ids::kProgram, ids::kVerify, ids::kAuto};
    for (std::size_t row = 0; row < std::size(kColumnTops); ++row) {
        placer.place(button(leftColumn[row], client), leftColumn[row],
                     {7, kColumnTops[row], kButtonWidth, kButtonHeight});
        placer.place(button(rightColumn[row], client), rightColumn[row],
                     {507, kColumnTops[row], kButtonWidth, kButtonHeight});
    }
    const int optionButtons[] = {ids::kWriteOptions, ids::kReadOptions, ids::kWholeChipErase};
    const int optionLefts[] = {16, 84, 152};
    for (std::size_t i = 0; i < std::size(optionButtons); ++i) {
        placer.place(button(optionButtons[i], client), optionButtons[i],
                     {optionLefts[i], 206, kButtonWidth, kButtonHeight});
    }
    auto* engineer = placer.place(new QPushButton(QStringLiteral("Engineer"), client),
                                  ids::kEngineer, {220, 206, kButtonWidth, kButtonHeight});
    engineer->setAutoDefault(false);
    connect(engineer, &QPushButton::clicked, this, [this] { openEngineerWindow(); });

    placer.place(button(ids::kReadChipChecksum, client), ids::kReadChipChecksum,
                 {385, 372, 76, 14});
    auto* clear = placer.place(button(ids::kClear, client), ids::kClear, {485, 372, 76, 14});
    connect(clear, &QPushButton::clicked, this, [this] { workspace_->log().clear(); });
}

void CZephlin_APDlg::buildMenu() {
    // The desktop's title bar offers no menu of its own here, so the
    // window's menu entries live in a menu bar.
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QMenu* languages = bar->addMenu(toQString(texts::kLanguageMenu.english));
    englishEntry_ = languages->addAction(toQString(texts::kEnglishEntry.english));
    chineseEntry_ = languages->addAction(toQString(texts::kChineseEntry.english));
    const std::pair<QAction*, int> entries[] = {{englishEntry_, ids::kMenuEnglish},
                                                {chineseEntry_, ids::kMenuChinese}};
    for (const auto& [entry, command] : entries) {
        entry->setCheckable(true);
        entry->setData(command);
        entry->setObjectName(QString::number(command));
        connect(entry, &QAction::triggered, this,
                [this, command = command] { chooseLanguage(command); });
    }
    QAction* update = bar->addAction(toQString(kUpdateEntry));
    update->setData(ids::kMenuUpdate);
    update->setObjectName(QString::number(ids::kMenuUpdate));
    connect(update, &QAction::triggered, this, [this] { openAboutDialog(); });
}

} // namespace zephlin
