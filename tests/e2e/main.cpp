#include <gtest/gtest.h>
#include <cstring>
#include "Driver.h"
#include "../support/TestSupport.h"

// pelorin_e2e [--program=PATH] [--helpers=FOLDER\]: the program under test
// and the folder of the test helpers built at its width; unless given,
// Pelorin.exe beside this driver and this driver's folder.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    std::string program = ExeFolder() + "Pelorin.exe";
    std::string helpers = ExeFolder();
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--program=", 10) == 0)
            program = argv[i] + 10;
        if (std::strncmp(argv[i], "--helpers=", 10) == 0)
            helpers = argv[i] + 10;
    }
    SetProgramUnderTest(program, helpers);
    std::printf("Program under test: %s\n", program.c_str());
    KeepNetshLogHere();
    return RUN_ALL_TESTS();
}
