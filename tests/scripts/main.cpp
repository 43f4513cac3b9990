#include "GameFolder.h"

int main(int argc, char** argv) {
    return RunScriptContentTests(argc, argv) + RunScriptLifecycleTests(argc, argv);
}
