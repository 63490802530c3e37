// The option panel's controls inside group box 1018: six select groups, two
// numeric groups and fourteen check rows, each with its Set and Now controls.
// They show OptionPanelModel's state and forward the user's actions to it.
#pragma once

#include "common/text_pair.h"
#include "shell/core/option_panel_model.h"

#include <QObject>

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace zephlin {

class DialogUnitPlacer;

class OptionPanelView : public QObject {
    Q_OBJECT

public:
    // Creates the controls as children of parent at their dialog-unit
    // positions; the model must outlive the view.
    OptionPanelView(QWidget* parent, const DialogUnitPlacer& placer, OptionPanelModel& model,
                    std::function<Language()> language);

    // Shows the model's state; runs after every change of it.
    void render();

private:
    // The group box of a select or numeric cell with its "Set" and "Now".
    struct CellFrame {
        QGroupBox* group = nullptr;
        QLabel* setLabel = nullptr;
        QLabel* nowLabel = nullptr;

        void show(bool enabled, std::wstring_view title) const;
    };
    struct SelectControls {
        CellFrame frame;
        QComboBox* list = nullptr;
        QLineEdit* now = nullptr;
        std::vector<std::wstring> shownEntries;
    };
    struct NumericControls {
        CellFrame frame;
        QLineEdit* set = nullptr;
        QLineEdit* now = nullptr;
    };
    struct CheckControls {
        QCheckBox* set = nullptr;
        QCheckBox* now = nullptr;
        QLabel* label = nullptr;
    };

    void createSelect(QWidget* parent, const DialogUnitPlacer& placer, int cell);
    void createNumeric(QWidget* parent, const DialogUnitPlacer& placer, int cell);
    void createCheck(QWidget* parent, const DialogUnitPlacer& placer, int cell);
    void renderSelect(int cell);
    void renderNumeric(int cell);
    void renderCheck(int cell);

    OptionPanelModel& model_;
    std::function<Language()> language_;
    std::array<SelectControls, OptionPanelModel::kSelectCells> selects_;
    std::array<NumericControls, OptionPanelModel::kNumericCells> numerics_;
    std::array<CheckControls, OptionPanelModel::kCheckCells> checks_;
};

} // namespace zephlin
