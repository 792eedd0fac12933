// The flows of both front ends, driven without any window: recording views stand for the
// windows, ManualUiThread for the window's thread, the test's own thread.
#include "GatedFileSystem.h"
#include "ManualUiThread.h"
#include "ScriptedFileDialog.h"
#include "ScriptedMessageBox.h"
#include "TestFiles.h"
#include "flow/CarvelFlow.h"
#include "flow/ProgressText.h"
#include "flow/SeamerFlow.h"
#include "flow/SizeText.h"

#include <chrono>
#include <gtest/gtest.h>

namespace carvel {
namespace {

using test::TempDir;

struct SplitView final : ISplitView {
    std::string sourceText() const override { return source; }
    void setSourceText(const std::string& text) override {
        source = text;
        flow->txtSplitSourceFile_Change(); // as the box's change event does
    }
    std::string sizeText() const override { return size; }
    void setFileSizeText(const std::string& text) override { fileSize = text; }
    void checkSizeMode(int index) override { mode = index; }
    void focus(InputField field) override { focused = field; }
    void showWorking(bool on) override { working = on; }
    void setStartEnabled(bool on) override { start = on; }
    void showBusyPointer(bool on) override { busy = on; }
    void* owner() override { return this; }

    SplitFlow* flow = nullptr;
    std::string source, size, fileSize;
    int mode = -1;
    InputField focused = InputField::None;
    bool working = false, start = true, busy = false;
};

struct JoinView final : IJoinView {
    std::string sourceText() const override { return source; }
    void setSourceText(const std::string& text) override { source = text; }
    std::string destinationText() const override { return destination; }
    void setDestinationText(const std::string& text) override { destination = text; }
    void focus(InputField field) override { focused = field; }
    void showWorking(bool on) override { working = on; }
    void setStartEnabled(bool on) override { start = on; }
    void showBusyPointer(bool on) override { busyAsked |= on; }
    void* owner() override { return this; }

    std::string source, destination;
    InputField focused = InputField::None;
    bool working = false, start = true, busyAsked = false;
};

// Records the window's state as a user would read it.
struct WindowView final : IWindowView {
    void setCaption(const std::string& text) override { caption = text; }
    void showPanel(Panel shown, bool) override { panel = shown; }
    void setModePicture(const std::string& role) override { picture = role; }
    void setStatusText(const std::string& text) override { status = text; }
    void setCommandEnabled(int position, bool on) override {
        flags.resize(std::max<std::size_t>(flags.size(), position), '-');
        flags[position - 1] = on ? 't' : 'f';
    }
    void showProgress(const ProgressText& shown) override { progress.push_back(shown); }
    void showIdle() override { idle = true; }
    void setCancelKeyEnabled(bool on) override { cancelKey = on; }
    void alertIfInactive() override {}
    void showAbout() override { ++abouts; }
    void showHelpContents() override {}
    bool close() override { return ++closes > 0; }
    void quit() override { ++quits; }
    void* owner() override { return this; }

