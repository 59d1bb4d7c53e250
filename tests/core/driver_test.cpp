#include "driver/driver.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace zan {
namespace {

TEST(Driver, ReportsUnknownAndFailedCommands) {
    std::ostringstream out;
    Driver driver(out);
    for (const char* bad : {"bogus", "click NoSuchControl", "wait soon", "logger 1 bits 12"})
        EXPECT_FALSE(driver.Execute(bad)) << bad;
    EXPECT_EQ(out.str().rfind("error: unknown command: bogus\n", 0), 0u) << out.str();
}

}  // namespace
}  // namespace zan
