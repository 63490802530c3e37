// A buffer page inside tab control 1818: the hex editor that owns the area's
// bytes and the four information fields below it (File Path, Buffer Size,
// Buffer Checksum, Chip Checksum). Page 0 shows the main area, page 1 the
// second area; both behave alike and differ only in their identifiers.
#pragma once

#include "buffer/core/area_storage.h"
#include "buffer/core/code_buffer.h"

#include <QWidget>

#include <string_view>

class QLineEdit;

namespace zephlin {

class CHexEditBase;
class DialogUnitPlacer;

struct BufferPageIds {
    int filePathLabel, filePath;
    int sizeLabel, size;
    int checksumLabel, checksum;
    int chipChecksumLabel, chipChecksum;
};

// The identifiers of page 0 and page 1.
const BufferPageIds& bufferPageIds(int page);

inline constexpr int kHexEditorId = 1124;

// The colours of an editable buffer (black on white) or a read-only one
// (black on grey); the caller redraws.
void setBufferColours(CHexEditBase& editor, bool editable);

class CBufferPageDlg : public QWidget, public AreaStorage {
    Q_OBJECT

public:
    CBufferPageDlg(int page, const DialogUnitPlacer& placer, QWidget* parent = nullptr);

    int page() const { return page_; }
    CHexEditBase* editor() const { return editor_; }

    // AreaStorage: the bytes live in the hex editor.
    void setBytes(std::span<const uint8_t> bytes) override;
    std::vector<uint8_t> bytes() const override;
    std::size_t length() const override;

    void setFilePath(std::wstring_view path);
    void showInformation(const PageInformation& information);
    // Empties all four fields.
    void clearInformation();

    // Writable and white, or read-only and grey (the pages start read-only).
    void setEditable(bool editable);

private:
    int page_;
    CHexEditBase* editor_;
    QLineEdit* filePath_;
    QLineEdit* size_;
    QLineEdit* checksum_;
    QLineEdit* chipChecksum_;
};

} // namespace zephlin
