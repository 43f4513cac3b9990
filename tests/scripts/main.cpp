#include "GameFolder.h"

int main(int argc, char** argv) {
    int failures = 0;
    failures += RunScriptContentTests(argc, argv);
    failures += RunScriptLifecycleTests(argc, argv);
    failures += RunHostileNameTests(argc, argv);
    failures += RunPlayerNameListTests(argc, argv);
    return failures;
}
