// Zephlin_AP: the application runs its main window until the window closes.
#include "shell/core/writer_choice.h"
#include "shell/widgets/main_window.h"

#include "Zephlin_DLL.h"

#include <QApplication>

#include <array>
#include <iostream>
#include <string>
#include <vector>

namespace zephlin {

class CZephlin_APApp : public QApplication {
public:
    using QApplication::QApplication;

    int run() {
        std::vector<std::string> arguments;
        const QStringList all = QCoreApplication::arguments();
        for (qsizetype i = 1; i < all.size(); ++i) {
            arguments.push_back(all.at(i).toStdString());
        }
        const WriterChoiceParse parse = parseWriterChoice(arguments);
        if (!parse.error.empty()) {
            std::cerr << "Zephlin_AP: " << parse.error << '\n' << kWriterUsage;
            return kUsageError;
        }
        std::string error;
        if (!applyWriterChoice(parse.choice, error)) {
            std::cerr << "Zephlin_AP: " << error << '\n';
            return kUsageError;
        }

        MainWindowOptions options;
        options.programFolder = QCoreApplication::applicationDirPath().toStdWString();
        options.engineerMode = parse.engineerMode;
        CZephlin_APDlg window(options);
        window.exec();

        if (parse.choice.simulated && !parse.choice.stateFile.empty()) {
            std::array<char, 512> reason{};
            if (ZephlinSaveSimulatorState(reason.data(), reason.size()) != 1) {
                std::cerr << "Zephlin_AP: simulator state not saved: " << reason.data() << '\n';
                return kStateNotSaved;
            }
        }
        return 0;
    }

private:
    static constexpr int kUsageError = 64;
    static constexpr int kStateNotSaved = 74;
};

} // namespace zephlin

int main(int argc, char** argv) {
    zephlin::CZephlin_APApp app(argc, argv);
    return app.run();
}