    std::string caption, picture, status, flags;
    Panel panel = Panel::Join;
    std::vector<ProgressText> progress;
    bool idle = false, cancelKey = false;
    int abouts = 0, closes = 0, quits = 0;
};

// Runs the posted calls until the flow's work has ended and reported.
template <class Flow> void finish(ManualUiThread& ui, Flow& flow) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (flow.isWorking() && std::chrono::steady_clock::now() < until)
        ui.runPosted();
    ui.runPosted();
}

struct Carvel {
    explicit Carvel(FileSystem& files) : fs(files) { split.flow = &splitFlow; }
    ManualUiThread ui;
    ScriptedMessageBox boxes;
    ScriptedFileDialog dialogs;
    SplitView split;
    JoinView join;
    WindowView window;
    FileSystem& fs;
    SplitFlow splitFlow{split, boxes, dialogs, fs, ui, "Carvel", NumberFormat{}};
    JoinFlow joinFlow{join, boxes, dialogs, fs, ui, JoinPolicy::carvel()};
    CarvelFlow flow{window, boxes, ui, fs, NumberFormat{}, splitFlow, joinFlow, ""};
};

TEST(FlowUiThread, EngineBoxesShowOnTheWindowsThreadAndCloseFreesAWaitingWorker) {
    ManualUiThread ui;
    ScriptedMessageBox shown;
    std::vector<bool> asking;
    UiThreadMessageBox box(shown, ui, [&](bool on) { asking.push_back(on); });
    const MessageRequest question{"Go on?", "Carvel", MsgButtons::YesNoCancel, MsgIcon::None,
                                  MsgAnswer::Yes};

    EXPECT_EQ(box.show(question), MsgAnswer::Yes); // on the window's thread: shown at once
    shown.setNextAnswer(MsgAnswer::No);
    MsgAnswer answered = MsgAnswer::Ok;
    std::thread worker([&] { answered = box.show(question); });
    while (ui.runPosted() == 0)
        std::this_thread::yield();
    worker.join();
    EXPECT_EQ(answered, MsgAnswer::No);
    EXPECT_EQ(asking, (std::vector<bool>{true, false}));

    // Closed while a worker waits for a box not yet shown: the worker gets the default at once,
    // so the window's thread can wait for it, and the box never shows.
    answered = MsgAnswer::Ok;
    std::atomic<bool> asked{false};
    std::thread late([&] {
        asked = true;
        answered = box.show(question);
    });
    while (!asked)
        std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    box.close();
    late.join();
    ui.runPosted();
    EXPECT_EQ(answered, MsgAnswer::Yes);
    EXPECT_EQ(shown.shown().size(), 2u);
}

TEST(FlowWork, ASplitShowsItsProgressAndOutcomeAndTheWindowItsState) {
    TempDir dir;
    test::writeFile(dir / "movie.avi", test::everyByte(4096));
    Carvel c(fileSystem());
    c.flow.Form_Load();
    EXPECT_EQ(c.window.caption, "Split File");
    EXPECT_EQ(c.window.flags, "ftttt");
    EXPECT_EQ(c.window.status, "");
    EXPECT_EQ(c.split.mode, 0);

    c.split.setSourceText(" " + (dir / "movie.avi"));
    EXPECT_EQ(c.split.fileSize, "4 KB");
    c.split.size = "1";
    c.splitFlow.cmdSplit_Click();
    EXPECT_TRUE(c.split.working && c.split.busy && c.window.cancelKey);
    EXPECT_EQ(c.window.flags, "ffttt"); // no mode change under the work
    ASSERT_FALSE(c.window.progress.empty());
    EXPECT_EQ(c.window.progress.front().name.rfind("Splitting", 0), 0u);

    finish(c.ui, c.splitFlow);
    EXPECT_FALSE(c.split.working || c.split.busy || c.window.cancelKey);
    EXPECT_TRUE(c.window.idle);
    EXPECT_EQ(c.window.flags, "ftttt");
    EXPECT_EQ(c.window.progress.back().name, "Splitting 100%");
    ASSERT_EQ(c.boxes.shown().size(), 1u);
    EXPECT_EQ(c.boxes.shown()[0].text,
              "File is splited into 4 subfiles in folder " + (dir / "Split Files of movie.avi"));
    EXPECT_EQ(c.boxes.shown()[0].icon, MsgIcon::Information);

    // Seamer joins the set: no busy pointer, and Start stays disabled after the join.
    ManualUiThread ui;
    JoinView view;
    WindowView window;
    JoinFlow join(view, c.boxes, c.dialogs, fileSystem(), ui, JoinPolicy::seamer());
    SeamerFlow seamer(window, c.boxes, ui, fileSystem(), NumberFormat{}, join);
    seamer.Form_Load();
    EXPECT_EQ(window.caption, "Join File");
    ASSERT_TRUE(
        join.MakeJoinPattern(dir / "Split Files of movie.avi" + test::kSep + "movie.avi.3"));
    view.destination = dir / "back.avi";
    join.cmdJoin_Click();
    finish(ui, join);
    EXPECT_EQ(c.boxes.shown().back().text,
              "4 files have been joined with the name of " + (dir / "back.avi"));
    EXPECT_EQ(c.boxes.shown().back().caption, "Seamer");
    EXPECT_FALSE(view.start || view.busyAsked);
    EXPECT_EQ(test::readFile(dir / "back.avi"), test::everyByte(4096));
}

TEST(FlowWork, TheCloseQuestionStopsTheWorkAndClosesAfterItWithoutAnOutcome) {
    TempDir dir;
    test::writeFile(dir / "movie.avi", test::everyByte(8192));
    GatedFileSystem gated(fileSystem(), 3);
    Carvel c(gated);
    c.flow.Form_Load();
    c.split.setSourceText(dir / "movie.avi");
    c.split.size = "1";
    c.splitFlow.cmdSplit_Click();
    while (!gated.held())
        std::this_thread::yield();
    c.ui.tick();
    // Two of eight pieces copied; their checksums may still be behind.
    const ProgressText held = c.window.progress.back();
    EXPECT_TRUE(held.steps >= 0 && held.steps <= 250) << held.steps;
    EXPECT_EQ(held.name, "Splitting " + std::to_string(held.steps / 10) + "%");

    c.boxes.setNextAnswer(MsgAnswer::Yes);
    EXPECT_FALSE(c.flow.mayClose());
    EXPECT_EQ(c.boxes.shown().back().text,
              "The split of " + (dir / "movie.avi") +
                  " is not finished. Do you want to stop it and close Carvel?");
    EXPECT_FALSE(c.flow.mayClose()); // stopping already: no second question
    gated.release();
    finish(c.ui, c.splitFlow);
    EXPECT_EQ(c.boxes.shown().size(), 1u);
    EXPECT_EQ(c.window.closes, 1);
    EXPECT_EQ(c.window.quits, 0);
    EXPECT_FALSE(test::exists(dir / "Split Files of movie.avi"));
    EXPECT_TRUE(c.flow.mayClose());
}

TEST(FlowTexts, ProgressAndSizesInTheLocalesOwnWriting) {
    const NumberFormat c;
    EXPECT_EQ(progressText({"Joining", 0, 0, 0}, c).name, "Joining");
    EXPECT_EQ(progressText({"Joining", 0, 0, 0}, c).steps, -1);
    const ProgressText half = progressText({"Splitting", 3 << 20, 6 << 20, 2}, c);
    EXPECT_EQ(half.name, "Splitting 50%");
    EXPECT_EQ(half.detail, "3 MB of 6 MB, 1.5 MB/s, 2 s left");
    EXPECT_EQ(progressText({"Writing to disk", 0, 0, 9}, c).detail, "");

    const NumberFormat french{",", "\u202f", U'0', {}};
    EXPECT_DOUBLE_EQ(SizeText::readNumber("1 024,5", french), 1024.5);
    EXPECT_DOUBLE_EQ(SizeText::readNumber("1\u202f024", french), 1024);
    EXPECT_THROW(SizeText::readNumber("1 02", french), std::runtime_error);
    const NumberFormat arabic{"\u066b", "\u066c", U'\u0660', {}};
    EXPECT_EQ(SizeText::fileSize(1536, arabic), "\u0661\u066b\u0665 KB");
    EXPECT_DOUBLE_EQ(SizeText::readNumber("\u0661\u066b\u0665", arabic), 1.5);
    EXPECT_DOUBLE_EQ(SizeText::readNumber("\u22125", c), -5);
}

} // namespace
} // namespace carvel
