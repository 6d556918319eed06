#include "xvfbtest.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

void RerunUnderXvfb(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("ZARVEX_TEST_XVFB")) return;
    qputenv("ZARVEX_TEST_XVFB", "1");
    qputenv("QT_QPA_PLATFORM", "xcb");
    std::vector<char*> args = {const_cast<char*>("xvfb-run"), const_cast<char*>("-a"),
                               const_cast<char*>("-s"),
                               const_cast<char*>("-screen 0 1280x1024x24")};
    for (int i = 0; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    execvp(args[0], args.data());
    std::perror("xvfb-run (installed by scripts/setup)");
    std::exit(1);
}
