// The audio suite plays on SDL's dummy driver: no sound device is needed and nothing is
// heard. The property list of the suites cannot carry two variables through test discovery,
// so the driver is chosen here.
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
