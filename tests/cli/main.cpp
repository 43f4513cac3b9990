#include <QApplication>

int RunCommandLineTests(int argc, char** argv);
int RunQueryOutputTests(int argc, char** argv);
int RunQueryEndTests(int argc, char** argv);
int RunScriptTests(int argc, char** argv);
int RunProgramTests(int argc, char** argv);

// The comparison with the window needs a widget application.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    for (auto run : {RunCommandLineTests, RunQueryOutputTests, RunQueryEndTests, RunScriptTests,
                     RunProgramTests})
        failed += run(argc, argv);
    return failed == 0 ? 0 : 1;
}
