#pragma once

#include <string>

// Where the test data (tests/data) and the built programs are. They are
// compiled into one file only, so that the compiler cache serves every other
// test to another clone of the same sources.
const std::string& testDataDir();
const std::string& binaryDir();
