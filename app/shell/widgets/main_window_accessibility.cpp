// The names a screen reader speaks for the main window's controls that have
// no text of their own. Buttons, check boxes and group boxes speak their
// text; the option panel names its own controls.
#include "shell/widgets/main_window.h"

#include "buffer/widgets/buffer_page.h"
#include "buffer/widgets/hex_edit_base.h"
#include "common/widgets/accessible_name.h"
#include "common/widgets/control_placement.h"
#include "common/widgets/qt_text.h"
#include "shell/core/control_ids.h"
#include "shell/core/ui_texts.h"

#include <QComboBox>
#include <QLabel>
#include <QTabWidget>

namespace zephlin {
namespace {

QString labelText(const QWidget* root, int labelId) {
    const auto* label = findControl<QLabel>(root, labelId);
    return label != nullptr ? nameOfLabel(label->text()) : QString();
}

} // namespace

void CZephlin_APDlg::nameControls() {
    const Language language = workspace_->language();
    const auto text = [language](int id) { return toQString(controlText(id).pick(language)); };

    nameControl(findControl(this, ids::kBanner), toQString(texts::kProduct.pick(language)));
    nameControl(seriesList_, toQString(texts::kSeriesListName.pick(language)));
    nameControl(partList_, labelText(this, ids::kPartNoLabel));
    nameControl(tabs_, text(ids::kCodeBufferGroup));
    nameControl(findControl(this, ids::kProgressBar), toQString(texts::kProgress.pick(language)));
    nameControl(findControl(this, ids::kLog), text(ids::kMessageGroup));

    for (int page = kMainPage; page < kPageCount; ++page) {
        CBufferPageDlg& shown = *pages_.at(static_cast<std::size_t>(page));
        const TextPair tab = page == kMainPage || !workspace_->hasPart()
                                 ? texts::kMainTab
                                 : secondTabText(workspace_->part().chipType);
        nameControl(shown.editor(), toQString(tab.pick(language)), text(ids::kCodeBufferGroup));
        const BufferPageIds& pageIds = bufferPageIds(page);
        const std::pair<int, int> fields[] = {{pageIds.filePathLabel, pageIds.filePath},
                                              {pageIds.sizeLabel, pageIds.size},
                                              {pageIds.checksumLabel, pageIds.checksum},
                                              {pageIds.chipChecksumLabel, pageIds.chipChecksum}};
        for (const auto& [labelId, fieldId] : fields) {
            nameControl(findControl(&shown, fieldId), labelText(&shown, labelId));
        }
    }
}

} // namespace zephlin
