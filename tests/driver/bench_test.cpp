// The --bench option: parsed as a plain flag.
#include <gtest/gtest.h>

#include "platform/WINMAIN.h"

TEST(BenchOption, IsAFlagWithoutValue)
{
    WINMAIN_OPTIONS options;
    char error[256];
    const char* plain[] = {"qorn7316", "--bench"};
    ASSERT_TRUE(WINMAIN_parse(2, plain, &options, error, sizeof error));
    EXPECT_TRUE(options.bench);
    EXPECT_FALSE(options.headless);
    const char* valued[] = {"qorn7316", "--bench=5"};
    EXPECT_FALSE(WINMAIN_parse(2, valued, &options, error, sizeof error));
    EXPECT_STREQ(error, "option '--bench' takes no value");
    const char* none[] = {"qorn7316", "--headless"};
    ASSERT_TRUE(WINMAIN_parse(2, none, &options, error, sizeof error));
    EXPECT_FALSE(options.bench);
}
