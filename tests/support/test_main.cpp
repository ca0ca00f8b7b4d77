// One main for every test program: offscreen windows, a QApplication for the
// tests that need one, and a browser engine allowed to run as root.
#include "platform/application.h"

#include <gtest/gtest.h>

// Weak, so that only the test programs that link the browser engine register
// its schemes; the others neither link nor load it.
namespace WebEngine {
[[gnu::weak]] void prepare();
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    ::testing::InitGoogleTest(&argc, argv);
    if (WebEngine::prepare) WebEngine::prepare();
    Application app(argc, argv);
    return RUN_ALL_TESTS();
}
