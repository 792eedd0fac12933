#include "HTMLHelp.h"
#include "HelpWindow.h"
#include "MachineHelpServices.h"

#include <QCoreApplication>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace carvel;

namespace {

const std::string kHelpFile = CARVEL_HELP_FILE;
const std::string kProgramFolder = kHelpFile.substr(0, kHelpFile.rfind('/'));

} // namespace

// The class as the program uses it, over the services of this machine.
TEST(HTMLHelpOnThisMachine, ContentsOfCarvelChmInMainThenCloseAll) {
    MachineHelpServices machine;
    HTMLHelp help(machine.services(), kProgramFolder);
    help.setCHMFile(kProgramFolder + "/Carvel.chm");
    help.setHHWindow("Main");
    help.HHDisplayContents(0);

    ASSERT_EQ(machine.viewer().windows().size(), 1u);
    HelpWindow* window = machine.viewer().windows().front();
    EXPECT_EQ(window->windowTitle(), "Carvel Help");
    EXPECT_EQ(window->currentTopic(), "/Welcome.htm");
    EXPECT_GT(window->findChild<QTreeWidget*>("contents")->topLevelItemCount(), 0);

    help.HHClose();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(machine.viewer().windows().empty());
}

// A bare name is found beside the program, with the registry of this machine empty.
TEST(HTMLHelpOnThisMachine, BareNameAndTopicById) {
    MachineHelpServices machine;
    HTMLHelp help(machine.services(), kProgramFolder);
    help.setCHMFile("Carvel.chm");
    help.setHHTopicID(1020);
    help.HHDisplayTopicID();
    EXPECT_EQ(help.CHMFile(), kProgramFolder + "/Carvel.chm");
    EXPECT_EQ(help.HHRegFileName(), "");
    ASSERT_EQ(machine.viewer().windows().size(), 1u);
    EXPECT_EQ(machine.viewer().windows().front()->currentTopic(), "/Joining.htm");
    help.HHClose();
}
