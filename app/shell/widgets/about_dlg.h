// The update and About dialog: the program's version, the result of the last
// check, the "Show update message when start" box, Check and Download.
// AboutModel holds its state; the check runs on the event loop, so the
// dialog stays responsive while the server is asked.
#pragma once

#include "shell/core/about_model.h"
#include "shell/widgets/version_file_download.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace zephlin {

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    CAboutDlg(const UpdateContext& context, Language language, QWidget* parent = nullptr);

    const AboutModel& model() const { return model_; }

private:
    void check();
    void download();
    void render();

    UpdateContext context_;
    AboutModel model_;
    VersionFileDownload* versionFile_;
    QLabel* resultLine_;
    QCheckBox* showUpdates_;
    QPushButton* check_;
    QPushButton* download_;
};

} // namespace zephlin
