// Precompiled for test programs: the logic set plus GoogleTest, which every test file includes.
#pragma once
#include "pch_logic.h"
#include <gtest/gtest.h>
