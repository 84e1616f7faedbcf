// File operations against the real file system under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include "storage/files.h"

TEST(PathExists, Smoke) { EXPECT_FALSE(PathExists("")); }
