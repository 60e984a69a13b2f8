#include <gtest/gtest.h>
#include <cstring>
#include "Driver.h"
#include "../support/TestSupport.h"

// pelorin_e2e [--program=PATH]: the program under test, Pelorin.exe beside
// this driver unless given.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    std::string program = ExeFolder() + "Pelorin.exe";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--program=", 10) == 0)
            program = argv[i] + 10;
    }
    SetProgramUnderTest(program);
    std::printf("Program under test: %s\n", program.c_str());
    KeepNetshLogHere();
    PutStandInNetshFirst();
    return RUN_ALL_TESTS();
}
