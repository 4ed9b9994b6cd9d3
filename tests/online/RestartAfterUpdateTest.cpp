// The restart after an update: its steps in their order, whatever the update holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/ArchiveUi.h"
#include "online/RestartAfterUpdate.h"

namespace {

TEST(RestartAfterUpdateTest, TheStartScreenClosesAndTheMusicStopsFirst) {
    std::vector<std::string> steps;
    TRestartSteps restart;
    restart.CloseStartScreen = [&] { steps.push_back("close start screen"); };
    restart.StopMusic = [&] { steps.push_back("stop music"); };
    restart.Tell = [&](const std::string& text, const std::string& caption) {
        steps.push_back(caption + ": " + text);
    };
    bool startWorks = true;
    restart.StartProgram = [&](const std::string& program) {
        steps.push_back("start " + program);
        return startWorks;
    };
    TQuietArchiveUi ui(TArchiveAnswer::No, false);
    // Only the database was new: no program archive to put in place.
    RestartAfterUpdate(restart, "", "/opt/quillon/", "/opt/quillon/quillon", ui);
    const std::vector<std::string> expected = {"close start screen", "stop music",
                                               "Updates downloaded: New updates downloaded, Restarting Game",
                                               "start /opt/quillon/quillon"};
    EXPECT_EQ(steps, expected);

    steps.clear();
    startWorks = false;
    RestartAfterUpdate(restart, "", "/opt/quillon/", "/opt/quillon/quillon", ui);
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps[0], "close start screen");
    EXPECT_EQ(steps[1], "stop music");
    EXPECT_EQ(steps.back(),
              "Updates downloaded: Quillon could not be started again. Please start it yourself.");
}

} // namespace
