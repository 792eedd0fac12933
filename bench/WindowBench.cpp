// Drives Carvel's real window as a user would, for bench/window.sh: fills in the panel, presses
// Start and reports the seconds from the press to the end of the work, progress display and all.
//
//   carvel_window_bench split SOURCE PIECE_KB
//   carvel_window_bench join PIECE DESTINATION
#include "JoinPanel.h"
#include "SplitPanel.h"
#include "frmSplitJoin.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QToolButton>
#include <cstdio>
#include <functional>
#include <string>

namespace {

// Answers Yes to every question, as a user who wants the work done would, keeps the last text
// shown and tells each box to whoever listens.
class AnswerYes final : public carvel::IMessageBox {
public:
    carvel::MsgAnswer show(const carvel::MessageRequest& request) override {
        last = request.text;
        if (shown)
            shown();
        return request.buttons == carvel::MsgButtons::Ok ? carvel::MsgAnswer::Ok
                                                         : carvel::MsgAnswer::Yes;
    }
    std::string last;
    std::function<void()> shown;
};

class NoDialog final : public carvel::IFileDialog {
public:
    std::optional<std::string> showOpen(void*) override { return std::nullopt; }
    std::optional<std::string> showSave(void*) override { return std::nullopt; }
    void startFrom(const std::string&) override {}
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s split SOURCE PIECE_KB | join PIECE DESTINATION\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    AnswerYes messages;
    NoDialog dialogs;
    carvel::frmSplitJoin window(messages, dialogs, carvel::fileSystem(), QString(), {});
    window.flow().Form_Load();
    window.show();

    const bool split = std::string(argv[1]) == "split";
    if (!split)
        window.flow().SwitchToJoinMode();
    carvel::WorkRunner& work =
        split ? window.splitPanel()->flow().work() : window.joinPanel()->flow().work();
    QLineEdit* first = window.splitPanel()->txtSplitSourceFile();
    QLineEdit* second =
        split ? window.splitPanel()->txtMaxChunkSize() : window.joinPanel()->txtJoinDestination();
    QToolButton* start = split ? window.splitPanel()->cmdSplit() : window.joinPanel()->cmdJoin();
    if (split)
        first->setText(QString::fromLocal8Bit(argv[2]));
    else
        window.joinPanel()->flow().MakeJoinPattern(argv[2]);
    second->setText(QString::fromLocal8Bit(argv[3]));

    QEventLoop loop;
    QElapsedTimer clock;
    double seconds = -1;
    // The outcome's box is the first shown once the work, started by the press, has ended; the
    // checks' questions come during the press.
    bool pressed = false;
    messages.shown = [&] {
        if (!pressed || work.isRunning() || seconds >= 0)
            return;
        seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        loop.quit();
    };
    clock.start();
    start->click();
    pressed = true;
    if (work.isRunning())
        loop.exec();
    std::fprintf(stderr, "%s\n", messages.last.c_str());
    std::printf("%.4f\n", seconds);
    return seconds < 0 ? 1 : 0;
}
