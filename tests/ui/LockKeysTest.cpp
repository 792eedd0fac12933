// Runs on a real X server (Xvfb), where the keyboard's lock states can be set and read back.
#include "KeyboardLocks.h"
#include "StatusBar.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <X11/XKBlib.h>

namespace carvel::test {
namespace {

Display* display() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->display() : nullptr;
}

// Locks or unlocks modifiers on the server, as a key pressed in another program would.
void setLocks(unsigned int mask, bool on) {
    XkbLockModifiers(display(), XkbUseCoreKbd, mask, on ? mask : 0);
    XSync(display(), False);
}

class LockKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (display() == nullptr)
            GTEST_SKIP() << "no X11 display";
        setLocks(LockMask | Mod2Mask, false);
    }
    void TearDown() override {
        if (display() != nullptr)
            setLocks(LockMask | Mod2Mask, false);
    }
};

TEST_F(LockKeysTest, TheServerTellsCapsAndNumLock) {
    LockKeyStates states = readLockKeyStates();
    EXPECT_EQ(states.capsLock, false);
    EXPECT_EQ(states.numLock, false);
    setLocks(LockMask, true);
    states = readLockKeyStates();
    EXPECT_EQ(states.capsLock, true);
    EXPECT_EQ(states.numLock, false);
    setLocks(Mod2Mask, true);
    EXPECT_EQ(readLockKeyStates().numLock, true);
}

TEST_F(LockKeysTest, PanelsShowTheStatesFromTheStartAndFollowOtherPrograms) {
    setLocks(Mod2Mask, true);
    StatusBar bar;
    auto* num = bar.findChild<QLabel*>("Panel8");
    auto* caps = bar.findChild<QLabel*>("Panel9");
    ASSERT_TRUE(num != nullptr && caps != nullptr);
    EXPECT_TRUE(num->isEnabled()) << "num lock was on before the window was made";
    EXPECT_FALSE(caps->isEnabled());

    // No key reaches the window: only asking the server again shows the change.
    setLocks(LockMask, true);
    setLocks(Mod2Mask, false);
    QElapsedTimer waited;
    waited.start();
    while ((!caps->isEnabled() || num->isEnabled()) && waited.elapsed() < 3000)
        QTest::qWait(50);
    EXPECT_TRUE(caps->isEnabled());
    EXPECT_FALSE(num->isEnabled());
}

} // namespace
} // namespace carvel::test
