#include "shell/widgets/option_panel_view.h"

#include "common/widgets/control_placement.h"
#include "common/widgets/hex_key_filter.h"
#include "common/widgets/qt_text.h"
#include "shell/core/control_ids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace zephlin {
namespace {

constexpr int kColumnLeft[2] = {15, 151};
constexpr int kSelectRowTop[3] = {221, 263, 305};
constexpr int kNumericTop = 347;
constexpr int kCheckTop = 220;
constexpr int kCheckPitch = 12;

QLineEdit* readOnlyEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    return edit;
}

} // namespace

OptionPanelView::OptionPanelView(QWidget* parent, const DialogUnitPlacer& placer,
                                 OptionPanelModel& model, std::function<Language()> language)
    : QObject(parent), model_(model), language_(std::move(language)) {
    for (int cell = 0; cell < OptionPanelModel::kSelectCells; ++cell) {
        createSelect(parent, placer, cell);
    }
    for (int cell = 0; cell < OptionPanelModel::kNumericCells; ++cell) {
        createNumeric(parent, placer, cell);
    }
    placer.place(new QLabel(QStringLiteral("Set"), parent), ids::kCheckSetHeading,
                 {280, 212, 18, 8});
    placer.place(new QLabel(QStringLiteral("Now"), parent), ids::kCheckNowHeading,
                 {299, 212, 18, 8});
    for (int cell = 0; cell < OptionPanelModel::kCheckCells; ++cell) {
        createCheck(parent, placer, cell);
    }
    render();
}

void OptionPanelView::createSelect(QWidget* parent, const DialogUnitPlacer& placer, int cell) {
    const int x = kColumnLeft[cell % 2];
    const int y = kSelectRowTop[cell / 2];
    SelectControls& c = selects_[static_cast<std::size_t>(cell)];
    c.frame.group = placer.place(new QGroupBox(parent), ids::kSelectGroup + cell, {x, y, 129, 42});
    c.frame.group->lower();
    c.frame.setLabel = placer.place(new QLabel(QStringLiteral("Set"), parent),
                                    ids::kSelectSetLabel + cell, {x + 5, y + 10, 30, 8});
    c.list = placer.place(new QComboBox(parent), ids::kSelectList + cell, {x + 37, y + 8, 88, 0});
    c.frame.nowLabel = placer.place(new QLabel(QStringLiteral("Now"), parent),
                                    ids::kSelectNowLabel + cell, {x + 5, y + 25, 30, 8});
    c.now = placer.place(readOnlyEdit(parent), ids::kSelectNow + cell, {x + 37, y + 23, 87, 14});
    connect(c.list, &QComboBox::activated, this,
            [this, cell](int entry) { model_.userSelects(cell, entry); });
}

void OptionPanelView::createNumeric(QWidget* parent, const DialogUnitPlacer& placer, int cell) {
    const int x = kColumnLeft[cell];
    NumericControls& c = numerics_[static_cast<std::size_t>(cell)];
    c.frame.group =
        placer.place(new QGroupBox(parent), ids::kNumericGroup + cell, {x, kNumericTop, 129, 42});
    c.frame.group->lower();
    c.frame.setLabel = placer.place(new QLabel(QStringLiteral("Set : "), parent),
                                    ids::kNumericSetLabel + cell, {x + 5, 357, 30, 8});
    c.set = placer.place(new QLineEdit(parent), ids::kNumericSet + cell, {x + 37, 355, 87, 14});
    HexKeyFilter::install(c.set);
    c.frame.nowLabel = placer.place(new QLabel(QStringLiteral("Now : "), parent),
                                    ids::kNumericNowLabel + cell, {x + 5, 373, 30, 8});
    c.now = placer.place(readOnlyEdit(parent), ids::kNumericNow + cell, {x + 37, 371, 87, 14});
    connect(c.set, &QLineEdit::textEdited, this, [this, cell](const QString& text) {
        model_.userEditsNumeric(cell, text.toStdWString());
    });
}

void OptionPanelView::createCheck(QWidget* parent, const DialogUnitPlacer& placer, int cell) {
    const int y = kCheckTop + kCheckPitch * cell;
    CheckControls& c = checks_[static_cast<std::size_t>(cell)];
    c.set = placer.place(new QCheckBox(parent), ids::kCheckSet + cell, {288, y, 10, 10});
    c.now = placer.place(new QCheckBox(parent), ids::kCheckNow + cell, {300, y, 10, 10});
    c.now->setEnabled(false);
    c.label = placer.place(new QLabel(parent), ids::kCheckLabel + cell, {312, y + 1, 60, 8});
    connect(c.set, &QCheckBox::clicked, this,
            [this, cell](bool ticked) { model_.userClicks(cell, ticked); });
}

void OptionPanelView::CellFrame::show(bool enabled, std::wstring_view title) const {
    group->setEnabled(enabled);
    group->setTitle(toQString(title));
    setLabel->setEnabled(enabled);
    nowLabel->setEnabled(enabled);
}

void OptionPanelView::render() {
    for (int cell = 0; cell < OptionPanelModel::kSelectCells; ++cell) {
        renderSelect(cell);
    }
    for (int cell = 0; cell < OptionPanelModel::kNumericCells; ++cell) {
        renderNumeric(cell);
    }
    for (int cell = 0; cell < OptionPanelModel::kCheckCells; ++cell) {
        renderCheck(cell);
    }
}

void OptionPanelView::renderSelect(int cell) {
    const SelectCellState& state = model_.select(cell);
    SelectControls& c = selects_[static_cast<std::size_t>(cell)];
    c.frame.show(state.enabled, state.groupText);
    if (c.shownEntries != state.entries) {
        c.list->clear();
        for (const std::wstring& entry : state.entries) {
            c.list->addItem(toQString(entry));
        }
        c.shownEntries = state.entries;
    }
    c.list->setCurrentIndex(state.selected);
    c.list->setEnabled(state.listEnabled);
    showEditText(c.now, toQString(state.nowText));
}

void OptionPanelView::renderNumeric(int cell) {
    const NumericCellState& state = model_.numeric(cell);
    NumericControls& c = numerics_[static_cast<std::size_t>(cell)];
    c.frame.show(state.enabled, state.groupText);
    c.set->setEnabled(state.enabled);
    c.set->setMaxLength(state.maxLength > 0 ? state.maxLength : 32767);
    showEditText(c.set, toQString(state.setText));
    showEditText(c.now, toQString(state.nowText));
}

void OptionPanelView::renderCheck(int cell) {
    const CheckCellState& state = model_.check(cell);
    CheckControls& c = checks_[static_cast<std::size_t>(cell)];
    c.set->setEnabled(state.enabled);
    c.set->setChecked(state.ticked);
    c.now->setChecked(state.nowTicked);
    c.label->setEnabled(state.enabled);
    c.label->setText(toQString(state.label));
    const QString tip = toQString(state.tooltip.pick(language_()));
    c.set->setToolTip(tip);
    c.label->setToolTip(tip);
}

} // namespace zephlin
