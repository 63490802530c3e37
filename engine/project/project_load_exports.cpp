// LoadKDXFooter and LoadKDXBuffer: the two calls that load a project file.
#include "Zephlin_DLL.h"

#include "operations/context_text.h"
#include "operations/operation_export.h"
#include "project/project_files.h"
#include "project/project_reader.h"

namespace {

using namespace zephlin;
using namespace zephlin::project;

// Far more than the largest part's two areas and a footer; a larger file is
// not a project, and is refused before it is read.
constexpr std::size_t kLargestProjectFile = 64u << 20;

template <class Read> uint16_t withProjectFile(ZephlinContext& context, Read&& read) {
    const FileContent file = readWholeFile(contextText(context.projectFile), kLargestProjectFile);
    if (file.status != FileContent::Status::Read) {
        return ZEPHLIN_RESULT_OPEN_FILE_ERROR;
    }
    return read(file.bytes, context);
}

} // namespace

extern "C" ZEPHLIN_API uint16_t LoadKDXFooter(ZephlinContext* context) {
    return runOperationExport(context, ZEPHLIN_RESULT_OPEN_FILE_ERROR,
                              [](ZephlinContext& record, const ResultWord&) {
                                  return withProjectFile(record, readProjectFooter);
                              });
}

extern "C" ZEPHLIN_API uint16_t LoadKDXBuffer(ZephlinContext* context) {
    return runOperationExport(context, ZEPHLIN_RESULT_OPEN_FILE_ERROR,
                              [](ZephlinContext& record, const ResultWord&) {
                                  return withProjectFile(record, readProjectImages);
                              });
}
