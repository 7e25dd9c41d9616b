// Precompiled for window tests: the window set plus GoogleTest.
#pragma once
#include "pch_ui.h"
#include <gtest/gtest.h>
