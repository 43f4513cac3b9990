#include <QCoreApplication>

int RunReplyTests(int argc, char* argv[]);
int RunFaultTests(int argc, char* argv[]);
int RunQStatCrossCheck(int argc, char* argv[]);

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    int failed = 0;
    for (auto run : {RunReplyTests, RunFaultTests, RunQStatCrossCheck})
        failed += run(argc, argv);
    return failed == 0 ? 0 : 1;
}
