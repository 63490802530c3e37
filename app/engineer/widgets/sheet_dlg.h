// What every register sheet shares: its model, the Write, Read and Sync
// buttons above the rows, the rows' hex fields with the difference marks on
// the read fields, and the scrolled area that holds the rows. The sheets
// CSheet0Dlg to CSheet3Dlg add their layouts.
#pragma once

#include "common/widgets/control_placement.h"
#include "engineer/core/engineer_sheet_model.h"

#include <QWidget>

#include <filesystem>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QScrollArea;

namespace zephlin {

class CHexEditBase;
class Workspace;

class CSheetDlg : public QWidget {
    Q_OBJECT

public:
    // folder: where Read stores the read file (the current folder).
    CSheetDlg(EngineerSheet sheet, Workspace& workspace, std::filesystem::path folder,
              QWidget* parent);

    const EngineerSheetModel& model() const { return model_; }
    QScrollArea* scrollArea() const { return scrollArea_; }
    // A wheel notch: +120 scrolls one line up, -120 one line down; other
    // deltas are ignored.
    void scrollByWheel(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    const DialogUnitPlacer& placer() const { return placer_; }
    EngineerSheetModel& editModel() { return model_; }
    // The bar above the rows, which does not scroll, and the rows' area.
    QWidget* bar() const { return bar_; }
    QWidget* content() const { return content_; }

    // The buttons of the bar; Sync only where the sheet has it.
    void addButtons(bool withSync);
    // Row i at the top given in dialog units: the item's label and its
    // write value, and its read value unless the sheet has only one field.
    void addValueRow(std::size_t i, int top, int labelWidth, DluRect writeField,
                     std::optional<DluRect> readField);
    // The rows' height in dialog units, once every row is placed.
    void finishContent(int designHeight);

    // Shows the model: the values (all but the field the user is typing in),
    // the sheet's own controls, the buttons, then the marks.
    void render(std::optional<std::size_t> editedField = std::nullopt);
    virtual void renderSheet() {}

    std::vector<CHexEditBase*> writeFields_;
    std::vector<CHexEditBase*> readFields_;

private:
    void write();
    void read();
    void sync();
    void markDifferences();

    EngineerSheetModel model_;
    Workspace& workspace_;
    std::filesystem::path folder_;
    DialogUnitPlacer placer_;
    QWidget* bar_;
    QScrollArea* scrollArea_;
    QWidget* content_;
    QPushButton* write_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* sync_ = nullptr;
};

// A hex field of a sheet: no address or characters, as many bytes a row as
// fit; white and editable, or grey and read-only.
CHexEditBase* valueField(QWidget* parent, bool editable);
// Makes a field exactly as tall as that many rows of its font: a shorter one
// would scroll its only row.
void fitRows(CHexEditBase* field, int rows);

} // namespace zephlin
