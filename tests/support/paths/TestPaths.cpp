#include "support/TestPaths.h"

#include "TestPathsConfig.h"

const std::string& testDataDir() {
    static const std::string dir = DRAVIN_TEST_DATA;
    return dir;
}

const std::string& binaryDir() {
    static const std::string dir = DRAVIN_BINARY_DIR;
    return dir;
}
